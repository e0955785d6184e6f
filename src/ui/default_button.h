#pragma once

class QPushButton;
class QWidget;

namespace roomwright {

// Makes `button` the window's default button: drawn as one, and pressed by Enter or Return
// wherever the focus is in the window, except on another push button, which Enter presses
// instead. (A plain window, unlike a dialog, has no default button of its own.)
void makeDefaultButton(QWidget* window, QPushButton* button);

} // namespace roomwright
