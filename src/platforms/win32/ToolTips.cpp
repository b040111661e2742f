#include "win32/ToolTips.h"

#include "win32/Text.h"

namespace rp::win32 {

TOOLINFOW ToolTips::ToolOf(HWND control) const {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_SUBCLASS;  // the tip window watches the parent's pointer messages itself
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  GetWindowRect(control, &tool.rect);
  MapWindowPoints(nullptr, tool.hwnd, reinterpret_cast<POINT*>(&tool.rect), 2);
  return tool;
}

void ToolTips::Set(HWND owner, HWND control, std::string_view text) {
  const bool known = controls_.contains(control);
  if (text.empty() && !known) return;
  if (!window_) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    window_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                  instance, nullptr));
    if (!window_) return;
  }
  TOOLINFOW tool = ToolOf(control);
  if (text.empty()) {
    SendMessageW(window_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    controls_.erase(control);
    return;
  }
  std::wstring wide = Widen(text);
  tool.lpszText = wide.data();  // copied by the tip window
  SendMessageW(window_.get(), known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  controls_.insert(control);
}

void ToolTips::Place(HWND control) {
  if (!window_ || !controls_.contains(control)) return;
  TOOLINFOW tool = ToolOf(control);
  SendMessageW(window_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTips::Clear() {
  controls_.clear();
  window_.reset();
}

}  // namespace rp::win32
