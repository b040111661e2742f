#include "win32/DialogKeys.h"

#include "runtime/TabOrder.h"
#include "win32/FormWindow.h"
#include "win32/NativeControl.h"

namespace rp::win32 {
namespace {

bool IsRepeat(const MSG& key) { return (key.lParam & (1 << 30)) != 0; }

bool PressEnter(FormWindow& window, const MSG& key) {
  const NativeControl* focused = window.ControlOf(key.hwnd);
  if (!focused || focused->control.Kind() != ControlKind::PushButton) return window.form().UserPressedEnter();
  if (!IsRepeat(key)) focused->control.UserClick();  // a held key presses once
  return true;
}

}  // namespace

bool HandleDialogKeys(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  FormWindow* window = FormWindow::FromWindow(GetAncestor(message.hwnd, GA_ROOT));
  if (!window) return false;
  // With a drop-down list open, Enter and Esc close the list: the list's own keys.
  const NativeControl* focused = window->ControlOf(message.hwnd);
  if (focused && focused->control.Kind() == ControlKind::ComboBox &&
      SendMessageW(message.hwnd, CB_GETDROPPEDSTATE, 0, 0))
    return false;
  const bool control = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  // Ctrl+PageUp and Ctrl+PageDown are keys a hot key box may be given.
  const bool inKeyBox = focused && focused->control.Kind() == ControlKind::HotkeyBox;
  switch (message.wParam) {
    case VK_TAB: return control ? window->form().UserNextPage(shift) : MoveFocus(*window, shift);
    case VK_PRIOR:
    case VK_NEXT: return control && !inKeyBox && window->form().UserNextPage(message.wParam == VK_PRIOR);
    case VK_RETURN: return PressEnter(*window, message);
    case VK_ESCAPE: return window->form().UserPressedEscape();
    default: return false;
  }
}

bool MoveFocus(FormWindow& window, bool backwards) {
  const NativeControl* focused = window.ControlOf(GetFocus());
  Control* next = NextTabStop(window.form(), focused ? &focused->control : nullptr, backwards);
  // The controls are made when the window first shows more than its caption.
  if (!next || !window.ControlOf(*next)) return false;
  window.FocusControl(*next);
  return true;
}

}  // namespace rp::win32
