// The recurrence rules of RFC 5545, section 3.8.5.3, each example as the RFC gives it: the rule,
// its DTSTART in New York and the occurrences the RFC lists (all at 09:00 there).
#include "calendar/Recurrence.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "runtime/CivilTime.h"

namespace rp {
namespace {

std::int64_t Local(const char* text) { return ParseIcsTime(text)->seconds; }

std::string Day(std::int64_t local) {
  const LocalDateTime t = FromLocalSeconds(local);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d%s", t.year, t.month, t.day, t.hour == 9 && t.minute == 0 ? "" : "?");
  return text;
}

// The first `limit` occurrences, or all of them for a rule that ends. UNTIL in UTC is read on
// New York's clock in winter (every UNTIL of the examples falls at a time no occurrence is near).
std::vector<std::string> Expand(const char* start, const char* rrule, std::size_t limit) {
  const std::optional<RecurrenceRule> rule = ParseRecurrenceRule(rrule);
  EXPECT_TRUE(rule) << rrule;
  if (!rule) return {};
  std::int64_t until = std::numeric_limits<std::int64_t>::max();
  if (rule->until) until = rule->until->seconds - (rule->until->utc ? 5 * 3600 : 0);
  std::vector<std::string> days;
  std::int64_t budget = 100000;
  ExpandRecurrence(*rule, Local(start), 0, Local("21000101"), until, budget, [&](std::int64_t t) {
    days.push_back(Day(t));
    return days.size() < limit;
  });
  return days;
}

using Days = std::vector<std::string>;

TEST(Recurrence, TheExamplesOfRfc5545) {
  const struct {
    const char* start;
    const char* rule;
    std::size_t limit;
    Days expected;
  } cases[] = {
      {"19970902T090000", "FREQ=DAILY;COUNT=10", 99,
       {"19970902", "19970903", "19970904", "19970905", "19970906", "19970907", "19970908", "19970909", "19970910", "19970911"}},
      {"19970902T090000", "FREQ=DAILY;INTERVAL=2", 5, {"19970902", "19970904", "19970906", "19970908", "19970910"}},
      {"19970902T090000", "FREQ=DAILY;INTERVAL=10;COUNT=5", 99, {"19970902", "19970912", "19970922", "19971002", "19971012"}},
      {"19970902T090000", "FREQ=WEEKLY;COUNT=10", 99,
       {"19970902", "19970909", "19970916", "19970923", "19970930", "19971007", "19971014", "19971021", "19971028", "19971104"}},
      {"19970902T090000", "FREQ=WEEKLY;INTERVAL=2;WKST=SU", 9,
       {"19970902", "19970916", "19970930", "19971014", "19971028", "19971111", "19971125", "19971209", "19971223"}},
      {"19970902T090000", "FREQ=WEEKLY;UNTIL=19971007T000000Z;WKST=SU;BYDAY=TU,TH", 99,
       {"19970902", "19970904", "19970909", "19970911", "19970916", "19970918", "19970923", "19970925", "19970930", "19971002"}},
      {"19970902T090000", "FREQ=WEEKLY;COUNT=10;WKST=SU;BYDAY=TU,TH", 99,
       {"19970902", "19970904", "19970909", "19970911", "19970916", "19970918", "19970923", "19970925", "19970930", "19971002"}},
      {"19970901T090000", "FREQ=WEEKLY;INTERVAL=2;UNTIL=19971224T000000Z;WKST=SU;BYDAY=MO,WE,FR", 99,
       {"19970901", "19970903", "19970905", "19970915", "19970917", "19970919", "19970929", "19971001", "19971003",
        "19971013", "19971015", "19971017", "19971027", "19971029", "19971031", "19971110", "19971112", "19971114",
        "19971124", "19971126", "19971128", "19971208", "19971210", "19971212", "19971222"}},
      {"19970902T090000", "FREQ=WEEKLY;INTERVAL=2;COUNT=8;WKST=SU;BYDAY=TU,TH", 99,
       {"19970902", "19970904", "19970916", "19970918", "19970930", "19971002", "19971014", "19971016"}},
      {"19970905T090000", "FREQ=MONTHLY;COUNT=10;BYDAY=1FR", 99,
       {"19970905", "19971003", "19971107", "19971205", "19980102", "19980206", "19980306", "19980403", "19980501", "19980605"}},
      {"19970905T090000", "FREQ=MONTHLY;UNTIL=19971224T000000Z;BYDAY=1FR", 99, {"19970905", "19971003", "19971107", "19971205"}},
      {"19970907T090000", "FREQ=MONTHLY;INTERVAL=2;COUNT=10;BYDAY=1SU,-1SU", 99,
       {"19970907", "19970928", "19971102", "19971130", "19980104", "19980125", "19980301", "19980329", "19980503", "19980531"}},
      {"19970922T090000", "FREQ=MONTHLY;COUNT=6;BYDAY=-2MO", 99,
       {"19970922", "19971020", "19971117", "19971222", "19980119", "19980216"}},
      {"19970928T090000", "FREQ=MONTHLY;BYMONTHDAY=-3", 6, {"19970928", "19971029", "19971128", "19971229", "19980129", "19980226"}},
      {"19970902T090000", "FREQ=MONTHLY;COUNT=10;BYMONTHDAY=2,15", 99,
       {"19970902", "19970915", "19971002", "19971015", "19971102", "19971115", "19971202", "19971215", "19980102", "19980115"}},
      {"19970930T090000", "FREQ=MONTHLY;COUNT=10;BYMONTHDAY=1,-1", 99,
       {"19970930", "19971001", "19971031", "19971101", "19971130", "19971201", "19971231", "19980101", "19980131", "19980201"}},
      {"19970910T090000", "FREQ=MONTHLY;INTERVAL=18;COUNT=10;BYMONTHDAY=10,11,12,13,14,15", 99,
       {"19970910", "19970911", "19970912", "19970913", "19970914", "19970915", "19990310", "19990311", "19990312", "19990313"}},
      {"19970902T090000", "FREQ=MONTHLY;INTERVAL=2;BYDAY=TU", 13,
       {"19970902", "19970909", "19970916", "19970923", "19970930", "19971104", "19971111", "19971118", "19971125",
        "19980106", "19980113", "19980120", "19980127"}},
      {"19970610T090000", "FREQ=YEARLY;COUNT=10;BYMONTH=6,7", 99,
       {"19970610", "19970710", "19980610", "19980710", "19990610", "19990710", "20000610", "20000710", "20010610", "20010710"}},
      {"19970310T090000", "FREQ=YEARLY;INTERVAL=2;COUNT=10;BYMONTH=1,2,3", 99,
       {"19970310", "19990110", "19990210", "19990310", "20010110", "20010210", "20010310", "20030110", "20030210", "20030310"}},
      {"19970519T090000", "FREQ=YEARLY;BYDAY=20MO", 3, {"19970519", "19980518", "19990517"}},
      {"19970313T090000", "FREQ=YEARLY;BYMONTH=3;BYDAY=TH", 11,
       {"19970313", "19970320", "19970327", "19980305", "19980312", "19980319", "19980326", "19990304", "19990311", "19990318",
        "19990325"}},
      {"19970605T090000", "FREQ=YEARLY;BYDAY=TH;BYMONTH=6,7,8", 13,
       {"19970605", "19970612", "19970619", "19970626", "19970703", "19970710", "19970717", "19970724", "19970731",
        "19970807", "19970814", "19970821", "19970828"}},
      // Every Friday the 13th (the RFC leaves DTSTART out with an EXDATE; here it is first).
      {"19970902T090000", "FREQ=MONTHLY;BYDAY=FR;BYMONTHDAY=13", 6,
       {"19970902", "19980213", "19980313", "19981113", "19990813", "20001013"}},
      {"19970913T090000", "FREQ=MONTHLY;BYDAY=SA;BYMONTHDAY=7,8,9,10,11,12,13", 10,
       {"19970913", "19971011", "19971108", "19971213", "19980110", "19980207", "19980307", "19980411", "19980509", "19980613"}},
      {"19961105T090000", "FREQ=YEARLY;INTERVAL=4;BYMONTH=11;BYDAY=TU;BYMONTHDAY=2,3,4,5,6,7,8", 3,
       {"19961105", "20001107", "20041102"}},
      {"19970805T090000", "FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=MO", 99, {"19970805", "19970810", "19970819", "19970824"}},
      {"19970805T090000", "FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=SU", 99, {"19970805", "19970817", "19970819", "19970831"}},
      // February 30 is no date and is passed over.
      {"20070115T090000", "FREQ=MONTHLY;BYMONTHDAY=15,30;COUNT=5", 99, {"20070115", "20070130", "20070215", "20070315", "20070330"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Expand(c.start, c.rule, c.limit), c.expected) << c.rule;
}

TEST(Recurrence, LongerExamplesByTheirCountAndEnds) {
  // Daily until December 24, 1997: 113 days. Every day in January for 3 years, two ways: 93.
  Days daily = Expand("19970902T090000", "FREQ=DAILY;UNTIL=19971224T000000Z", 999);
  ASSERT_EQ(daily.size(), 113u);
  EXPECT_EQ(daily.back(), "19971223");
  for (const char* rule : {"FREQ=YEARLY;UNTIL=20000131T140000Z;BYMONTH=1;BYDAY=SU,MO,TU,WE,TH,FR,SA",
                           "FREQ=DAILY;UNTIL=20000131T140000Z;BYMONTH=1"}) {
    const Days january = Expand("19980101T090000", rule, 999);
    ASSERT_EQ(january.size(), 93u) << rule;
    EXPECT_EQ(january[31], "19990101");
    EXPECT_EQ(january.back(), "20000131");
  }
  const Days weekly = Expand("19970902T090000", "FREQ=WEEKLY;UNTIL=19971224T000000Z", 999);
  ASSERT_EQ(weekly.size(), 17u);
  EXPECT_EQ(weekly.back(), "19971223");
}

TEST(Recurrence, RulesBeyondWhatMeetingsUseOrWrittenWronglyAreNotRead) {
  for (const char* rule :
       {"", "FREQ=HOURLY;INTERVAL=3;UNTIL=19970902T170000Z", "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1",
        "FREQ=YEARLY;BYWEEKNO=20;BYDAY=MO", "FREQ=YEARLY;INTERVAL=3;COUNT=10;BYYEARDAY=1,100,200", "COUNT=3",
        "FREQ=DAILY;COUNT=0", "FREQ=DAILY;INTERVAL=0", "FREQ=DAILY;COUNT=2;COUNT=3", "FREQ=WEEKLY;BYDAY=XX",
        "FREQ=MONTHLY;BYDAY=0MO", "FREQ=MONTHLY;BYDAY=54MO", "FREQ=MONTHLY;BYMONTHDAY=32", "FREQ=YEARLY;BYMONTH=13",
        "FREQ=DAILY;UNTIL=1997", "FREQ=DAILY;;", "FREQ=DAILY;INTERVAL=99999999999"})
    EXPECT_FALSE(ParseRecurrenceRule(rule)) << rule;
  // Names and values in any case; parts of X- names passed over.
  const std::optional<RecurrenceRule> rule = ParseRecurrenceRule("freq=monthly;byday=-1fr;X-NAME=1");
  ASSERT_TRUE(rule);
  EXPECT_EQ(rule->byDay, (std::vector<WeekdayNumber>{{5, -1}}));
}

TEST(Recurrence, DurationsAsRfc5545WritesThemAndNoneThatOverflows) {
  const struct {
    const char* text;
    std::int64_t days, seconds;
  } cases[] = {{"P15DT5H0M20S", 15, 5 * 3600 + 20}, {"P7W", 49, 0}, {"PT1H30M", 0, 5400}, {"-PT15M", 0, -900},
               {"+P1D", 1, 0}, {"P1W2D", 9, 0}, {"PT999999999S", 0, 999999999}};
  for (const auto& c : cases) {
    const std::optional<IcsDuration> d = ParseIcsDuration(c.text);
    ASSERT_TRUE(d) << c.text;
    EXPECT_EQ(d->days, c.days) << c.text;
    EXPECT_EQ(d->seconds, c.seconds) << c.text;
  }
  for (const char* bad : {"", "P", "PT", "1H", "P1H", "PT1D", "P1DT", "P1D1D", "PT1M1H", "P9999999999W", "P1W1W1W",
                          "PT1H2", "P-1D", "P1.5D"})
    EXPECT_FALSE(ParseIcsDuration(bad)) << bad;
}

TEST(Recurrence, WorkIsBoundedAndARuleWithoutCountJumpsAhead) {
  const RecurrenceRule daily = *ParseRecurrenceRule("FREQ=DAILY");
  // From the year 1000 to 2026 without a COUNT: a few periods, not 375,000.
  std::int64_t budget = 100;
  std::vector<std::string> days;
  EXPECT_TRUE(ExpandRecurrence(daily, Local("10000101T090000"), Local("20261208"), Local("20261211"),
                               std::numeric_limits<std::int64_t>::max(), budget, [&](std::int64_t t) {
                                 if (t >= Local("20261208")) days.push_back(Day(t));  // a day or two before may come
                                 return true;
                               }));
  EXPECT_EQ(days, (Days{"20261208", "20261209", "20261210"}));
  EXPECT_GT(budget, 90);
  // With a COUNT each day must be stepped through: the rule stops at its bound.
  const RecurrenceRule counted = *ParseRecurrenceRule("FREQ=DAILY;COUNT=1000000");
  budget = 1000000;
  EXPECT_FALSE(ExpandRecurrence(counted, Local("10000101T090000"), Local("20261208"), Local("20261211"),
                                std::numeric_limits<std::int64_t>::max(), budget, [](std::int64_t) { return true; }));
  EXPECT_EQ(budget, 1000000 - kMaxPeriodsPerRule - 1);
  // A rule that never matches (February 30) ends at its bound too, and an empty budget at once.
  budget = 0;
  EXPECT_FALSE(ExpandRecurrence(*ParseRecurrenceRule("FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30"), Local("20260101T090000"),
                                0, Local("99990101"), std::numeric_limits<std::int64_t>::max(), budget,
                                [](std::int64_t) { return true; }));
}

}  // namespace
}  // namespace rp
