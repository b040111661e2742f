#include "win32/PeriodIcon.h"

#include "win32/Colours.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "win32/Dpi.h"
#include "win32/SystemLibrary.h"

namespace rp::win32 {
namespace {

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;
};

// Colours for a dark taskbar and for a light one: the filled part in the accent's blue, a held
// break in orange, a ring standing still in grey, the empty track a quieter grey. Every colour is
// opaque: a tray that draws the new icon over the old one without clearing it (Wine's) still
// shows the ring as it is now.
struct Palette {
  Rgba counting, held, still, track, mark;
};
constexpr Palette kOnDark{{0.30, 0.76, 1.00, 1}, {1.00, 0.73, 0.00, 1}, {0.70, 0.70, 0.70, 1},
                          {0.38, 0.38, 0.38, 1}, {1.00, 1.00, 1.00, 1}};
constexpr Palette kOnLight{{0.00, 0.37, 0.72, 1}, {0.78, 0.31, 0.00, 1}, {0.43, 0.43, 0.43, 1},
                           {0.72, 0.72, 0.72, 1}, {0.13, 0.13, 0.13, 1}};

// The colour of one point of the icon, in units of its size with the centre at 0,0; nothing
// (alpha 0) outside every shape.
Rgba ColourAt(double x, double y, const PeriodPicture& picture, const Palette& palette) {
  constexpr double kOuter = 0.47, kInner = 0.27, kPi = 3.14159265358979323846;
  const double radius = std::hypot(x, y);
  if (radius <= kInner) {
    // Why the ring stands still, in its middle: a square when stopped, two bars when paused, a
    // dot outside working hours.
    if (picture.state == PeriodState::Stopped && std::abs(x) <= 0.1 && std::abs(y) <= 0.1) return palette.mark;
    if (picture.state == PeriodState::Paused && std::abs(std::abs(x) - 0.09) <= 0.05 && std::abs(y) <= 0.15)
      return palette.mark;
    if (picture.state == PeriodState::OutsideWorkingHours && radius <= 0.1) return palette.mark;
    return {};
  }
  if (radius > kOuter) return {};
  const double turned = std::atan2(x, -y);  // clockwise from the top
  const double share = (turned < 0 ? turned + 2 * kPi : turned) / (2 * kPi);
  if (picture.steps <= 0 || share >= static_cast<double>(picture.step) / picture.steps) return palette.track;
  switch (picture.state) {
    case PeriodState::Counting: return palette.counting;
    case PeriodState::Held: return palette.held;
    default: return palette.still;
  }
}

}  // namespace

int TrayIconSize(DpiFunctions& dpi) {
  using ForDpi = int(WINAPI*)(int, UINT);
  static const ForDpi metricForDpi = LibraryFunction<ForDpi>(L"user32.dll", "GetSystemMetricsForDpi");
  const HMONITOR monitor = MonitorFromWindow(FindWindowW(L"Shell_TrayWnd", nullptr), MONITOR_DEFAULTTOPRIMARY);
  const int size = metricForDpi ? metricForDpi(SM_CXSMICON, static_cast<UINT>(dpi.MonitorDpi(monitor)))
                                : GetSystemMetrics(SM_CXSMICON);
  return size > 0 ? size : 16;
}

bool TaskbarIsLight() { return PersonalizeSaysLight(L"SystemUsesLightTheme", false); }

UniqueIcon DrawPeriodIcon(const PeriodPicture& picture, int size, bool lightTaskbar) {
  const Palette& palette = lightTaskbar ? kOnLight : kOnDark;
  // Each pixel is the mean of 4x4 points inside it: smooth edges at every size, drawn at the
  // size the tray shows, so nothing is scaled afterwards.
  constexpr int kPoints = 4;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size);
  std::vector<std::uint8_t> mask(static_cast<std::size_t>((size + 15) / 16 * 2) * size, 0);
  const int maskStride = (size + 15) / 16 * 2;
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      Rgba sum;
      for (int i = 0; i < kPoints; ++i) {
        for (int j = 0; j < kPoints; ++j) {
          const double x = (column + (j + 0.5) / kPoints) / size - 0.5;
          const double y = (row + (i + 0.5) / kPoints) / size - 0.5;
          const Rgba c = ColourAt(x, y, picture, palette);
          sum.r += c.r * c.a, sum.g += c.g * c.a, sum.b += c.b * c.a, sum.a += c.a;
        }
      }
      const auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(std::fmin(v, 1.0) * 255)); };
      const double alpha = sum.a / (kPoints * kPoints);
      std::uint32_t pixel = 0;
      if (alpha > 0)
        pixel = byte(alpha) << 24 | byte(sum.r / sum.a) << 16 | byte(sum.g / sum.a) << 8 | byte(sum.b / sum.a);
      pixels[static_cast<std::size_t>(row) * size + column] = pixel;
      // Where nothing is drawn, the mask lets the taskbar show through for those who ignore alpha.
      if ((pixel >> 24) == 0) mask[static_cast<std::size_t>(row) * maskStride + column / 8] |= 0x80 >> (column % 8);
    }
  }
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = size;
  header.bV5Height = -size;  // top-down
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  UniqueBitmap colour(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueBitmap monochrome(CreateBitmap(size, size, 1, 1, mask.data()));
  if (!colour || !monochrome || !bits) return UniqueIcon();
  std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour.get();
  info.hbmMask = monochrome.get();
  // The icon keeps copies of both bitmaps; ours go with this scope.
  return UniqueIcon(CreateIconIndirect(&info));
}

}  // namespace rp::win32
