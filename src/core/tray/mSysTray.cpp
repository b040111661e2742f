#include "tray/mSysTray.h"

#include "ports/Shell.h"
#include "runtime/Form.h"
#include "tray/NotifyIconRecord.h"
#include "tray/cSysTray.h"

namespace rp {

void SysTrayModule::Hook(std::uintptr_t hwnd, cSysTray& control) {
  PrevWndProc = shell_.SetWindowLongA(hwnd, kGwlWndProc, shell_.TrayWndProcAddress());
  shell_.SetWindowLongA(hwnd, kGwlUserData, reinterpret_cast<std::intptr_t>(&control));
}

void SysTrayModule::Unhook(std::uintptr_t hwnd) {
  shell_.SetWindowLongA(hwnd, kGwlWndProc, PrevWndProc);
}

std::intptr_t SysTrayModule::TrayWndProc(std::uintptr_t hwnd, std::uint32_t uMsg,
                                         std::uintptr_t wParam, std::intptr_t lParam) {
  if (uMsg == TRAY_CALLBACK) {
    // A borrowed reference: the control unhooks the window before it goes away.
    auto* control = reinterpret_cast<cSysTray*>(shell_.GetWindowLongA(hwnd, kGwlUserData));
    if (control)
      control->HandleTrayMessage(static_cast<std::int32_t>(lParam),
                                 static_cast<std::int32_t>(wParam));
  }
  return shell_.CallWindowProcA(PrevWndProc, hwnd, uMsg, wParam, lParam);
}

void BringBack(Form& window, SysTrayModule& tray) {
  window.SetVisible(true);
  window.SetFocus();
  tray.HiddenInTray = false;
}

}  // namespace rp
