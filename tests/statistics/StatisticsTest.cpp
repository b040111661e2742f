// The record of breaks ("Keep Statistics"): counting with virtual time and a settable wall clock,
// the file it keeps, and how failures to keep it are told.
#include <gtest/gtest.h>

#include <functional>

#include "SimFixture.h"
#include "app/CommandLine.h"
#include "runtime/CivilTime.h"
#include "options/FormOptions.h"
#include "statistics/FormStatistics.h"
#include "Later.h"
#include "statistics/Statistics.h"
#include "statistics/StatisticsFile.h"
#include "statistics/StatisticsView.h"

namespace rp::test {
namespace {

constexpr std::int64_t kMinute = 60000;
const std::string kPath = "C:\\Users\\Ann\\AppData\\Local\\Kelvadore\\Periodic Respite Prompter\\statistics.csv";
const std::string kHeader = std::string(kStatisticsHeader) + "\r\n";

std::int64_t Day(int year, int month, int day) { return DaysFromCivil(year, month, day); }

// The simulated disk keys its files by the lower-case path.
std::string Lower(std::string path) {
  for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return path;
}

TEST(BreakRecordTest, AScriptedDayAddsUpEveryEventAndTheLongestStretch) {
  sim::SimDesktop desktop;
  BreakRecord record(desktop.clock);
  const auto atScreen = [&](int minutes, bool held = false) {
    for (int s = 0; s < minutes * 60; ++s) record.ScreenSecond(held);
  };
  atScreen(50);
  record.Due(), record.Announced(), record.Taken();  // a stretch of 50 minutes
  atScreen(30);
  record.Due(), record.Announced(), record.Postponed();  // the stretch goes on
  atScreen(20);
  record.Due(), record.Announced(), record.Skipped();
  atScreen(25);
  record.Natural();  // ends a stretch of 75 minutes
  atScreen(5);
  record.Due(), record.Held();
  atScreen(10, true);
  record.Announced(), record.Taken(), record.EyeBreak(), record.EyeBreak();

  DayFigures expected;
  expected.screenSeconds = 140 * 60;
  expected.due = expected.announced = 4;
  expected.taken = 2;
  expected.natural = expected.postponed = expected.skipped = expected.held = 1;
  expected.heldSeconds = 600;
  expected.eyeBreaks = 2;
  expected.longestStretchSeconds = 75 * 60;
  EXPECT_EQ(record.Days(), (DayRecords{{Day(2026, 12, 8), expected}}));
}

// The figures read as one sentence each, with the count's noun in the singular for one.
TEST(StatisticsViewTest, FiguresAndTheChartDescriptionAreWholeSentences) {
  struct {
    DayFigures figures;
    const char* text;
  } cases[] = {
      {{.screenSeconds = 59 * 60, .due = 1, .taken = 1, .eyeBreaks = 1, .longestStretchSeconds = 3600},
       "Today: 59 min at the screen, 1 of 1 break taken, longest stretch 1 h 00 min; 1 eye break"},
      {{.due = 1, .natural = 1, .skipped = 2, .held = 2, .heldSeconds = 600},
       "Today: 0 min at the screen, 1 of 2 breaks taken, longest stretch 0 min; 2 skipped, 2 held for 10 min"},
  };
  for (const auto& c : cases) EXPECT_EQ(FiguresText("Today", c.figures), c.text);

  DayRecords days;
  days[Day(2026, 12, 7)].screenSeconds = 3 * 3600 + 5 * 60;
  days[Day(2026, 12, 8)].screenSeconds = 65 * 60;
  // The dates as the user's short date writes a day, whatever language the program speaks.
  const struct {
    const char* shortDate;
    const char* end;
    const char* today;
  } dates[] = {
      {"yyyy-MM-dd", " Sun 12-06 0 min, Mon 12-07 3 h 05 min, Tue 12-08 (today) 1 h 05 min", "12-08"},
      {"d.M.yyyy", " Sun 6.12. 0 min, Mon 7.12. 3 h 05 min, Tue 8.12. (today) 1 h 05 min", "8.12."},
  };
  for (const auto& d : dates) {
    sim::SimDesktop desktop;
    desktop.clock.shortDatePicture = d.shortDate;
    const std::string chart = ChartDescription(days, Day(2026, 12, 8), desktop.clock);
    EXPECT_TRUE(chart.ends_with(d.end)) << chart;
    const auto drawing = ChartDrawing(days, Day(2026, 12, 8), 9360, 4950, desktop.clock);
    EXPECT_EQ(drawing.back().text, d.today);
  }
}

TEST(StatisticsFileTest, EveryLineIsADayOrKeptAsItIs) {
  const std::string day1 = "2026-12-07,312,7,7,6,0,1,0,1,4,0,65", day2 = "2026-12-08,45,1,1,0,1,0,0,0,0,2,30";
  const struct {
    const char* what;
    std::string text;
    std::size_t days;
    std::vector<std::string> unreadable;
  } cases[] = {
      {"as written", kHeader + day1 + "\r\n" + day2 + "\r\n", 2, {}},
      {"saved by a spreadsheet", "\xEF\xBB\xBF" + kHeader + day1 + "\n\n" + day2, 2, {}},
      {"torn", kHeader + day1 + "\r\n2026-12-08,4", 1, {"2026-12-08,4"}},
      {"garbage", std::string("\0\xff\x01,,\r\n\x7f", 8) + "\r\n" + day2, 1, {std::string("\0\xff\x01,,", 5), "\x7f"}},
      {"not quite days",
       "2026-02-30,1,1,1,1,1,1,1,1,1,1,1\n2026-12-07,-1,1,1,1,1,1,1,1,1,1,1\n2026-12-07,1234567890,0,0,0,0,0,0,0,0,0,0\n"
       "2026-12-07,1,1,1,1,1,1,1,1,1,1\n" + day1 + "\n" + day1 + ",\n" + day1,
       1, {"2026-02-30,1,1,1,1,1,1,1,1,1,1,1", "2026-12-07,-1,1,1,1,1,1,1,1,1,1,1", "2026-12-07,1234567890,0,0,0,0,0,0,0,0,0,0",
           "2026-12-07,1,1,1,1,1,1,1,1,1,1", day1 + ",", day1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const StatisticsText read = ReadStatistics(c.text);
    EXPECT_EQ(read.days.size(), c.days);
    EXPECT_EQ(read.unreadable, c.unreadable);
    // A rewrite keeps what it cannot read, and reads back as it was.
    const std::string written = WriteStatistics(read.days, read.unreadable);
    const StatisticsText again = ReadStatistics(written);
    EXPECT_EQ(again.days, read.days);
    EXPECT_EQ(again.unreadable, read.unreadable);
  }
  EXPECT_EQ(WriteStatistics(ReadStatistics(day1 + "\n" + day2).days), kHeader + day1 + "\r\n" + day2 + "\r\n");
}

TEST(StatisticsFileTest, TheFileHoldsTheNewest3660DaysThatHoldAnything) {
  DayRecords days;
  DayFigures busy;
  busy.due = 1;
  for (std::int64_t d = 0; d < 3665; ++d) days[Day(2016, 1, 1) + d] = busy;
  days[Day(2026, 12, 31)] = {};  // nothing happened
  const std::string text = WriteStatistics(days, {"kept"});
  const StatisticsText read = ReadStatistics(text);
  ASSERT_EQ(read.days.size(), 3660u);
  EXPECT_EQ(read.days.begin()->first, Day(2016, 1, 6));
  EXPECT_EQ(read.days.rbegin()->first, Day(2016, 1, 1) + 3664);
  EXPECT_EQ(read.unreadable, std::vector<std::string>{"kept"});
}

// The program with "Keep Statistics" on, reminding with the audio reminder only.
class StatisticsTest : public SimTest {
 protected:
  void StartKeeping(const std::string& minutes, bool keep = true, std::map<std::string, std::string> options = {}) {
    desktop.files.Add(DefaultSound());
    desktop.settings.values = {{"Text1", minutes}, {"Check1", "1"}, {"Check2", "0"}, {"Check3", "0"}};
    if (keep) desktop.settings.values["Keep Statistics"] = "On";
    for (auto& [name, value] : options) desktop.settings.values[name] = value;
    Start();
    desktop.Click(form().PushButton3);
  }
  std::string File() { return desktop.files.Content(kPath); }
  DayFigures Figures(std::int64_t day) {
    const auto& days = program->form1->statistics.Kept()->record.Days();
    auto it = days.find(day);
    return it == days.end() ? DayFigures{} : it->second;
  }
  std::vector<std::string> Tips() {
    std::vector<std::string> tips;
    for (const auto& call : desktop.shell.calls)
      if (call.uFlags() & 4) tips.push_back(call.szTip());
    return tips;
  }
  // Opens the Statistics window from the system menu and works it half a second later; `work`
  // must close it.
  void WorkTheWindow(const std::function<void(FormStatistics&)>& work) {
    Later later(desktop, 500, [&] {
      ASSERT_NE(program->formStatistics, nullptr);
      EXPECT_EQ(program->formStatistics->Caption(), "Statistics");
      work(*program->formStatistics);
    });
    desktop.Run([&] { form().UserSystemMenu(1); });
    EXPECT_EQ(program->formStatistics, nullptr);
  }
};

TEST_F(StatisticsTest, TheDayRollsOverWithTheClock) {
  const struct {
    const char* what;
    LocalDateTime start;
    int shiftAfterMinutes, shiftMinutes;
    std::int64_t firstDaySeconds, secondDaySeconds;
  } cases[] = {
      // The tick at 00:00:00 is the new day's.
      {"running past midnight", {2026, 12, 8, 23, 40}, 0, 0, 1199, 1201},
      // At 00:10 the clock goes back to 23:50: ten more minutes on the first day.
      {"clock set back", {2026, 12, 8, 23, 50}, 20, -20, 599 + 599, 601 + 601},
      // At 23:30 the clock goes forward to 00:30.
      {"clock set forward", {2026, 12, 8, 23, 20}, 10, 60, 600, 1800},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    program.reset();
    desktop.files.files.clear();
    desktop.clock.Set(c.start);
    StartKeeping("30");
    desktop.RunFor(c.shiftAfterMinutes * kMinute);
    desktop.clock.Shift(c.shiftMinutes);
    desktop.RunFor((40 - c.shiftAfterMinutes) * kMinute);
    EXPECT_EQ(Figures(Day(2026, 12, 8)).screenSeconds, c.firstDaySeconds);
    EXPECT_EQ(Figures(Day(2026, 12, 9)).screenSeconds, c.secondDaySeconds);
    // The break falls due after 30 minutes, on the second day, ending the stretch that went
    // on through midnight and the clock's change.
    EXPECT_EQ(Figures(Day(2026, 12, 9)).due, 1);
    EXPECT_EQ(Figures(Day(2026, 12, 9)).longestStretchSeconds, 1800);
  }
}

TEST_F(StatisticsTest, GuidedAndEyeBreaksAreCounted) {
  StartKeeping("25", true, {{"Break Length", "1"}, {"Eye Breaks", "On"}});
  desktop.RunFor(27 * kMinute);  // an eye break at 20 minutes, the break at 25 taken to its end
  const DayFigures day = Figures(Day(2026, 12, 8));
  EXPECT_EQ(day.eyeBreaks, 1);
  EXPECT_EQ(day.taken, 1);
  EXPECT_EQ(day.due, 1);
}

TEST_F(StatisticsTest, TimeAwayIsOneNaturalBreakAndAHeldBreakCountsItsWait) {
  desktop.presence.cameraOrMicrophoneInUse = true;
  StartKeeping("10", true, {{"Natural Breaks", "On"}, {"Hold Reminders", "On"}});
  // Input all along until the call has held the due break for three minutes.
  for (int m = 0; m < 13; ++m) {
    desktop.Input();
    desktop.RunFor(kMinute);
  }
  desktop.presence.cameraOrMicrophoneInUse = false;
  desktop.RunFor(1000);  // the held break fires
  desktop.Input();
  desktop.RunFor(20 * kMinute);  // away after five minutes without input
  desktop.Input();
  desktop.RunFor(1000);
  desktop.SleepFor(30 * kMinute);  // a sleep between two ticks
  desktop.Input();
  desktop.RunFor(1000);  // the tick overdue at waking, and the next
  const DayFigures day = Figures(Day(2026, 12, 8));
  EXPECT_EQ(day.due, 1);
  EXPECT_EQ(day.held, 1);
  EXPECT_EQ(day.heldSeconds, 180);
  EXPECT_EQ(day.announced, 1);
  EXPECT_EQ(day.natural, 2);
  EXPECT_EQ(day.screenSeconds, 13 * 60 + 1 + 299 + 1 + 2);
  EXPECT_EQ(day.longestStretchSeconds, 13 * 60 + 1);
}

TEST_F(StatisticsTest, TheFileIsWrittenOnceAMinuteAndAtTheEndKeepingWhatItCannotRead) {
  desktop.files.Add(kPath, {kHeader + "2026-12-05,60,1,1,0,0,0,0,0,0,0,60\r\n2026-12-07,90,2,2,0,0,0,0,0,0,0,45\r\n2026-12-07,9"});
  const std::string read = File();
  StartKeeping("0");  // a break at every tick
  desktop.RunFor(kMinute - 1000);
  EXPECT_EQ(File(), read);
  desktop.RunFor(1000);
  const std::string first = File();
  // The days as they were, today's, and the torn line kept at the end.
  EXPECT_EQ(first.rfind(kHeader + "2026-12-05,60,1,1,0,0,0,0,0,0,0,60\r\n2026-12-07,90,2,2,0,0,0,0,0,0,0,45\r\n"
                                  "2026-12-08,", 0), 0u);
  EXPECT_TRUE(first.ends_with("\r\n2026-12-07,9\r\n"));
  desktop.RunFor(kMinute - 1000);
  EXPECT_EQ(File(), first);
  desktop.RunFor(1000);
  EXPECT_NE(File(), first);
  desktop.RunFor(30000);
  desktop.Close(form());
  EXPECT_TRUE(desktop.Ended());
  EXPECT_NE(File().find("2026-12-08,2,150,150,"), std::string::npos);
  EXPECT_EQ(desktop.files.Content(kPath + ".new"), "<absent>");
}

TEST_F(StatisticsTest, AFileThatCannotBeWrittenIsToldOnceInTheTipAndTriedEveryMinute) {
  const struct {
    const char* what;
    std::function<void(sim::SimFiles&, bool)> fault;
    const char* tip;
  } cases[] = {
      {"disk full", [](sim::SimFiles& f, bool on) { f.diskFull = on; }, "statistics not saved"},
      {"no folder", [](sim::SimFiles& f, bool on) { f.foldersFail = on; }, "statistics not saved"},
      {"held open elsewhere", [](sim::SimFiles& f, bool on) { f.files[Lower(kPath)].unreadable = on; },
       "statistics file unreadable"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    program.reset();
    desktop.files.files.clear();
    desktop.shell.calls.clear();
    desktop.files.Add(kPath, {kHeader + "2026-12-07,90,2,2,0,0,0,0,0,0,0,45\r\n"});
    const std::string old = File();
    c.fault(desktop.files, true);
    StartKeeping("45");
    desktop.RunFor(3 * kMinute);
    EXPECT_EQ(File(), old);
    EXPECT_EQ(desktop.files.Content(kPath + ".new"), "<absent>");
    EXPECT_EQ(Figures(Day(2026, 12, 8)).screenSeconds, 180);  // counting goes on
    EXPECT_TRUE(desktop.dialogs.boxes.empty());
    const std::string product = "Periodic Respite Prompter Utility";
    EXPECT_EQ(Tips(), (std::vector<std::string>{product, product + " - " + c.tip}));

    c.fault(desktop.files, false);
    desktop.RunFor(kMinute);
    EXPECT_NE(File().find("2026-12-07,90,"), std::string::npos);
    EXPECT_NE(File().find("\r\n2026-12-08,"), std::string::npos);
    EXPECT_EQ(Tips().back(), product);
  }
}

TEST_F(StatisticsTest, WithTheOptionOffNothingIsCountedOrWrittenAndTheMenuEntryIsGreyed) {
  StartKeeping("1", false);
  const std::size_t timers = desktop.RunningTimers();
  desktop.RunFor(5 * kMinute);
  EXPECT_FALSE(form().SystemMenuItemEnabled(1));
  desktop.Run([&] { form().UserSystemMenu(1); });
  EXPECT_EQ(program->formStatistics, nullptr);
  desktop.Close(form());
  EXPECT_EQ(program->form1->statistics.Kept(), nullptr);
  EXPECT_EQ(timers, 1u);  // the countdown's
  for (const auto& [path, file] : desktop.files.files) EXPECT_EQ(path.find("appdata"), std::string::npos) << path;
}

TEST_F(StatisticsTest, TheOptionsWindowTurnsTheRecordOnAndOff) {
  StartKeeping("45", false);
  const auto setOption = [&] {
    Later later(desktop, 500, [&] {
      desktop.Click(program->formOptions->Check9);
      desktop.Click(program->formOptions->PushButton1);
    });
    desktop.Run([&] { form().UserSystemMenu(0); });
  };
  setOption();
  EXPECT_EQ(Stored("Keep Statistics"), "On");
  desktop.RunFor(90000);
  setOption();  // off: what was counted is written first
  EXPECT_EQ(Stored("Keep Statistics"), "Off");
  EXPECT_EQ(program->form1->statistics.Kept(), nullptr);
  EXPECT_NE(File().find("2026-12-08,1,"), std::string::npos);
  EXPECT_TRUE(form().SystemMenuItemEnabled(1));  // there is a record to show
}

// A break asked for ends the period as one that falls due does, so it is due as that one: once,
// and not again when the period's break had fallen due already and was held.
TEST_F(StatisticsTest, ABreakAskedForIsDueInPlaceOfThePeriodsBreak) {
  StartKeeping("10", true, {{"Break Length", "1"}, {"Hold Reminders", "On"}});
  const auto takeBreakNow = [&] { desktop.Run([&] { form().RunCommand({CommandKind::Break}); }); };
  takeBreakNow();
  desktop.RunFor(kMinute);
  takeBreakNow();
  desktop.presence.notificationState = NotificationState::Presentation;
  desktop.RunFor(10 * kMinute + 1000);  // the period's break falls due and is held
  desktop.presence.notificationState = NotificationState::AcceptsNotifications;
  takeBreakNow();
  const DayFigures day = Figures(Day(2026, 12, 8));
  EXPECT_EQ(day.taken, 3);
  EXPECT_EQ(day.due, 3);
  EXPECT_EQ(day.held, 1);
  WorkTheWindow([&](FormStatistics& w) {
    EXPECT_NE(w.Label1.Text().find(", 3 of 3 breaks taken,"), std::string::npos) << w.Label1.Text();
    desktop.Click(w.PushButton3);
  });
}

// A lock that ends a guided break is that break, not a natural break besides.
TEST_F(StatisticsTest, ALockThatEndsAGuidedBreakIsNoNaturalBreakBesides) {
  StartKeeping("10", true, {{"Break Length", "5"}, {"Natural Breaks", "On"}, {"Away Minutes", "5"}});
  Timer typing(desktop, [&] { desktop.Input(); });
  typing.SetInterval(30000);
  desktop.Input();
  Later lock(desktop, static_cast<int>(10 * kMinute + 2000), [&] { desktop.Lock(true); });
  desktop.RunFor(30 * kMinute);  // locked for twenty minutes from two seconds into the break
  desktop.Lock(false);
  desktop.RunFor(kMinute);
  const DayFigures day = Figures(Day(2026, 12, 8));
  EXPECT_EQ(day.taken, 1);
  EXPECT_EQ(day.natural, 0);
}

// "Keep Statistics" changed under the open window (a policy, an import from a second start):
// the window shows the record the program keeps, or the file once it keeps none, and clears the
// record kept, which writes back nothing it cleared.
TEST_F(StatisticsTest, TheWindowFollowsTheOptionChangedWhileItIsOpen) {
  for (const bool keptAtFirst : {true, false}) {
    SCOPED_TRACE(keptAtFirst);
    program.reset();
    desktop.settings.machinePolicy.clear();
    desktop.files.files.clear();
    desktop.files.Add(kPath, {kHeader + "2026-12-07,90,2,2,2,0,0,0,0,0,0,45\r\n"});
    StartKeeping("45", keptAtFirst);
    desktop.RunFor(2 * kMinute);
    WorkTheWindow([&](FormStatistics& w) {
      // Off, and German: the window is drawn again at once, without a click.
      desktop.settings.machinePolicy = {{"Keep Statistics", "Off"}, {"Language", "de"}};
      desktop.SettingsChanged(form());
      EXPECT_EQ(program->form1->statistics.Kept(), nullptr);
      EXPECT_EQ(w.Label3.Text(), "„Statistik führen“ ist deaktiviert (Optionen): Es wird nichts gezählt. ");
      // On, in English again: the record kept now is shown, and cleared.
      desktop.settings.machinePolicy = {{"Keep Statistics", "On"}};
      desktop.SettingsChanged(form());
      ASSERT_NE(program->form1->statistics.Kept(), nullptr);
      EXPECT_EQ(w.Label3.Text(), "");
      desktop.dialogs.boxAnswers = {6};
      desktop.Click(w.PushButton2);
      EXPECT_EQ(File(), "<absent>");
      EXPECT_EQ(w.Label2.Text(), "Last 7 days: 0 min at the screen, no break due, longest stretch 0 min");
      desktop.Click(w.PushButton3);
    });
    desktop.RunFor(kMinute);  // the record kept is written again, without the cleared days
    EXPECT_NE(File(), "<absent>");
    EXPECT_EQ(File().find("2026-12-07"), std::string::npos) << File();
  }
}

TEST_F(StatisticsTest, TheWindowShowsTwoWeeksExportsAndClearsAfterAsking) {
  desktop.files.Add(kPath, {kHeader + "2026-11-24,600,9,9,9,0,0,0,0,0,0,90\r\n"   // before the two weeks
                                      "2026-12-06,240,5,5,3,1,1,1,1,4,2,75\r\n"
                                      "2026-12-08,120,3,3,2,0,0,0,0,0,0,50\r\nnot a day\r\n"});
  StartKeeping("45", false);
  WorkTheWindow([&](FormStatistics& w) {
    EXPECT_EQ(w.Label1.Text(), "Today: 2 h 00 min at the screen, 2 of 3 breaks taken, longest stretch 50 min");
    EXPECT_EQ(w.Label2.Text(), "Last 7 days: 6 h 00 min at the screen, 6 of 9 breaks taken, longest stretch 1 h 15 min; "
                               "1 postponed, 1 skipped, 1 held for 4 min, 2 eye breaks");
    EXPECT_EQ(w.Label3.Text(), "Keep Statistics is off (Options): nothing is being counted. 1 line of the file could not "
                               "be read and stays as it is.");
    // Fourteen columns, Wednesday 11-25 to today; today's bar in the highlight colour, half
    // as tall as the one of 4 hours, which reaches the top of the axis.
    std::vector<std::string> dates;
    std::vector<int> bars;
    int todaysBar = 0;
    for (const DrawnShape& s : w.Chart1.Drawing()) {
      if (s.kind == DrawnShape::Kind::Text && s.text.size() == 5 && s.text[2] == '-') dates.push_back(s.text);
      if (s.kind == DrawnShape::Kind::Fill && s.rect.width > 100) bars.push_back(s.rect.height);
      if (s.kind == DrawnShape::Kind::Fill && s.colour == kHighlightColour && s.rect.width > 100) todaysBar = s.rect.height;
    }
    ASSERT_EQ(dates.size(), 14u);
    EXPECT_EQ(dates.front(), "11-25");
    EXPECT_EQ(dates.back(), "12-08");
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_NEAR(todaysBar * 2, bars[0], 1);
    EXPECT_EQ(w.Chart1.Text().rfind("Screen time per day: Wed 11-25 0 min,", 0), 0u);

    desktop.dialogs.saveAnswers = {"C:\\Users\\Ann\\Documents\\breaks.csv"};
    desktop.Click(w.PushButton1);
    EXPECT_EQ(desktop.files.Content("C:\\Users\\Ann\\Documents\\breaks.csv"),
              kHeader + "2026-11-24,600,9,9,9,0,0,0,0,0,0,90\r\n2026-12-06,240,5,5,3,1,1,1,1,4,2,75\r\n"
                        "2026-12-08,120,3,3,2,0,0,0,0,0,0,50\r\n");

    desktop.dialogs.boxAnswers = {7, 6};  // No, then Yes
    desktop.Click(w.PushButton2);
    EXPECT_NE(File(), "<absent>");
    desktop.Click(w.PushButton2);
    EXPECT_EQ(File(), "<absent>");
    EXPECT_EQ(w.Label1.Text(), "Today: 0 min at the screen, no break due, longest stretch 0 min");
    ASSERT_EQ(desktop.dialogs.boxes.size(), 2u);
    EXPECT_EQ(desktop.dialogs.boxes[0].style, 36);
    desktop.Run([&] { EXPECT_TRUE(w.UserPressedEscape()); });
  });
  EXPECT_FALSE(form().SystemMenuItemEnabled(1));  // cleared, and the option is off
}

TEST_F(StatisticsTest, TheWindowGrowsWithItsBorderButNotBelowItsDesignSize) {
  StartKeeping("45");
  WorkTheWindow([&](FormStatistics& w) {
    const TwipsRect chart = w.Chart1.Rect(), close = w.PushButton3.Rect();
    const std::size_t shapes = w.Chart1.Drawing().size();
    desktop.Run([&] {
      w.UserSized(w.ClientWidth() + 3000, w.ClientHeight() + 1500);
      w.UserResized(kNormal);
    });
    EXPECT_EQ(w.Chart1.Rect().width, chart.width + 3000);
    EXPECT_EQ(w.Chart1.Rect().height, chart.height + 1500);
    EXPECT_EQ(w.PushButton3.Rect().left, close.left + 3000);
    EXPECT_EQ(w.PushButton3.Rect().top, close.top + 1500);
    EXPECT_EQ(w.Chart1.Drawing().size(), shapes);  // the same chart, larger
    desktop.Run([&] {
      w.UserSized(100, 100);
      w.UserResized(kNormal);
    });
    EXPECT_EQ(w.Chart1.Rect(), chart);
    desktop.Click(w.PushButton3);
  });
}

}  // namespace
}  // namespace rp::test
