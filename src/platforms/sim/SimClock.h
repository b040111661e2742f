#pragma once
#include <cstdint>

#include "ports/EventLoop.h"
#include "ports/WallClock.h"
#include "runtime/CivilTime.h"
#include "runtime/DatePicture.h"

namespace rp::sim {

// The user's wall clock, running on the virtual clock. A test sets the local time it shows
// now, and may move it as a user, a time-zone change or daylight saving would.
class SimClock : public WallClock {
 public:
  explicit SimClock(EventLoop& clock) : clock_(clock) {}
  LocalDateTime LocalNow() override {
    ++reads;
    return FromLocalSeconds(localAtStart_ + (clock_.NowMs() - startMs_) / 1000);
  }
  std::string FormatTimeOfDay(int hour, int minute) override {
    LocalDateTime t;
    t.hour = hour;
    t.minute = minute;
    return DateTimeText(t).substr(11);
  }
  std::string FormatShortDate(int year, int month, int day) override {
    return FormatDatePicture(shortDatePicture, {year, month, day});
  }
  std::string FormatMonthAndDay(int year, int month, int day) override {
    return FormatDatePicture(MonthDayPicture(shortDatePicture), {year, month, day});
  }

  // From now on the clock shows `t`, and runs on from there.
  void Set(const LocalDateTime& t) {
    localAtStart_ = LocalSeconds(t);
    startMs_ = clock_.NowMs();
  }
  // The clock jumps by `minutes` (a clock set forward or back, a daylight-saving change).
  void Shift(std::int64_t minutes) { localAtStart_ += minutes * 60; }

  int reads = 0;  // how often the program read the clock
  // The user's short date format, as the system's settings write it ("d.M.yyyy" in Germany).
  std::string shortDatePicture = "yyyy-MM-dd";

 private:
  EventLoop& clock_;
  std::int64_t localAtStart_ = LocalSeconds({2026, 12, 8, 9, 0, 0});  // a Tuesday morning
  std::int64_t startMs_ = 0;
};

}  // namespace rp::sim
