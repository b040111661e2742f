#pragma once
#include <windows.h>

#include "ports/Shell.h"

namespace rp::win32 {

// The notification area and the tray control's window on the real system.
class Win32Shell : public Shell {
 public:
  explicit Win32Shell(HINSTANCE instance);

  bool Shell_NotifyIconA(std::uint32_t message, const NotifyIconBytes& record) override;
  std::string ToAnsi(std::string_view utf8) override;
  std::unique_ptr<ControlWindow> CreateControlWindow(std::uintptr_t parent,
                                                     WindowProcedure trayWndProc) override;
  std::intptr_t TrayWndProcAddress() override;
  std::intptr_t SetWindowLongA(std::uintptr_t hwnd, int index, std::intptr_t value) override;
  std::intptr_t GetWindowLongA(std::uintptr_t hwnd, int index) override;
  std::intptr_t CallWindowProcA(std::intptr_t procedure, std::uintptr_t hwnd,
                                std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) override;
  // win32/TrayMenu.cpp
  int ShowPopupMenu(std::uintptr_t owner, const std::vector<MenuEntry>& entries) override;
  bool UserMode() override { return true; }

 private:
  HINSTANCE instance_;
};

}  // namespace rp::win32
