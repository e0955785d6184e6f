#pragma once

class QPushButton;

namespace roomwright {

class DeskWindow;

// Makes `button` the window's default button: drawn as one, and pressed by Return or Enter
// wherever the focus is in the window, except on another push button, which Return presses
// instead, and in an open drop-down list, which only picks its entry. (A plain window,
// unlike a dialog, has no default button of its own.)
void makeDefaultButton(DeskWindow* window, QPushButton* button);

} // namespace roomwright
