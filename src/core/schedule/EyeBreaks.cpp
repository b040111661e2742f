#include "schedule/EyeBreaks.h"

namespace rp {

bool EyeBreakRhythm::Count(int secondsToBreak) {
  if (!on_ || ++counted_ < kEverySeconds) return false;
  counted_ = 0;
  if (secondsToBreak <= kClearOfBreakSeconds) return false;
  if (observer_) observer_->EyeBreak();
  return true;
}

}  // namespace rp
