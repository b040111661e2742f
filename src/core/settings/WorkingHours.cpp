#include "settings/WorkingHours.h"

#include <cctype>
#include <cstdio>

#include "runtime/CivilTime.h"
#include "runtime/Translation.h"

namespace rp {
namespace {

// Stored and typed in English ("Mon,Tue"); shown in the user's language.
constexpr const char* kWeekdays[] = {
    // TRANSLATORS: Sunday, abbreviated, as in "Outside working hours until Sun 08:00" and under the statistics chart
    TrNoop("Sun"),
    // TRANSLATORS: Monday, abbreviated, as in "Outside working hours until Mon 08:00" and under the statistics chart
    TrNoop("Mon"),
    // TRANSLATORS: Tuesday, abbreviated, as in "Outside working hours until Tue 08:00" and under the statistics chart
    TrNoop("Tue"),
    // TRANSLATORS: Wednesday, abbreviated, as in "Outside working hours until Wed 08:00" and under the statistics chart
    TrNoop("Wed"),
    // TRANSLATORS: Thursday, abbreviated, as in "Outside working hours until Thu 08:00" and under the statistics chart
    TrNoop("Thu"),
    // TRANSLATORS: Friday, abbreviated, as in "Outside working hours until Fri 08:00" and under the statistics chart
    TrNoop("Fri"),
    // TRANSLATORS: Saturday, abbreviated, as in "Outside working hours until Sat 08:00" and under the statistics chart
    TrNoop("Sat"),
};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool Digit(char c) { return c >= '0' && c <= '9'; }

// "8:00" or "08:00" as minutes after midnight; "24:00" only where it may end the hours.
bool ParseClock(std::string_view text, bool mayBeMidnightAfter, int& minutes) {
  const std::size_t colon = text.find(':');
  if (colon < 1 || colon > 2 || text.size() != colon + 3) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (i != colon && !Digit(text[i])) return false;
  const int hour = colon == 1 ? text[0] - '0' : (text[0] - '0') * 10 + text[1] - '0';
  const int minute = (text[colon + 1] - '0') * 10 + text[colon + 2] - '0';
  if (minute > 59) return false;
  if (hour == 24 && minute == 0 && mayBeMidnightAfter) {
    minutes = 0;
    return true;
  }
  if (hour > 23) return false;
  minutes = hour * 60 + minute;
  return true;
}

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

LocalDateTime At(const LocalDateTime& day, int minutes) {
  LocalDateTime t = StartOfDay(day);
  t.hour = minutes / 60;
  t.minute = minutes % 60;
  return t;
}

}  // namespace

std::string WeekdayName(int weekday) { return Tr(kWeekdays[weekday % 7]); }

bool WorkingHours::Contains(const LocalDateTime& t) const {
  const int weekday = Weekday(t);
  const auto workDay = [&](int d) { return days == 0 || ((days >> d) & 1) != 0; };
  if (!HasHours()) return workDay(weekday);
  const int minute = t.hour * 60 + t.minute;
  if (startMinute < endMinute) return workDay(weekday) && minute >= startMinute && minute < endMinute;
  // Past midnight: the evening of a working day, or the small hours after one.
  return (workDay(weekday) && minute >= startMinute) || (workDay((weekday + 6) % 7) && minute < endMinute);
}

LocalDateTime WorkingHours::NextStart(const LocalDateTime& t) const {
  const std::int64_t now = LocalSeconds(t);
  const std::int64_t today = DaysFromCivil(t.year, t.month, t.day);
  for (std::int64_t day = today; day <= today + 7; ++day) {
    const LocalDateTime start = At(CivilFromDays(day), HasHours() ? startMinute : 0);
    const int weekday = Weekday(start);
    if ((days == 0 || ((days >> weekday) & 1) != 0) && LocalSeconds(start) > now) return start;
  }
  return At(CivilFromDays(today + 1), 0);  // only for hours that are never left
}

bool ParseWorkHours(std::string_view text, WorkingHours& hours, std::string& problem) {
  text = Trim(text);
  int start = 0, end = 0;
  if (!text.empty()) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos || !ParseClock(Trim(text.substr(0, dash)), false, start) ||
        !ParseClock(Trim(text.substr(dash + 1)), true, end)) {
      // TRANSLATORS: the hours are typed as shown, on a 24-hour clock, whatever the language
      problem = Tr("Write the hours as 08:00-18:00.");
      return false;
    }
    if (start == end) {
      problem = Tr("The hours must end at another time than they start.");
      return false;
    }
  }
  hours.startMinute = start;
  hours.endMinute = end;
  return true;
}

bool ParseWorkDays(std::string_view text, WorkingHours& hours, std::string& problem) {
  std::uint8_t days = 0;
  while (!Trim(text).empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view name = Trim(text.substr(0, comma));
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    if (name.empty()) continue;  // "Mon,,Tue" or a comma at the end
    int weekday = 0;
    while (weekday < 7 && !SameLetters(name, kWeekdays[weekday])) ++weekday;
    if (weekday == 7) {
      // TRANSLATORS: {day} is what the user typed; the days are typed in English, so keep "Mon,Tue,Wed"
      problem = Fill(Tr("\"{day}\" is not a day: write the days as Mon,Tue,Wed."), {{"day", name}});
      return false;
    }
    days = static_cast<std::uint8_t>(days | (1 << weekday));
  }
  hours.days = days;
  return true;
}

std::string WorkHoursText(const WorkingHours& hours) {
  if (!hours.HasHours()) return "";
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d-%02d:%02d", hours.startMinute / 60 % 100, hours.startMinute % 60,
                hours.endMinute / 60 % 100, hours.endMinute % 60);
  return text;
}

std::string WorkDaysText(const WorkingHours& hours) {
  std::string text;
  for (int i = 1; i <= 7; ++i) {  // Monday first
    if (((hours.days >> (i % 7)) & 1) == 0) continue;
    if (!text.empty()) text += ',';
    text += kWeekdays[i % 7];
  }
  return text;
}

}  // namespace rp
