#pragma once

namespace rp {

// Hears what the countdown and the breaks do, for whoever keeps count of them.
class BreakObserver {
 public:
  virtual ~BreakObserver() = default;
  // A counted second of the countdown: the user away or not, a lock or sleep under way or not
  // (away or not yet), a due break held or not, and whether the period started over because the
  // time away was the break.
  virtual void Ticked(bool away, bool absent, bool held, bool startedOver) {
    (void)away, (void)absent, (void)held, (void)startedOver;
  }
  virtual void Due() {}        // a period ran out
  virtual void Announced() {}  // the reminders went off
  virtual void Held() {}       // a due break waits for a presentation or a call to end
  virtual void StretchEnded() {}  // reminding started or stopped
  virtual void Taken() {}      // a guided break ran its length
  // The user left during a guided break (a lock, a sleep): it is taken, and that time away is
  // the break, not a natural one besides.
  virtual void TakenAway() { Taken(); }
  virtual void Postponed() {}  // "Postpone 5 Minutes"
  virtual void Skipped() {}    // "Skip Break"
  virtual void EyeBreak() {}   // an eye break was shown
};

}  // namespace rp
