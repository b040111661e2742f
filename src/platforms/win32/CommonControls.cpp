#include "win32/CommonControls.h"

namespace rp::win32 {

void CommonControls::Load() {
  if (loaded_) return;
  loaded_ = true;
  if (const auto initialise = library_.Find<decltype(&::InitCommonControlsEx)>("InitCommonControlsEx")) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    initialise(&classes);
  }
  setSubclass_ = library_.Find<decltype(&::SetWindowSubclass)>("SetWindowSubclass");
  removeSubclass_ = library_.Find<decltype(&::RemoveWindowSubclass)>("RemoveWindowSubclass");
  defSubclassProc_ = library_.Find<decltype(&::DefSubclassProc)>("DefSubclassProc");
}

void CommonControls::Subclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
  if (setSubclass_) setSubclass_(window, procedure, id, reinterpret_cast<DWORD_PTR>(this));
}

void CommonControls::RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
  if (removeSubclass_) removeSubclass_(window, procedure, id);
}

// Only a window the subclass was set on comes here, so the library has the function.
LRESULT CommonControls::CallNext(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return defSubclassProc_(window, message, wParam, lParam);
}

}  // namespace rp::win32
