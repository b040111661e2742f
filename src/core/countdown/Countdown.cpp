#include "countdown/Countdown.h"

#include "countdown/modReminder.h"
#include "runtime/Failure.h"
#include "settings/Main.h"

namespace rp {

void Countdown::SetInterval(std::int32_t seconds) {
  IntervalSeconds = seconds;
  set_ = true;
}

void Countdown::SetMinutes(Main& main, std::string_view minutes, std::int16_t standInMinutes) {
  try {
    SetInterval(MinutesToSeconds(main.ToInteger16(minutes)));
  } catch (const Failure&) {
    if (!set_) SetInterval(MinutesToSeconds(standInMinutes));
    throw;
  }
}

bool Countdown::ReadMinutes(Main& main, std::string_view minutes, std::int16_t standInMinutes) {
  if (!main.IsNumeric(minutes)) {
    SetInterval(60);
    return false;
  }
  SetMinutes(main, minutes, standInMinutes);
  return true;
}

}  // namespace rp
