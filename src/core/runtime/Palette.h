#pragma once
#include <cstdint>
#include <span>

namespace rp {

// The relative luminance of a colour 0x00BBGGRR, 0 (black) to 1 (white), as WCAG defines it.
double Luminance(std::uint32_t colour);
// The contrast ratio of two colours 0x00BBGGRR, 1 to 21; text wants at least 4.5.
double ContrastRatio(std::uint32_t a, std::uint32_t b);

// The colours of a theme other than the design's. The system colours the windows are designed in
// are named with their counterparts; the program's own colours (0x00BBGGRR) keep their hue with
// their lightness turned over, and one that ends up light is lightened further until it reads
// at 4.5:1 on the palette's face.
class Palette {
 public:
  struct Pair {
    std::uint32_t design, drawn;
  };
  constexpr Palette(std::span<const Pair> system, std::uint32_t face) : system_(system), face_(face) {}
  // The colour to draw in place of `colour`; a system colour the palette does not name stays.
  std::uint32_t Map(std::uint32_t colour) const;
  std::uint32_t Face() const { return face_; }

 private:
  std::span<const Pair> system_;
  std::uint32_t face_;
};

// The dark theme: dark grey faces and fields, light text, a deeper highlight.
extern const Palette kDarkPalette;

}  // namespace rp
