#include "calendar/ZoneRules.h"

#include <algorithm>
#include <limits>

namespace rp {
namespace {

// The periods one offset lookup may step through for one observance: a yearly rule with a COUNT
// from a century back takes a hundred.
constexpr std::int64_t kLookupPeriods = 400;

std::int64_t UntilOnClock(const RecurrenceRule& rule, int offset) {
  if (!rule.until) return std::numeric_limits<std::int64_t>::max();
  if (rule.until->date) return rule.until->seconds + kDaySeconds - 1;
  return rule.until->utc ? rule.until->seconds + offset : rule.until->seconds;
}

}  // namespace

int ZoneDefinition::OffsetAt(std::int64_t utc, std::int64_t& budget) const {
  std::int64_t best = std::numeric_limits<std::int64_t>::min();
  std::int64_t earliest = std::numeric_limits<std::int64_t>::max();
  int bestOffset = 0, earliestFrom = observances.empty() ? 0 : observances.front().offsetFrom;
  for (const Observance& o : observances) {
    const auto consider = [&](std::int64_t local) {
      const std::int64_t onset = local - o.offsetFrom;
      if (onset <= utc && onset > best) best = onset, bestOffset = o.offsetTo;
      if (onset < earliest) earliest = onset, earliestFrom = o.offsetFrom;
      return true;
    };
    consider(o.start);
    for (const std::int64_t date : o.dates) consider(date);
    if (!o.rule || budget <= 0) continue;
    const std::int64_t clock = utc + o.offsetFrom;
    std::int64_t periods = std::min(budget, kLookupPeriods);
    const std::int64_t before = periods;
    ExpandRecurrence(*o.rule, o.start, clock - 370 * kDaySeconds, clock + 1, UntilOnClock(*o.rule, o.offsetFrom),
                     periods, consider);
    budget -= before - std::max<std::int64_t>(periods, 0);
  }
  return best == std::numeric_limits<std::int64_t>::min() ? earliestFrom : bestOffset;
}

std::int64_t UtcOfLocal(std::int64_t local, const OffsetFunction& offset) {
  const int before = offset(local - kDaySeconds), after = offset(local + kDaySeconds);
  const bool beforeFits = offset(local - before) == before;
  const bool afterFits = before != after && offset(local - after) == after;
  if (beforeFits && afterFits) return std::min(local - before, local - after);
  if (afterFits) return local - after;
  return local - before;  // fits, or falls in the gap of a spring change
}

}  // namespace rp
