#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ports/WallClock.h"
#include "runtime/Controls.h"
#include "statistics/BreakRecord.h"

namespace rp {

// How the Statistics window shows the record: the chart of the last two weeks and the figures
// as text.

inline constexpr int kChartDays = 14;

// "45 min", "1 h 05 min".
std::string FormatDuration(std::int64_t seconds);
// The days from `first` to `last`, added up.
DayFigures SumOfDays(const DayRecords& days, std::int64_t first, std::int64_t last);
// "Today: 5 h 12 min at the screen, 6 of 7 breaks taken, longest stretch 1 h 05 min", and what
// else happened, if anything: "; 1 postponed, 2 held for 9 min". Natural breaks count as taken.
// The period's name ("Today") comes in the user's language, as the text goes out.
std::string FiguresText(std::string_view period, const DayFigures& figures);

// The chart of the kChartDays days up to `today` in a chart of the given size (twips): screen
// time as bars against an hours axis, today's bar in the highlight colour, a filled mark on the
// bar for each break taken and a hollow one for each natural break, the weekday and the date
// under each bar (as the user's `clock` writes a day), and a legend above. In system colours
// only, so high contrast recolours it.
std::vector<DrawnShape> ChartDrawing(const DayRecords& days, std::int64_t today, int width, int height, WallClock& clock);
// What the chart shows, as a screen reader reads it: "Screen time per day: Wed 11/25 4 h 10 min, ...".
std::string ChartDescription(const DayRecords& days, std::int64_t today, WallClock& clock);

}  // namespace rp
