#include "calendar/Recurrence.h"

#include <algorithm>
#include <array>
#include <string>

#include "calendar/IcsLines.h"
#include "runtime/CivilTime.h"

namespace rp {
namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int WeekdayOfDay(std::int64_t day) { return static_cast<int>(((day % 7) + 7 + 4) % 7); }  // 1970-01-01: Thursday
int MonthLength(std::int64_t year, int month) { return DaysInMonth(static_cast<int>(year), month); }
bool Has(const std::vector<int>& list, int value) { return std::find(list.begin(), list.end(), value) != list.end(); }

// A whole number in [low, high], optionally signed.
bool Number(std::string_view text, int low, int high, int& value) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 7) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  return value >= low && value <= high;
}

int WeekdayCode(std::string_view code) {
  static constexpr std::string_view kCodes[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
  for (int i = 0; i < 7; ++i)
    if (code == kCodes[i]) return i;
  return -1;
}

bool ParseByDay(std::string_view item, WeekdayNumber& day) {
  if (item.size() < 2) return false;
  day.weekday = WeekdayCode(item.substr(item.size() - 2));
  if (day.weekday < 0) return false;
  item.remove_suffix(2);
  day.nth = 0;
  return item.empty() || (Number(item, -53, 53, day.nth) && day.nth != 0);
}

template <typename Item, typename Read>
bool ParseList(std::string_view value, std::vector<Item>& list, Read read) {
  for (const std::string_view item : SplitList(value)) {
    Item parsed{};
    if (!read(item, parsed) || list.size() >= 400) return false;
    list.push_back(parsed);
  }
  return !list.empty();
}

bool MatchesMonthDay(const std::vector<int>& byMonthDay, int day, int length) {
  for (const int d : byMonthDay)
    if (d == day || (d < 0 && length + d + 1 == day)) return true;
  return false;
}

// Appends the days of the scope [first, first + length) that BYMONTHDAY and BYDAY choose (both
// when both are there), in order; with neither, `fallbackDay` (a day of a month scope).
void ChooseDays(const RecurrenceRule& rule, std::int64_t first, int length, int fallbackDay,
                std::vector<std::int64_t>& days) {
  std::array<bool, 366> byMonthDay{}, byDay{};
  for (const int d : rule.byMonthDay) {
    const int index = d > 0 ? d - 1 : length + d;
    if (index >= 0 && index < length) byMonthDay[index] = true;
  }
  const int firstWeekday = WeekdayOfDay(first);
  for (const WeekdayNumber& w : rule.byDay) {
    const int firstMatch = (w.weekday - firstWeekday + 7) % 7;
    if (w.nth == 0) {
      for (int i = firstMatch; i < length; i += 7) byDay[i] = true;
    } else if (w.nth > 0) {
      const int index = firstMatch + 7 * (w.nth - 1);
      if (index < length) byDay[index] = true;
    } else {
      const int lastMatch = length - 1 - (WeekdayOfDay(first + length - 1) - w.weekday + 7) % 7;
      const int index = lastMatch - 7 * (-w.nth - 1);
      if (index >= 0) byDay[index] = true;
    }
  }
  const bool useMonthDay = !rule.byMonthDay.empty(), useDay = !rule.byDay.empty();
  for (int i = 0; i < length; ++i) {
    const bool chosen = useMonthDay && useDay ? byMonthDay[i] && byDay[i]
                        : useMonthDay         ? byMonthDay[i]
                        : useDay              ? byDay[i]
                                              : i + 1 == fallbackDay;
    if (chosen) days.push_back(first + i);
  }
}

void MonthDays(const RecurrenceRule& rule, std::int64_t year, int month, int fallbackDay,
               std::vector<std::int64_t>& days) {
  ChooseDays(rule, DaysFromCivil(static_cast<int>(year), month, 1), MonthLength(year, month), fallbackDay, days);
}

}  // namespace

std::optional<RecurrenceRule> ParseRecurrenceRule(std::string_view written) {
  std::string value(written);
  for (char& c : value) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
  RecurrenceRule rule;
  std::string seen;
  bool frequency = false;
  for (const std::string_view part : SplitList(value, ';')) {
    const std::size_t equals = part.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string name(part.substr(0, equals));
    const std::string_view v = part.substr(equals + 1);
    if (name.starts_with("X-")) continue;
    if (seen.find(";" + name + ";") != std::string::npos) return std::nullopt;
    seen += ";" + name + ";";
    if (name == "FREQ") {
      static constexpr std::pair<std::string_view, Frequency> kFrequencies[] = {
          {"DAILY", Frequency::Daily}, {"WEEKLY", Frequency::Weekly},
          {"MONTHLY", Frequency::Monthly}, {"YEARLY", Frequency::Yearly}};
      for (const auto& [text, f] : kFrequencies)
        if (v == text) rule.frequency = f, frequency = true;
      if (!frequency) return std::nullopt;
    } else if (name == "INTERVAL") {
      if (!Number(v, 1, 10000, rule.interval)) return std::nullopt;
    } else if (name == "COUNT") {
      if (!Number(v, 1, 1000000, rule.count)) return std::nullopt;
    } else if (name == "UNTIL") {
      rule.until = ParseIcsTime(v);
      if (!rule.until) return std::nullopt;
    } else if (name == "BYDAY") {
      if (!ParseList(v, rule.byDay, ParseByDay)) return std::nullopt;
    } else if (name == "BYMONTHDAY") {
      const auto read = [](std::string_view t, int& d) { return Number(t, -31, 31, d) && d != 0; };
      if (!ParseList(v, rule.byMonthDay, read)) return std::nullopt;
    } else if (name == "BYMONTH") {
      const auto read = [](std::string_view t, int& m) { return Number(t, 1, 12, m); };
      if (!ParseList(v, rule.byMonth, read)) return std::nullopt;
      std::sort(rule.byMonth.begin(), rule.byMonth.end());
    } else if (name == "WKST") {
      rule.weekStart = WeekdayCode(v);
      if (rule.weekStart < 0) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  if (!frequency) return std::nullopt;
  return rule;
}

bool ExpandRecurrence(const RecurrenceRule& rule, std::int64_t start, std::int64_t fromLocal,
                      std::int64_t toLocal, std::int64_t untilLocal, std::int64_t& budget,
                      const std::function<bool(std::int64_t)>& occurrence) {
  const LocalDateTime s = FromLocalSeconds(start);
  const std::int64_t startDay = FloorDiv(start, kDaySeconds);
  const std::int64_t timeOfDay = start - startDay * kDaySeconds;
  const std::int64_t startMonth = static_cast<std::int64_t>(s.year) * 12 + s.month - 1;
  std::int64_t k = 0;
  if (rule.count == 0 && fromLocal > start) {
    const std::int64_t gapDays = (fromLocal - start) / kDaySeconds;
    const LocalDateTime f = FromLocalSeconds(fromLocal);
    const std::int64_t units = rule.frequency == Frequency::Daily    ? gapDays
                               : rule.frequency == Frequency::Weekly ? gapDays / 7
                               : rule.frequency == Frequency::Monthly
                                   ? static_cast<std::int64_t>(f.year) * 12 + f.month - 1 - startMonth
                                   : static_cast<std::int64_t>(f.year) - s.year;
    k = std::max<std::int64_t>(0, units / rule.interval - 1);
  }
  int emitted = 1;
  if (k == 0) {
    if (start > untilLocal || start >= toLocal || !occurrence(start) || rule.count == 1) return true;
  }
  std::vector<std::int64_t> days;
  const std::int64_t firstPeriod = k;
  const int startWeekday = WeekdayOfDay(startDay);
  for (;; ++k) {
    if (--budget < 0 || k - firstPeriod >= kMaxPeriodsPerRule) return false;
    days.clear();
    std::int64_t periodFirstDay = 0;
    const std::int64_t step = k * rule.interval;
    if (rule.frequency == Frequency::Daily || rule.frequency == Frequency::Weekly) {
      const bool daily = rule.frequency == Frequency::Daily;
      periodFirstDay = daily ? startDay + step : startDay - (startWeekday - rule.weekStart + 7) % 7 + 7 * step;
      for (int i = 0; i < (daily ? 1 : 7); ++i) {
        const std::int64_t day = periodFirstDay + i;
        const LocalDateTime date = CivilFromDays(day);
        const int weekday = WeekdayOfDay(day);
        const bool dayMatches = rule.byDay.empty()
                                    ? daily || weekday == startWeekday
                                    : std::any_of(rule.byDay.begin(), rule.byDay.end(),
                                                  [&](const WeekdayNumber& w) { return w.weekday == weekday; });
        if (dayMatches && (rule.byMonth.empty() || Has(rule.byMonth, date.month)) &&
            (rule.byMonthDay.empty() || MatchesMonthDay(rule.byMonthDay, date.day, MonthLength(date.year, date.month))))
          days.push_back(day);
      }
    } else if (rule.frequency == Frequency::Monthly) {
      const std::int64_t month = startMonth + step;
      const std::int64_t year = FloorDiv(month, 12);
      const int m = static_cast<int>(month - year * 12 + 1);
      periodFirstDay = DaysFromCivil(static_cast<int>(year), m, 1);
      if (rule.byMonth.empty() || Has(rule.byMonth, m)) MonthDays(rule, year, m, s.day, days);
    } else {
      const std::int64_t year = s.year + step;
      periodFirstDay = DaysFromCivil(static_cast<int>(year), 1, 1);
      if (!rule.byMonth.empty()) {
        for (const int m : rule.byMonth) MonthDays(rule, year, m, s.day, days);
      } else if (!rule.byMonthDay.empty()) {
        for (int m = 1; m <= 12; ++m) MonthDays(rule, year, m, s.day, days);
      } else if (!rule.byDay.empty()) {
        ChooseDays(rule, periodFirstDay, MonthLength(year, 2) == 29 ? 366 : 365, 0, days);
      } else {
        MonthDays(rule, year, s.month, s.day, days);
      }
    }
    const std::int64_t periodStart = periodFirstDay * kDaySeconds;
    if (periodStart >= toLocal || periodStart > untilLocal) return true;
    for (const std::int64_t day : days) {
      const std::int64_t t = day * kDaySeconds + timeOfDay;
      if (t <= start) continue;
      if (t > untilLocal || t >= toLocal) return true;
      if (!occurrence(t)) return true;
      if (rule.count != 0 && ++emitted >= rule.count) return true;
    }
  }
}

}  // namespace rp
