#pragma once

#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace roomwright {

// Controls of the setup windows, named by their control names (objectName) and for screen
// readers (accessible name: the caption, or the label beside the control).
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text);
// A text box; the label becomes its buddy and gives its accessible name.
QLineEdit* makeTextBox(QWidget* parent, const char* name, QLabel* label);
// An editable combo box that never adds what is typed to its list.
QComboBox* makeEditableCombo(QWidget* parent, const char* name, const QString& accessibleName);
// The room choice of the property and status windows: it only picks from its list of room
// entries (in the fixed-pitch font) and shows "Select Room" while nothing is picked.
QComboBox* makeRoomChoice(QWidget* parent, const char* name);
// A list box of room lines, in a fixed-pitch font so that the blanks of a line keep the
// columns of the room numbers and types.
QListWidget* makeRoomList(QWidget* parent, const char* name, const QString& accessibleName);

// Puts the focus on a field and selects its text, so that typing replaces it.
void focusField(QWidget* field);

} // namespace roomwright
