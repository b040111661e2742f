#include "calendar/IcsTime.h"

#include "runtime/CivilTime.h"

namespace rp {
namespace {

bool Digits(std::string_view text, std::size_t pos, std::size_t width, int& value) {
  if (pos + width > text.size()) return false;
  value = 0;
  for (std::size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

std::optional<IcsTime> ParseIcsTime(std::string_view value) {
  IcsTime time;
  LocalDateTime t;
  if (value.size() != 8 && value.size() != 15 && value.size() != 16) return std::nullopt;
  if (!Digits(value, 0, 4, t.year) || !Digits(value, 4, 2, t.month) || !Digits(value, 6, 2, t.day)) return std::nullopt;
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month)) return std::nullopt;
  if (value.size() == 8) {
    time.date = true;
  } else {
    if (value[8] != 'T' || !Digits(value, 9, 2, t.hour) || !Digits(value, 11, 2, t.minute) ||
        !Digits(value, 13, 2, t.second))
      return std::nullopt;
    if (t.hour > 23 || t.minute > 59 || t.second > 60) return std::nullopt;
    if (t.second == 60) t.second = 59;
    if (value.size() == 16) {
      if (value[15] != 'Z') return std::nullopt;
      time.utc = true;
    }
  }
  time.seconds = LocalSeconds(t);
  return time;
}

std::optional<IcsDuration> ParseIcsDuration(std::string_view value) {
  bool negative = false;
  if (!value.empty() && (value[0] == '+' || value[0] == '-')) {
    negative = value[0] == '-';
    value.remove_prefix(1);
  }
  if (value.empty() || value[0] != 'P') return std::nullopt;
  value.remove_prefix(1);
  IcsDuration d;
  bool inTime = false, any = false;
  std::int64_t number = 0;
  int digits = 0;
  // Each unit at most once and in order (W, D, then H, M, S after T), so that no text can add
  // up a duration past what the arithmetic holds.
  const std::string_view kUnits = "WDHMS";
  std::size_t nextUnit = 0;
  for (const char c : value) {
    if (c >= '0' && c <= '9') {
      if (++digits > 9) return std::nullopt;  // no meeting lasts a billion units
      number = number * 10 + (c - '0');
      continue;
    }
    if (c == 'T' && !inTime && digits == 0) {
      inTime = true;
      continue;
    }
    const std::size_t unit = kUnits.find(c);
    if (digits == 0 || unit == std::string_view::npos || unit < nextUnit) return std::nullopt;
    nextUnit = unit + 1;
    if (!inTime && c == 'W') d.days += number * 7;
    else if (!inTime && c == 'D') d.days += number;
    else if (inTime && c == 'H') d.seconds += number * 3600;
    else if (inTime && c == 'M') d.seconds += number * 60;
    else if (inTime && c == 'S') d.seconds += number;
    else return std::nullopt;
    number = 0;
    digits = 0;
    any = true;
  }
  if (!any || digits != 0 || (inTime && nextUnit <= 2)) return std::nullopt;  // a T with no time after it
  if (negative) {
    d.days = -d.days;
    d.seconds = -d.seconds;
  }
  return d;
}

std::optional<int> ParseUtcOffset(std::string_view value) {
  if (value.size() != 5 && value.size() != 7) return std::nullopt;
  if (value[0] != '+' && value[0] != '-') return std::nullopt;
  int hours = 0, minutes = 0, seconds = 0;
  if (!Digits(value, 1, 2, hours) || !Digits(value, 3, 2, minutes)) return std::nullopt;
  if (value.size() == 7 && !Digits(value, 5, 2, seconds)) return std::nullopt;
  if (hours > 23 || minutes > 59 || seconds > 59) return std::nullopt;
  const int offset = hours * 3600 + minutes * 60 + seconds;
  return value[0] == '-' ? -offset : offset;
}

}  // namespace rp
