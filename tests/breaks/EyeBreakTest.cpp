#include <gtest/gtest.h>

#include "breaks/GuidedFixture.h"
#include "Later.h"

namespace rp::test {
namespace {

using EyeBreakTest = GuidedTest;

// The minutes from `start` at which the times fell.
std::vector<std::int64_t> Minutes(const std::vector<std::int64_t>& times, std::int64_t start) {
  std::vector<std::int64_t> minutes;
  for (std::int64_t t : times) minutes.push_back((t - start) / kMinute);
  return minutes;
}

// Every 20 counted minutes, unless the next break is 2 minutes away or less; a break starts the
// 20 minutes again. No sound: the player hears only the breaks. None is shown, or counted,
// while the system lists no monitor.
TEST_F(EyeBreakTest, EveryTwentyCountedMinutesClearOfTheNextBreak) {
  const std::vector<MonitorInfo> monitors = desktop.monitors.monitors;
  const struct {
    const char* period;
    std::int64_t run;
    std::vector<std::int64_t> eyeBreaks;  // minutes
    int breaks;
    bool noMonitor = false;
  } cases[] = {
      {"45", 70, {20, 40, 65}, 1},
      {"23", 46, {20, 43}, 2},
      {"22", 45, {}, 2},  // 2 minutes before the break
      {"21", 63, {}, 3},
      {"45", 70, {}, 1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.period);
    Restart();
    desktop.player.calls.clear();
    desktop.monitors.monitors = c.noMonitor ? std::vector<MonitorInfo>{} : monitors;
    const std::int64_t start = desktop.NowMs();
    StartReminding(c.period, {{"Eye Breaks", "On"}});
    desktop.RunFor(c.run * kMinute);
    EXPECT_EQ(Minutes(log.times, start), c.eyeBreaks);
    EXPECT_EQ(CountCalls(desktop.player.calls, "url"), c.breaks);
  }
}

// A presentation (with holds on) leaves them out and a held break stops their count; time away
// starts it again.
TEST_F(EyeBreakTest, HoldsLeaveThemOutAndTimeAwayStartsTheirCountAgain) {
  StartReminding("45", {{"Eye Breaks", "On"}, {"Hold Reminders", "On"}});
  desktop.RunFor(30 * kMinute);
  desktop.presence.notificationState = NotificationState::Presentation;
  desktop.RunFor(44 * kMinute);  // none at 40, and the break held from 45 on
  desktop.presence.notificationState = NotificationState::AcceptsNotifications;
  desktop.RunFor(21 * kMinute);  // the break at 74:01 starts the 20 minutes again
  EXPECT_EQ(Minutes(log.times, 0), (std::vector<std::int64_t>{20, 94}));

  Restart();
  const std::int64_t start = desktop.NowMs();
  StartReminding("45", {{"Eye Breaks", "On"}, {"Natural Breaks", "On"}, {"Away Minutes", "5"}});
  desktop.Input();
  desktop.RunFor(12 * kMinute);  // away from the fifth minute on
  Timer typing(desktop, [&] { desktop.Input(); });
  typing.SetInterval(kMinute);
  desktop.Input();
  desktop.RunFor(40 * kMinute);
  // Counted again from 12:01 on, not from 5 minutes in: no eye break at 27 minutes.
  EXPECT_EQ(Minutes(log.times, start), (std::vector<std::int64_t>{32, 52}));
}

MonitorInfo Monitor(const char* name, DesktopRect bounds, int taskbar, int dpi, bool primary = false) {
  DesktopRect work = bounds;
  work.bottom -= taskbar;
  return {name, bounds, work, dpi, primary};
}

// At the bottom right of the work area of the monitor with the pointer, in twips at that
// monitor's dots per inch; it rises from the monitor's bottom edge unless a monitor lies below.
TEST_F(EyeBreakTest, RisesOnThePointersMonitorCountsDownAndLeaves) {
  const MonitorInfo primary = Monitor("P", {0, 0, 1280, 1024}, 40, 96, true);
  const struct {
    const char* what;
    std::vector<MonitorInfo> monitors;
    const char* pointer;
    int left, restTop, startTop;
  } cases[] = {
      // 5400 x 1140 twips inside, with 6 x 23 pixels of frame: 5490 x 1485 at 96 dpi.
      {"one monitor", {primary}, "P", 1280 * 15 - 5490, 984 * 15 - 1485, 1024 * 15},
      // 5460 x 1370 at 144 dpi, left of the primary.
      {"at 144 dpi on the left", {primary, Monitor("L", {-2560, 0, 0, 1440}, 0, 144)}, "L", -5460, 14400 - 1370, 14400},
      {"a monitor below", {primary, Monitor("B", {0, 1024, 1280, 2048}, 0, 96)}, "P", 1280 * 15 - 5490,
       984 * 15 - 1485, 984 * 15 - 1485},
      {"the pointer nowhere: the primary", {Monitor("X", {1280, 0, 2560, 1024}, 0, 96), primary}, "gone",
       1280 * 15 - 5490, 984 * 15 - 1485, 1024 * 15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    program.reset();
    desktop.monitors.monitors = c.monitors;
    desktop.monitors.pointer = c.pointer;
    Start();
    const auto window = std::make_unique<FormEyeBreak>(program->platform);
    FormEyeBreak& w = *window;
    desktop.Run([&] { w.Appear(); });
    EXPECT_EQ(w.Caption(), "Eye Break");
    EXPECT_EQ(w.Left(), c.left);
    EXPECT_EQ(w.RestTop, c.restTop);
    EXPECT_EQ(w.StartTop, c.startTop);
    EXPECT_EQ(w.Top(), c.startTop);
    EXPECT_EQ(desktop.ViewOf(w)->focusCount, 0);
    EXPECT_TRUE(w.Topmost());
    desktop.RunFor(200);
    EXPECT_EQ(w.Top(), c.restTop);
    EXPECT_EQ(w.Label2.Text(), "00:20");
    desktop.RunFor(19 * kSecond);
    EXPECT_EQ(w.Label2.Text(), "00:01");
    EXPECT_TRUE(w.IsLoaded());
    desktop.RunFor(kSecond + 200);
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_EQ(desktop.RunningTimers(), 0u);
  }
}

}  // namespace
}  // namespace rp::test
