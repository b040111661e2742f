#pragma once
#include <windows.h>

#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "ports/TimeZones.h"

namespace rp::win32 {

// The system's time zones: a Windows name ("W. Europe Standard Time") as the registry lists it
// under Time Zones, an IANA name ("Europe/Berlin") through the table of the CLDR's mapping of
// the two (its main zones); converted with SystemTimeToTzSpecificLocalTime, so with the rules
// Windows has for the zone today. The user's zone is the one Windows is set to.
class Win32TimeZones : public TimeZones {
 public:
  std::optional<int> OffsetOf(std::string_view zone, std::int64_t utc) override;
  int LocalOffset(std::int64_t utc) override;

 private:
  std::optional<TIME_ZONE_INFORMATION> Zone(std::string_view name);

  std::mutex mutex_;
  std::map<std::string, std::optional<TIME_ZONE_INFORMATION>, std::less<>> zones_;  // asked once a name
};

}  // namespace rp::win32
