#pragma once
#include <cstdint>
#include <string>

namespace rp {

class Control;

// Seconds in a period of the given minutes; exact for every 16-bit value.
inline std::int32_t MinutesToSeconds(std::int16_t minutes) {
  return static_cast<std::int32_t>(minutes) * 60;
}

// A count of seconds as "hh:mm:ss" on a 24-hour clock; a negative count shows its absolute value.
std::string FormatSeconds(std::int32_t seconds);
// The main window's countdown: "Next break will occur in 00:44:59", in the user's language.
std::string NextBreakText(std::int32_t secondsLeft);

// Moves the progress bar: its maximum to the interval, its value to the elapsed count
// unless the count has passed the interval.
void UpdateProgress(Control& progressBar, const std::int32_t& interval, const std::int32_t& elapsed);

}  // namespace rp
