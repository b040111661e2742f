// Fuzzes the reading of the statistics file with any bytes: every line that is not blank or a
// header is read as a day or kept as it is; a rewrite reads back the same days and keeps every
// kept line (also when the program has counted meanwhile and saves through the simulated disk);
// the chart of what was read stays inside the chart, and the figures' text is made without
// trouble, whatever numbers the file holds.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "statistics/Statistics.h"
#include "statistics/StatisticsFile.h"
#include "statistics/StatisticsView.h"
#include "sim/SimDesktop.h"

namespace {

[[noreturn]] void Broken(const char* what) {
  std::fprintf(stderr, "fuzz_statistics: %s\n", what);
  std::abort();
}

// Lines that are neither blank nor a header, as the file's reader should see them.
std::size_t ContentLines(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::size_t lines = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines += !line.empty() && !line.starts_with("date,");
  }
  return lines;
}

rp::DayRecords Kept(const rp::DayRecords& days) {
  rp::DayRecords kept;
  for (const auto& [day, figures] : days)
    if (!figures.Empty()) kept.emplace(day, figures);
  return kept;
}

void CheckChart(const rp::DayRecords& days, std::int64_t today, rp::WallClock& clock) {
  constexpr int kWidth = 9360, kHeight = 4950;  // the window's chart at its design size
  for (const rp::DrawnShape& shape : rp::ChartDrawing(days, today, kWidth, kHeight, clock)) {
    const rp::TwipsRect& r = shape.rect;
    if (r.left < 0 || r.top < 0 || r.width < 0 || r.height < 0 || r.left + r.width > kWidth || r.top + r.height > kHeight)
      Broken("a shape of the chart lies outside it");
  }
  rp::ChartDescription(days, today, clock);
  rp::FiguresText("Last 7 days", rp::SumOfDays(days, today - 6, today));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const rp::StatisticsText read = rp::ReadStatistics(text);
  if (read.days.size() + read.unreadable.size() != ContentLines(text)) Broken("a line was neither read nor kept");

  const std::string written = rp::WriteStatistics(read.days, read.unreadable);
  const rp::StatisticsText again = rp::ReadStatistics(written);
  if (again.days != Kept(read.days)) Broken("the days do not read back as they were written");
  if (again.unreadable != read.unreadable) Broken("a rewrite lost or changed a line it could not read");
  if (rp::WriteStatistics(again.days, again.unreadable) != written) Broken("a second rewrite differs");
  rp::sim::SimDesktop desktop;
  CheckChart(read.days, read.days.empty() ? 0 : read.days.rbegin()->first, desktop.clock);

  // The same file on the simulated disk, one second counted, and saved.
  const std::string path = rp::StatisticsPath(desktop.files);
  desktop.files.Add(path, {text});
  rp::Statistics statistics(desktop.platform, true);
  statistics.Load();
  statistics.record.ScreenSecond(false);
  if (!statistics.Save()) Broken("the file could not be saved on a sound disk");
  if (rp::ReadStatistics(desktop.files.Content(path)).unreadable != read.unreadable)
    Broken("saving lost or changed a line it could not read");
  return 0;
}
