#include "breaks/EyeBreaks.h"

namespace rp {

bool EyeBreakRhythm::Count(int secondsToBreak) {
  if (!on_ || ++counted_ < kEverySeconds) return false;
  counted_ = 0;
  return secondsToBreak > kClearOfBreakSeconds;
}

}  // namespace rp
