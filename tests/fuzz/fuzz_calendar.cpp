// Fuzzes the calendar reader with any bytes as a calendar file, read at a moment the first
// bytes choose: it never crashes, hangs or grows without bound, and what it gives is sound:
// busy times in order, each ending after it starts and after now, none touching the next, all
// starting in the 14 days to come; the week's count within what was read; the same file read
// twice gives the same; and the meeting rules decide on what was read.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "calendar/CalendarReader.h"
#include "calendar/MeetingRules.h"
#include "sim/SimTimeZones.h"

namespace {

[[noreturn]] void Broken(const char* what) {
  std::fprintf(stderr, "fuzz_calendar: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // 2026-12-08 00:00 UTC, moved by up to 65,535 hours either way by the first two bytes.
  std::int64_t now = 1796688000;
  if (size >= 2) {
    now += (static_cast<std::int64_t>(data[0] << 8 | data[1]) - 32768) * 3600;
    data += 2;
    size -= 2;
  }
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  rp::sim::SimTimeZones zones;
  zones.localZone = size % 2 ? "Europe/Berlin" : "America/New_York";
  const rp::CalendarReading reading = rp::ReadCalendar(text, now, zones);
  if (reading.busy.size() > rp::kMaxMeetings) Broken("more busy times than meetings are kept");
  if (reading.meetingsThisWeek < 0 || static_cast<std::size_t>(reading.meetingsThisWeek) > rp::kMaxMeetings)
    Broken("the week's count is out of range");
  if (!reading.calendar && !reading.busy.empty()) Broken("meetings read from a text that is no calendar");
  for (std::size_t i = 0; i < reading.busy.size(); ++i) {
    const rp::Meeting& m = reading.busy[i];
    if (m.end <= m.start) Broken("a busy time ends before it starts");
    if (m.end <= now || m.start >= now + rp::kCalendarWindow) Broken("a busy time outside the 14 days");
    if (i > 0 && m.start <= reading.busy[i - 1].end) Broken("busy times out of order or not merged");
  }
  const rp::CalendarReading again = rp::ReadCalendar(text, now, zones);
  if (again.busy != reading.busy || again.meetingsThisWeek != reading.meetingsThisWeek || again.leftOut != reading.leftOut)
    Broken("the same file read twice differs");

  rp::MeetingRules rules;
  rules.SetBusy(reading.busy);
  if (rules.Busy() != reading.busy) Broken("the rules merged what the reader had merged");
  for (const rp::Meeting& m : reading.busy) {
    const rp::MeetingDecision in = rules.Decide(m.start, m.start, 300);
    if (in.plan != rp::MeetingPlan::Wait || in.until != m.end) Broken("a break due at a meeting's start does not wait for its end");
    const rp::MeetingDecision before = rules.Decide(m.start - 600, m.start - 60, 300);
    if (before.plan == rp::MeetingPlan::MoveBefore && before.breakAt + 300 != before.meeting)
      Broken("a break brought forward does not end as the meeting starts");
  }
  return 0;
}
