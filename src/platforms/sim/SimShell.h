#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ports/Shell.h"

namespace rp::sim {

class SimDesktop;

// One Shell_NotifyIconA call as the shell received it, read back by the record's offsets in the
// layout of the build (the 64-bit one on a 64-bit host).
struct SimNotifyCall {
  std::uint32_t message;
  NotifyIconBytes record;
  bool answer;

  std::uint64_t Read(std::size_t offset, std::size_t width = 4) const;  // little-endian
  std::uint32_t U32(std::size_t offset) const { return static_cast<std::uint32_t>(Read(offset)); }
  std::string Text(std::size_t offset, std::size_t fieldSize) const;  // up to the first NUL
  static constexpr const NotifyIconLayout& layout = kNotifyIconLayout;
  std::uint64_t hWnd() const { return Read(layout.hWnd, layout.handleBytes); }
  std::uint32_t uID() const { return U32(layout.uID); }
  std::uint32_t uFlags() const { return U32(layout.uFlags); }
  std::uint32_t uCallbackMessage() const { return U32(layout.uCallbackMessage); }
  std::uint64_t hIcon() const { return Read(layout.hIcon, layout.handleBytes); }
  std::string szTip() const { return Text(layout.szTip, 128); }
  std::string szInfo() const { return Text(layout.szInfo, 256); }
  std::uint32_t uTimeout() const { return U32(layout.uTimeout); }
  std::string szInfoTitle() const { return Text(layout.szInfoTitle, 64); }
};

// A message that reached a window's own procedure.
struct SimMessage {
  std::uint32_t message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  bool operator==(const SimMessage&) const = default;
};

struct SimControlWindow {
  std::uintptr_t parent = 0;
  std::intptr_t wndProc = 0;   // the installed procedure
  std::intptr_t ownProc = 0;   // the class procedure it started with
  std::intptr_t userData = 0;
  WindowProcedure trayWndProc;
  std::vector<SimMessage> reachedOwnProc;
  bool destroyed = false;
};

// The notification area and the window manager's part of the tray control. Icons are kept
// by (window, id) as the shell keeps them; posted messages go through whatever procedure is
// installed on the window, as dispatching does on Windows.
class SimShell : public Shell {
 public:
  explicit SimShell(SimDesktop& desktop) : desktop_(desktop) {}

  bool Shell_NotifyIconA(std::uint32_t message, const NotifyIconBytes& record) override;
  // Windows-1252; what it cannot show becomes '?'.
  std::string ToAnsi(std::string_view utf8) override;
  std::unique_ptr<ControlWindow> CreateControlWindow(std::uintptr_t parent,
                                                     WindowProcedure trayWndProc) override;
  std::intptr_t TrayWndProcAddress() override { return kTrayWndProcAddress; }
  std::intptr_t SetWindowLongA(std::uintptr_t hwnd, int index, std::intptr_t value) override;
  std::intptr_t GetWindowLongA(std::uintptr_t hwnd, int index) override;
  std::intptr_t CallWindowProcA(std::intptr_t procedure, std::uintptr_t hwnd,
                                std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) override;
  int ShowPopupMenu(std::uintptr_t owner, const std::vector<MenuEntry>& entries) override;
  bool UserMode() override { return userMode; }

  // Driving it from a test.
  void PostMessage(std::uintptr_t hwnd, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam);
  // The shell's callback about icon `id` of `hwnd`: a mouse or balloon message.
  void PostTrayMessage(std::uintptr_t hwnd, std::int32_t shellMessage, std::uint32_t id = 0);
  // Explorer restarts: every icon is forgotten.
  void RestartShell() { icons.clear(); }
  SimControlWindow& Window(std::uintptr_t hwnd) { return windows_.at(hwnd); }

  static constexpr std::intptr_t kTrayWndProcAddress = 0x00401000;

  bool userMode = true;
  int refuseAdds = 0;  // a shell not ready yet: this many adds are refused
  std::vector<SimNotifyCall> calls;
  std::set<std::pair<std::uint64_t, std::uint32_t>> icons;  // (hWnd, uID) in the tray now
  std::vector<std::intptr_t> strayCalls;  // CallWindowProcA with an address no window owns
  // Popup menus: each one shown, and what the user picks in the next one, by the entries'
  // texts from the top down ({"Pause Reminders", "For 30 Minutes"}). No pick, or a greyed or
  // missing entry, closes the menu without a command, as on the screen.
  struct Menu {
    std::uintptr_t owner;
    std::vector<MenuEntry> entries;
  };
  std::vector<Menu> menus;
  std::vector<std::string> nextPick;

 private:
  SimDesktop& desktop_;
  std::map<std::uintptr_t, SimControlWindow> windows_;
  std::uintptr_t nextHandle_ = 0x20010;
  std::intptr_t nextProc_ = 0x00402000;
};

}  // namespace rp::sim
