#pragma once
#include <string_view>
#include <vector>

#include "ports/Monitors.h"
#include "runtime/Controls.h"

namespace rp {

// Geometry on a screen of a given number of dots per inch. The windows keep their layout in
// twips (1/1440 inch); at 96 dots per inch 15 twips make one pixel, at 144 ten.

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

// A length in twips as whole pixels at `dpi`, to the nearest pixel (halves away from zero).
int TwipsToPixels(int twips, int dpi);
// A length in pixels as twips at `dpi`, to the nearest twip.
int PixelsToTwips(int pixels, int dpi);
// The character height in pixels of a font of `points` points at `dpi` (72 points an inch).
int FontPixels(double points, int dpi);
// A rectangle in twips as pixels at `dpi`. Its edges are rounded, not its size, so rectangles
// that meet in twips still meet on the screen.
PixelRect PixelsOf(const TwipsRect& rect, int dpi);

// The percentage of a bar running from 0 to `max` that `value` fills, 0 to 100, to the nearest
// whole percent; 0 when the bar has no length.
int FilledPercent(int value, int max);

// The monitor named `name`, else the primary one, else the first; nullptr when there is none.
const MonitorInfo* MonitorNamed(const std::vector<MonitorInfo>& monitors, std::string_view name);

}  // namespace rp
