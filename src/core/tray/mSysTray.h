#pragma once
#include <cstdint>

namespace rp {

class Form;
class Shell;
class cSysTray;

// The routing of the shell's tray messages into the control's events, and the flag that
// says the main window is hidden in the tray. One hooked control at a time.
class SysTrayModule {
 public:
  explicit SysTrayModule(Shell& shell) : shell_(shell) {}
  SysTrayModule(const SysTrayModule&) = delete;
  SysTrayModule& operator=(const SysTrayModule&) = delete;

  // Puts TrayWndProc in front of the window's own procedure and the control in its user data.
  void Hook(std::uintptr_t hwnd, cSysTray& control);
  // Puts the previous procedure back; the user data is left as it is.
  void Unhook(std::uintptr_t hwnd);

  // Hands the tray callback to the control, then passes every message on unchanged.
  std::intptr_t TrayWndProc(std::uintptr_t hwnd, std::uint32_t uMsg, std::uintptr_t wParam,
                            std::intptr_t lParam);

  std::intptr_t PrevWndProc = 0;
  // True while the main window is hidden in the tray.
  bool HiddenInTray = false;

 private:
  Shell& shell_;
};

// Shows the main window again, in front, after the tray or a second start.
void BringBack(Form& window, SysTrayModule& tray);

}  // namespace rp
