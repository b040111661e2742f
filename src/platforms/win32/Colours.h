#pragma once
#include <windows.h>

#include <cstdint>

#include "runtime/Controls.h"
#include "runtime/Palette.h"

namespace rp::win32 {

// A colour of the model (0x00BBGGRR, or a system colour index with the 0x80000000 flag) as GDI
// takes it.
COLORREF ResolveColour(std::uint32_t colour);

// True while Windows' high-contrast mode is on.
bool AskHighContrast();
// A light-or-dark switch of Windows' personalisation (AppsUseLightTheme, SystemUsesLightTheme);
// `absent` where Windows has none.
bool PersonalizeSaysLight(const wchar_t* value, bool absent);

// The colours one window draws in: the model's; in the dark theme the palette's in their place,
// unless the window keeps its own; and in Windows' high-contrast mode the system colours that
// the design gives each part, so that skin, theme and program colours give way to the user's.
class Colours {
 public:
  Colours(bool highContrast, const Palette* palette) : highContrast_(highContrast), palette_(palette) {}

  bool HighContrast() const { return highContrast_; }
  // Drawn in the dark palette: high contrast wins over it.
  bool Dark() const { return palette_ && !highContrast_; }
  // A colour of the model as it is drawn now.
  COLORREF Resolve(std::uint32_t colour) const;
  // The colour to draw a part in.
  COLORREF PartColour(std::uint32_t colour, std::uint32_t designColour) const;
  COLORREF BackColourOf(const Control& control) const;
  COLORREF ForeColourOf(const Control& control) const;
  COLORREF FillColourOf(const Control& control) const;  // the filled part of a progress bar
  // The text over a progress bar's filled part: black or white, whichever reads better on the
  // fill, and the highlighted-text colour in high-contrast mode.
  COLORREF TextOverFillOf(const Control& control) const;

 private:
  bool highContrast_;
  const Palette* palette_;
};

}  // namespace rp::win32
