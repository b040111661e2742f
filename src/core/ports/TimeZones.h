#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace rp {

// The system's time zones, as a calendar needs them: how far a zone's clock is ahead of UTC at a
// moment. Moments are seconds since 1970-01-01 00:00 UTC.
class TimeZones {
 public:
  virtual ~TimeZones() = default;
  // Seconds the named zone's clock is ahead of UTC at `utc` (negative west of Greenwich),
  // daylight saving included; nothing when the system knows no zone of that name. The name is an
  // IANA one ("Europe/Berlin") or a Windows one ("W. Europe Standard Time").
  virtual std::optional<int> OffsetOf(std::string_view zone, std::int64_t utc) = 0;
  // The same for the user's own zone, the one the wall clock shows.
  virtual int LocalOffset(std::int64_t utc) = 0;
};

}  // namespace rp
