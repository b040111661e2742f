#pragma once
#include <windows.h>
#include <commctrl.h>

#include "win32/SystemLibrary.h"

namespace rp::win32 {

// The common controls' library: the themed edit box, check box and push button, and the
// subclassing of a control's window. It comes with the first control of those kinds, not with
// the start: a copy that starts in the tray and stays there never maps it.
class CommonControls {
 public:
  // Loads the library and registers its classes, once.
  void Load();
  // Puts `procedure` in front of the window's own procedure, with this object as its data.
  void Subclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
  void RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
  // Passes a message of a subclassed window on to the window's own procedure.
  LRESULT CallNext(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  SystemLibrary library_{L"comctl32.dll", SystemLibrary::From::Manifest};
  bool loaded_ = false;
  decltype(&::SetWindowSubclass) setSubclass_ = nullptr;
  decltype(&::RemoveWindowSubclass) removeSubclass_ = nullptr;
  decltype(&::DefSubclassProc) defSubclassProc_ = nullptr;
};

}  // namespace rp::win32
