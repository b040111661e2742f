#include "BusyCalendar.h"

#include <cstdint>
#include <cstdio>

#include "runtime/CivilTime.h"

namespace rp::calendar_test {
namespace {

constexpr const char* kZone = "W. Europe Standard Time";

class Writer {
 public:
  std::string text;
  std::uint32_t seed = 12345;

  int Next(int below) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(below));
  }
  // A content line, folded at 75 octets as RFC 5545 asks.
  void Line(const std::string& line) {
    for (std::size_t at = 0; at < line.size(); at += 74) {
      if (at > 0) text += ' ';
      text.append(line, at, 74);
      text += "\r\n";
    }
  }
  static std::string Time(const LocalDateTime& t) {
    char s[24];
    std::snprintf(s, sizeof s, "%04d%02d%02dT%02d%02d00", t.year, t.month, t.day, t.hour, t.minute);
    return s;
  }
  std::string Zoned(const char* name, const LocalDateTime& t) { return std::string(name) + ";TZID=" + kZone + ":" + Time(t); }

  // The parts of an event that are neither its times nor its rule.
  void Details(const std::string& uid, int attendees) {
    Line("UID:" + uid + "@busy.example");
    Line("DTSTAMP:20261201T080000Z");
    Line("SUMMARY:Project review " + std::to_string(Next(1000)) + " with the team\\, and what comes next");
    Line("LOCATION:Building " + std::to_string(Next(9) + 1) + "\\, room " + std::to_string(Next(500)));
    Line("DESCRIPTION:Agenda:\\n1. Status of the work since the last review\\n2. Risks and what to do about them\\n"
         "3. Next steps\\, owners and dates\\n\\nJoin online: https://meet.example/j/" + std::to_string(Next(1 << 30)) +
         "\\nDial in: +49 30 1234567\\, code " + std::to_string(Next(1000000)));
    Line("ORGANIZER;CN=Organizer " + std::to_string(Next(50)) + ":mailto:organizer" + std::to_string(Next(50)) + "@busy.example");
    for (int i = 0; i < attendees; ++i)
      Line("ATTENDEE;ROLE=REQ-PARTICIPANT;PARTSTAT=ACCEPTED;CN=Colleague " + std::to_string(Next(200)) +
           ":mailto:colleague" + std::to_string(Next(200)) + "@busy.example");
    Line("CLASS:PUBLIC");
    Line("PRIORITY:5");
    Line("X-MICROSOFT-CDO-BUSYSTATUS:BUSY");
    Line("BEGIN:VALARM");
    Line("TRIGGER:-PT15M");
    Line("ACTION:DISPLAY");
    Line("DESCRIPTION:Reminder");
    Line("END:VALARM");
  }
};

}  // namespace

std::string BusyCalendar() {
  Writer w;
  w.text.reserve(8 << 20);
  for (const char* line : {"BEGIN:VCALENDAR", "PRODID:-//Microsoft Corporation//Outlook 16.0 MIMEDIR//EN", "VERSION:2.0",
                           "METHOD:PUBLISH", "X-WR-CALNAME:Calendar", "BEGIN:VTIMEZONE", "TZID:W. Europe Standard Time",
                           "BEGIN:STANDARD", "DTSTART:16011028T030000", "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10",
                           "TZOFFSETFROM:+0200", "TZOFFSETTO:+0100", "END:STANDARD", "BEGIN:DAYLIGHT",
                           "DTSTART:16010325T020000", "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3", "TZOFFSETFROM:+0100",
                           "TZOFFSETTO:+0200", "END:DAYLIGHT", "END:VTIMEZONE"})
    w.Line(line);
  int uid = 0;
  const std::int64_t first = DaysFromCivil(2022, 1, 3), last = DaysFromCivil(2026, 12, 31);
  for (std::int64_t day = first; day <= last; ++day) {
    LocalDateTime date = CivilFromDays(day);
    const int weekday = Weekday(date);
    if (weekday == 0 || weekday == 6) continue;
    // Every Monday a new series begins: weekly, fortnightly or monthly, for months or years.
    if (weekday == 1) {
      for (int s = 0; s < 1; ++s) {
        LocalDateTime start = date;
        start.hour = 8 + w.Next(9);
        start.minute = w.Next(2) * 30;
        w.Line("BEGIN:VEVENT");
        w.Line(w.Zoned("DTSTART", start));
        w.Line(w.Zoned("DTEND", AddMinutes(start, 30 + 30 * w.Next(3))));
        static const char* kRules[] = {"FREQ=WEEKLY;BYDAY=MO,WE;COUNT=", "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU;COUNT=",
                                       "FREQ=MONTHLY;BYDAY=-1FR;UNTIL=", "FREQ=MONTHLY;BYMONTHDAY=15;COUNT=",
                                       "FREQ=WEEKLY;BYDAY=TH;UNTIL="};
        const int kind = w.Next(5);
        std::string rule = kRules[kind];
        if (rule.back() == '=' && rule.find("UNTIL") != std::string::npos)
          rule += Writer::Time(CivilFromDays(day + 60 + w.Next(700))) + "Z";
        else
          rule += std::to_string(5 + w.Next(60));
        w.Line("RRULE:" + rule);
        w.Details("series-" + std::to_string(++uid), 2 + w.Next(6));
        w.Line("END:VEVENT");
      }
    }
    // Four to six single meetings; now and then an all-day or a free one.
    const int meetings = 4 + w.Next(3);
    for (int m = 0; m < meetings; ++m) {
      LocalDateTime start = date;
      start.hour = 8 + w.Next(10);
      start.minute = w.Next(4) * 15;
      w.Line("BEGIN:VEVENT");
      if (w.Next(40) == 0) {
        w.Line("DTSTART;VALUE=DATE:" + Writer::Time(date).substr(0, 8));
        w.Line("DTEND;VALUE=DATE:" + Writer::Time(CivilFromDays(day + 1)).substr(0, 8));
        w.Line("TRANSP:TRANSPARENT");
      } else {
        w.Line(w.Zoned("DTSTART", start));
        w.Line(w.Zoned("DTEND", AddMinutes(start, 15 * (1 + w.Next(6)))));
        if (w.Next(20) == 0) w.Line("TRANSP:TRANSPARENT");
        if (w.Next(30) == 0) w.Line("STATUS:CANCELLED");
      }
      w.Details("single-" + std::to_string(++uid), 1 + w.Next(5));
      w.Line("END:VEVENT");
    }
  }
  // A daily stand-up over the five years, without a few days, with a few moved.
  w.Line("BEGIN:VEVENT");
  w.Line(w.Zoned("DTSTART", {2022, 1, 3, 9, 30}));
  w.Line(w.Zoned("DTEND", {2022, 1, 3, 9, 45}));
  w.Line("RRULE:FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR");
  for (int i = 0; i < 200; ++i)
    w.Line(w.Zoned("EXDATE", {2022 + i / 40, 1 + i % 12, 1 + i % 28, 9, 30}));
  w.Details("standup", 8);
  w.Line("END:VEVENT");
  for (int i = 0; i < 100; ++i) {
    const LocalDateTime moved{2022 + i / 20, 1 + i % 12, 3 + i % 20, 9, 30};
    w.Line("BEGIN:VEVENT");
    w.Line(w.Zoned("RECURRENCE-ID", moved));
    w.Line(w.Zoned("DTSTART", AddMinutes(moved, 60)));
    w.Line(w.Zoned("DTEND", AddMinutes(moved, 75)));
    w.Details("standup", 8);
    w.Line("END:VEVENT");
  }
  w.Line("END:VCALENDAR");
  return w.text;
}

}  // namespace rp::calendar_test
