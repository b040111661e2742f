#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "calendar/IcsTime.h"

namespace rp {

// Recurrence rules (RFC 5545, section 3.3.10) as far as meetings, and the daylight-saving rules
// of a time zone, use them.

enum class Frequency { Daily, Weekly, Monthly, Yearly };

struct WeekdayNumber {
  int weekday = 0;  // 0 = Sunday ... 6 = Saturday
  int nth = 0;      // 0: every one; 1 the first, -1 the last, of the month or the year
  bool operator==(const WeekdayNumber&) const = default;
};

struct RecurrenceRule {
  Frequency frequency = Frequency::Daily;
  int interval = 1;
  int count = 0;  // 0: no COUNT
  std::optional<IcsTime> until;
  std::vector<WeekdayNumber> byDay;
  std::vector<int> byMonthDay;  // 1 to 31, -31 to -1 (from the end of the month)
  std::vector<int> byMonth;     // 1 to 12
  int weekStart = 1;            // WKST: Monday unless the rule says otherwise
};

// The rule of an RRULE value ("FREQ=MONTHLY;BYDAY=-1FR"); nothing when a part is unknown,
// repeated or out of range, or is one meetings do not use (BYSETPOS, BYHOUR, FREQ=HOURLY, ...).
std::optional<RecurrenceRule> ParseRecurrenceRule(std::string_view value);

// The most periods (days, weeks, months or years) one rule steps through.
inline constexpr std::int64_t kMaxPeriodsPerRule = 40000;

// Calls `occurrence` with the start of each occurrence, in order, counted in seconds on the clock
// of `start` (LocalSeconds): first `start` itself, which RFC 5545 counts as the first, then the
// rule's. Ends at the COUNT, past `untilLocal`, at `toLocal` (exclusive) or when `occurrence`
// returns false. A rule without a COUNT jumps ahead to near `fromLocal`, leaving out occurrences
// before it. Each period stepped through takes one from `budget`; when the budget or
// kMaxPeriodsPerRule is used up the expansion ends and returns false.
bool ExpandRecurrence(const RecurrenceRule& rule, std::int64_t start, std::int64_t fromLocal,
                      std::int64_t toLocal, std::int64_t untilLocal, std::int64_t& budget,
                      const std::function<bool(std::int64_t)>& occurrence);

}  // namespace rp
