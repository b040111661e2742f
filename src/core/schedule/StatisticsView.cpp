#include "schedule/StatisticsView.h"

#include <algorithm>
#include <cstdio>

#include "runtime/CivilTime.h"

namespace rp {
namespace {

// The chart's parts, in twips.
constexpr int kLegendHeight = 240;
constexpr int kAxisWidth = 660;  // the hours' labels left of the plot
constexpr int kTextHeight = 240;
constexpr int kGap = 60;
constexpr int kMark = 90;        // the side of a break's mark
constexpr int kMarkStep = 120;   // from one mark to the next up the bar
constexpr std::int64_t kHour = 3600;

const char* const kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// "Tue" and "12-08" for a day.
std::string WeekdayOf(std::int64_t day) { return kWeekdays[Weekday(CivilFromDays(day))]; }
std::string MonthAndDay(std::int64_t day) { return DateText(CivilFromDays(day)).substr(5); }

std::string Count(std::int64_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

DrawnShape Shape(DrawnShape::Kind kind, TwipsRect rect, std::uint32_t colour, std::string text = {},
                 TextAlign align = TextAlign::Left) {
  return {kind, rect, colour, std::move(text), align};
}

// A break's mark: filled for one taken, hollow for a natural one.
void AddMark(std::vector<DrawnShape>& shapes, TwipsRect at, bool taken) {
  shapes.push_back(Shape(DrawnShape::Kind::Fill, at, taken ? kButtonTextColour : kButtonFaceColour));
  if (!taken) shapes.push_back(Shape(DrawnShape::Kind::Outline, at, kButtonTextColour));
}

// The hours at the top of the axis and between its lines: whole hours, at most six lines.
void HoursAxis(std::int64_t mostSeconds, std::int64_t& top, std::int64_t& step) {
  const std::int64_t hours = std::max<std::int64_t>(1, (mostSeconds + kHour - 1) / kHour);
  step = (hours + 5) / 6;
  top = (hours + step - 1) / step * step;
}

void AddLegend(std::vector<DrawnShape>& shapes, int left) {
  const struct {
    std::uint32_t colour;
    bool mark, taken;
    const char* text;
  } entries[] = {{kButtonShadowColour, false, false, "screen time"},
                 {kHighlightColour, false, false, "today"},
                 {0, true, true, "break taken"},
                 {0, true, false, "natural break"}};
  int x = left;
  for (const auto& e : entries) {
    const TwipsRect swatch{x, (kLegendHeight - kMark) / 2, kMark, kMark};
    if (e.mark)
      AddMark(shapes, swatch, e.taken);
    else
      shapes.push_back(Shape(DrawnShape::Kind::Fill, swatch, e.colour));
    const int width = static_cast<int>(std::string_view(e.text).size()) * 105;
    shapes.push_back(Shape(DrawnShape::Kind::Text, {x + kMark + kGap, 0, width, kLegendHeight}, kButtonTextColour, e.text));
    x += kMark + kGap + width + 3 * kGap;
  }
}

}  // namespace

std::string FormatDuration(std::int64_t seconds) {
  const std::int64_t minutes = std::max<std::int64_t>(0, seconds) / 60;
  if (minutes < 60) return std::to_string(minutes) + " min";
  char rest[8];
  std::snprintf(rest, sizeof rest, "%02d", static_cast<int>(minutes % 60));
  return std::to_string(minutes / 60) + " h " + rest + " min";
}

DayFigures SumOfDays(const DayRecords& days, std::int64_t first, std::int64_t last) {
  DayFigures sum;
  for (auto it = days.lower_bound(first); it != days.end() && it->first <= last; ++it) sum.Add(it->second);
  return sum;
}

std::string FiguresText(std::string_view period, const DayFigures& d) {
  std::string text = std::string(period) + ": " + FormatDuration(d.screenSeconds) + " at the screen, ";
  const std::int64_t breaks = d.due + d.natural;
  text += breaks == 0 ? std::string("no break due")
                      : std::to_string(d.taken + d.natural) + " of " + Count(breaks, "break", "breaks") + " taken";
  text += ", longest stretch " + FormatDuration(d.longestStretchSeconds);
  std::vector<std::string> more;
  if (d.postponed) more.push_back(std::to_string(d.postponed) + " postponed");
  if (d.skipped) more.push_back(std::to_string(d.skipped) + " skipped");
  if (d.held) more.push_back(std::to_string(d.held) + " held for " + FormatDuration(d.heldSeconds));
  if (d.eyeBreaks) more.push_back(Count(d.eyeBreaks, "eye break", "eye breaks"));
  for (std::size_t i = 0; i < more.size(); ++i) text += (i == 0 ? "; " : ", ") + more[i];
  return text;
}

std::vector<DrawnShape> ChartDrawing(const DayRecords& days, std::int64_t today, int width, int height) {
  std::vector<DrawnShape> shapes;
  const int left = kAxisWidth, right = width - kGap;
  const int top = kLegendHeight + kTextHeight, bottom = height - 2 * kTextHeight - kGap;
  if (right - left < kChartDays || bottom - top < kTextHeight) return shapes;
  AddLegend(shapes, left);
  const std::int64_t first = today - (kChartDays - 1);

  std::int64_t most = 0;
  for (std::int64_t day = first; day <= today; ++day) {
    auto it = days.find(day);
    if (it != days.end()) most = std::max(most, it->second.screenSeconds);
  }
  std::int64_t topHours = 1, step = 1;
  HoursAxis(most, topHours, step);
  const int plot = bottom - top;
  const auto heightOf = [&](std::int64_t seconds) {
    return static_cast<int>(static_cast<double>(plot) * static_cast<double>(seconds) / static_cast<double>(topHours * kHour));
  };
  for (std::int64_t hours = 0; hours <= topHours; hours += step) {
    const int y = bottom - heightOf(hours * kHour);
    shapes.push_back(Shape(DrawnShape::Kind::Line, {left, y, right - left, 0}, hours == 0 ? kButtonTextColour : kButtonShadowColour));
    shapes.push_back(Shape(DrawnShape::Kind::Text, {0, y - kTextHeight / 2, left - 2 * kGap, kTextHeight}, kButtonTextColour,
                           std::to_string(hours) + " h", TextAlign::Right));
  }

  for (int i = 0; i < kChartDays; ++i) {
    const std::int64_t day = first + i;
    const int x = left + (right - left) * i / kChartDays, column = (right - left) * (i + 1) / kChartDays - (right - left) * i / kChartDays;
    const int barWidth = column * 3 / 5, barLeft = x + (column - barWidth) / 2;
    auto it = days.find(day);
    const DayFigures figures = it == days.end() ? DayFigures{} : it->second;
    if (const int bar = heightOf(figures.screenSeconds); bar > 0)
      shapes.push_back(Shape(DrawnShape::Kind::Fill, {barLeft, bottom - bar, barWidth, bar},
                             day == today ? kHighlightColour : kButtonShadowColour));
    // Marks up the bar from its foot, as many as the plot holds.
    const int side = std::min(kMark, barWidth), capacity = plot / kMarkStep;
    const std::int64_t marks = std::min<std::int64_t>(capacity, figures.taken + figures.natural);
    for (int m = 0; m < marks; ++m) {
      const TwipsRect at{x + (column - side) / 2, bottom - (m + 1) * kMarkStep + (kMarkStep - side) / 2, side, side};
      AddMark(shapes, at, m < figures.taken);
    }
    shapes.push_back(Shape(DrawnShape::Kind::Text, {x, bottom + kGap, column, kTextHeight}, kButtonTextColour, WeekdayOf(day),
                           TextAlign::Centre));
    shapes.push_back(Shape(DrawnShape::Kind::Text, {x, bottom + kGap + kTextHeight, column, kTextHeight}, kButtonTextColour,
                           MonthAndDay(day), TextAlign::Centre));
  }
  return shapes;
}

std::string ChartDescription(const DayRecords& days, std::int64_t today) {
  std::string text = "Screen time per day:";
  for (std::int64_t day = today - (kChartDays - 1); day <= today; ++day) {
    auto it = days.find(day);
    text += ' ';
    text += WeekdayOf(day);
    text += ' ';
    text += MonthAndDay(day);
    text += day == today ? " (today) " : " ";
    text += FormatDuration(it == days.end() ? 0 : it->second.screenSeconds);
    if (day != today) text += ',';
  }
  return text;
}

}  // namespace rp
