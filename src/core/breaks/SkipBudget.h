#pragma once
#include <string>

namespace rp {

class Main;
class WallClock;

// How many postpones and skips of a guided break the user has left today. The count of those
// used is stored with its local date ("Skips Used": "2026-12-08 2"), so that a restart does
// not refill it, and counts as none from the next local midnight on. Nothing is read until the
// budget is first asked, nor stored until a skip is used.
class SkipBudget {
 public:
  SkipBudget(Main& main, WallClock& clock) : main_(main), clock_(clock) {}

  // Skips a day; 0 leaves the user none at all.
  void SetAllowance(int perDay) { allowance_ = perDay; }
  int Allowance() const { return allowance_; }
  int Left();
  // Uses one of today's skips; false when none is left.
  bool Use();

 private:
  // Today's count: the stored one on its own day, else none.
  int& UsedToday();

  Main& main_;
  WallClock& clock_;
  int allowance_ = 3;
  bool loaded_ = false;
  std::string day_;  // the date the count belongs to, "2026-12-08"
  int used_ = 0;
};

}  // namespace rp
