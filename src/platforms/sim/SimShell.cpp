#include "sim/SimShell.h"

#include <algorithm>

#include "sim/SimDesktop.h"

namespace rp::sim {
namespace {

// Windows-1252 bytes 0x80 to 0x9F; 0 where the code page has no character.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

char ToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

class SimWindowOwner : public ControlWindow {
 public:
  SimWindowOwner(SimControlWindow& window, std::uintptr_t handle)
      : window_(window), handle_(handle) {}
  ~SimWindowOwner() override { window_.destroyed = true; }
  std::uintptr_t Handle() const override { return handle_; }

 private:
  SimControlWindow& window_;
  std::uintptr_t handle_;
};

}  // namespace

std::uint64_t SimNotifyCall::Read(std::size_t offset, std::size_t width) const {
  std::uint64_t value = 0;
  for (std::size_t i = width; i-- > 0;) value = (value << 8) | record.at(offset + i);
  return value;
}

std::string SimNotifyCall::Text(std::size_t offset, std::size_t fieldSize) const {
  std::string text;
  for (std::size_t i = offset; i < offset + fieldSize && record.at(i) != 0; ++i)
    text += static_cast<char>(record[i]);
  return text;
}

bool SimShell::Shell_NotifyIconA(std::uint32_t message, const NotifyIconBytes& record) {
  SimNotifyCall call{message, record, false};
  const std::pair key{call.hWnd(), call.uID()};
  const bool known = icons.count(key) != 0;
  switch (message) {
    case 0:  // add
      if (refuseAdds > 0)
        --refuseAdds;
      else
        call.answer = !known && icons.insert(key).second;
      break;
    case 1: call.answer = known; break;                                // modify
    case 2: call.answer = icons.erase(key) != 0; break;                // delete
    default: break;
  }
  calls.push_back(call);
  return call.answer;
}

std::string SimShell::ToAnsi(std::string_view utf8) {
  std::string ansi;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + k < utf8.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    ansi += ToCp1252(c);
    i += static_cast<std::size_t>(length);
  }
  return ansi;
}

std::unique_ptr<ControlWindow> SimShell::CreateControlWindow(std::uintptr_t parent,
                                                             WindowProcedure trayWndProc) {
  const std::uintptr_t handle = nextHandle_ += 0x10;
  SimControlWindow& window = windows_[handle];
  window.parent = parent;
  window.ownProc = window.wndProc = nextProc_ += 0x10;
  window.trayWndProc = std::move(trayWndProc);
  return std::make_unique<SimWindowOwner>(window, handle);
}

std::intptr_t SimShell::SetWindowLongA(std::uintptr_t hwnd, int index, std::intptr_t value) {
  auto it = windows_.find(hwnd);
  if (it == windows_.end() || it->second.destroyed) return 0;
  if (index == kGwlWndProc) return std::exchange(it->second.wndProc, value);
  return index == kGwlUserData ? std::exchange(it->second.userData, value) : 0;
}

std::intptr_t SimShell::GetWindowLongA(std::uintptr_t hwnd, int index) {
  auto it = windows_.find(hwnd);
  if (it == windows_.end() || it->second.destroyed) return 0;
  if (index == kGwlWndProc) return it->second.wndProc;
  return index == kGwlUserData ? it->second.userData : 0;
}

std::intptr_t SimShell::CallWindowProcA(std::intptr_t procedure, std::uintptr_t hwnd,
                                        std::uint32_t message, std::uintptr_t wParam,
                                        std::intptr_t lParam) {
  auto it = windows_.find(hwnd);
  if (it != windows_.end()) {
    SimControlWindow& window = it->second;
    if (procedure == kTrayWndProcAddress && window.trayWndProc)
      return window.trayWndProc(hwnd, message, wParam, lParam);
    if (procedure == window.ownProc) {
      window.reachedOwnProc.push_back({message, wParam, lParam});
      return 0;
    }
  }
  strayCalls.push_back(procedure);
  return 0;
}

void SimShell::PostMessage(std::uintptr_t hwnd, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
  desktop_.Post([this, hwnd, message, wParam, lParam] {
    auto it = windows_.find(hwnd);
    if (it == windows_.end() || it->second.destroyed) return;  // a message to a gone window
    CallWindowProcA(it->second.wndProc, hwnd, message, wParam, lParam);
  });
}

void SimShell::PostTrayMessage(std::uintptr_t hwnd, std::int32_t shellMessage, std::uint32_t id) {
  PostMessage(hwnd, 1125, id, shellMessage);
}

int SimShell::ShowPopupMenu(std::uintptr_t owner, const std::vector<MenuEntry>& entries) {
  menus.push_back({owner, entries});
  const std::vector<std::string> pick = std::exchange(nextPick, {});
  const std::vector<MenuEntry>* level = &menus.back().entries;
  int command = 0;
  for (const std::string& text : pick) {
    const auto entry = std::find_if(level->begin(), level->end(), [&](const MenuEntry& e) { return e.text == text; });
    if (entry == level->end() || !entry->enabled) return 0;
    command = entry->command;
    level = &entry->submenu;
  }
  return command;
}

}  // namespace rp::sim
