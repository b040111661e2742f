#include "win32/Win32TimeZones.h"

#include <string_view>

#include "win32/Text.h"

namespace rp::win32 {
namespace {

// IANA names and the Windows zone each belongs to (the CLDR's windowsZones, territory 001 and
// the main cities of each zone).
struct Alias {
  std::string_view iana, windows;
};
constexpr Alias kAliases[] = {
    {"UTC", "UTC"}, {"Etc/UTC", "UTC"}, {"Etc/GMT", "UTC"}, {"GMT", "UTC"},
    {"Europe/London", "GMT Standard Time"}, {"Europe/Dublin", "GMT Standard Time"}, {"Europe/Lisbon", "GMT Standard Time"},
    {"Atlantic/Reykjavik", "Greenwich Standard Time"}, {"Africa/Abidjan", "Greenwich Standard Time"},
    {"Europe/Berlin", "W. Europe Standard Time"}, {"Europe/Amsterdam", "W. Europe Standard Time"},
    {"Europe/Rome", "W. Europe Standard Time"}, {"Europe/Vienna", "W. Europe Standard Time"},
    {"Europe/Zurich", "W. Europe Standard Time"}, {"Europe/Stockholm", "W. Europe Standard Time"},
    {"Europe/Oslo", "W. Europe Standard Time"}, {"Europe/Luxembourg", "W. Europe Standard Time"},
    {"Europe/Paris", "Romance Standard Time"}, {"Europe/Brussels", "Romance Standard Time"},
    {"Europe/Madrid", "Romance Standard Time"}, {"Europe/Copenhagen", "Romance Standard Time"},
    {"Europe/Warsaw", "Central European Standard Time"}, {"Europe/Zagreb", "Central European Standard Time"},
    {"Europe/Prague", "Central Europe Standard Time"}, {"Europe/Budapest", "Central Europe Standard Time"},
    {"Europe/Bratislava", "Central Europe Standard Time"}, {"Europe/Belgrade", "Central Europe Standard Time"},
    {"Europe/Athens", "GTB Standard Time"}, {"Europe/Bucharest", "GTB Standard Time"},
    {"Europe/Helsinki", "FLE Standard Time"}, {"Europe/Kiev", "FLE Standard Time"}, {"Europe/Kyiv", "FLE Standard Time"},
    {"Europe/Riga", "FLE Standard Time"}, {"Europe/Sofia", "FLE Standard Time"}, {"Europe/Tallinn", "FLE Standard Time"},
    {"Europe/Vilnius", "FLE Standard Time"}, {"Europe/Istanbul", "Turkey Standard Time"},
    {"Europe/Moscow", "Russian Standard Time"}, {"Europe/Minsk", "Belarus Standard Time"},
    {"Asia/Jerusalem", "Israel Standard Time"}, {"Africa/Cairo", "Egypt Standard Time"},
    {"Africa/Johannesburg", "South Africa Standard Time"}, {"Africa/Lagos", "W. Central Africa Standard Time"},
    {"Africa/Nairobi", "E. Africa Standard Time"}, {"Asia/Dubai", "Arabian Standard Time"},
    {"Asia/Riyadh", "Arab Standard Time"}, {"Asia/Tehran", "Iran Standard Time"},
    {"Asia/Karachi", "Pakistan Standard Time"}, {"Asia/Kolkata", "India Standard Time"},
    {"Asia/Calcutta", "India Standard Time"}, {"Asia/Kathmandu", "Nepal Standard Time"},
    {"Asia/Dhaka", "Bangladesh Standard Time"}, {"Asia/Bangkok", "SE Asia Standard Time"},
    {"Asia/Jakarta", "SE Asia Standard Time"}, {"Asia/Ho_Chi_Minh", "SE Asia Standard Time"},
    {"Asia/Shanghai", "China Standard Time"}, {"Asia/Hong_Kong", "China Standard Time"},
    {"Asia/Singapore", "Singapore Standard Time"}, {"Asia/Kuala_Lumpur", "Singapore Standard Time"},
    {"Asia/Manila", "Singapore Standard Time"}, {"Asia/Taipei", "Taipei Standard Time"},
    {"Australia/Perth", "W. Australia Standard Time"}, {"Asia/Tokyo", "Tokyo Standard Time"},
    {"Asia/Seoul", "Korea Standard Time"}, {"Australia/Adelaide", "Cen. Australia Standard Time"},
    {"Australia/Darwin", "AUS Central Standard Time"}, {"Australia/Brisbane", "E. Australia Standard Time"},
    {"Australia/Sydney", "AUS Eastern Standard Time"}, {"Australia/Melbourne", "AUS Eastern Standard Time"},
    {"Australia/Hobart", "Tasmania Standard Time"}, {"Pacific/Auckland", "New Zealand Standard Time"},
    {"Pacific/Honolulu", "Hawaiian Standard Time"}, {"America/Anchorage", "Alaskan Standard Time"},
    {"America/Los_Angeles", "Pacific Standard Time"}, {"America/Vancouver", "Pacific Standard Time"},
    {"America/Denver", "Mountain Standard Time"}, {"America/Edmonton", "Mountain Standard Time"},
    {"America/Phoenix", "US Mountain Standard Time"}, {"America/Chicago", "Central Standard Time"},
    {"America/Winnipeg", "Central Standard Time"}, {"America/Mexico_City", "Central Standard Time (Mexico)"},
    {"America/Regina", "Canada Central Standard Time"}, {"America/New_York", "Eastern Standard Time"},
    {"America/Toronto", "Eastern Standard Time"}, {"America/Detroit", "Eastern Standard Time"},
    {"America/Bogota", "SA Pacific Standard Time"}, {"America/Lima", "SA Pacific Standard Time"},
    {"America/Halifax", "Atlantic Standard Time"}, {"America/St_Johns", "Newfoundland Standard Time"},
    {"America/Sao_Paulo", "E. South America Standard Time"}, {"America/Argentina/Buenos_Aires", "Argentina Standard Time"},
    {"America/Buenos_Aires", "Argentina Standard Time"}, {"America/Santiago", "Pacific SA Standard Time"},
    {"America/Caracas", "Venezuela Standard Time"},
};

// The registry's binary TZI value of a zone.
struct RegistryTzi {
  LONG bias, standardBias, daylightBias;
  SYSTEMTIME standardDate, daylightDate;
};

constexpr std::int64_t kEpochAsFileTime = 116444736000000000LL;  // 1970-01-01 in 100 ns since 1601

bool ToSystemTime(std::int64_t seconds, SYSTEMTIME& time) {
  const ULONGLONG ticks = static_cast<ULONGLONG>(seconds * 10000000LL + kEpochAsFileTime);
  FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  return FileTimeToSystemTime(&file, &time);
}

std::int64_t Seconds(const SYSTEMTIME& time) {
  FILETIME file;
  SystemTimeToFileTime(&time, &file);
  const ULONGLONG ticks = (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
  return (static_cast<std::int64_t>(ticks) - kEpochAsFileTime) / 10000000LL;
}

// Local time minus UTC at `utc` in the zone (nullptr: the user's own), whole seconds.
std::optional<int> Offset(const TIME_ZONE_INFORMATION* zone, std::int64_t utc) {
  // Outside what a SYSTEMTIME holds the conversion fails; the calendar asks within years of now.
  if (utc < -11644473600LL || utc > 253402300799LL) return std::nullopt;
  SYSTEMTIME universal, local;
  if (!ToSystemTime(utc, universal) || !SystemTimeToTzSpecificLocalTime(zone, &universal, &local)) return std::nullopt;
  return static_cast<int>(Seconds(local) - utc);
}

}  // namespace

std::optional<TIME_ZONE_INFORMATION> Win32TimeZones::Zone(std::string_view name) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (const auto known = zones_.find(name); known != zones_.end()) return known->second;
  std::string_view windows = name;
  for (const Alias& alias : kAliases)
    if (alias.iana == name) windows = alias.windows;
  std::optional<TIME_ZONE_INFORMATION> zone;
  RegistryTzi tzi{};
  DWORD size = sizeof tzi;
  const std::wstring key = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\" + Widen(windows);
  if (windows.find('\\') == std::string_view::npos && !windows.empty() &&
      RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"TZI", RRF_RT_REG_BINARY, nullptr, &tzi, &size) == ERROR_SUCCESS &&
      size == sizeof tzi) {
    TIME_ZONE_INFORMATION info{};
    info.Bias = tzi.bias;
    info.StandardBias = tzi.standardBias;
    info.DaylightBias = tzi.daylightBias;
    info.StandardDate = tzi.standardDate;
    info.DaylightDate = tzi.daylightDate;
    zone = info;
  }
  if (zones_.size() < 512) zones_.emplace(std::string(name), zone);  // a file may name thousands
  return zone;
}

std::optional<int> Win32TimeZones::OffsetOf(std::string_view name, std::int64_t utc) {
  const std::optional<TIME_ZONE_INFORMATION> zone = Zone(name);
  if (!zone) return std::nullopt;
  return Offset(&*zone, utc);
}

int Win32TimeZones::LocalOffset(std::int64_t utc) { return Offset(nullptr, utc).value_or(0); }

}  // namespace rp::win32
