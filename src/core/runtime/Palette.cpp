#include "runtime/Palette.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "runtime/Controls.h"

namespace rp {
namespace {

constexpr std::uint32_t kSystemFlag = 0x80000000u;
constexpr double kTextContrast = 4.5;

double Channel(std::uint32_t colour, int shift) { return ((colour >> shift) & 0xFF) / 255.0; }

double Linear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

struct Hsl {
  double h, s, l;
};

Hsl ToHsl(std::uint32_t colour) {
  const double r = Channel(colour, 0), g = Channel(colour, 8), b = Channel(colour, 16);
  const double most = std::max({r, g, b}), least = std::min({r, g, b});
  const double l = (most + least) / 2, d = most - least;
  if (d == 0) return {0, 0, l};
  const double s = l > 0.5 ? d / (2 - most - least) : d / (most + least);
  double h = most == r ? (g - b) / d + (g < b ? 6 : 0) : most == g ? (b - r) / d + 2 : (r - g) / d + 4;
  return {h / 6, s, l};
}

double HueChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 1.0 / 2) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

std::uint32_t FromHsl(const Hsl& c) {
  double r = c.l, g = c.l, b = c.l;
  if (c.s > 0) {
    const double q = c.l < 0.5 ? c.l * (1 + c.s) : c.l + c.s - c.l * c.s, p = 2 * c.l - q;
    r = HueChannel(p, q, c.h + 1.0 / 3), g = HueChannel(p, q, c.h), b = HueChannel(p, q, c.h - 1.0 / 3);
  }
  const auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return byte(r) | byte(g) << 8 | byte(b) << 16;
}

constexpr std::array<Palette::Pair, 8> kDarkSystem{{
    {kButtonFaceColour, 0x00202020},
    {kWindowBackgroundColour, 0x002D2D2D},
    {kWindowTextColour, 0x00F0F0F0},
    {kButtonTextColour, 0x00F0F0F0},
    {kHighlightColour, 0x00C86E00},  // white reads on it, and it stands out from the face
    {kHighlightTextColour, 0x00FFFFFF},
    {kButtonShadowColour, 0x00787878},
    {kGreyTextColour, 0x00969696},
}};

}  // namespace

double Luminance(std::uint32_t colour) {
  return 0.2126 * Linear(Channel(colour, 0)) + 0.7152 * Linear(Channel(colour, 8)) +
         0.0722 * Linear(Channel(colour, 16));
}

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::uint32_t Palette::Map(std::uint32_t colour) const {
  if (colour & kSystemFlag) {
    const auto pair = std::ranges::find(system_, colour, &Pair::design);
    return pair == system_.end() ? colour : pair->drawn;
  }
  Hsl turned = ToHsl(colour);
  turned.l = 1 - turned.l;
  // A light colour here is a text's: it must read on the face.
  while (turned.l >= 0.5 && turned.l < 1 && ContrastRatio(FromHsl(turned), face_) < kTextContrast)
    turned.l = std::min(1.0, turned.l + 0.01);
  return FromHsl(turned);
}

const Palette kDarkPalette{kDarkSystem, 0x00202020};

}  // namespace rp
