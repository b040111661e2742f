#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ports/Hotkeys.h"

namespace rp {

// What a key of the Options window's "Keyboard" group does, in the group's order.
enum class KeyAction { BreakNow, Pause, Postpone, Skip };
inline constexpr std::size_t kKeyActions = 4;
// The stored names of the four keys, in the order of KeyAction.
inline constexpr std::array<std::string_view, kKeyActions> kHotkeySettings = {
    "Hotkey Break Now", "Hotkey Pause", "Hotkey Postpone", "Hotkey Skip"};

// The four keys as chosen; an empty one is not set.
using HotkeyChoices = std::array<Hotkey, kKeyActions>;

// "Ctrl+Alt+B", "Win+Shift+F9": modifiers in any order and case, each once, then one key. A
// letter, digit or other typing key needs Ctrl, Alt or Win besides, or the key would be taken
// from every program's typing. "" is no key; anything else unreadable is nothing.
std::optional<Hotkey> ParseHotkey(std::string_view text);
// The key in the form ParseHotkey reads, modifiers as Win, Ctrl, Alt, Shift; "" for no key or
// a key that has no name here.
std::string HotkeyText(Hotkey key);

}  // namespace rp
