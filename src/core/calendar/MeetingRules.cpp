#include "calendar/MeetingRules.h"

#include <algorithm>

namespace rp {

std::optional<Meeting> MeetingRules::MeetingAt(std::int64_t now) const {
  // The last meeting that starts at or before now.
  auto after = std::upper_bound(busy_.begin(), busy_.end(), now,
                                [](std::int64_t t, const Meeting& m) { return t < m.start; });
  if (after == busy_.begin()) return std::nullopt;
  const Meeting& m = *std::prev(after);
  if (now < m.end) return m;
  return std::nullopt;
}

std::optional<Meeting> MeetingRules::NextMeeting(std::int64_t now) const {
  auto after = std::upper_bound(busy_.begin(), busy_.end(), now,
                                [](std::int64_t t, const Meeting& m) { return t < m.start; });
  if (after == busy_.end()) return std::nullopt;
  return *after;
}

MeetingDecision MeetingRules::Decide(std::int64_t now, std::int64_t due, std::int64_t breakSeconds) const {
  MeetingDecision decision;
  if (due <= now) {
    if (const std::optional<Meeting> meeting = MeetingAt(now)) {
      decision.plan = MeetingPlan::Wait;
      decision.until = meeting->end;
    }
    return decision;
  }
  if (breakSeconds <= 0 || MeetingAt(now)) return decision;
  const std::optional<Meeting> next = NextMeeting(now);
  if (!next) return decision;
  const std::int64_t breakAt = next->start - breakSeconds;
  // Due in the 10 minutes before the meeting, running into it, and the break fits before it.
  if (due < next->start - kMoveBeforeMeeting || due >= next->start || due <= breakAt || breakAt < now) return decision;
  decision.plan = MeetingPlan::MoveBefore;
  decision.breakAt = breakAt;
  decision.meeting = next->start;
  return decision;
}

}  // namespace rp
