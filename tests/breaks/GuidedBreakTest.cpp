#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "breaks/GuidedFixture.h"
#include "Later.h"
#include "breaks/SkipBudget.h"

namespace rp::test {
namespace {

using GuidedBreakTest = GuidedTest;
using Events = std::vector<std::string>;
const std::string kNext = "Next break will occur in ";

TEST_F(GuidedBreakTest, RunsItsLengthOnItsOwnClockWhateverTheInputThenAFreshPeriodStarts) {
  StartReminding("1", {{"Break Length", "5"}});
  AtEachBreak({[&](FormBreak& w) {
    ASSERT_EQ(Windows().size(), 1u);
    EXPECT_EQ(w.Caption(), "Break Time");
    EXPECT_TRUE(w.Visible() && w.Topmost());
    EXPECT_EQ(w.Width(), 1280 * 15);  // the work area, above the 40-pixel taskbar
    EXPECT_EQ(w.Height(), 984 * 15);
    EXPECT_EQ(desktop.ViewOf(w)->focusCount, 1);
    EXPECT_EQ(Frame1(), "Break: 04:59");
    EXPECT_EQ(w.ProgressBar1.Text(), "04:59");
    EXPECT_EQ(w.Label3.Text(), "3 skips left today");
    // Esc, Alt+F4 and the taskbar's close do nothing; the sound played once more and stopped.
    desktop.Run([&] { EXPECT_FALSE(w.UserPressedEscape()); });
    desktop.Close(w);
    EXPECT_TRUE(w.IsLoaded());
    EXPECT_EQ(desktop.player.calls, (Events{"loop on", "close", "url " + DefaultSound(), "loop off",
                                            "url " + DefaultSound()}));
  }});
  Later input(desktop, 3 * kMinute + 500, [&] {
    desktop.Input();
    desktop.MouseMove(Windows().front()->Label1);
    EXPECT_EQ(Frame1(), "Break: 03:00");
  });
  desktop.RunFor(kMinute);
  EXPECT_EQ(log.events, Events{"taken"});
  EXPECT_EQ(log.times, std::vector<std::int64_t>{6 * kMinute});
  EXPECT_TRUE(Windows().empty());
  EXPECT_EQ(desktop.monitors.listener, nullptr);
  desktop.RunFor(kSecond);
  EXPECT_EQ(Frame1(), kNext + "00:00:59");
}

// The same break comes back five minutes later, with the period left as it was, until the day's
// skips are used; then it runs its length.
TEST_F(GuidedBreakTest, PostponedUntilTheBudgetIsUsed) {
  StartReminding("10", {{"Break Length", "2"}});
  std::vector<std::string> labels;
  const auto postpone = [&](FormBreak& w) {
    labels.push_back(w.Label3.Text());
    Postpone(w);
  };
  AtEachBreak({postpone, postpone, postpone, postpone});
  desktop.RunFor(10 * kMinute + kSecond);
  EXPECT_TRUE(Windows().empty());
  desktop.RunFor(kSecond);
  EXPECT_EQ(Frame1(), "Break postponed: 04:59");
  EXPECT_EQ(form().countdown.ElapsedSeconds, 600);
  EXPECT_EQ(form().ProgressBar1.Value(), 600);
  desktop.RunFor(3 * (5 * kMinute + kSecond) + 2 * kMinute);
  EXPECT_EQ(labels, (Events{"3 skips left today", "2 skips left today", "1 skip left today", "No skips left today"}));
  EXPECT_EQ(log.events, (Events{"postponed", "postponed", "postponed", "taken"}));
  EXPECT_EQ(Stored("Skips Used"), "2026-12-08 3");
  EXPECT_EQ(CountCalls(desktop.player.calls, "loop on"), 1);  // the reminders fired once
  EXPECT_EQ(form().countdown.ElapsedSeconds, (desktop.NowMs() - log.times.back()) / 1000);  // counted since
}

TEST_F(GuidedBreakTest, SkipStartsAFreshPeriod) {
  StartReminding("10", {{"Break Length", "2"}});
  AtEachBreak({[&](FormBreak& w) { Skip(w); }});
  desktop.RunFor(10 * kMinute + 2 * kSecond);
  EXPECT_TRUE(Windows().empty());
  EXPECT_EQ(Frame1(), kNext + "00:09:59");
  EXPECT_EQ(log.events, Events{"skipped"});
  EXPECT_EQ(Stored("Skips Used"), "2026-12-08 1");
}

// Without a skip left, or with none allowed, the buttons are disabled or gone and the break runs.
TEST_F(GuidedBreakTest, NoSkipLeftAndStrictMode) {
  const struct {
    const char* skipsADay;
    bool buttons;
    const char* label;
  } cases[] = {{"3", true, "No skips left today"}, {"0", false, "No skips left today"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.skipsADay);
    Restart();
    desktop.settings.values["Skips Used"] = "2026-12-08 3";
    StartReminding("10", {{"Break Length", "1"}, {"Skips A Day", c.skipsADay}, {"Skips Used", "2026-12-08 3"}});
    AtEachBreak({[&](FormBreak& w) {
      EXPECT_EQ(w.PushButton1.Visible(), c.buttons);
      EXPECT_EQ(w.PushButton2.Visible(), c.buttons);
      EXPECT_EQ(w.Label3.Visible(), c.buttons);
      EXPECT_FALSE(w.PushButton1.Enabled() || w.PushButton2.Enabled());
      EXPECT_EQ(w.Label3.Text(), c.label);
      Postpone(w);
      Skip(w);
    }});
    desktop.RunFor(11 * kMinute);
    EXPECT_EQ(log.events, Events{"taken"});
  }
}

TEST(SkipBudgetTest, TheStoredCountHoldsOnItsOwnDayOnly) {
  const struct {
    const char* stored;
    int left;
  } cases[] = {
      {nullptr, 3},         {"2026-12-08 1", 2},  {"2026-12-08 3", 0},   {"2026-12-08 9", 0},
      {"2026-12-07 3", 3},  {"2026-12-09 3", 3},  {"2026-12-08", 3},     {"2026-12-08 x", 3},
      {"2026-12-08 -1", 3}, {"2026-02-30 1", 3},  {"2026-12-08  1", 3},  {"1 2026-12-08", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "absent");
    sim::SimDesktop desktop;
    if (c.stored) desktop.settings.values["Skips Used"] = c.stored;
    Main main(desktop.platform);
    SkipBudget budget(main, desktop.clock);
    EXPECT_EQ(budget.Left(), c.left);
    EXPECT_TRUE(desktop.settings.writes.empty());
    EXPECT_EQ(budget.Use(), c.left > 0);
  }
}


// A restart does not refill the budget; the midnight during a break does.
TEST_F(GuidedBreakTest, TheBudgetSurvivesARestartAndRefillsAtMidnightDuringABreak) {
  StartReminding("10", {{"Break Length", "5"}});
  AtEachBreak({[&](FormBreak& w) { Skip(w); }});
  desktop.RunFor(10 * kMinute + kSecond);
  program.reset();
  Start();
  desktop.clock.Set({2026, 12, 8, 23, 49, 0});
  std::vector<std::string> labels;
  next_ = 0;
  AtEachBreak({[&](FormBreak& w) { labels.push_back(w.Label3.Text()); }});
  Later midnight(desktop, 11 * kMinute + 500, [&] {
    ASSERT_EQ(Windows().size(), 1u);
    labels.push_back(Windows().front()->Label3.Text());
  });
  desktop.RunFor(16 * kMinute);
  EXPECT_EQ(labels, (Events{"2 skips left today", "3 skips left today"}));
}

TEST_F(GuidedBreakTest, StoppingEndsTheBreakOrThePostponement) {
  for (bool postponed : {false, true}) {
    SCOPED_TRACE(postponed);
    Restart();
    StartReminding("10", {{"Break Length", "5"}});
    AtEachBreak({[&](FormBreak& w) {
      if (postponed) Postpone(w);
      else desktop.Click(form().PushButton3);
    }});
    desktop.RunFor(10 * kMinute + 2 * kSecond);
    if (postponed) desktop.Click(form().PushButton3);
    EXPECT_TRUE(Windows().empty());
    desktop.RunFor(20 * kMinute);
    EXPECT_EQ(Frame1(), "Stopped.");
    EXPECT_EQ(log.events, postponed ? Events{"postponed"} : Events{});
    EXPECT_FALSE(form().Timer1.Running());
  }
}

TEST_F(GuidedBreakTest, ALockOrASleepDuringTheBreakEndsItAsTaken) {
  for (bool sleep : {false, true}) {
    SCOPED_TRACE(sleep);
    Restart();
    StartReminding("10", {{"Break Length", "5"}});
    AtEachBreak({[&](FormBreak&) {
      EXPECT_NE(desktop.presence.listener, nullptr);
      if (sleep) desktop.SleepFor(kMinute);
      else desktop.Lock(true);
    }});
    const std::int64_t start = desktop.NowMs();
    desktop.RunFor(10 * kMinute + kSecond);
    EXPECT_TRUE(Windows().empty());
    EXPECT_EQ(log.events, Events{"taken"});
    EXPECT_EQ(log.times.back() - start, 10 * kMinute + kSecond);  // at once, not at its end
    EXPECT_EQ(desktop.presence.listener, nullptr);  // watched only during the break
    if (!sleep) desktop.Lock(false);
    desktop.RunFor(kSecond);
    EXPECT_EQ(Frame1(), kNext + "00:09:59");
  }
}

// A held break, and a postponed one that comes back during a hold, open when the hold ends.
TEST_F(GuidedBreakTest, AHeldBreakOpensWhenTheHoldEnds) {
  StartReminding("10", {{"Break Length", "5"}, {"Hold Reminders", "On"}});
  desktop.presence.notificationState = NotificationState::Presentation;
  AtEachBreak({[&](FormBreak& w) {
    Postpone(w);
    desktop.presence.notificationState = NotificationState::Presentation;
  }});
  desktop.RunFor(30 * kMinute);
  EXPECT_EQ(Frame1(), "Break held: presentation");
  EXPECT_TRUE(Windows().empty());
  desktop.presence.notificationState = NotificationState::AcceptsNotifications;
  desktop.RunFor(kSecond + kSecond);  // opens at the next tick, postponed a second later
  EXPECT_EQ(log.events, Events{"postponed"});
  desktop.RunFor(30 * kMinute);
  EXPECT_EQ(Frame1(), "Break held: presentation");
  desktop.presence.notificationState = NotificationState::AcceptsNotifications;
  Later open(desktop, 1500, [&] { EXPECT_EQ(Windows().size(), 1u); });
  desktop.RunFor(kSecond + kSecond);
  EXPECT_EQ(log.events, (Events{"postponed", "taken"}));
}

// Wherever a fresh period starts (a pause runs out, Resume, the working hours come round again)
// nothing of the last one is left: a postponed break is dropped and the eye breaks count their
// 20 minutes afresh. From 09:19 with hours until 09:30, so the hold comes just after the first
// break was postponed, or 10 counted minutes into the eye breaks' 20.
TEST_F(GuidedBreakTest, AFreshPeriodDropsAPostponedBreakAndCountsTheEyeBreaksAgain) {
  const auto run = [&](Command command) { desktop.Run([&] { form().RunCommand(command); }); };
  const auto held = [&] { return form().steering.Holding() != SteerHold::None; };
  const struct {
    const char* what;
    std::map<std::string, std::string> settings;
    std::function<void()> hold, startAfresh;
  } ways[] = {
      {"a pause runs out", {}, [&] { run({CommandKind::Pause, 30}); }, [] {}},
      {"resumed", {}, [&] { run({CommandKind::Pause, 30}); }, [&] { run({CommandKind::Resume}); }},
      {"the working hours come round", {{"Work Hours", "09:00-09:30"}}, [] {}, [] {}},
  };
  for (const auto& way : ways) {
    for (const bool postponed : {true, false}) {
      SCOPED_TRACE(std::string(way.what) + (postponed ? ", postponed" : ", eye breaks"));
      Restart();
      desktop.clock.Set({2026, 12, 8, 9, 19, 0});
      auto settings = way.settings;
      settings["Eye Breaks"] = "On";
      if (postponed) settings["Break Length"] = "2";
      StartReminding(postponed ? "10" : "45", settings);
      AtEachBreak({[&](FormBreak& w) { Postpone(w); }});
      desktop.RunFor(10 * kMinute + 2 * kSecond);
      ASSERT_EQ(log.events, postponed ? Events{"postponed"} : Events{});
      way.hold();
      for (int minutes = 0; !held() && minutes < 2; ++minutes) desktop.RunFor(kMinute);
      ASSERT_TRUE(held());
      way.startAfresh();
      while (held()) desktop.RunFor(kMinute);
      if (postponed) {
        EXPECT_TRUE(Frame1().starts_with(kNext)) << Frame1();
        desktop.RunFor(9 * kMinute);
        EXPECT_EQ(log.events, Events{"postponed"});
      } else {
        desktop.RunFor(19 * kMinute);
        EXPECT_EQ(log.events, Events{});
        desktop.RunFor(2 * kMinute);
        EXPECT_EQ(log.events, Events{"eye"});
      }
    }
  }
}

TEST_F(GuidedBreakTest, TakeABreakNowRunsTheGuidedBreakOnlyWhileReminding) {
  StartReminding("45", {{"Break Length", "1"}});
  desktop.Run([&] { form().RunCommand({CommandKind::Break}); });
  EXPECT_EQ(log.events, Events{"taken"});
  EXPECT_TRUE(form().Timer1.Running());
  desktop.Click(form().PushButton3);  // stopped: the menu greys it, and a command does nothing
  desktop.Run([&] { form().RunCommand({CommandKind::Break}); });
  EXPECT_EQ(log.events, Events{"taken"});
  EXPECT_EQ(Frame1(), "Stopped.");
}

TEST_F(GuidedBreakTest, AWindowThatCannotBeMadeIsReportedAndTheNextPeriodStarts) {
  desktop.refusedWindows.insert("FormBreak");
  StartReminding("1", {{"Break Length", "5"}});
  desktop.RunFor(kMinute + kSecond);
  ASSERT_EQ(desktop.dialogs.boxes.size(), 1u);
  EXPECT_NE(desktop.dialogs.boxes[0].text.find("Form1.GuideBreak"), std::string::npos);
  EXPECT_EQ(Frame1(), kNext + "00:00:59");
  EXPECT_EQ(desktop.presence.listener, nullptr);
}

}  // namespace
}  // namespace rp::test
