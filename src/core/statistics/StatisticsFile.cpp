#include "statistics/StatisticsFile.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>

#include "runtime/CivilTime.h"

namespace rp {
namespace {

// The columns after the date, in the file's order; times are stored in whole minutes.
struct Column {
  std::int64_t DayFigures::*field;
  bool minutes;
};
constexpr Column kColumns[] = {
    {&DayFigures::screenSeconds, true}, {&DayFigures::due, false},         {&DayFigures::announced, false},
    {&DayFigures::taken, false},        {&DayFigures::natural, false},     {&DayFigures::postponed, false},
    {&DayFigures::skipped, false},      {&DayFigures::held, false},        {&DayFigures::heldSeconds, true},
    {&DayFigures::eyeBreaks, false},    {&DayFigures::longestStretchSeconds, true},
};

// No day holds a count or a number of minutes of ten digits; a longer one is damage.
constexpr std::size_t kMostDigits = 9;

bool ReadCount(std::string_view text, std::int64_t& value) {
  if (text.empty() || text.size() > kMostDigits) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

// "2026-12-08,312,7,..." as a day, or nothing.
bool ReadDay(std::string_view line, std::int64_t& day, DayFigures& figures) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (fields.size() != 1 + std::size(kColumns)) return false;
  const auto date = ParseDateText(fields[0]);
  if (!date) return false;
  day = DaysFromCivil(date->year, date->month, date->day);
  for (std::size_t i = 0; i < std::size(kColumns); ++i) {
    std::int64_t value = 0;
    if (!ReadCount(fields[i + 1], value)) return false;
    figures.*kColumns[i].field = kColumns[i].minutes ? value * 60 : value;
  }
  return true;
}

}  // namespace

const std::string_view kStatisticsHeader =
    "date,screen_minutes,breaks_due,breaks_announced,breaks_taken,natural_breaks,postponed,skipped,held,"
    "held_minutes,eye_breaks,longest_stretch_minutes";

StatisticsText ReadStatistics(std::string_view text) {
  StatisticsText read;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a spreadsheet's UTF-8 mark
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty() || line.starts_with("date,")) continue;
    std::int64_t day = 0;
    DayFigures figures;
    if (!ReadDay(line, day, figures) || !read.days.emplace(day, figures).second) read.unreadable.emplace_back(line);
  }
  return read;
}

std::string WriteStatistics(const DayRecords& days, const std::vector<std::string>& unreadable) {
  std::vector<const DayRecords::value_type*> kept;
  for (auto it = days.rbegin(); it != days.rend() && kept.size() < kMaxStatisticsDays; ++it)
    if (!it->second.Empty()) kept.push_back(&*it);
  std::string text(kStatisticsHeader);
  text += "\r\n";
  for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
    text += DateText(CivilFromDays((*it)->first));
    for (const Column& column : kColumns) {
      const std::int64_t value = (*it)->second.*column.field;
      text += ',';
      text += std::to_string(column.minutes ? value / 60 : value);
    }
    text += "\r\n";
  }
  for (const std::string& line : unreadable) text += line + "\r\n";
  return text;
}

std::string StatisticsPath(Files& files) {
  const std::string folder = files.LocalAppDataFolder();
  if (folder.empty()) return "";
  return folder + "\\Kelvadore\\Periodic Respite Prompter\\statistics.csv";
}

}  // namespace rp
