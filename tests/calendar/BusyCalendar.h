#pragma once
#include <string>

namespace rp::calendar_test {

// A calendar as a busy desk's published one looks after five years (2022 to 2026), written as
// Outlook writes it: a Windows time zone, and on every working day single meetings with their
// organizer, attendees, place, description and reminder, plus weekly, fortnightly and monthly
// series (UNTIL, COUNT, BYDAY=-1FR, ...), a daily stand-up with EXDATEs and moved occurrences,
// all-day and free events. The same bytes every time (a fixed pseudo-random sequence); about
// 7 MB.
std::string BusyCalendar();

}  // namespace rp::calendar_test
