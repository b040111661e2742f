#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "ports/WallClock.h"

namespace rp {

// When breaks are counted: hours of the day and days of the week, each empty for "always".
// Hours whose end comes before their start run past midnight and belong to the day they
// start on, so "22:00-06:00" on "Fri" holds from Friday 22:00 to Saturday 06:00.
struct WorkingHours {
  // Minutes after midnight; equal when no hours are set.
  int startMinute = 0;
  int endMinute = 0;
  // Bit d for weekday d (0 Sunday ... 6 Saturday); 0 for every day.
  std::uint8_t days = 0;

  bool HasHours() const { return startMinute != endMinute; }
  bool Always() const { return !HasHours() && days == 0; }
  bool Contains(const LocalDateTime& t) const;
  // The first moment after `t` at which working hours begin.
  LocalDateTime NextStart(const LocalDateTime& t) const;
  bool operator==(const WorkingHours&) const = default;
};

// "08:00-18:00" (the hour may have one digit, blanks around the parts are allowed) or an empty
// text for no hours. False, with a message for the user, when the text cannot be read.
bool ParseWorkHours(std::string_view text, WorkingHours& hours, std::string& problem);
// "Mon,Tue,Wed,Thu,Fri" in any order and case, or an empty text for every day.
bool ParseWorkDays(std::string_view text, WorkingHours& hours, std::string& problem);
// How they are stored: "08:00-18:00" and "Mon,Tue,Wed,Thu,Fri", empty when not set.
std::string WorkHoursText(const WorkingHours& hours);
std::string WorkDaysText(const WorkingHours& hours);

// "Mon" for 1, as a weekday number of Weekday(), in the user's language.
std::string WeekdayName(int weekday);

}  // namespace rp
