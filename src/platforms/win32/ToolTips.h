#pragma once
#include <windows.h>

#include <commctrl.h>

#include <set>
#include <string_view>

#include "win32/Handles.h"

namespace rp::win32 {

// The tips of a window's disabled controls: why each takes no input. A disabled control gets no
// pointer input, its parent does, so each tip is a tool of the parent that covers the control.
class ToolTips {
 public:
  // Shows the text while the pointer rests on the control; "" takes the tip away. The tip window
  // is made, owned by `owner`, with the first tip.
  void Set(HWND owner, HWND control, std::string_view text);
  // The control moved or changed its size.
  void Place(HWND control);
  // Before the owner goes: the tip window goes with it.
  void Clear();

 private:
  TOOLINFOW ToolOf(HWND control) const;

  UniqueWindow window_;
  std::set<HWND> controls_;
};

}  // namespace rp::win32
