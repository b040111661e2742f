#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ports/TimeZones.h"

namespace rp::sim {

// The system's time zones on the simulated desktop: a small table of zones with today's rules
// (Europe/Berlin, Europe/London, America/New_York, America/Los_Angeles, Australia/Sydney,
// Asia/Tokyo, Asia/Kolkata, UTC), each by its IANA and its Windows name. The user's own zone is
// one of them, UTC unless a test sets another.
class SimTimeZones : public TimeZones {
 public:
  std::optional<int> OffsetOf(std::string_view zone, std::int64_t utc) override;
  int LocalOffset(std::int64_t utc) override;

  std::string localZone = "UTC";
  int lookups = 0;  // how often a zone was asked for
};

}  // namespace rp::sim
