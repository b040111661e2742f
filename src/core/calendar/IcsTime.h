#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace rp {

// The time values of an iCalendar file (RFC 5545, section 3.3). Times are counted in seconds
// since 1970-01-01 00:00 of their own clock: UTC for a time with "Z", else the clock of the
// zone that goes with it (LocalSeconds in runtime/CivilTime.h).

inline constexpr std::int64_t kDaySeconds = 86400;

struct IcsTime {
  std::int64_t seconds = 0;
  bool utc = false;   // written with "Z"
  bool date = false;  // a DATE (a whole day): the seconds are its 00:00
};

// "19970714" or "19970714T173000" or "19970714T173000Z"; nothing for anything else or a date
// that is no real date. A leap second reads as the second before it.
std::optional<IcsTime> ParseIcsTime(std::string_view value);

// A DURATION ("PT1H30M", "P1D", "P2W", "-PT15M"): whole days (nominal, kept apart because a
// day across a daylight-saving change is not 86400 seconds) and exact seconds.
struct IcsDuration {
  std::int64_t days = 0;
  std::int64_t seconds = 0;
};
std::optional<IcsDuration> ParseIcsDuration(std::string_view value);

// A UTC-OFFSET ("+0100", "-0500", "+013045") in seconds; nothing for anything else.
std::optional<int> ParseUtcOffset(std::string_view value);

}  // namespace rp
