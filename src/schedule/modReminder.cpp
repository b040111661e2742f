#include "schedule/modReminder.h"

#include "app/Controls.h"

namespace rp {

std::string FormatSeconds(std::int32_t seconds) { (void)seconds; return "00:00:00"; }

void UpdateProgress(Control& progressBar, const std::int32_t& interval, const std::int32_t& elapsed) {
  (void)progressBar, (void)interval, (void)elapsed;
}

}  // namespace rp
