#include "CalendarFixture.h"

#include <cstdio>

#include "runtime/CivilTime.h"

namespace rp::calendar_test {
namespace {

std::string Text(std::int64_t utc) {
  const LocalDateTime t = FromLocalSeconds(utc);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return text;
}

}  // namespace

std::string BusyText(const CalendarReading& reading) {
  std::string text;
  for (const Meeting& m : reading.busy) text += (text.empty() ? "" : " ") + Text(m.start) + "-" + Text(m.end);
  return text;
}

}  // namespace rp::calendar_test
