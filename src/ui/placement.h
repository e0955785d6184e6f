#pragma once

class QLabel;
class QSize;
class QWidget;
class QString;

namespace roomwright {

// Windows stand at fixed places given in twips (1/1440 inch) from the screen's top-left
// corner, converted at the screen's logical DPI, and kept on the screen.
int twipsToPixels(int twips, double logicalDpi);
void placeAt(QWidget* window, int topTwips, int leftTwips);
// Keeps a window, frame and all, within its screen's available area: no larger than that
// (as far as the window's own minimum allows), and moved inside it. A window not yet sized
// takes the size it would open at first.
void keepOnScreen(QWidget* window);
// The largest size the window can take on its screen's available area, frame and all.
QSize roomOnScreen(const QWidget* window);

// Names a control for the keyboard and for screen readers: its object name, and the
// accessible name of its label (the label becomes its buddy) or of its caption.
void nameControl(QWidget* control, const char* objectName, const QString& accessibleName);
void labelControl(QLabel* label, QWidget* control);
// Names a control by a caption (shortcut marks left out); the part where the keyboard stands
// in it (an editable combo's text part, a calendar's grid of days) bears the same name. Use it
// rather than setAccessibleName.
void captionControl(QWidget* control, QString caption);

} // namespace roomwright
