#pragma once

#include "store/lookups.h"
#include "ui/placement.h"

#include <QString>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QLayout;
class QListWidget;
class QPushButton;
class QScrollArea;
class QWidget;

namespace roomwright {

// Controls of every window, named by their control names (objectName) and for screen readers
// (accessible name: the caption, or the label beside the control).
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);
// A button, check box or option button with its caption.
template <class Button>
Button* makeCaptioned(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new Button(caption, parent);
    nameControl(button, name, caption);
    return button;
}
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text);
// A label that shows a value to the clerk (selectable, so it can be copied). Screen readers
// read its caption as its name and what it shows as its value and description; the caption
// is `caption`, or that of the label beside it (`labelControl`).
QLabel* makeValueLabel(QWidget* parent, const char* name, const QString& caption = {});
// The caption beside a control: it becomes the control's buddy and gives its accessible name.
QLabel* makeCaption(QWidget* parent, const QString& text, QWidget* control);
// The caption and its control on one line of a grid: the caption in `column`, the control
// beside it over `span` columns. The caption names the control.
void addCaptioned(QGridLayout* grid, int row, int column, const QString& caption, QWidget* control,
                  int span = 1);
// A text box taking at most `maxLength` characters (0: no limit); the label, if any, becomes
// its buddy and gives its accessible name.
QLineEdit* makeTextBox(QWidget* parent, const char* name, QLabel* label = nullptr,
                       int maxLength = 0);
// A list to pick from that shows `prompt` while nothing is picked.
QComboBox* makePickList(QWidget* parent, const char* name, const QString& prompt);
// A list that also takes a typed text (an editable combo box) and shows `prompt` while it
// holds none.
QComboBox* makeTypedList(QWidget* parent, const char* name, const QString& prompt);
// An editable combo box that never adds what is typed to its list. Screen readers read its
// caption as its name, whatever it shows, and what it shows as its value.
QComboBox* makeEditableCombo(QWidget* parent, const char* name, const QString& accessibleName);
// The room choice of the property and status windows: it only picks from its list of room
// entries (in the fixed-pitch font) and shows "Select Room" while nothing is picked.
QComboBox* makeRoomChoice(QWidget* parent, const char* name);
// A list box of room lines, in a fixed-pitch font so that the blanks of a line keep the
// columns of the room numbers and types.
QListWidget* makeRoomList(QWidget* parent, const char* name, const QString& accessibleName);

// The column captions over a list of fixed-pitch lines: in the list's font and indented as
// far as the list's text, so that each caption stands over its column.
QLabel* makeListHeader(QListWidget* list, const QString& captions);

// The row of buttons at the foot of a window, standing to the right.
QHBoxLayout* makeButtonRow(std::initializer_list<QPushButton*> buttons);

// The part of a window that scrolls where the screen is too small for it: `content`, in a
// frameless area that asks for the whole of its content but gives way down to a few lines,
// while what stands outside it (the buttons at the window's foot) stays in view. Tab, or a
// refusal putting the focus on a box, scrolls the box into view.
QScrollArea* makeScrollingArea(QWidget* window, QLayout* content);

// The fixed lists of the guest and card boxes: the 50 states, the twelve months as the motel
// has always spelled them ("Febuary"), and the card years 2015 to 2030. Nothing is picked
// afterwards.
void fillStates(QComboBox* list);
void fillMonths(QComboBox* list);
void fillCardYears(QComboBox* list);

// A box's text.
std::string textOf(const QLineEdit* box);
// A list's text as the clerk sees it: what a typed list shows, or a pick list's chosen entry
// (its prompt while nothing is picked).
std::string shownText(const QComboBox* list);
// The chosen entry of a list, "" while nothing is picked.
std::string chosenText(const QComboBox* list);

// Replaces the entries of a list; nothing is picked afterwards.
void fillList(QComboBox* list, const std::vector<std::string>& entries);
// The same for a room list: each entry carries the room it was made from.
void fillList(QComboBox* list, const std::vector<RoomEntry>& entries);
// The room of the entry picked in a room list; nothing while none is (or a typed text stands
// in its place).
std::optional<std::string> chosenRoom(const QComboBox* list);

// A text from the files as a window shows it: the NUL characters of a field never written
// show as blanks, as they do on paper.
QString onScreen(std::string text);

// Tab goes through the controls in the order given, from where the first of them stands.
void chainTabOrder(const std::vector<QWidget*>& controls);

// Puts the focus on a field and selects its text, so that typing replaces it.
void focusField(QWidget* field);

} // namespace roomwright
