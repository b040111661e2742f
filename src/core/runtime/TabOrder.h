#pragma once

namespace rp {

class Control;
class Form;

// Whether Tab stops at the control: a text box, hot key box, check box, push button, drop-down
// list or tab strip that shows, in a container that shows, in a window that shows. Frames,
// labels and the progress bar take no focus.
bool IsTabStop(const Control& control);

// Where Tab (or Shift+Tab, `backwards`) moves the focus from `focused`: the next tab stop of the
// window in tab-index order, wrapping at either end. With the focus on none of them (null, or a
// control that is no tab stop) either key goes to the first. Null when the window has none.
Control* NextTabStop(const Form& form, const Control* focused, bool backwards);

// The first tab stop inside `container` (a frame, at any depth), in tab-index order; null when
// none shows there.
Control* FirstTabStopIn(const Form& form, const Control& container);

}  // namespace rp
