#include "win32/Colours.h"

namespace rp::win32 {
namespace {

bool AskHighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace

COLORREF ResolveColour(std::uint32_t colour) {
  return (colour & 0x80000000u) ? GetSysColor(static_cast<int>(colour & 0xFF)) : static_cast<COLORREF>(colour);
}

bool Colours::HighContrast() {
  if (!highContrast_) highContrast_ = AskHighContrast();
  return *highContrast_;
}

void Colours::HighContrastChanged() { highContrast_ = AskHighContrast(); }

COLORREF Colours::PartColour(std::uint32_t colour, std::uint32_t designColour) {
  return ResolveColour(HighContrast() ? designColour : colour);
}

COLORREF Colours::BackColourOf(const Control& control) {
  return PartColour(control.BackColor(), DesignBackColour(control.Kind()));
}

COLORREF Colours::ForeColourOf(const Control& control) {
  return PartColour(control.ForeColor(), DesignForeColour(control.Kind()));
}

COLORREF Colours::FillColourOf(const Control& control) { return PartColour(control.FillColor(), kHighlightColour); }

COLORREF Colours::TextOverFillOf(const Control& control) {
  if (HighContrast()) return GetSysColor(COLOR_HIGHLIGHTTEXT);
  const COLORREF fill = FillColourOf(control);
  const int luminance = GetRValue(fill) * 299 + GetGValue(fill) * 587 + GetBValue(fill) * 114;
  return luminance > 128 * 1000 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

}  // namespace rp::win32
