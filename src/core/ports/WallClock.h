#pragma once
#include <string>

namespace rp {

// A local calendar date and time of day, as the user's clock shows it.
struct LocalDateTime {
  int year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const LocalDateTime&) const = default;
};

// The user's wall clock: the local time in their time zone, daylight saving applied. It may
// jump (the user sets the clock, the zone or daylight saving changes); the countdown's own
// timing uses the event loop's monotonic clock instead.
class WallClock {
 public:
  virtual ~WallClock() = default;
  virtual LocalDateTime LocalNow() = 0;
  // A time of day as the user's settings write it ("14:30", "2:30 PM").
  virtual std::string FormatTimeOfDay(int hour, int minute) = 0;
  // A date as the user's short date format writes it ("08/12/2026", "2026-12-08").
  virtual std::string FormatShortDate(int year, int month, int day) = 0;
  // The same without the year, as the user's short date format writes a day ("26.11.", "11/26").
  virtual std::string FormatMonthAndDay(int year, int month, int day) = 0;
};

}  // namespace rp
