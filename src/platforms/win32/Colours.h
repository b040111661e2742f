#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

#include "runtime/Controls.h"

namespace rp::win32 {

// A colour of the model (0x00BBGGRR, or a system colour index with the 0x80000000 flag) as GDI
// takes it.
COLORREF ResolveColour(std::uint32_t colour);

// The colours the program draws in: the model's, or in Windows' high-contrast mode the system
// colours that the design gives each part, so that skin and program colours give way to the
// user's.
class Colours {
 public:
  // True while high-contrast mode is on: asked at first use, not while the program loads, and
  // again after the system says the setting changed (paints ask on every tick).
  bool HighContrast();
  void HighContrastChanged();

  // The colour to draw a part in.
  COLORREF PartColour(std::uint32_t colour, std::uint32_t designColour);
  COLORREF BackColourOf(const Control& control);
  COLORREF ForeColourOf(const Control& control);
  COLORREF FillColourOf(const Control& control);  // the filled part of a progress bar
  // The text over a progress bar's filled part: black or white, whichever reads better on the
  // fill, and the highlighted-text colour in high-contrast mode.
  COLORREF TextOverFillOf(const Control& control);

 private:
  std::optional<bool> highContrast_;
};

}  // namespace rp::win32
