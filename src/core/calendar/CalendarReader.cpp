#include "calendar/CalendarReader.h"

#include <algorithm>
#include <limits>
#include <map>
#include <string>

#include "calendar/CalendarFile.h"
#include "calendar/ZoneRules.h"

namespace rp {
namespace {

constexpr int kUtcClock = -2, kUserClock = -1;

std::int64_t FloorDay(std::int64_t seconds) { return seconds / kDaySeconds - (seconds % kDaySeconds < 0); }

// The clocks of a file's times: UTC, the user's, and each zone the file names, by the file's
// VTIMEZONE of that name or else the system's zone.
class Clocks {
 public:
  Clocks(const CalendarFile& file, TimeZones& zones, std::int64_t now, std::int64_t& budget)
      : zones_(zones), budget_(budget) {
    for (const std::string& name : file.zoneNames) {
      Source source;
      if (const auto found = file.zones.find(name); found != file.zones.end()) source.file = &found->second;
      else source.system = SystemName(name, now);
      sources_.push_back(std::move(source));
    }
  }

  static int ClockOf(const EventTime& t) { return t.utc ? kUtcClock : t.zone; }

  int Offset(int clock, std::int64_t utc) {
    if (clock == kUtcClock) return 0;
    if (clock >= 0 && sources_[clock].file) return sources_[clock].file->OffsetAt(utc, budget_);
    if (clock >= 0 && !sources_[clock].system.empty())
      if (const std::optional<int> offset = zones_.OffsetOf(sources_[clock].system, utc)) return *offset;
    return zones_.LocalOffset(utc);
  }
  std::int64_t ToUtc(int clock, std::int64_t local) {
    if (clock == kUtcClock) return local;
    return UtcOfLocal(local, [&](std::int64_t utc) { return Offset(clock, utc); });
  }
  std::int64_t ToUtc(const EventTime& t) { return ToUtc(ClockOf(t), t.seconds); }
  std::int64_t OnClock(int clock, std::int64_t utc) { return utc + Offset(clock, utc); }

 private:
  struct Source {
    const ZoneDefinition* file = nullptr;
    std::string system;  // "" when the system knows no zone by the name: the user's clock
  };
  // The name as the system knows it: "Europe/Berlin", or the end of a longer one, as some
  // programs write it ("/mozilla.org/20070129_1/Europe/Berlin").
  // At most four names are asked for: the whole, and what follows each of its last three "/".
  std::string SystemName(std::string_view name, std::int64_t now) {
    if (name.empty() || name.size() > kMaxZoneName) return {};
    if (zones_.OffsetOf(name, now)) return std::string(name);
    std::size_t end = name.size();
    for (int tries = 0; tries < 3 && end > 0; ++tries) {
      const std::size_t slash = name.rfind('/', end - 1);
      if (slash == std::string_view::npos) break;
      const std::string_view candidate = name.substr(slash + 1);
      if (!candidate.empty() && zones_.OffsetOf(candidate, now)) return std::string(candidate);
      end = slash;
    }
    return {};
  }

  static constexpr std::size_t kMaxZoneName = 256;
  TimeZones& zones_;
  std::int64_t& budget_;
  std::vector<Source> sources_;
};

class Expander {
 public:
  Expander(const CalendarFile& file, TimeZones& zones, std::int64_t now, CalendarReading& reading)
      : file_(file), clocks_(file, zones, now, budget_), now_(now), reading_(reading) {}

  void Run() {
    for (const CalendarEvent& e : file_.events)
      if (e.recurrenceId && !e.uid.empty()) overridden_[e.uid].push_back(clocks_.ToUtc(*e.recurrenceId));
    for (auto& [uid, ids] : overridden_) std::sort(ids.begin(), ids.end());
    for (const CalendarEvent& e : file_.events)
      if (!e.recurrenceId) Event(e, nullptr);
    for (const CalendarEvent& e : file_.events)
      if (e.recurrenceId) {
        const auto master = lengths_.find(e.uid);
        Event(e, master == lengths_.end() ? nullptr : &master->second);
      }
  }

  std::vector<Meeting> meetings;

 private:
  struct Length {
    bool exact = true;
    std::int64_t seconds = 0;
    std::int64_t days = 0;  // nominal days, on the event's clock
  };

  void Event(const CalendarEvent& e, const Length* masterLength) {
    if (e.start->date || e.free || e.cancelled) return;  // all day, free or cancelled: no meeting
    if (FarFromNow(e, masterLength)) return;
    Length length;
    if (e.end) length.seconds = clocks_.ToUtc(*e.end) - clocks_.ToUtc(*e.start);
    else if (e.duration) length = {false, e.duration->seconds, e.duration->days};
    else if (masterLength) length = *masterLength;
    if (!e.recurrenceId && !e.uid.empty()) lengths_[e.uid] = length;
    const std::int64_t span = length.days * kDaySeconds + length.seconds;
    if (span <= 0) return;  // ends as it starts: no time is busy
    const int clock = Clocks::ClockOf(*e.start);
    const std::int64_t from = now_ - span - 2 * kDaySeconds, to = now_ + kCalendarWindow + 2 * kDaySeconds;
    excludedReady_ = false;
    const auto occurrence = [&](std::int64_t local) { return Occurrence(e, clock, local, length); };
    if (!e.rule || e.recurrenceId) {
      if (e.start->seconds >= from && e.start->seconds < to) occurrence(e.start->seconds);
    } else {
      std::int64_t until = std::numeric_limits<std::int64_t>::max();
      if (e.rule->until)
        until = e.rule->until->date  ? e.rule->until->seconds + kDaySeconds - 1
                : e.rule->until->utc ? clocks_.OnClock(clock, e.rule->until->seconds)
                                     : e.rule->until->seconds;
      if (!ExpandRecurrence(*e.rule, e.start->seconds, from, to, until, budget_, occurrence)) ++reading_.leftOut;
    }
    if (!e.recurrenceId)
      for (const EventTime& date : e.dates)
        if (!date.date) occurrence(clocks_.OnClock(clock, clocks_.ToUtc(date)));
  }

  // An event that happens once, and on its own clock more than two days (more than any two zones
  // differ) before now or after the window: passed over before any zone is asked.
  bool FarFromNow(const CalendarEvent& e, const Length* masterLength) const {
    if ((e.rule && !e.recurrenceId) || (!e.recurrenceId && !e.dates.empty())) return false;
    if (!e.recurrenceId && !e.uid.empty() && overridden_.count(e.uid)) return false;  // its length is wanted
    std::int64_t span = 0;
    if (e.end) span = e.end->seconds - e.start->seconds;
    else if (e.duration) span = e.duration->days * kDaySeconds + e.duration->seconds;
    else if (masterLength) span = masterLength->days * kDaySeconds + masterLength->seconds;
    return e.start->seconds + std::max<std::int64_t>(span, 0) + 2 * kDaySeconds < now_ ||
           e.start->seconds - 2 * kDaySeconds >= now_ + kCalendarWindow;
  }

  // One occurrence starting at `local` on the event's clock; false once no more can be taken.
  bool Occurrence(const CalendarEvent& e, int clock, std::int64_t local, const Length& length) {
    const std::int64_t start = clocks_.ToUtc(clock, local);
    if (!e.recurrenceId && Excluded(e, start, local)) return true;
    const std::int64_t end = length.exact ? start + length.seconds
                                          : clocks_.ToUtc(clock, local + length.days * kDaySeconds) + length.seconds;
    if (end <= now_ || start >= now_ + kCalendarWindow || end <= start) return true;
    if (meetings.size() >= kMaxMeetings) {
      ++reading_.leftOut;
      return false;
    }
    meetings.push_back({start, end});
    return true;
  }

  // An EXDATE, or an occurrence moved or cancelled by an event of the same UID with its
  // RECURRENCE-ID. The EXDATEs are read once an event, at its first occurrence in the window.
  bool Excluded(const CalendarEvent& e, std::int64_t start, std::int64_t local) {
    if (!excludedReady_) {
      excludedReady_ = true;
      excludedTimes_.clear();
      excludedDays_.clear();
      for (const EventTime& x : e.exceptions)
        if (x.date) excludedDays_.push_back(FloorDay(x.seconds));
        else excludedTimes_.push_back(clocks_.ToUtc(x));
      std::sort(excludedTimes_.begin(), excludedTimes_.end());
      std::sort(excludedDays_.begin(), excludedDays_.end());
    }
    if (std::binary_search(excludedTimes_.begin(), excludedTimes_.end(), start) ||
        std::binary_search(excludedDays_.begin(), excludedDays_.end(), FloorDay(local)))
      return true;
    if (e.uid.empty()) return false;
    const auto ids = overridden_.find(e.uid);
    return ids != overridden_.end() && std::binary_search(ids->second.begin(), ids->second.end(), start);
  }

  const CalendarFile& file_;
  std::int64_t budget_ = kFileExpansionBudget;
  Clocks clocks_;
  std::int64_t now_;
  CalendarReading& reading_;
  std::map<std::string, std::vector<std::int64_t>> overridden_;
  std::map<std::string, Length> lengths_;
  bool excludedReady_ = false;
  std::vector<std::int64_t> excludedTimes_, excludedDays_;
};

}  // namespace

std::vector<Meeting> MergeMeetings(std::vector<Meeting> meetings) {
  std::sort(meetings.begin(), meetings.end(),
            [](const Meeting& a, const Meeting& b) { return a.start < b.start || (a.start == b.start && a.end < b.end); });
  std::vector<Meeting> merged;
  for (const Meeting& m : meetings) {
    if (!merged.empty() && m.start <= merged.back().end) merged.back().end = std::max(merged.back().end, m.end);
    else merged.push_back(m);
  }
  return merged;
}

CalendarReading ReadCalendar(std::string_view text, std::int64_t nowUtc, TimeZones& zones) {
  CalendarReading reading;
  if (text.size() > kMaxCalendarBytes) {
    reading.tooLarge = true;
    return reading;
  }
  const CalendarFile file = ParseCalendarFile(text);
  reading.calendar = file.calendar;
  reading.leftOut = file.leftOut;
  Expander expander(file, zones, nowUtc, reading);
  expander.Run();
  std::vector<Meeting>& meetings = expander.meetings;
  std::sort(meetings.begin(), meetings.end(), [](const Meeting& a, const Meeting& b) {
    return a.start < b.start || (a.start == b.start && a.end < b.end);
  });
  meetings.erase(std::unique(meetings.begin(), meetings.end()), meetings.end());
  reading.meetingsThisWeek = static_cast<int>(std::count_if(
      meetings.begin(), meetings.end(), [&](const Meeting& m) { return m.start < nowUtc + 7 * kDaySeconds; }));
  reading.busy = MergeMeetings(std::move(meetings));
  return reading;
}

}  // namespace rp
