#include "runtime/CivilTime.h"
#include "runtime/DatePicture.h"

#include <gtest/gtest.h>

namespace rp {
namespace {

TEST(CivilTime, DaysWeekdaysAndSpansAcrossMonthsYearsAndLeapDays) {
  EXPECT_EQ(DaysFromCivil(1970, 1, 1), 0);
  EXPECT_EQ(CivilFromDays(DaysFromCivil(2024, 2, 29)), (LocalDateTime{2024, 2, 29}));
  EXPECT_EQ(Weekday({2026, 12, 8}), 2);   // a Tuesday
  EXPECT_EQ(Weekday({1969, 12, 28}), 0);  // a Sunday before the epoch
  EXPECT_EQ(AddMinutes({2026, 12, 31, 23, 59}, 2), (LocalDateTime{2027, 1, 1, 0, 1}));
  EXPECT_EQ(AddMinutes({2028, 3, 1, 0, 0}, -1), (LocalDateTime{2028, 2, 29, 23, 59}));
  EXPECT_EQ(NextDayAt({2026, 2, 28, 23, 59}, 6, 0), (LocalDateTime{2026, 3, 1, 6, 0}));
}

TEST(CivilTime, StoredTextReadsBackAndAnythingElseIsRefused) {
  const LocalDateTime t{2026, 12, 8, 14, 30};
  EXPECT_EQ(DateTimeText(t), "2026-12-08 14:30");
  EXPECT_EQ(ParseDateTimeText("2026-12-08 14:30"), t);
  for (const char* bad : {"", "2026-12-08", "2026-12-08 24:00", "2026-02-29 10:00", "2026-13-01 10:00",
                          "2026-12-08T14:30", "2026-12-08 14:30 ", "20x6-12-08 14:30", "2026-12-08 -1:30"})
    EXPECT_FALSE(ParseDateTimeText(bad)) << bad;
  EXPECT_EQ(ParseDateText("2024-02-29"), (LocalDateTime{2024, 2, 29}));
}

// A day without its year in the order and with the separators of the user's short date, as
// Windows gives the short date's picture (these are Wine's).
TEST(DatePicture, ADayWithoutItsYearFollowsTheShortDate) {
  const struct {
    const char* shortDate;
    const char* monthDay;
  } cases[] = {
      {"d.M.yyyy", "26.11."},         // German
      {"yyyy/M/d", "11/26"},          // Japanese, Chinese
      {"M/d/yyyy", "11/26"},          // English (United States)
      {"dd/MM/yyyy", "26/11"},        // English (United Kingdom), French
      {"d-M-yyyy", "26-11"},          // Dutch
      {"d. M. yyyy", "26. 11."},      // Czech
      {"yyyy. MM. dd.", "11. 26."},   // Hungarian
      {"d.MM.yyyy 'г'.", "26.11."},   // Bulgarian: the word for the year goes with it
      {"gg yyyy/M/d", "11/26"},       // an era before the year
      {"yyyy-MM-dd", "11-26"},
      {"yyyy", "11-26"},              // no day in it at all
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatDatePicture(MonthDayPicture(c.shortDate), {2026, 11, 26}), c.monthDay) << c.shortDate;
  EXPECT_EQ(FormatDatePicture("d.M.yy 'г''s'", {2026, 2, 6}), "6.2.26 г's");
}

}  // namespace
}  // namespace rp
