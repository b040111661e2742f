#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rp {

// The separators of a user's locale: English "1,000.5", German "1.000,5".
struct NumberSeparators {
  char decimal = '.';
  char thousands = ',';
};

// Reads a whole text as a number: blanks around it, an optional sign, digits with optional
// thousands separators, an optional decimal separator and fraction, an optional exponent.
std::optional<double> ParseNumber(std::string_view text, NumberSeparators separators = {});

// True when the whole text reads as a number (an empty text does not).
inline bool IsNumeric(std::string_view text, NumberSeparators separators = {}) {
  return ParseNumber(text, separators).has_value();
}

// Converts a text to a 16-bit integer, rounding halves to the even neighbour.
// Throws Failure "Type mismatch" for a text that is not a number, "Overflow" out of range.
std::int16_t ToInteger16(std::string_view text, NumberSeparators separators = {});

// The number at the start of a text: blanks skipped, "." as the decimal point, reading
// stops at the first character that cannot continue the number; 0 when there is none.
double LeadingNumber(std::string_view text);

// The text without the blanks and tabs at either end.
std::string_view Trimmed(std::string_view text);

}  // namespace rp
