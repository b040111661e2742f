#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "calendar/MeetingRules.h"
#include "ports/Platform.h"
#include "runtime/Timer.h"

namespace rp {

// The user's calendar as the countdown needs it: read at start and every 15 minutes in the
// background, its busy times kept in busy.csv (start and end alone, nothing of what a meeting
// is) so that they are known at start and offline. A calendar that cannot be read keeps the
// busy times it had and says so; the next reading is the next quarter of an hour's, never a
// loop. With no calendar set nothing is read, fetched or stored.
class CalendarWatch {
 public:
  static constexpr int kReadEveryMs = 15 * 60 * 1000;

  CalendarWatch(Platform& platform, std::function<void()> changed);
  ~CalendarWatch();
  CalendarWatch(const CalendarWatch&) = delete;
  CalendarWatch& operator=(const CalendarWatch&) = delete;

  // A file path or an http:// or https:// address; "" for none.
  void SetLocation(const std::string& location);
  bool On() const { return !location_.empty(); }

  // The end (UTC seconds) of the meeting under way now, if any.
  std::optional<std::int64_t> MeetingEnd();
  // What the meetings do to a break `secondsToDue` away that lasts `breakSeconds`.
  MeetingDecision Decide(std::int64_t secondsToDue, std::int64_t breakSeconds);
  // The last reading failed: the tray tip says so.
  bool NotRead() const { return notRead_; }
  std::int64_t NowUtc();

 private:
  void Read();
  void Heard(std::uint64_t reading, const Fetched& fetched);
  void LoadBusyFile();
  std::string BusyPath();

  Platform& platform_;
  std::function<void()> changed_;
  Timer timer_;
  std::string location_;
  MeetingRules rules_;
  bool notRead_ = false;
  bool reading_ = false;       // a reading is under way: the next quarter's waits for it
  std::uint64_t readings_ = 0;  // answers to an older location are not this one's
  std::shared_ptr<CalendarWatch*> self_;  // what an answer after the end finds empty
};

// busy.csv: a header, then "2026-12-09 14:00,2026-12-09 15:00" a line, in UTC; and back, leaving
// out lines that are not two times in order.
std::string WriteBusyTimes(const std::vector<Meeting>& busy);
std::vector<Meeting> ReadBusyTimes(std::string_view text);

}  // namespace rp
