#pragma once
#include <windows.h>

#include <cstdint>

#include "runtime/Controls.h"

namespace rp::win32 {

// A colour of the model (0x00BBGGRR, or a system colour index with the 0x80000000 flag) as GDI
// takes it.
COLORREF ResolveColour(std::uint32_t colour);

// True while Windows' high-contrast mode is on: asked once, and again after the system says
// the setting changed (paints ask on every tick).
bool HighContrast();
void HighContrastChanged();

// The colour to draw a part in: its own, or in high-contrast mode the system colour that the
// design gives the part, so that skin and program colours give way to the user's.
COLORREF PartColour(std::uint32_t colour, std::uint32_t designColour);
COLORREF BackColourOf(const Control& control);
COLORREF ForeColourOf(const Control& control);
COLORREF FillColourOf(const Control& control);  // the filled part of a progress bar
// The text over a progress bar's filled part: black or white, whichever reads better on the
// fill, and the highlighted-text colour in high-contrast mode.
COLORREF TextOverFillOf(const Control& control);

}  // namespace rp::win32
