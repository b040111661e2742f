#pragma once

namespace rp {

// Hears what the countdown and the breaks do, for whoever keeps count of them.
class BreakObserver {
 public:
  virtual ~BreakObserver() = default;
  // A counted second of the countdown: the user away or not, a due break held or not, and
  // whether the period started over because the time away was the break.
  virtual void Ticked(bool away, bool held, bool startedOver) { (void)away, (void)held, (void)startedOver; }
  virtual void Due() {}        // a period ran out
  virtual void Announced() {}  // the reminders went off
  virtual void Held() {}       // a due break waits for a presentation or a call to end
  virtual void StretchEnded() {}  // reminding started or stopped
  virtual void Taken() {}      // a guided break ran its length, or the user left during it
  virtual void Postponed() {}  // "Postpone 5 Minutes"
  virtual void Skipped() {}    // "Skip Break"
  virtual void EyeBreak() {}   // an eye break was shown
};

}  // namespace rp
