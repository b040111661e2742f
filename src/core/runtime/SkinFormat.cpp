#include "runtime/SkinFormat.h"

#include <array>
#include <cctype>
#include <charconv>
#include <string>

#include "runtime/Failure.h"
#include "runtime/TrimBlanks.h"

namespace rp {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

struct Element {
  std::string_view name;
  std::optional<ControlKind> kind;  // none: the window itself
};

constexpr std::array kElements{
    Element{"window", std::nullopt},
    Element{"frame", ControlKind::Frame},
    Element{"checkbox", ControlKind::CheckBox},
    Element{"label", ControlKind::Label},
    Element{"textbox", ControlKind::TextBox},
    Element{"button", ControlKind::PushButton},
    Element{"progress", ControlKind::ProgressBar},
};

// "#RRGGBB" to 0x00BBGGRR.
std::optional<std::uint32_t> ParseColour(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  std::uint32_t rgb = 0;
  const auto [end, error] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
  if (error != std::errc() || end != text.data() + 7) return std::nullopt;
  return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

// "Face, size" or "Face, size, bold|regular".
std::optional<Font> ParseFont(std::string_view text) {
  std::array<std::string_view, 4> parts{};
  std::size_t count = 0;
  for (;;) {
    const auto comma = text.find(',');
    if (count == parts.size()) return std::nullopt;
    parts[count++] = TrimBlanks(text.substr(0, comma));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (count < 2 || count > 3 || parts[0].empty()) return std::nullopt;
  Font font{std::string(parts[0]), 0, false};
  const auto [end, error] =
      std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), font.points);
  // Written so that "nan", which the reader takes, is refused too.
  if (error != std::errc() || end != parts[1].data() + parts[1].size() ||
      !(font.points >= 1 && font.points <= 72))
    return std::nullopt;
  if (count == 3) {
    const std::string weight = Lower(parts[2]);
    if (weight != "bold" && weight != "regular") return std::nullopt;
    font.bold = weight == "bold";
  }
  return font;
}

// TRANSLATORS: a line of a skin file; {setting} is a name like "frame.colour", as written there.
constexpr const char* kUnknownSkinSetting = TrNoop("unknown setting \"{setting}\"");

[[noreturn]] void Reject(int line, const Failure& reason) {
  // TRANSLATORS: {line} is a line number of a file, {problem} what is wrong with that line.
  throw Failure(TrNoop("line {line}: {problem}"), "line", std::to_string(line), reason);
}

void SetProperty(Skin& skin, const Element& element, const std::string& property,
                 std::string_view value, int line) {
  const auto colour = [&] {
    auto parsed = ParseColour(value);
    // TRANSLATORS: a line of a skin file; keep #RRGGBB as it is.
    if (!parsed) Reject(line, Failure(TrNoop("\"{value}\" is not a colour #RRGGBB"), "value", value));
    return *parsed;
  };
  if (!element.kind) {
    // TRANSLATORS: a line of a skin file names a setting of the window other than "background".
    if (property != "background") Reject(line, Failure(TrNoop("the window has only a background")));
    skin.windowBackground = colour();
    return;
  }
  SkinStyle& style = skin.styles[*element.kind];
  const bool button = element.kind == ControlKind::PushButton;
  if (property == (button ? "face" : "background")) {
    style.background = colour();
  } else if (property == "text") {
    style.text = colour();
  } else if (property == "fill" && element.kind == ControlKind::ProgressBar) {
    style.fill = colour();
  } else if (property == "font") {
    auto font = ParseFont(value);
    // TRANSLATORS: a line of a skin file; "Face, size, bold" shows how a font is written there.
    if (!font) Reject(line, Failure(TrNoop("\"{value}\" is not a font \"Face, size, bold\""), "value", value));
    style.font = *font;
  } else {
    Reject(line, Failure(kUnknownSkinSetting, "setting", std::string(element.name) + "." + property));
  }
}

}  // namespace

Skin ParseSkin(std::string_view text) {
  // Editors often put a byte-order mark before the first line.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  Skin skin;
  int line = 0;
  while (!text.empty()) {
    ++line;
    const auto end = text.find('\n');
    const std::string_view current = TrimBlanks(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (current.empty() || current[0] == '#' || current[0] == ';') continue;

    const auto equals = current.find('=');
    // TRANSLATORS: a line of a skin file is not of the form "name = value"; keep that as it is.
    if (equals == std::string_view::npos) Reject(line, Failure(TrNoop("expected \"name = value\"")));
    const std::string key = Lower(TrimBlanks(current.substr(0, equals)));
    const std::string_view value = TrimBlanks(current.substr(equals + 1));
    const auto dot = key.find('.');
    const Element* element = nullptr;
    for (const Element& candidate : kElements)
      if (dot != std::string::npos && key.compare(0, dot, candidate.name) == 0 &&
          candidate.name.size() == dot)
        element = &candidate;
    if (!element) Reject(line, Failure(kUnknownSkinSetting, "setting", key));
    SetProperty(skin, *element, key.substr(dot + 1), value, line);
  }
  return skin;
}

}  // namespace rp
