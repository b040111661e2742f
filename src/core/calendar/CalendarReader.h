#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "calendar/IcsTime.h"
#include "ports/TimeZones.h"

namespace rp {

// A time the user is busy: from `start` to `end` (exclusive), in seconds since 1970-01-01 00:00
// UTC.
struct Meeting {
  std::int64_t start = 0;
  std::int64_t end = 0;
  bool operator==(const Meeting&) const = default;
};

// What a calendar file holds of the user's next meetings: the timed events that make them busy
// (not all-day ones, nor those marked free or cancelled), their repetitions, exceptions and
// moved occurrences, in the window from now to 14 days ahead.
inline constexpr std::size_t kMaxCalendarBytes = 10 * 1024 * 1024;
inline constexpr std::int64_t kCalendarWindow = 14 * kDaySeconds;
// The most meetings taken from a file, and the periods its rules may step through together.
inline constexpr std::size_t kMaxMeetings = 5000;
inline constexpr std::int64_t kFileExpansionBudget = 2000000;

struct CalendarReading {
  bool calendar = false;  // the text is an iCalendar file (it has a VCALENDAR)
  bool tooLarge = false;  // over kMaxCalendarBytes: nothing read
  // The busy times from now on, in order, meetings that touch or overlap merged into one; a
  // meeting under way now is among them.
  std::vector<Meeting> busy;
  // The meetings (each on its own, counted once) in the next 7 days, for "12 meetings in the
  // next 7 days".
  int meetingsThisWeek = 0;
  std::size_t leftOut = 0;  // lines, events and repetitions that could not be read
};

// Reads the calendar as it stands at `nowUtc`. Times with a TZID take the file's VTIMEZONE of
// that name, else the system's zone of that name (IANA or Windows), else the user's clock, as
// floating times do.
CalendarReading ReadCalendar(std::string_view text, std::int64_t nowUtc, TimeZones& zones);

// The meetings in order of their start, those that touch or overlap made one.
std::vector<Meeting> MergeMeetings(std::vector<Meeting> meetings);

}  // namespace rp
