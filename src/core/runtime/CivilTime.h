#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ports/WallClock.h"

namespace rp {

// Calendar arithmetic on local date and time, proleptic Gregorian, independent of any zone.

// Days since 1970-01-01 of a date, and back.
std::int64_t DaysFromCivil(int year, int month, int day);
LocalDateTime CivilFromDays(std::int64_t days);
// 0 = Sunday ... 6 = Saturday.
int Weekday(const LocalDateTime& t);
// 28 to 31.
int DaysInMonth(int year, int month);
// Seconds since 1970-01-01 00:00 of the same local clock (no zone: for ordering and spans).
std::int64_t LocalSeconds(const LocalDateTime& t);
LocalDateTime FromLocalSeconds(std::int64_t seconds);
LocalDateTime AddMinutes(const LocalDateTime& t, std::int64_t minutes);
// The same day at 00:00, and the next day at hour:minute.
LocalDateTime StartOfDay(const LocalDateTime& t);
LocalDateTime NextDayAt(const LocalDateTime& t, int hour, int minute);

// "2026-12-08 14:30", and back; a text that is not exactly that, or not a real date and time,
// reads as nothing.
std::string DateTimeText(const LocalDateTime& t);
std::optional<LocalDateTime> ParseDateTimeText(std::string_view text);
// "2026-12-08".
std::string DateText(const LocalDateTime& t);
std::optional<LocalDateTime> ParseDateText(std::string_view text);

}  // namespace rp
