#include "runtime/Layout.h"

#include <algorithm>
#include <cmath>

namespace rp {
namespace {

constexpr int kTwipsPerInch = 1440;

// a * b / c to the nearest integer, halves away from zero (as Windows' MulDiv). The quotient of
// two integers is rounded correctly in a double, so an exact half stays exact.
int Scale(int a, int b, int c) {
  return c == 0 ? 0 : static_cast<int>(std::llround(static_cast<double>(a) * b / c));
}

}  // namespace

int TwipsToPixels(int twips, int dpi) { return Scale(twips, dpi, kTwipsPerInch); }

int PixelsToTwips(int pixels, int dpi) { return Scale(pixels, kTwipsPerInch, dpi); }

int FontPixels(double points, int dpi) { return static_cast<int>(points * dpi / 72.0 + 0.5); }

PixelRect PixelsOf(const TwipsRect& rect, int dpi) {
  const int left = TwipsToPixels(rect.left, dpi), top = TwipsToPixels(rect.top, dpi);
  return {left, top, TwipsToPixels(rect.left + rect.width, dpi) - left,
          TwipsToPixels(rect.top + rect.height, dpi) - top};
}

int FilledPercent(int value, int max) {
  if (max <= 0) return 0;
  return std::clamp(Scale(value, 100, max), 0, 100);
}

const MonitorInfo* MonitorNamed(const std::vector<MonitorInfo>& monitors, std::string_view name) {
  const MonitorInfo* chosen = nullptr;
  for (const MonitorInfo& monitor : monitors) {
    if (monitor.name == name) return &monitor;
    if (!chosen || (monitor.primary && !chosen->primary)) chosen = &monitor;
  }
  return chosen;
}

}  // namespace rp
