#include "calendar/CalendarFile.h"

#include "calendar/IcsLines.h"

namespace rp {
namespace {

constexpr std::size_t kMaxDepth = 16;

class Parser {
 public:
  explicit Parser(CalendarFile& file) : file_(file) {}

  void Line(const IcsLine& line) {
    if (line.name == "BEGIN") return Begin(UnescapeText(line.value));
    if (line.name == "END") return End(UnescapeText(line.value));
    const std::string_view where = stack_.empty() ? std::string_view() : std::string_view(stack_.back());
    if (where == "VEVENT" && InCalendar(1)) EventProperty(line);
    else if (where == "VTIMEZONE" && InCalendar(1) && line.name == "TZID") zoneName_ = UnescapeText(line.value);
    else if ((where == "STANDARD" || where == "DAYLIGHT") && InCalendar(2) && stack_[stack_.size() - 2] == "VTIMEZONE")
      ObservanceProperty(line);
  }

 private:
  // The component `up` levels above the innermost one is a VCALENDAR.
  bool InCalendar(std::size_t up) const { return stack_.size() > up && stack_[stack_.size() - 1 - up] == "VCALENDAR"; }

  void Begin(std::string name) {
    for (char& c : name) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    if (stack_.size() >= kMaxDepth) {
      ++file_.leftOut;
      return;
    }
    if (name == "VCALENDAR") file_.calendar = true;
    stack_.push_back(std::move(name));
    const std::string& top = stack_.back();
    if (top == "VEVENT") event_ = CalendarEvent{};
    if (top == "VTIMEZONE") zone_ = ZoneDefinition{}, zoneName_.clear();
    if (top == "STANDARD" || top == "DAYLIGHT") observance_ = Observance{}, observanceFields_ = 0;
  }

  void End(std::string name) {
    for (char& c : name) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    std::size_t at = stack_.size();
    while (at > 0 && stack_[at - 1] != name) --at;
    if (at == 0) {
      ++file_.leftOut;  // an END of nothing open
      return;
    }
    file_.leftOut += stack_.size() - at;  // components left open inside it
    stack_.resize(at);
    if (name == "VEVENT" && InCalendar(1)) {
      if (event_.start) file_.events.push_back(std::move(event_));
      else ++file_.leftOut;
    } else if ((name == "STANDARD" || name == "DAYLIGHT") && InCalendar(2) && stack_[stack_.size() - 2] == "VTIMEZONE") {
      if (observanceFields_ == 7 && zone_.observances.size() < kMaxObservances) zone_.observances.push_back(observance_);
      else ++file_.leftOut;
    } else if (name == "VTIMEZONE" && InCalendar(1)) {
      if (!zoneName_.empty() && !zone_.observances.empty() && file_.zones.size() < kMaxZones)
        file_.zones[zoneName_] = std::move(zone_);
      else ++file_.leftOut;
    }
    stack_.pop_back();
  }

  std::optional<EventTime> Time(const IcsLine& line, std::string_view value) {
    const std::optional<IcsTime> t = ParseIcsTime(value);
    if (!t) return std::nullopt;
    EventTime time{t->seconds, t->utc, t->date, -1};
    const std::string_view type = line.Parameter("VALUE");
    if ((type == "DATE") != t->date && !type.empty() && type != "DATE-TIME") return std::nullopt;
    const std::string_view zone = line.Parameter("TZID");
    if (!t->utc && !t->date && !zone.empty()) time.zone = ZoneIndex(zone);
    return time;
  }

  int ZoneIndex(std::string_view name) {
    for (std::size_t i = 0; i < file_.zoneNames.size(); ++i)
      if (file_.zoneNames[i] == name) return static_cast<int>(i);
    if (file_.zoneNames.size() >= kMaxZones) return -1;  // read on the user's clock
    file_.zoneNames.emplace_back(name);
    return static_cast<int>(file_.zoneNames.size() - 1);
  }

  void Dates(const IcsLine& line, std::vector<EventTime>& dates) {
    for (const std::string_view item : SplitList(line.value)) {
      const std::optional<EventTime> t = Time(line, item);
      if (!t || dates.size() >= kMaxEventDates) ++file_.leftOut;
      else dates.push_back(*t);
    }
  }

  void EventProperty(const IcsLine& line) {
    const std::string& n = line.name;
    bool read = true;
    if (n == "UID") event_.uid = UnescapeText(line.value);
    else if (n == "DTSTART") read = (event_.start = Time(line, line.value)).has_value();
    else if (n == "DTEND") read = (event_.end = Time(line, line.value)).has_value();
    else if (n == "RECURRENCE-ID") read = (event_.recurrenceId = Time(line, line.value)).has_value();
    else if (n == "DURATION") read = (event_.duration = ParseIcsDuration(line.value)).has_value();
    else if (n == "RRULE") read = !event_.rule && (event_.rule = ParseRecurrenceRule(line.value)).has_value();
    else if (n == "EXDATE") Dates(line, event_.exceptions);
    else if (n == "RDATE") Dates(line, event_.dates);
    else if (n == "TRANSP") event_.free = UnescapeText(line.value) == "TRANSPARENT";
    else if (n == "STATUS") event_.cancelled = UnescapeText(line.value) == "CANCELLED";
    if (!read) ++file_.leftOut;
  }

  void ObservanceProperty(const IcsLine& line) {
    const std::string& n = line.name;
    bool read = true;
    if (n == "DTSTART") {
      const std::optional<IcsTime> t = ParseIcsTime(line.value);
      read = t && !t->date;
      if (read) observance_.start = t->seconds, observanceFields_ |= 1;
    } else if (n == "TZOFFSETFROM" || n == "TZOFFSETTO") {
      const std::optional<int> offset = ParseUtcOffset(line.value);
      read = offset.has_value();
      if (read && n == "TZOFFSETFROM") observance_.offsetFrom = *offset, observanceFields_ |= 2;
      if (read && n == "TZOFFSETTO") observance_.offsetTo = *offset, observanceFields_ |= 4;
    } else if (n == "RRULE") {
      read = !observance_.rule && (observance_.rule = ParseRecurrenceRule(line.value)).has_value();
    } else if (n == "RDATE") {
      for (const std::string_view item : SplitList(line.value)) {
        const std::optional<IcsTime> t = ParseIcsTime(item);
        if (t && observance_.dates.size() < kMaxObservanceDates) observance_.dates.push_back(t->seconds);
        else ++file_.leftOut;
      }
    }
    if (!read) ++file_.leftOut;
  }

  CalendarFile& file_;
  std::vector<std::string> stack_;
  CalendarEvent event_;
  ZoneDefinition zone_;
  std::string zoneName_;
  Observance observance_;
  int observanceFields_ = 0;
};

}  // namespace

CalendarFile ParseCalendarFile(std::string_view text) {
  CalendarFile file;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  Parser parser(file);
  file.leftOut += ForEachIcsLine(text, kMaxLineBytes, [&](const IcsLine& line) { parser.Line(line); });
  return file;
}

}  // namespace rp
