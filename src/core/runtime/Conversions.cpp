#include "runtime/Conversions.h"

#include <cctype>
#include <cfenv>
#include <cmath>
#include <cstdlib>

#include "runtime/Failure.h"

namespace rp {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<double> ParseNumber(std::string_view text, NumberSeparators separators) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

  std::string plain;  // the number without separators, for strtod
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
  bool digits = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      plain += text[i];
      digits = true;
    } else if (text[i] == separators.thousands && digits && i + 1 < text.size() &&
               IsDigit(text[i + 1])) {
      continue;  // thousands separator between digits
    } else {
      break;
    }
  }
  if (i < text.size() && text[i] == separators.decimal) {
    plain += '.';  // strtod reads the C locale's point
    ++i;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      plain += text[i];
      digits = true;
    }
  }
  if (!digits) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::string exponent = "e";
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    bool expDigits = false;
    for (; j < text.size() && IsDigit(text[j]); ++j) {
      exponent += text[j];
      expDigits = true;
    }
    if (!expDigits) return std::nullopt;
    plain += exponent;
    i = j;
  }
  if (i != text.size()) return std::nullopt;
  return std::strtod(plain.c_str(), nullptr);
}

std::int16_t ToInteger16(std::string_view text, NumberSeparators separators) {
  const auto number = ParseNumber(text, separators);
  if (!number) throw Failure(kTypeMismatch);
  // Halves go to the even neighbour (2.5 -> 2, 3.5 -> 4).
  const double rounded = *number - std::floor(*number) == 0.5
                             ? 2.0 * std::round(*number / 2.0)
                             : std::round(*number);
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) throw Failure(kOverflow);
  return static_cast<std::int16_t>(rounded);
}

double LeadingNumber(std::string_view text) {
  std::string plain;
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && IsBlank(text[i])) ++i;
  };
  skipBlanks();
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    plain += text[i++];
    skipBlanks();
  }
  bool point = false, digits = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsBlank(c)) continue;
    if (IsDigit(c)) {
      plain += c;
      digits = true;
    } else if (c == '.' && !point) {
      plain += c;
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return 0.0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::string exponent = "e";
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    for (; j < text.size() && IsDigit(text[j]); ++j) exponent += text[j];
    if (exponent.size() > 1 && IsDigit(exponent.back())) plain += exponent;
  }
  return std::strtod(plain.c_str(), nullptr);
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace rp
