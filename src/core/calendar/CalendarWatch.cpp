#include "calendar/CalendarWatch.h"

#include "calendar/CalendarTexts.h"
#include "runtime/AtomicFile.h"
#include "runtime/CivilTime.h"

namespace rp {
namespace {

constexpr std::string_view kBusyHeader = "start_utc,end_utc";

}  // namespace

std::string WriteBusyTimes(const std::vector<Meeting>& busy) {
  std::string text = std::string(kBusyHeader) + "\r\n";
  for (const Meeting& m : busy)
    text += DateTimeText(FromLocalSeconds(m.start)) + "," + DateTimeText(FromLocalSeconds(m.end)) + "\r\n";
  return text;
}

std::vector<Meeting> ReadBusyTimes(std::string_view text) {
  std::vector<Meeting> busy;
  while (!text.empty() && busy.size() < kMaxMeetings) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos) continue;
    const auto start = ParseDateTimeText(line.substr(0, comma));
    const auto stop = ParseDateTimeText(line.substr(comma + 1));
    if (!start || !stop || LocalSeconds(*stop) <= LocalSeconds(*start)) continue;
    busy.push_back({LocalSeconds(*start), LocalSeconds(*stop)});
  }
  return busy;
}

CalendarWatch::CalendarWatch(Platform& platform, std::function<void()> changed)
    : platform_(platform),
      changed_(std::move(changed)),
      timer_(platform.ui, [this] { Read(); }),
      self_(std::make_shared<CalendarWatch*>(this)) {}

CalendarWatch::~CalendarWatch() { *self_ = nullptr; }

void CalendarWatch::SetLocation(const std::string& location) {
  if (location == location_) return;
  const bool first = location_.empty();
  location_ = location;
  ++readings_;
  reading_ = false;
  notRead_ = false;
  timer_.SetInterval(0);
  if (location_.empty()) {
    rules_.SetBusy({});
    return;
  }
  // What was known of the last calendar holds until this one is read.
  if (first) LoadBusyFile();
  timer_.SetInterval(kReadEveryMs);
  Read();
}

std::optional<std::int64_t> CalendarWatch::MeetingEnd() {
  if (!On()) return std::nullopt;
  const std::optional<Meeting> meeting = rules_.MeetingAt(NowUtc());
  if (!meeting) return std::nullopt;
  return meeting->end;
}

MeetingDecision CalendarWatch::Decide(std::int64_t secondsToDue, std::int64_t breakSeconds) {
  if (!On() || rules_.Busy().empty()) return {};
  const std::int64_t now = NowUtc();
  return rules_.Decide(now, now + secondsToDue, breakSeconds);
}

std::int64_t CalendarWatch::NowUtc() { return UtcOfUserClock(platform_.clock.LocalNow(), platform_.zones); }

void CalendarWatch::Read() {
  if (reading_ || location_.empty()) return;
  reading_ = true;
  platform_.fetcher.FetchLater(location_, kMaxCalendarBytes,
                               [self = std::weak_ptr<CalendarWatch*>(self_), reading = readings_](Fetched fetched) {
                                 if (const auto alive = self.lock(); alive && *alive) (*alive)->Heard(reading, fetched);
                               });
}

void CalendarWatch::Heard(std::uint64_t reading, const Fetched& fetched) {
  if (reading != readings_) return;  // the location changed meanwhile
  reading_ = false;
  const CalendarCheck check = CheckCalendar(fetched, NowUtc(), platform_.zones);
  notRead_ = !check.read;
  if (check.read) {
    rules_.SetBusy(check.reading.busy);
    const std::string path = BusyPath();
    if (!path.empty()) WriteFileInOneStep(platform_.files, path, WriteBusyTimes(rules_.Busy()));
  }
  if (changed_) changed_();
}

void CalendarWatch::LoadBusyFile() {
  const std::string path = BusyPath();
  if (path.empty()) return;
  if (const std::optional<std::string> text = platform_.files.ReadFile(path)) rules_.SetBusy(ReadBusyTimes(*text));
}

std::string CalendarWatch::BusyPath() {
  const std::string folder = platform_.files.LocalAppDataFolder();
  if (folder.empty()) return "";
  return folder + "\\Kelvadore\\Periodic Respite Prompter\\busy.csv";
}

}  // namespace rp
