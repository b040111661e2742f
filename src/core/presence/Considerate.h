#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "ports/EventLoop.h"
#include "ports/Presence.h"
#include "runtime/Translation.h"
#include "settings/Options.h"

namespace rp {

inline constexpr std::string_view kAwayCaption = TrNoop("Away from the computer: the break is being taken");

// A hold that lasts this long lets the break fire: no reason holds a break all day.
inline constexpr std::int64_t kLongestHoldMs = 30 * 60000;
// The watch on lock and sleep is renewed this often: a window or registration lost since is made again.
inline constexpr std::int64_t kRenewWatchMs = 60000;

// Why a due break waits.
// A meeting of the user's calendar holds until it ends, however long; the others at most
// kLongestHoldMs.
enum class HoldReason { None, Presentation, FullScreen, QuietHours, Call, Video, Meeting };

// Frame1's text for a held break: "Break held: presentation", in English (for Tr); a meeting's
// names its end and is the calendar's (InMeetingText).
std::string_view HeldCaption(HoldReason reason);

// What a countdown tick does, given the user's presence.
enum class TickPlan {
  Count,     // count the second as usual
  Wait,      // count nothing: the user is away, or the due break is held
  StartOver, // the user is back from time away: the period starts over from zero
  FireHeld,  // the held break may fire now
};

// Natural breaks and held breaks: the rules that let time away count as a break and keep a
// due break from bursting into a presentation or a call. With every option off it asks the
// system nothing and every tick counts.
class ConsiderateBreaks : private SessionListener {
 public:
  ConsiderateBreaks(Presence& presence, EventLoop& loop);
  ~ConsiderateBreaks() override;
  ConsiderateBreaks(const ConsiderateBreaks&) = delete;
  ConsiderateBreaks& operator=(const ConsiderateBreaks&) = delete;

  const Options& GetOptions() const { return options_; }
  // Lock and sleep are watched from the first tick with natural breaks on, until they go off.
  void SetOptions(const Options& options);

  // Once a tick, before anything is counted.
  TickPlan BeforeTick();
  // The break is due: true when something holds it (the held reason is kept).
  bool HoldDueBreak();
  // True when something would hold a break now; asks the system only with holds on.
  bool WouldHold() { return CurrentHold() != HoldReason::None; }
  // The count starts afresh (reminding started or stopped): nothing is away or held.
  void Reset();
  // While set, told whenever the session locks or the machine goes to sleep, whatever the
  // options (a guided break ends then); lock and sleep are watched meanwhile.
  void WatchAbsence(std::function<void()> onAbsent);
  // Where the end of a meeting under way comes from (UTC seconds): the user's calendar, when set.
  void SetMeetingEnd(std::function<std::optional<std::int64_t>()> meetingEnd) { meetingEnd_ = std::move(meetingEnd); }
  // The end of the meeting that holds the break.
  std::int64_t MeetingUntil() const { return meetingUntil_; }

  bool Away() const { return away_; }
  // A lock or sleep is under way (watched with natural breaks on), whether or not away yet.
  bool Absent() const { return absentSince_.has_value(); }
  HoldReason Held() const { return held_; }

 private:
  void SessionLocked(bool locked) override;
  void MachineAsleep(bool asleep) override;
  void AbsenceChanged();
  // Input since a lock or sleep began, in an unlocked session: its end was missed.
  bool BackWithoutNotice();
  void RenewWatch();
  // Lock and sleep are watched while natural breaks are on or someone waits for an absence.
  void UpdateWatch();
  std::int64_t ThresholdMs() const;
  // How long the user has been away: the lock or sleep under way, and idleness unless a
  // program keeps the display on or a break is held (a presentation or call keeps the user).
  std::int64_t AwayMs();
  HoldReason CurrentHold();

  Presence& presence_;
  EventLoop& loop_;
  Options options_;
  bool watching_ = false;
  std::int64_t watchedAtMs_ = 0;
  bool locked_ = false, asleep_ = false;
  std::optional<std::int64_t> absentSince_;  // when the lock or sleep under way began
  bool away_ = false;
  HoldReason held_ = HoldReason::None;
  std::int64_t heldSinceMs_ = 0;
  std::function<void()> onAbsent_;
  std::function<std::optional<std::int64_t>()> meetingEnd_;
  std::int64_t meetingUntil_ = 0;
};

}  // namespace rp
