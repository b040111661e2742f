#include "win32/Colours.h"

namespace rp::win32 {

bool AskHighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

bool PersonalizeSaysLight(const wchar_t* value, bool absent) {
  DWORD light = 0, bytes = sizeof light;
  if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", value,
                   RRF_RT_REG_DWORD, nullptr, &light, &bytes) != ERROR_SUCCESS)
    return absent;
  return light != 0;
}

COLORREF ResolveColour(std::uint32_t colour) {
  return (colour & 0x80000000u) ? GetSysColor(static_cast<int>(colour & 0xFF)) : static_cast<COLORREF>(colour);
}

COLORREF Colours::Resolve(std::uint32_t colour) const {
  return ResolveColour(palette_ && !highContrast_ ? palette_->Map(colour) : colour);
}

COLORREF Colours::PartColour(std::uint32_t colour, std::uint32_t designColour) const {
  return Resolve(highContrast_ ? designColour : colour);
}

COLORREF Colours::BackColourOf(const Control& control) const {
  return PartColour(control.BackColor(), DesignBackColour(control.Kind()));
}

COLORREF Colours::ForeColourOf(const Control& control) const {
  return PartColour(control.ForeColor(), DesignForeColour(control.Kind()));
}

COLORREF Colours::FillColourOf(const Control& control) const {
  return PartColour(control.FillColor(), kHighlightColour);
}

COLORREF Colours::TextOverFillOf(const Control& control) const {
  if (highContrast_) return GetSysColor(COLOR_HIGHLIGHTTEXT);
  const COLORREF fill = FillColourOf(control);
  const int luminance = GetRValue(fill) * 299 + GetGValue(fill) * 587 + GetBValue(fill) * 114;
  return luminance > 128 * 1000 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

}  // namespace rp::win32
