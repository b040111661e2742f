// Fuzzes the program's readings of typed and stored text: the numeric test and the
// 16-bit conversion of the minutes, the leading-number reading of the break window's
// stay, and the "hh:mm:ss" formatting of the countdown. Besides the sanitizers'
// checks it holds each reading to what the others say about the same text.
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "runtime/Conversions.h"
#include "runtime/Failure.h"
#include "countdown/modReminder.h"

namespace {

[[noreturn]] void Broken(const char* what, std::string_view text) {
  std::fprintf(stderr, "fuzz_conversions: %s for the text \"%.*s\"\n", what,
               static_cast<int>(text.size()), text.data());
  std::abort();
}

void CheckNumberReadings(std::string_view text, rp::NumberSeparators separators) {
  const auto number = rp::ParseNumber(text, separators);
  if (rp::IsNumeric(text, separators) != number.has_value()) Broken("IsNumeric disagrees with ParseNumber", text);
  if (number && std::isnan(*number)) Broken("ParseNumber gave NaN", text);

  try {
    const std::int16_t minutes = rp::ToInteger16(text, separators);
    if (!number) Broken("ToInteger16 converted a text that is not numeric", text);
    if (std::fabs(*number - minutes) > 0.5) Broken("ToInteger16 is not the rounded number", text);
    // Every 16-bit count of minutes has an exact count of seconds.
    if (rp::MinutesToSeconds(minutes) != static_cast<std::int32_t>(minutes) * 60) {
      Broken("MinutesToSeconds is not exact", text);
    }
  } catch (const rp::Failure& failure) {
    const std::string_view why = failure.what();
    if (!number && why != "Type mismatch") Broken("a text that is not numeric did not fail as a type mismatch", text);
    if (number && why != "Overflow") Broken("a numeric text failed other than by overflow", text);
    if (number && std::fabs(*number) < 32767.0) Broken("an in-range number overflowed", text);
  }
}

void CheckTextReadings(std::string_view text) {
  CheckNumberReadings(text, {});          // English: "1,000.5"
  CheckNumberReadings(text, {',', '.'});  // German: "1.000,5"

  const double leading = rp::LeadingNumber(text);
  if (std::isnan(leading)) Broken("LeadingNumber gave NaN", text);
  if (text.empty() && leading != 0.0) Broken("LeadingNumber of an empty text is not 0", text);
}

void CheckFormatSeconds(std::int32_t seconds) {
  const std::string shown = rp::FormatSeconds(seconds);
  const bool shape = shown.size() == 8 && shown[2] == ':' && shown[5] == ':';
  int h = -1, m = -1, s = -1;
  if (!shape || std::sscanf(shown.c_str(), "%2d:%2d:%2d", &h, &m, &s) != 3 || h < 0 || h > 23 ||
      m < 0 || m > 59 || s < 0 || s > 59) {
    Broken("FormatSeconds is not hh:mm:ss on a 24-hour clock", shown);
  }
  const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(seconds));
  if (h * 3600 + m * 60 + s != magnitude % 86400) Broken("FormatSeconds shows another time", shown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckTextReadings(text);

  std::int32_t seconds = 0;
  std::memcpy(&seconds, data, size < sizeof seconds ? size : sizeof seconds);
  CheckFormatSeconds(seconds);
  CheckFormatSeconds(static_cast<std::int32_t>(std::strtol(std::string(text).c_str(), nullptr, 10)));
  return 0;
}
