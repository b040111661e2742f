#include "sim/SimTimeZones.h"

#include <vector>

#include "calendar/Recurrence.h"
#include "calendar/ZoneRules.h"
#include "runtime/CivilTime.h"

namespace rp::sim {
namespace {

struct Change {
  const char* rule;  // the yearly RRULE of the change; nullptr for a zone without one
  LocalDateTime first;
};

struct Zone {
  const char* iana;
  const char* windows;
  int standard;  // seconds east of UTC
  int daylight;  // the same in summer time
  Change toDaylight, toStandard;
};

constexpr int kHour = 3600;

const Zone kZones[] = {
    {"UTC", "UTC", 0, 0, {}, {}},
    {"Europe/Berlin", "W. Europe Standard Time", kHour, 2 * kHour,
     {"FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU", {1981, 3, 29, 2}}, {"FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU", {1996, 10, 27, 3}}},
    {"Europe/London", "GMT Standard Time", 0, kHour,
     {"FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU", {1981, 3, 29, 1}}, {"FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU", {1996, 10, 27, 2}}},
    {"America/New_York", "Eastern Standard Time", -5 * kHour, -4 * kHour,
     {"FREQ=YEARLY;BYMONTH=3;BYDAY=2SU", {2007, 3, 11, 2}}, {"FREQ=YEARLY;BYMONTH=11;BYDAY=1SU", {2007, 11, 4, 2}}},
    {"America/Los_Angeles", "Pacific Standard Time", -8 * kHour, -7 * kHour,
     {"FREQ=YEARLY;BYMONTH=3;BYDAY=2SU", {2007, 3, 11, 2}}, {"FREQ=YEARLY;BYMONTH=11;BYDAY=1SU", {2007, 11, 4, 2}}},
    {"Australia/Sydney", "AUS Eastern Standard Time", 10 * kHour, 11 * kHour,
     {"FREQ=YEARLY;BYMONTH=10;BYDAY=1SU", {2008, 10, 5, 2}}, {"FREQ=YEARLY;BYMONTH=4;BYDAY=1SU", {2008, 4, 6, 3}}},
    {"Asia/Tokyo", "Tokyo Standard Time", 9 * kHour, 9 * kHour, {}, {}},
    {"Asia/Kolkata", "India Standard Time", 5 * kHour + 1800, 5 * kHour + 1800, {}, {}},
};

const Zone* Find(std::string_view name) {
  for (const Zone& z : kZones)
    if (name == z.iana || name == z.windows || (name == "Etc/UTC" && z.standard == 0 && z.daylight == 0)) return &z;
  return nullptr;
}

ZoneDefinition Definition(const Zone& zone) {
  ZoneDefinition definition;
  const auto add = [&](const Change& change, int from, int to) {
    Observance o;
    o.start = LocalSeconds(change.first);
    o.offsetFrom = from;
    o.offsetTo = to;
    o.rule = ParseRecurrenceRule(change.rule);
    definition.observances.push_back(o);
  };
  add(zone.toDaylight, zone.standard, zone.daylight);
  add(zone.toStandard, zone.daylight, zone.standard);
  return definition;
}

int OffsetIn(const Zone& zone, std::int64_t utc) {
  if (!zone.toDaylight.rule) return zone.standard;
  // Each zone's rules read once, for all the simulated desktops of a process.
  static const std::vector<ZoneDefinition> definitions = [] {
    std::vector<ZoneDefinition> all;
    for (const Zone& z : kZones) all.push_back(z.toDaylight.rule ? Definition(z) : ZoneDefinition{});
    return all;
  }();
  std::int64_t budget = 1000;
  return definitions[static_cast<std::size_t>(&zone - kZones)].OffsetAt(utc, budget);
}

}  // namespace

std::optional<int> SimTimeZones::OffsetOf(std::string_view zone, std::int64_t utc) {
  ++lookups;
  const Zone* found = Find(zone);
  if (!found) return std::nullopt;
  return OffsetIn(*found, utc);
}

int SimTimeZones::LocalOffset(std::int64_t utc) {
  ++lookups;
  const Zone* found = Find(localZone);
  return found ? OffsetIn(*found, utc) : 0;
}

}  // namespace rp::sim
