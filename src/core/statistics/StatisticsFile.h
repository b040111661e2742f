#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Files.h"
#include "statistics/BreakRecord.h"

namespace rp {

// The statistics file: a header line, then one line per day, oldest first, in plain
// comma-separated values with ISO dates and times in whole minutes, so that any spreadsheet
// reads it:
//   date,screen_minutes,breaks_due,...,longest_stretch_minutes
//   2026-12-08,312,7,7,6,0,1,0,1,4,0,65
inline constexpr std::size_t kMaxStatisticsDays = 3660;
extern const std::string_view kStatisticsHeader;

struct StatisticsText {
  DayRecords days;
  // Lines that are not a day (damaged, edited, from another program), kept as they are so that
  // a rewrite never drops them; a second line for a day already read is one of them too.
  std::vector<std::string> unreadable;
};

// Reads any text: blank lines and header lines are passed over, every other line is a day or
// kept as unreadable.
StatisticsText ReadStatistics(std::string_view text);
// The header and the newest kMaxStatisticsDays days that hold anything, then the unreadable
// lines; each line ends with CR LF.
std::string WriteStatistics(const DayRecords& days, const std::vector<std::string>& unreadable = {});

// %LOCALAPPDATA%\Kelvadore\Periodic Respite Prompter\statistics.csv; "" when the system names
// no such folder.
std::string StatisticsPath(Files& files);

}  // namespace rp
