// The meeting rules with virtual time: what a break due at a moment does beside the meetings,
// as a table, and a working day on a virtual clock, break after break.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/MeetingRules.h"
#include "runtime/CivilTime.h"

namespace rp {
namespace {

// 2026-12-08 at hh:mm:ss, in seconds.
std::int64_t At(int hour, int minute, int second = 0) { return LocalSeconds({2026, 12, 8, hour, minute, second}); }

std::string Clock(std::int64_t t) { return DateTimeText(FromLocalSeconds(t)).substr(11); }

MeetingRules Day(std::vector<Meeting> meetings) {
  MeetingRules rules;
  rules.SetBusy(std::move(meetings));
  return rules;
}

TEST(MeetingRules, ABreakDueInAMeetingWaitsAndOneDueJustBeforeItIsBroughtForward) {
  const MeetingRules rules = Day({{At(14, 0), At(15, 0)}, {At(10, 0), At(11, 0)}, {At(15, 5), At(16, 0)},
                                  {At(16, 30), At(17, 0)}, {At(17, 0), At(17, 45)}, {At(17, 15), At(17, 30)}});
  const MeetingDecision none;
  const auto wait = [](std::int64_t until) { return MeetingDecision{MeetingPlan::Wait, until, 0, 0}; };
  const auto move = [](std::int64_t at, std::int64_t meeting) {
    return MeetingDecision{MeetingPlan::MoveBefore, 0, at, meeting};
  };
  const struct {
    std::int64_t now, due, length;
    MeetingDecision expected;
    const char* why;
  } cases[] = {
      {At(10, 30), At(10, 30), 300, wait(At(11, 0)), "due in a meeting"},
      {At(10, 30), At(10, 0), 300, wait(At(11, 0)), "due at its start, still waiting"},
      {At(10, 0), At(10, 0), 0, wait(At(11, 0)), "without guided breaks too"},
      {At(11, 0), At(11, 0), 300, none, "the meeting has ended"},
      {At(9, 59, 59), At(9, 59, 59), 300, none, "due the second before: it comes"},
      {At(16, 45), At(16, 45), 300, wait(At(17, 45)), "back-to-back and overlapping meetings are one"},
      {At(13, 40), At(13, 57), 300, move(At(13, 55), At(14, 0)), "brought forward to end as it starts"},
      {At(13, 40), At(13, 50), 300, none, "it ends before the meeting anyway"},
      {At(13, 40), At(13, 50), 900, move(At(13, 45), At(14, 0)), "a long break, 10 minutes before"},
      {At(13, 40), At(13, 49, 59), 900, none, "more than 10 minutes before"},
      {At(13, 50), At(13, 58), 900, none, "it no longer fits before the meeting"},
      {At(13, 56), At(13, 58), 240, move(At(13, 56), At(14, 0)), "it fits exactly: now"},
      {At(13, 40), At(13, 57), 0, none, "no guided breaks: nothing is brought forward"},
      {At(15, 1), At(15, 4), 300, none, "the gap between meetings is too short"},
      {At(14, 59), At(15, 3), 120, none, "in a meeting: nothing is brought forward yet"},
      {At(15, 0), At(15, 4), 120, move(At(15, 3), At(15, 5)), "a short break in a short gap"},
      {At(18, 0), At(18, 0), 300, none, "no meeting after"},
  };
  for (const auto& c : cases) EXPECT_EQ(rules.Decide(c.now, c.due, c.length), c.expected) << c.why;
  EXPECT_EQ(rules.Busy().size(), 4u);
  EXPECT_EQ(rules.MeetingAt(At(17, 44, 59))->end, At(17, 45));
  EXPECT_FALSE(rules.MeetingAt(At(17, 45)));
  EXPECT_EQ(rules.NextMeeting(At(10, 0))->start, At(14, 0));
}

// A day on a virtual clock, minute by minute: a period of 45 minutes, a guided break of 10, and
// the next period from the end of each break. What the program would show, in order.
std::vector<std::string> WorkingDay(const MeetingRules& rules, std::int64_t from, std::int64_t to) {
  constexpr std::int64_t kPeriod = 45 * 60, kBreak = 10 * 60;
  std::vector<std::string> shown;
  std::int64_t due = from + kPeriod;
  bool waiting = false;
  for (std::int64_t now = from; now < to; now += 60) {
    const MeetingDecision d = rules.Decide(now, due, kBreak);
    if (d.plan == MeetingPlan::Wait) {
      if (!waiting) shown.push_back(Clock(now) + " In a meeting until " + Clock(d.until));
      waiting = true;
      continue;
    }
    if (d.plan == MeetingPlan::MoveBefore && d.breakAt <= now) {
      shown.push_back(Clock(now) + " Break moved before your " + Clock(d.meeting) + " meeting");
      due = now;
    }
    if (due <= now) {
      shown.push_back(Clock(now) + " break");
      waiting = false;
      due = now + kBreak + kPeriod;
    }
  }
  return shown;
}

TEST(MeetingRules, AWorkingDayOfMeetingsOnAVirtualClock) {
  const MeetingRules rules = Day({{At(10, 0), At(10, 30)}, {At(10, 30), At(11, 0)}, {At(14, 45), At(15, 45)}});
  EXPECT_EQ(WorkingDay(rules, At(8, 0), At(17, 0)), (std::vector<std::string>{
                                                        "08:45 break",
                                                        "09:40 break",
                                                        "10:35 In a meeting until 11:00",
                                                        "11:00 break",
                                                        "11:55 break",
                                                        "12:50 break",
                                                        "13:45 break",
                                                        "14:35 Break moved before your 14:45 meeting",
                                                        "14:35 break",
                                                        "15:30 In a meeting until 15:45",
                                                        "15:45 break",
                                                        "16:40 break",
                                                    }));
  // With no meetings known (none read yet, or a calendar that stopped answering before it was
  // ever read) the day runs as without a calendar.
  EXPECT_EQ(WorkingDay(Day({}), At(8, 0), At(10, 0)), (std::vector<std::string>{"08:45 break", "09:40 break"}));
}

}  // namespace
}  // namespace rp
