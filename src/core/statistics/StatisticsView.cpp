#include "statistics/StatisticsView.h"

#include <algorithm>
#include <cstdio>

#include "runtime/CivilTime.h"
#include "runtime/Translation.h"
#include "settings/WorkingHours.h"

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

// "Tue" and, as the user's clock writes it, "8.12." for a day.
std::string WeekdayOf(std::int64_t day) { return WeekdayName(Weekday(CivilFromDays(day))); }
std::string MonthAndDay(std::int64_t day, WallClock& clock) {
  const LocalDateTime date = CivilFromDays(day);
  return clock.FormatMonthAndDay(date.year, date.month, date.day);
}

// A Chinese, Japanese or Korean character, drawn twice as wide as a Latin one.
bool IsWide(unsigned point) {
  return (point >= 0x1100 && point <= 0x115F) || (point >= 0x2E80 && point <= 0xA4CF) || (point >= 0xAC00 && point <= 0xD7A3) ||
         (point >= 0xF900 && point <= 0xFAFF) || (point >= 0xFE30 && point <= 0xFE4F) || (point >= 0xFF00 && point <= 0xFF60) ||
         (point >= 0xFFE0 && point <= 0xFFE6);
}

// The text's width in half-width cells, not bytes: a translated legend takes the room it needs.
int Cells(std::string_view text) {
  const auto byte = [&](std::size_t at) { return at < text.size() ? static_cast<unsigned char>(text[at]) : 0u; };
  int cells = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned lead = byte(i);
    if ((lead & 0xC0) == 0x80) continue;  // inside a character
    if (lead >= 0xF0)
      cells += 2;  // beyond the basic plane: CJK extensions, emoji
    else if (lead >= 0xE0)
      cells += IsWide(((lead & 0x0Fu) << 12) | ((byte(i + 1) & 0x3Fu) << 6) | (byte(i + 2) & 0x3Fu)) ? 2 : 1;
    else
      cells += 1;
  }
  return cells;
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
  } entries[] = {
      // TRANSLATORS: the statistics chart's legend: what the bars show
      {kButtonShadowColour, false, false, TrNoop("screen time")},
      // TRANSLATORS: the statistics chart's legend: the colour of today's bar
      {kHighlightColour, false, false, TrNoop("today")},
      // TRANSLATORS: the statistics chart's legend: a filled mark is a break taken
      {0, true, true, TrNoop("break taken")},
      // TRANSLATORS: the statistics chart's legend: a hollow mark is time away counted as a break
      {0, true, false, TrNoop("natural break")},
  };
  int x = left;
  for (const auto& e : entries) {
    const TwipsRect swatch{x, (kLegendHeight - kMark) / 2, kMark, kMark};
    if (e.mark)
      AddMark(shapes, swatch, e.taken);
    else
      shapes.push_back(Shape(DrawnShape::Kind::Fill, swatch, e.colour));
    std::string text = Tr(e.text);
    const int width = Cells(text) * 105;
    shapes.push_back(Shape(DrawnShape::Kind::Text, {x + kMark + kGap, 0, width, kLegendHeight}, kButtonTextColour, std::move(text)));
    x += kMark + kGap + width + 3 * kGap;
  }
}

}  // namespace

std::string FormatDuration(std::int64_t seconds) {
  const std::int64_t minutes = std::max<std::int64_t>(0, seconds) / 60;
  // TRANSLATORS: a length of time, "45 min"; abbreviate as your language does
  if (minutes < 60) return Fill(Tr("{minutes} min"), {{"minutes", std::to_string(minutes)}});
  char rest[8];
  std::snprintf(rest, sizeof rest, "%02d", static_cast<int>(minutes % 60));
  // TRANSLATORS: a length of time, "1 h 05 min"; abbreviate as your language does
  return Fill(Tr("{hours} h {minutes} min"), {{"hours", std::to_string(minutes / 60)}, {"minutes", rest}});
}

DayFigures SumOfDays(const DayRecords& days, std::int64_t first, std::int64_t last) {
  DayFigures sum;
  for (auto it = days.lower_bound(first); it != days.end() && it->first <= last; ++it) sum.Add(it->second);
  return sum;
}

std::string FiguresText(std::string_view period, const DayFigures& d) {
  const std::string screen = FormatDuration(d.screenSeconds), stretch = FormatDuration(d.longestStretchSeconds);
  const std::int64_t breaks = d.due + d.natural;
  std::string text =
      breaks == 0
          // TRANSLATORS: {period} is "Today" or "Last 7 days"; {screen} and {stretch} are lengths of time like
          // "1 h 05 min"
          ? Fill(Tr("{period}: {screen} at the screen, no break due, longest stretch {stretch}"),
                 {{"period", period}, {"screen", screen}, {"stretch", stretch}})
          // TRANSLATORS: {period} is "Today" or "Last 7 days"; {screen} and {stretch} are lengths of time like
          // "1 h 05 min"; {taken} of {count} breaks were taken
          : Fill(TrPlural("{period}: {screen} at the screen, {taken} of {count} break taken, longest stretch {stretch}",
                          "{period}: {screen} at the screen, {taken} of {count} breaks taken, longest stretch {stretch}",
                          breaks),
                 {{"period", period},
                  {"screen", screen},
                  {"taken", std::to_string(d.taken + d.natural)},
                  {"count", std::to_string(breaks)},
                  {"stretch", stretch}});
  // What else happened: a list after the sentence above.
  std::vector<std::string> more;
  const auto counted = [](const std::string& pattern, std::int64_t n) {
    return Fill(pattern, {{"count", std::to_string(n)}});
  };
  // TRANSLATORS: in the statistics window: {count} breaks were postponed
  if (d.postponed) more.push_back(counted(TrPlural("{count} postponed", "{count} postponed", d.postponed), d.postponed));
  // TRANSLATORS: in the statistics window: {count} breaks were skipped
  if (d.skipped) more.push_back(counted(TrPlural("{count} skipped", "{count} skipped", d.skipped), d.skipped));
  if (d.held)
    more.push_back(Fill(
        // TRANSLATORS: in the statistics window: {count} breaks were held (put off during a presentation or call)
        // for {time} in all, a length of time like "9 min"
        TrPlural("{count} held for {time}", "{count} held for {time}", d.held),
        {{"count", std::to_string(d.held)}, {"time", FormatDuration(d.heldSeconds)}}));
  // TRANSLATORS: in the statistics window: short breaks to rest the eyes
  if (d.eyeBreaks) more.push_back(counted(TrPlural("{count} eye break", "{count} eye breaks", d.eyeBreaks), d.eyeBreaks));
  for (std::size_t i = 0; i < more.size(); ++i) text += (i == 0 ? "; " : ", ") + more[i];
  return text;
}

std::vector<DrawnShape> ChartDrawing(const DayRecords& days, std::int64_t today, int width, int height,
                                     WallClock& clock) {
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
                           // TRANSLATORS: a number of hours on the statistics chart's axis, abbreviated
                           Fill(Tr("{hours} h"), {{"hours", std::to_string(hours)}}), TextAlign::Right));
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
                           MonthAndDay(day, clock), TextAlign::Centre));
  }
  return shapes;
}

std::string ChartDescription(const DayRecords& days, std::int64_t today, WallClock& clock) {
  // TRANSLATORS: what the statistics chart shows, as a screen reader reads it; a list of days follows
  std::string text = Tr("Screen time per day:");
  for (std::int64_t day = today - (kChartDays - 1); day <= today; ++day) {
    auto it = days.find(day);
    const std::string weekday = WeekdayOf(day), date = MonthAndDay(day, clock),
                      time = FormatDuration(it == days.end() ? 0 : it->second.screenSeconds);
    text += ' ';
    if (day != today) {
      // TRANSLATORS: a day in the list a screen reader reads of the chart: "Wed 11-25 4 h 10 min"
      text += Fill(Tr("{weekday} {date} {time}"), {{"weekday", weekday}, {"date", date}, {"time", time}});
      text += ',';
    } else {
      // TRANSLATORS: the last day in the list a screen reader reads of the chart: "Tue 12-08 (today) 3 h 05 min"
      text += Fill(Tr("{weekday} {date} (today) {time}"), {{"weekday", weekday}, {"date", date}, {"time", time}});
    }
  }
  return text;
}

}  // namespace rp
