#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "calendar/CalendarReader.h"

namespace rp {

// How the user's meetings move a break, decided from the busy times alone (no clock, no
// window): the caller gives the time now and when the break falls due, all in seconds on one
// timeline (UTC, as the calendar reader gives the meetings).
//
// - A break due during a meeting waits until the meeting ends, however long it is: "In a
//   meeting until 15:00". Meetings that touch or overlap are one.
// - A break that would fall due in the 10 minutes before a meeting and would run into it is
//   brought forward so that it ends as the meeting starts, when it fits: that moment is not
//   past, and no meeting before takes it: "Break moved before your 14:00 meeting".

inline constexpr std::int64_t kMoveBeforeMeeting = 10 * 60;

enum class MeetingPlan {
  None,        // the break falls due as it would
  Wait,        // the break is due in a meeting: it waits until `until`
  MoveBefore,  // the break falls due at `breakAt` instead, to end as the meeting at `meeting` starts
};

struct MeetingDecision {
  MeetingPlan plan = MeetingPlan::None;
  std::int64_t until = 0;
  std::int64_t breakAt = 0;
  std::int64_t meeting = 0;
  bool operator==(const MeetingDecision&) const = default;
};

class MeetingRules {
 public:
  // The busy times, in any order; touching and overlapping ones are merged.
  void SetBusy(std::vector<Meeting> busy) { busy_ = MergeMeetings(std::move(busy)); }
  const std::vector<Meeting>& Busy() const { return busy_; }

  // The meeting under way at `now` (from its start, inclusive, to its end, exclusive).
  std::optional<Meeting> MeetingAt(std::int64_t now) const;
  // The first meeting that starts after `now`.
  std::optional<Meeting> NextMeeting(std::int64_t now) const;

  // For a break that falls due at `due` (at or before `now`: due now) and lasts `breakSeconds`
  // (0 when there are no guided breaks: nothing is brought forward).
  MeetingDecision Decide(std::int64_t now, std::int64_t due, std::int64_t breakSeconds) const;

 private:
  std::vector<Meeting> busy_;
};

}  // namespace rp
