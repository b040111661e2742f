#include "calendar/CalendarTexts.h"

#include "calendar/ZoneRules.h"
#include "runtime/CivilTime.h"
#include "runtime/Translation.h"

namespace rp {
namespace {

std::string TimeOfDay(std::int64_t utc, TimeZones& zones, WallClock& clock) {
  const LocalDateTime t = UserClockAt(utc, zones);
  return clock.FormatTimeOfDay(t.hour, t.minute);
}

}  // namespace

std::string MeetingsThisWeekText(int count) {
  // TRANSLATORS: beside the calendar's field in Options after "Check": the meetings read
  return Fill(TrPlural("{count} meeting in the next 7 days", "{count} meetings in the next 7 days", count),
              {{"count", std::to_string(count)}});
}

std::string InMeetingText(std::int64_t until, TimeZones& zones, WallClock& clock) {
  // TRANSLATORS: the main window while a due break waits for a meeting to end; {time} is a time of day like 15:00
  return Fill(Tr("In a meeting until {time}"), {{"time", TimeOfDay(until, zones, clock)}});
}

std::string MovedBeforeMeetingText(std::int64_t meeting, TimeZones& zones, WallClock& clock) {
  // TRANSLATORS: the main window when a break is brought forward to end as a meeting starts; {time} is the
  // meeting's start, like 14:00
  return Fill(Tr("Break moved before your {time} meeting"), {{"time", TimeOfDay(meeting, zones, clock)}});
}

std::string CalendarNotReadText() {
  // TRANSLATORS: a part of the tray icon's tip, in lower case like "reminders paused until 14:30"
  return Tr("calendar not read");
}

CalendarCheck CheckCalendar(const Fetched& fetched, std::int64_t nowUtc, TimeZones& zones) {
  CalendarCheck check;
  switch (fetched.outcome) {
    case FetchOutcome::Read:
      check.reading = ReadCalendar(fetched.body, nowUtc, zones);
      check.read = check.reading.calendar && !check.reading.tooLarge;
      check.text = check.reading.tooLarge ? Tr("The calendar is larger than 10 MB")
                   : check.read           ? MeetingsThisWeekText(check.reading.meetingsThisWeek)
                                          : Tr("Not a calendar file");
      break;
    case FetchOutcome::Unreadable:
      check.text = Tr("The file could not be read");
      break;
    case FetchOutcome::Status:
      // TRANSLATORS: {status} is the web server's HTTP status number, like 404
      check.text = Fill(Tr("The address answered {status}"), {{"status", std::to_string(fetched.status)}});
      break;
    case FetchOutcome::Unreachable:
      check.text = Tr("The address could not be reached");
      break;
    case FetchOutcome::TimedOut:
      check.text = Tr("The address did not answer within 15 seconds");
      break;
    case FetchOutcome::TooLarge:
      check.text = Tr("The calendar is larger than 10 MB");
      break;
  }
  return check;
}

std::int64_t UtcOfUserClock(const LocalDateTime& local, TimeZones& zones) {
  return UtcOfLocal(LocalSeconds(local), [&](std::int64_t utc) { return zones.LocalOffset(utc); });
}

LocalDateTime UserClockAt(std::int64_t utc, TimeZones& zones) { return FromLocalSeconds(utc + zones.LocalOffset(utc)); }

}  // namespace rp
