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
  switch (message.wParam) {
    case VK_TAB: return MoveFocus(*window, GetKeyState(VK_SHIFT) < 0);
    case VK_RETURN: return PressEnter(*window, message);
    case VK_ESCAPE: return window->form().UserPressedEscape();
    default: return false;
  }
}

bool MoveFocus(FormWindow& window, bool backwards) {
  const NativeControl* focused = window.ControlOf(GetFocus());
  Control* next = NextTabStop(window.form(), focused ? &focused->control : nullptr, backwards);
  const NativeControl* target = next ? window.ControlOf(*next) : nullptr;
  // The controls are made when the window first shows more than its caption.
  if (!target) return false;
  ::SetFocus(target->window);
  if (next->Kind() == ControlKind::TextBox) SendMessageW(target->window, EM_SETSEL, 0, -1);
  return true;
}

}  // namespace rp::win32
