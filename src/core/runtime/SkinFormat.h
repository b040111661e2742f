#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>

#include "runtime/Controls.h"

namespace rp {

// What a skin sets for one kind of control. Anything left unset keeps the design look.
struct SkinStyle {
  std::optional<std::uint32_t> background;  // a button's face
  std::optional<std::uint32_t> text;
  std::optional<std::uint32_t> fill;  // the filled part of a progress bar
  std::optional<Font> font;
};

// A parsed skin file (docs/skin-format.md). Colours are 0x00BBGGRR, as the models keep them.
struct Skin {
  std::optional<std::uint32_t> windowBackground;
  std::map<ControlKind, SkinStyle> styles;
};

// Reads the text of a skin file. Throws Failure "line N: reason" at the first error.
Skin ParseSkin(std::string_view text);

}  // namespace rp
