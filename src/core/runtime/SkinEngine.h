#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "runtime/SkinFormat.h"
#include "ports/Files.h"

namespace rp {

class Form;

// Restyles a window from a skin file: load the file, choose the options, apply it.
class SkinEngine {
 public:
  // Option bit: skin the window's controls as well as its own background.
  static constexpr std::int32_t kSkinControls = 1;

  explicit SkinEngine(Files& files) : files_(files) {}

  // Reads and checks the file. Throws Failure when it cannot be read or parsed.
  void LoadSkin(std::string_view path);
  std::int32_t Options() const { return options_; }
  void SetOptions(std::int32_t options) { options_ = options; }
  // Whether the skin's fonts and text colours are applied too.
  void SetApplyFonts(bool apply) { applyFonts_ = apply; }
  void SetApplyTextColours(bool apply) { applyTextColours_ = apply; }
  // Applies the loaded skin, under the options in force now, to the window and its controls.
  void ApplyWindow(Form& form) const;

 private:
  Files& files_;
  std::optional<Skin> skin_;
  std::int32_t options_ = 0;
  bool applyFonts_ = false;
  bool applyTextColours_ = false;
};

}  // namespace rp
