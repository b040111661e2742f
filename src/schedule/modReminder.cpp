#include "schedule/modReminder.h"

#include <cstdio>
#include <cstdlib>

#include "app/Controls.h"

namespace rp {

std::string FormatSeconds(std::int32_t seconds) {
  // A negative count is a time before midnight whose clock reading is that of its absolute value.
  const std::int64_t timeOfDay = std::llabs(static_cast<std::int64_t>(seconds)) % 86400;
  char text[9];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(timeOfDay / 3600),
                static_cast<int>(timeOfDay % 3600 / 60), static_cast<int>(timeOfDay % 60));
  return text;
}

void UpdateProgress(Control& progressBar, const std::int32_t& interval, const std::int32_t& elapsed) {
  progressBar.SetMax(interval);
  if (elapsed <= interval) progressBar.SetValue(elapsed);
}

}  // namespace rp
