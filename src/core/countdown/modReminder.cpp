#include "countdown/modReminder.h"

#include <cstdlib>

#include "runtime/Controls.h"
#include "runtime/Translation.h"

namespace rp {

std::string FormatSeconds(std::int32_t seconds) {
  // A negative count is a time before midnight whose clock reading is that of its absolute value.
  const int timeOfDay = static_cast<int>(std::llabs(static_cast<std::int64_t>(seconds)) % 86400);
  // Written digit by digit: this runs on every tick, and a printf costs more than the rest.
  const auto twoDigits = [](int value) {
    return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
  };
  return twoDigits(timeOfDay / 3600) + ':' + twoDigits(timeOfDay % 3600 / 60) + ':' + twoDigits(timeOfDay % 60);
}

std::string NextBreakText(std::int32_t secondsLeft) {
  // TRANSLATORS: in the main window, once a second; {time} is hours:minutes:seconds like 00:44:59
  return Fill(Tr("Next break will occur in {time}"), {{"time", FormatSeconds(secondsLeft)}});
}

void UpdateProgress(Control& progressBar, const std::int32_t& interval, const std::int32_t& elapsed) {
  progressBar.SetMax(interval);
  if (elapsed <= interval) progressBar.SetValue(elapsed);
}

}  // namespace rp
