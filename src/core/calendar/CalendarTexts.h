#pragma once
#include <cstdint>
#include <string>

#include "calendar/CalendarReader.h"
#include "ports/Fetcher.h"
#include "ports/TimeZones.h"
#include "ports/WallClock.h"

namespace rp {

// The calendar's texts in the user's language.

// "12 meetings in the next 7 days".
std::string MeetingsThisWeekText(int count);
// Frame1 while a break waits for a meeting: "In a meeting until 15:00", in the user's time
// format; `until` in UTC seconds.
std::string InMeetingText(std::int64_t until, TimeZones& zones, WallClock& clock);
// Frame1 when a break is brought forward: "Break moved before your 14:00 meeting".
std::string MovedBeforeMeetingText(std::int64_t meeting, TimeZones& zones, WallClock& clock);
// The tray tip's word when the calendar could not be read.
std::string CalendarNotReadText();

// What "Check" says beside the field: the meetings of the week, or what went wrong ("The address
// answered 404", "Not a calendar file").
struct CalendarCheck {
  bool read = false;  // a calendar was read; its busy times are in `reading`
  std::string text;
  CalendarReading reading;
};
CalendarCheck CheckCalendar(const Fetched& fetched, std::int64_t nowUtc, TimeZones& zones);

// The user's clock and UTC: the moment the wall clock shows `local` (the first of two in the
// hour set back in autumn), and the wall clock's reading at a moment.
std::int64_t UtcOfUserClock(const LocalDateTime& local, TimeZones& zones);
LocalDateTime UserClockAt(std::int64_t utc, TimeZones& zones);

}  // namespace rp
