#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "calendar/CalendarReader.h"
#include "calendar/IcsTime.h"

namespace rp::calendar_test {

// A moment written as iCalendar writes one in UTC, "19970903T163000Z", in seconds.
inline std::int64_t Utc(std::string_view text) { return ParseIcsTime(text)->seconds; }

// A calendar file of these lines, CRLF after each, inside a VCALENDAR.
inline std::string Ics(std::initializer_list<std::string_view> lines, std::string_view end = "\r\n") {
  std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n";
  for (const std::string_view line : lines) (text += line) += end;
  return text + "END:VCALENDAR\r\n";
}

// America/New_York since 1967, as RFC 5545 writes it in section 3.6.5.
inline constexpr std::string_view kNewYork =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nLAST-MODIFIED:20050809T050000Z\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:19670430T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=-1SU;UNTIL=19730429T070000Z\r\n"
    "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nTZNAME:EDT\r\nEND:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\nDTSTART:19671029T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU;UNTIL=20061029T060000Z\r\n"
    "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:19740106T020000\r\nRDATE:19750223T020000\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\n"
    "TZNAME:EDT\r\nEND:DAYLIGHT\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:19760425T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=-1SU;UNTIL=19860427T070000Z\r\n"
    "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nTZNAME:EDT\r\nEND:DAYLIGHT\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:19870405T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=1SU;UNTIL=20060402T070000Z\r\n"
    "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nTZNAME:EDT\r\nEND:DAYLIGHT\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:20070311T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
    "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nTZNAME:EDT\r\nEND:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\nDTSTART:20071104T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\n"
    "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\nEND:STANDARD\r\nEND:VTIMEZONE";

// The busy times read as "start-end" in UTC, "19970903T163000Z-19970903T190000Z", for tables.
std::string BusyText(const CalendarReading& reading);

}  // namespace rp::calendar_test
