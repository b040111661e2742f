#pragma once

namespace rp {

// Hears how each guided break and eye break went, for whoever keeps count of them.
class BreakObserver {
 public:
  virtual ~BreakObserver() = default;
  virtual void Taken() {}      // a guided break ran its length, or the user left during it
  virtual void Postponed() {}  // "Postpone 5 Minutes"
  virtual void Skipped() {}    // "Skip Break"
  virtual void EyeBreak() {}   // an eye break was shown
};

}  // namespace rp
