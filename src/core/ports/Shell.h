#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rp {

// Where each field of the shell's ANSI notify-icon record (balloon fields, no GUID) lies, in
// bytes. Handles are pointer-sized, so a 64-bit program's record is longer than a 32-bit one's.
struct NotifyIconLayout {
  std::size_t size, hWnd, uID, uFlags, uCallbackMessage, hIcon, szTip, dwState, dwStateMask,
      szInfo, uTimeout, szInfoTitle, dwInfoFlags, handleBytes;
};
inline constexpr NotifyIconLayout kNotifyIconLayout32{488, 4,   8,   12,  16,  20,  24,
                                                      152, 156, 160, 416, 420, 484, 4};
inline constexpr NotifyIconLayout kNotifyIconLayout64{504, 8,   16,  20,  24,  32,  40,
                                                      168, 172, 176, 432, 436, 500, 8};
// The layout of the program being built: the one its shell reads.
inline constexpr const NotifyIconLayout& kNotifyIconLayout =
    sizeof(void*) == 8 ? kNotifyIconLayout64 : kNotifyIconLayout32;
using NotifyIconBytes = std::vector<std::uint8_t>;

// Window-long indexes the tray routing uses.
inline constexpr int kGwlWndProc = -4;
inline constexpr int kGwlUserData = -21;

// A window procedure as the core writes it: (window, message, wParam, lParam) -> result.
using WindowProcedure =
    std::function<std::intptr_t(std::uintptr_t, std::uint32_t, std::uintptr_t, std::intptr_t)>;

// One entry of a popup menu: a command, a submenu (its command is 0) or, with no text, a separator.
struct MenuEntry {
  std::string text;
  int command = 0;
  bool enabled = true;
  bool isDefault = false;  // drawn bold: what a click on the icon does anyway
  std::vector<MenuEntry> submenu;
  bool operator==(const MenuEntry&) const = default;
};

// The tray control's own window. Destroying the owner destroys the window.
class ControlWindow {
 public:
  virtual ~ControlWindow() = default;
  virtual std::uintptr_t Handle() const = 0;
};

// What the tray control needs from the system shell and the window manager.
class Shell {
 public:
  virtual ~Shell() = default;
  // Shell_NotifyIconA with a finished record; the shell's answer is returned, not judged.
  virtual bool Shell_NotifyIconA(std::uint32_t message, const NotifyIconBytes& record) = 0;
  // Converts a UTF-8 text to the system ANSI code page.
  virtual std::string ToAnsi(std::string_view utf8) = 0;
  // Creates the control's window, a hidden child of `parent` (class "RespitePrompter.cSysTray").
  // `trayWndProc` is what the address from TrayWndProcAddress() runs for this window.
  virtual std::unique_ptr<ControlWindow> CreateControlWindow(std::uintptr_t parent,
                                                             WindowProcedure trayWndProc) = 0;
  // The address of the tray window procedure, to be installed with SetWindowLongA.
  virtual std::intptr_t TrayWndProcAddress() = 0;
  // Window longs as wide as a pointer: the procedure and the control reference they carry
  // must survive a 64-bit program (SetWindowLongPtrA and GetWindowLongPtrA there).
  virtual std::intptr_t SetWindowLongA(std::uintptr_t hwnd, int index, std::intptr_t value) = 0;
  virtual std::intptr_t GetWindowLongA(std::uintptr_t hwnd, int index) = 0;
  virtual std::intptr_t CallWindowProcA(std::intptr_t procedure, std::uintptr_t hwnd,
                                        std::uint32_t message, std::uintptr_t wParam,
                                        std::intptr_t lParam) = 0;
  // Shows a popup menu at the pointer, owned by `owner`, as the shell's icons show theirs, and
  // returns the command of the entry chosen, or 0 when the menu closed without a choice.
  virtual int ShowPopupMenu(std::uintptr_t owner, const std::vector<MenuEntry>& entries) = 0;
  // The host's ambient UserMode: false while the control sits in a form designer.
  virtual bool UserMode() = 0;
};

}  // namespace rp
