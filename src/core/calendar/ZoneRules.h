#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "calendar/Recurrence.h"

namespace rp {

// A time zone as a calendar file defines it in a VTIMEZONE (RFC 5545, section 3.6.5): its
// STANDARD and DAYLIGHT observances, each a change of the clock's offset from UTC that happens
// at its DTSTART and again by its RRULE or at its RDATEs.
struct Observance {
  std::int64_t start = 0;  // DTSTART, on the clock before the change (TZOFFSETFROM)
  int offsetFrom = 0;
  int offsetTo = 0;
  std::optional<RecurrenceRule> rule;
  std::vector<std::int64_t> dates;  // RDATE, on the same clock
};

// The most observances a zone keeps, and RDATEs an observance.
inline constexpr std::size_t kMaxObservances = 64;
inline constexpr std::size_t kMaxObservanceDates = 64;

struct ZoneDefinition {
  std::vector<Observance> observances;
  // The offset at `utc`: that of the last change at or before it; before the first change, the
  // offset the first change changes from. Takes the periods its rules step through from
  // `budget` (at most a few hundred a call).
  int OffsetAt(std::int64_t utc, std::int64_t& budget) const;
};

// The offset from UTC of a zone's clock at a moment in UTC.
using OffsetFunction = std::function<int(std::int64_t utc)>;

// The moment in UTC of a reading of a zone's clock (seconds, as LocalSeconds counts them). A
// reading in the hour skipped in spring is taken with the offset before the change (02:30 is
// read as 03:30 summer time), and one that the clock shows twice in autumn the first time, as
// RFC 5545 says.
std::int64_t UtcOfLocal(std::int64_t local, const OffsetFunction& offset);

}  // namespace rp
