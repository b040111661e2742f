#include "runtime/CivilTime.h"

#include <charconv>
#include <cstdio>

namespace rp {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Reads exactly `width` digits at `pos`.
bool Digits(std::string_view text, std::size_t pos, std::size_t width, int& value) {
  if (pos + width > text.size()) return false;
  for (std::size_t i = pos; i < pos + width; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  std::from_chars(text.data() + pos, text.data() + pos + width, value);
  return true;
}

}  // namespace

// The days-from-civil algorithm of Howard Hinnant's date library (public domain).
std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = year - (month <= 2);
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

LocalDateTime CivilFromDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = FloorDiv(days, 146097);
  const std::int64_t doe = days - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  LocalDateTime t;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
  return t;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

int Weekday(const LocalDateTime& t) {
  const std::int64_t days = DaysFromCivil(t.year, t.month, t.day);
  return static_cast<int>(days >= -4 ? (days + 4) % 7 : (days + 5) % 7 + 6);  // 1970-01-01 was a Thursday
}

std::int64_t LocalSeconds(const LocalDateTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
}

LocalDateTime FromLocalSeconds(std::int64_t seconds) {
  const std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
  const std::int64_t rest = seconds - days * kSecondsPerDay;
  LocalDateTime t = CivilFromDays(days);
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest / 60 % 60);
  t.second = static_cast<int>(rest % 60);
  return t;
}

LocalDateTime AddMinutes(const LocalDateTime& t, std::int64_t minutes) {
  return FromLocalSeconds(LocalSeconds(t) + minutes * 60);
}

LocalDateTime StartOfDay(const LocalDateTime& t) { return CivilFromDays(DaysFromCivil(t.year, t.month, t.day)); }

LocalDateTime NextDayAt(const LocalDateTime& t, int hour, int minute) {
  LocalDateTime next = CivilFromDays(DaysFromCivil(t.year, t.month, t.day) + 1);
  next.hour = hour;
  next.minute = minute;
  return next;
}

std::string DateText(const LocalDateTime& t) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year % 10000, t.month % 100, t.day % 100);
  return text;
}

std::string DateTimeText(const LocalDateTime& t) {
  char text[16];
  std::snprintf(text, sizeof text, " %02d:%02d", t.hour % 100, t.minute % 100);
  return DateText(t) + text;
}

std::optional<LocalDateTime> ParseDateText(std::string_view text) {
  LocalDateTime t;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  if (!Digits(text, 0, 4, t.year) || !Digits(text, 5, 2, t.month) || !Digits(text, 8, 2, t.day)) return std::nullopt;
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month)) return std::nullopt;
  return t;
}

std::optional<LocalDateTime> ParseDateTimeText(std::string_view text) {
  if (text.size() != 16 || text[10] != ' ' || text[13] != ':') return std::nullopt;
  auto t = ParseDateText(text.substr(0, 10));
  if (!t || !Digits(text, 11, 2, t->hour) || !Digits(text, 14, 2, t->minute)) return std::nullopt;
  if (t->hour > 23 || t->minute > 59) return std::nullopt;
  return t;
}

}  // namespace rp
