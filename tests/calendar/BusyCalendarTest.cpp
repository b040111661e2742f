// The benchmark's calendar (tests/bench/calendar_bench.cpp) reads whole: five years of a busy
// desk, several MB, every line and event read, the next 14 days' meetings found.
#include <gtest/gtest.h>

#include "BusyCalendar.h"
#include "CalendarFixture.h"
#include "calendar/CalendarReader.h"
#include "sim/SimTimeZones.h"

namespace rp {
namespace {

TEST(BusyCalendar, FiveYearsOfABusyDeskReadWhole) {
  const std::string text = calendar_test::BusyCalendar();
  EXPECT_GT(text.size(), 4u << 20);
  EXPECT_LT(text.size(), kMaxCalendarBytes);
  sim::SimTimeZones zones;
  const CalendarReading reading = ReadCalendar(text, calendar_test::Utc("20261208T080000Z"), zones);
  EXPECT_TRUE(reading.calendar);
  EXPECT_EQ(reading.leftOut, 0u);
  EXPECT_GT(reading.meetingsThisWeek, 25);
  EXPECT_GT(reading.busy.size(), 20u);
}

}  // namespace
}  // namespace rp
