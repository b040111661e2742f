#pragma once
#include <cstdint>
#include <string_view>

namespace rp {

// The platform's reading of number text, under the separators of the user's locale.
class Numbers {
 public:
  virtual ~Numbers() = default;
  // True when the whole text reads as a number (an empty text does not).
  virtual bool IsNumeric(std::string_view text) = 0;
  // The text as a 16-bit integer, halves rounded to the even neighbour.
  // Throws Failure "Type mismatch" for a text that is not a number, "Overflow" out of range.
  virtual std::int16_t ToInteger16(std::string_view text) = 0;
};

}  // namespace rp
