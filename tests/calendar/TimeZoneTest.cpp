// Times with zones: the file's VTIMEZONE (RFC 5545's America/New_York), the system's zones by
// their IANA and Windows names, floating times on the user's clock, and the hours that daylight
// saving skips and repeats.
#include <gtest/gtest.h>

#include "CalendarFixture.h"
#include "calendar/CalendarFile.h"
#include "calendar/CalendarReader.h"
#include "calendar/CalendarTexts.h"
#include "calendar/ZoneRules.h"
#include "runtime/CivilTime.h"
#include "sim/SimTimeZones.h"

namespace rp {
namespace {

using calendar_test::BusyText;
using calendar_test::Ics;
using calendar_test::kNewYork;
using calendar_test::Utc;

constexpr int kHour = 3600;

TEST(TimeZones, TheFilesOwnZoneWithItsHistoryOfRules) {
  const CalendarFile file = ParseCalendarFile(Ics({kNewYork}));
  ASSERT_EQ(file.zones.count("America/New_York"), 1u);
  const ZoneDefinition& zone = file.zones.at("America/New_York");
  EXPECT_EQ(zone.observances.size(), 7u);
  EXPECT_EQ(file.leftOut, 0u);
  const struct {
    const char* utc;
    int offset;
  } cases[] = {
      {"19970701T120000Z", -4 * kHour}, {"19971201T120000Z", -5 * kHour},
      {"19740110T120000Z", -4 * kHour},  // the year-round summer time of 1974
      {"19750101T120000Z", -5 * kHour}, {"19750301T120000Z", -4 * kHour},
      {"19860427T065959Z", -5 * kHour}, {"19860427T070000Z", -4 * kHour},  // last Sunday in April
      {"19870405T065959Z", -5 * kHour}, {"19870405T070000Z", -4 * kHour},  // first Sunday in April
      {"20070311T065959Z", -5 * kHour}, {"20070311T070000Z", -4 * kHour},  // second Sunday in March
      {"20261101T055959Z", -4 * kHour}, {"20261101T060000Z", -5 * kHour},  // first Sunday in November
      {"19600101T000000Z", -5 * kHour},  // before the first change: what it changes from
  };
  for (const auto& c : cases) {
    std::int64_t budget = 10000;
    EXPECT_EQ(zone.OffsetAt(Utc(c.utc), budget), c.offset) << c.utc;
    EXPECT_GT(budget, 9900) << c.utc;
  }
}

TEST(TimeZones, AWeeklyMeetingKeepsItsHourAcrossTheChange) {
  sim::SimTimeZones zones;
  const std::string text = Ics({kNewYork, "BEGIN:VEVENT", "UID:a", "DTSTART;TZID=America/New_York:20261021T090000",
                                "DTEND;TZID=America/New_York:20261021T100000", "RRULE:FREQ=WEEKLY", "END:VEVENT"});
  EXPECT_EQ(BusyText(ReadCalendar(text, Utc("20261026T000000Z"), zones)),
            "20261028T130000Z-20261028T140000Z 20261104T140000Z-20261104T150000Z");
}

TEST(TimeZones, SystemZonesByTheirIanaAndWindowsNamesAndTheUsersClock) {
  sim::SimTimeZones zones;
  zones.localZone = "Asia/Tokyo";
  const struct {
    const char* start;
    const char* busy;
  } cases[] = {
      {"DTSTART;TZID=Europe/Berlin:20261209T100000", "20261209T090000Z-20261209T100000Z"},
      {"DTSTART;TZID=\"W. Europe Standard Time\":20261209T100000", "20261209T090000Z-20261209T100000Z"},
      {"DTSTART;TZID=/mozilla.org/20070129_1/Europe/Berlin:20261209T100000", "20261209T090000Z-20261209T100000Z"},
      {"DTSTART;TZID=Eastern Standard Time:20261209T100000", "20261209T150000Z-20261209T160000Z"},
      {"DTSTART;TZID=Asia/Kolkata:20261209T100000", "20261209T043000Z-20261209T053000Z"},
      {"DTSTART;TZID=Australia/Sydney:20261209T100000", "20261208T230000Z-20261209T000000Z"},
      {"DTSTART:20261209T100000Z", "20261209T100000Z-20261209T110000Z"},
      // A zone nobody knows, and a floating time: on the user's clock (Tokyo).
      {"DTSTART;TZID=Mars/Olympus_Mons:20261209T100000", "20261209T010000Z-20261209T020000Z"},
      {"DTSTART:20261209T100000", "20261209T010000Z-20261209T020000Z"},
  };
  for (const auto& c : cases) {
    const std::string text = Ics({"BEGIN:VEVENT", c.start, "DURATION:PT1H", "END:VEVENT"});
    EXPECT_EQ(BusyText(ReadCalendar(text, Utc("20261208T000000Z"), zones)), c.busy) << c.start;
  }
}

TEST(TimeZones, TheSkippedHourIsReadAfterTheChangeAndTheRepeatedOneTheFirstTime) {
  sim::SimTimeZones zones;
  const struct {
    const char* zone;
    const char* local;
    const char* utc;
  } cases[] = {
      {"America/New_York", "20260308T023000", "20260308T073000Z"},  // 02:30 is 03:30 summer time
      {"America/New_York", "20261101T013000", "20261101T053000Z"},  // the first 01:30, in summer time
      {"America/New_York", "20261101T030000", "20261101T080000Z"},
      {"Europe/Berlin", "20260329T023000", "20260329T013000Z"},
      {"Europe/Berlin", "20261025T023000", "20261025T003000Z"},
      {"Europe/Berlin", "20260701T120000", "20260701T100000Z"},
      {"Australia/Sydney", "20260405T023000", "20260404T153000Z"},  // autumn there: first in summer time
  };
  for (const auto& c : cases) {
    const auto offset = [&](std::int64_t utc) { return *zones.OffsetOf(c.zone, utc); };
    EXPECT_EQ(UtcOfLocal(ParseIcsTime(c.local)->seconds, offset), Utc(c.utc)) << c.zone << " " << c.local;
  }
  // The same through the user's clock, both ways.
  zones.localZone = "Europe/Berlin";
  EXPECT_EQ(UtcOfUserClock({2026, 12, 8, 14, 30}, zones), Utc("20261208T133000Z"));
  EXPECT_EQ(UserClockAt(Utc("20260701T100000Z"), zones), (LocalDateTime{2026, 7, 1, 12, 0}));
}

TEST(TimeZones, AZoneWrittenWronglyIsLeftOutAndItsTimesReadOnTheUsersClock) {
  sim::SimTimeZones zones;
  const std::string text = Ics({"BEGIN:VTIMEZONE", "TZID:Nowhere", "BEGIN:STANDARD", "DTSTART:19700101T000000",
                                "TZOFFSETFROM:+2500", "TZOFFSETTO:+0100", "END:STANDARD", "END:VTIMEZONE",
                                "BEGIN:VEVENT", "DTSTART;TZID=Nowhere:20261209T100000", "DURATION:PT30M", "END:VEVENT"});
  const CalendarReading reading = ReadCalendar(text, Utc("20261208T000000Z"), zones);
  EXPECT_EQ(BusyText(reading), "20261209T100000Z-20261209T103000Z");
  EXPECT_EQ(reading.leftOut, 3u);  // the offset line, the observance without it, the zone without one
}

}  // namespace
}  // namespace rp
