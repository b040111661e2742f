#pragma once
#include <windows.h>

namespace rp::win32 {

class FormWindow;

// The keys a dialog box answers, in every window of the program: Tab and Shift+Tab move the
// focus, Enter presses the focused push button or else the window's default one, Esc its cancel
// button. Space is the button class's own. True when the key was used.
bool HandleDialogKeys(const MSG& message);

// Moves the focus to the next control in the window's tab order, as the core decides it; false
// when no control takes it.
bool MoveFocus(FormWindow& window, bool backwards);

}  // namespace rp::win32
