#pragma once

#include "countdown/BreakObserver.h"

namespace rp {

// When the short eye breaks fall: after every 20 minutes of counted time (a second the
// countdown counts: not while the user is away, a break is held or under way, or reminding is
// stopped). One that would fall within 2 minutes of the next break is left out (as is one that
// falls while a break would be held), and a break, or time away that counts as one, starts the
// 20 minutes again.
class EyeBreakRhythm {
 public:
  static constexpr int kEverySeconds = 20 * 60;
  static constexpr int kLengthSeconds = 20;
  static constexpr int kClearOfBreakSeconds = 2 * 60;

  void SetOn(bool on) { on_ = on; }
  bool On() const { return on_; }
  void SetObserver(BreakObserver* observer) { observer_ = observer; }

  // One second counted, with the next break due in `secondsToBreak`; true when an eye break
  // falls now.
  bool Count(int secondsToBreak);
  // The eye break that fell is shown.
  void Shown() {
    if (observer_) observer_->EyeBreak();
  }
  void Restart() { counted_ = 0; }

 private:
  bool on_ = false;
  int counted_ = 0;
  BreakObserver* observer_ = nullptr;
};

}  // namespace rp
