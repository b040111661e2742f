#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/IcsTime.h"
#include "calendar/Recurrence.h"
#include "calendar/ZoneRules.h"

namespace rp {

// An iCalendar file as written, before its times are resolved: its VEVENTs with what decides
// when they are busy (never their titles, places or people) and its VTIMEZONEs.

// A DTSTART, DTEND, RECURRENCE-ID, EXDATE or RDATE: UTC, floating (no zone: the user's clock), or
// on the clock of a zone named by TZID.
struct EventTime {
  std::int64_t seconds = 0;
  bool utc = false;
  bool date = false;  // a whole day (VALUE=DATE)
  int zone = -1;      // index in CalendarFile::zoneNames; -1: floating or UTC
};

struct CalendarEvent {
  std::string uid;
  std::optional<EventTime> start;
  std::optional<EventTime> end;
  std::optional<IcsDuration> duration;
  std::optional<EventTime> recurrenceId;
  std::optional<RecurrenceRule> rule;
  std::vector<EventTime> exceptions;  // EXDATE
  std::vector<EventTime> dates;       // RDATE
  bool free = false;                  // TRANSP:TRANSPARENT
  bool cancelled = false;             // STATUS:CANCELLED
};

// The longest logical line read, the most EXDATEs or RDATEs an event keeps, the most zones.
inline constexpr std::size_t kMaxLineBytes = 256 * 1024;
inline constexpr std::size_t kMaxEventDates = 4096;
inline constexpr std::size_t kMaxZones = 256;

struct CalendarFile {
  bool calendar = false;   // there was a BEGIN:VCALENDAR
  std::size_t leftOut = 0;  // lines and components that could not be read
  std::vector<std::string> zoneNames;             // the TZIDs the events name
  std::map<std::string, ZoneDefinition> zones;    // the file's VTIMEZONEs, by TZID
  std::vector<CalendarEvent> events;
};

// Reads the VEVENTs and VTIMEZONEs inside VCALENDARs; other components (VTODO, VALARM, ...) are
// passed over. What cannot be read is counted in leftOut and the rest kept.
CalendarFile ParseCalendarFile(std::string_view text);

}  // namespace rp
