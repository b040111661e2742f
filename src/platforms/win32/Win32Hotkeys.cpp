#include "win32/Win32Hotkeys.h"

#include <commctrl.h>

namespace rp::win32 {
namespace {

struct FlagPair {
  BYTE control;
  std::uint8_t modifier;
};
constexpr FlagPair kFlags[] = {
    {HOTKEYF_SHIFT, Hotkey::kShift}, {HOTKEYF_CONTROL, Hotkey::kCtrl}, {HOTKEYF_ALT, Hotkey::kAlt}};

}  // namespace

Hotkey FromHotkeyControl(LRESULT word) {
  Hotkey key;
  key.key = LOBYTE(LOWORD(word));
  for (const FlagPair& flag : kFlags)
    if (HIBYTE(LOWORD(word)) & flag.control) key.modifiers |= flag.modifier;
  return key;
}

WPARAM ToHotkeyControl(Hotkey key) {
  BYTE flags = 0;
  for (const FlagPair& flag : kFlags)
    if (key.modifiers & flag.modifier) flags |= flag.control;
  return MAKEWORD(static_cast<BYTE>(key.key), flags);
}

}  // namespace rp::win32
