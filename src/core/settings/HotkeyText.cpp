#include "settings/HotkeyText.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace rp {
namespace {

struct Modifier {
  std::uint8_t bit;
  std::string_view name;
};
// In the order the text writes them.
constexpr Modifier kModifiers[] = {
    {Hotkey::kWin, "Win"}, {Hotkey::kCtrl, "Ctrl"}, {Hotkey::kAlt, "Alt"}, {Hotkey::kShift, "Shift"}};

struct NamedKey {
  std::uint16_t code;
  std::string_view name;
};
// The keys besides letters, digits and F1 to F24, by their virtual-key codes.
constexpr NamedKey kNamedKeys[] = {
    {0x20, "Space"},  {0x21, "PageUp"},  {0x22, "PageDown"}, {0x23, "End"},    {0x24, "Home"},
    {0x25, "Left"},   {0x26, "Up"},      {0x27, "Right"},    {0x28, "Down"},   {0x2D, "Insert"},
    {0x2E, "Delete"}, {0x13, "Pause"},   {0x6A, "Multiply"}, {0x6B, "Add"},    {0x6D, "Subtract"},
    {0x6E, "Decimal"}, {0x6F, "Divide"},    {0xBA, ";"},        {0xBB, "="},      {0xBC, ","},
    {0xBD, "-"},      {0xBE, "."},       {0xBF, "/"},        {0xC0, "`"},      {0xDB, "["},
    {0xDC, "\\"},     {0xDD, "]"},       {0xDE, "'"},
};
constexpr std::uint16_t kF1 = 0x70, kF24 = 0x87, kNum0 = 0x60, kNum9 = 0x69;

bool SameLetters(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

std::string KeyName(std::uint16_t code) {
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return std::string(1, static_cast<char>(code));
  if (code >= kF1 && code <= kF24) return std::string("F").append(std::to_string(code - kF1 + 1));
  if (code >= kNum0 && code <= kNum9) return std::string("Num").append(std::to_string(code - kNum0));
  for (const NamedKey& named : kNamedKeys)
    if (named.code == code) return std::string(named.name);
  return "";
}

std::uint16_t KeyCode(std::string_view name) {
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    return static_cast<std::uint16_t>(std::toupper(static_cast<unsigned char>(name[0])));
  for (std::uint16_t code = kF1; code <= kF24; ++code)
    if (SameLetters(name, KeyName(code))) return code;
  for (std::uint16_t code = kNum0; code <= kNum9; ++code)
    if (SameLetters(name, KeyName(code))) return code;
  for (const NamedKey& named : kNamedKeys)
    if (SameLetters(name, named.name)) return named.code;
  return 0;
}

// A function key or Pause may stand alone or with Shift; any other key is some program's typing
// or moving.
bool NeedsCommandModifier(std::uint16_t code) { return !(code >= kF1 && code <= kF24) && code != 0x13; }

}  // namespace

std::optional<Hotkey> ParseHotkey(std::string_view text) {
  if (text.empty()) return Hotkey{};
  Hotkey key;
  while (true) {
    const std::size_t plus = text.find('+');
    const std::string_view part = text.substr(0, plus);
    if (plus == std::string_view::npos) {
      key.key = KeyCode(part);
      break;
    }
    const auto modifier = std::ranges::find_if(kModifiers, [&](const Modifier& m) { return SameLetters(part, m.name); });
    if (modifier == std::end(kModifiers) || (key.modifiers & modifier->bit)) return std::nullopt;
    key.modifiers |= modifier->bit;
    text.remove_prefix(plus + 1);
  }
  if (key.key == 0) return std::nullopt;
  const std::uint8_t command = Hotkey::kCtrl | Hotkey::kAlt | Hotkey::kWin;
  if (NeedsCommandModifier(key.key) && !(key.modifiers & command)) return std::nullopt;
  return key;
}

std::string HotkeyText(Hotkey key) {
  const std::string name = KeyName(key.key);
  if (name.empty()) return "";
  std::string text;
  for (const Modifier& modifier : kModifiers)
    if (key.modifiers & modifier.bit) text += std::string(modifier.name) + "+";
  return text + name;
}

}  // namespace rp
