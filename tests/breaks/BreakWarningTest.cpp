#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "breaks/FormWarning.h"
#include "breaks/GuidedFixture.h"
#include "Later.h"

namespace rp::test {
namespace {

using BreakWarningTest = GuidedTest;
using Events = std::vector<std::string>;
using Settings = std::map<std::string, std::string>;
const std::string kNext = "Next break will occur in ";

// Calls `look` every `ms` of virtual time, also inside a handler that waits in the event loop.
class Watch {
 public:
  Watch(sim::SimDesktop& desktop, int ms, std::function<void()> look) : look_(std::move(look)), timer_(desktop, [this] { look_(); }) {
    timer_.SetInterval(ms);
  }

 private:
  std::function<void()> look_;
  Timer timer_;
};

TEST_F(BreakWarningTest, RisesWithoutTheFocusCountsDownAndTheBreakFollowsAsBefore) {
  StartReminding("1", {{"Break Length", "5"}, {"Warn Before Break", "30"}});
  desktop.RunFor(29 * kSecond);
  EXPECT_EQ(form().breaks.WarningWindow(), nullptr);
  desktop.RunFor(kSecond);
  FormWarning* w = form().breaks.WarningWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Caption(), "Break Soon");
  EXPECT_TRUE(w->Visible() && w->Topmost());
  EXPECT_EQ(desktop.ViewOf(*w)->focusCount, 0);
  EXPECT_EQ(w->Label1.Text(), "Break in 0:30");
  EXPECT_EQ(w->Label2.Text(), "3 skips left today");
  desktop.RunFor(20 * kSecond);
  EXPECT_EQ(w->Label1.Text(), "Break in 0:10");
  EXPECT_EQ(Frame1(), kNext + "00:00:10");  // the main window counts as ever
  Later atTheEnd(desktop, 10 * kSecond + 500, [&] {
    EXPECT_EQ(form().breaks.WarningWindow(), nullptr);
    EXPECT_EQ(Windows().size(), 1u);
    EXPECT_EQ(CountCalls(desktop.player.calls, "loop on"), 1);  // the reminders fired
  });
  desktop.RunFor(6 * kMinute);
  EXPECT_EQ(log.events, Events{"taken"});
}

// Where a break would not come now, or no guided break comes, nothing warns of it.
TEST_F(BreakWarningTest, LeftOutWhereTheBreakWouldNotComeNow) {
  const struct {
    const char* what;
    const char* minutes;
    Settings options;
    std::function<void()> before;
    bool warned;
  } cases[] = {
      {"warned", "2", {}, nullptr, true},
      {"a period no longer than the warning", "1", {{"Warn Before Break", "60"}}, nullptr, false},
      {"no guided break", "2", {{"Break Length", "0"}}, nullptr, false},
      {"held by a presentation", "2", {{"Hold Reminders", "On"}},
       [this] { desktop.presence.notificationState = NotificationState::Presentation; }, false},
      {"paused", "2", {}, [this] { form().RunCommand({CommandKind::Pause, 30}); }, false},
      {"away", "2", {{"Natural Breaks", "On"}, {"Away Minutes", "1"}}, nullptr, false},
      {"outside working hours (a Tuesday)", "2", {{"Work Days", "Mon"}}, nullptr, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Restart();
    desktop.presence.notificationState = NotificationState::AcceptsNotifications;
    desktop.Input();
    Settings options = {{"Break Length", "5"}, {"Warn Before Break", "30"}};
    for (const auto& [name, value] : c.options) options[name] = value;
    StartReminding(c.minutes, options);
    if (c.before) c.before();
    bool warned = false;
    Watch watch(desktop, 500, [&] { warned = warned || form().breaks.WarningWindow() != nullptr; });
    desktop.RunFor(2 * kMinute - kSecond);
    EXPECT_EQ(warned, c.warned);
  }
}

// Start Now starts the break as "Take a Break Now" does; Postpone and Skip use one of the day's
// skips as in the break window, and no reminder fires for the break they put off.
TEST_F(BreakWarningTest, EachAnswerAndTheBudget) {
  const struct {
    const char* what;
    int button;  // 1 Start Now, 2 Postpone, 3 Skip
    const char* frame1;
    Events events;
    int reminders;
    const char* skipsUsed;
    std::int64_t thenMs;  // the time the program runs on, short of the next warning
  } cases[] = {
      {"start now", 1, "Break: 04:59", {"taken"}, 1, "<absent>", 9 * kMinute},
      {"postpone", 2, "Break postponed: 04:59", {"postponed", "taken"}, 0, "2026-12-08 1", 10 * kMinute + 10 * kSecond},
      {"skip", 3, "Next break will occur in 00:09:59", {"skipped"}, 0, "2026-12-08 1", 9 * kMinute},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Restart();
    desktop.player.calls.clear();
    StartReminding("10", {{"Break Length", "5"}, {"Warn Before Break", "30"}});
    desktop.RunFor(9 * kMinute + 40 * kSecond);
    FormWarning* w = form().breaks.WarningWindow();
    ASSERT_NE(w, nullptr);
    desktop.Click(c.button == 1 ? w->PushButton1 : c.button == 2 ? w->PushButton2 : w->PushButton3);
    Later look(desktop, 1500, [&] {
      EXPECT_EQ(Frame1(), c.frame1);
      EXPECT_EQ(form().breaks.WarningWindow(), nullptr);
    });
    desktop.RunFor(c.thenMs);
    EXPECT_EQ(log.events, c.events);
    EXPECT_EQ(CountCalls(desktop.player.calls, "loop on"), c.reminders);
    EXPECT_EQ(Stored("Skips Used"), c.skipsUsed);
  }
}

TEST_F(BreakWarningTest, WithoutSkipsTheButtonsAreGreyedOrGone) {
  for (const char* skips : {"0", "1"}) {
    Restart();
    StartReminding("1", {{"Break Length", "5"}, {"Warn Before Break", "30"}, {"Skips A Day", skips},
                         {"Skips Used", "2026-12-08 1"}});
    desktop.RunFor(30 * kSecond);
    FormWarning* w = form().breaks.WarningWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->PushButton2.Visible(), std::string(skips) == "1") << skips;
    EXPECT_FALSE(w->PushButton3.Enabled()) << skips;
    desktop.Click(w->PushButton3);  // nothing
    desktop.RunFor(kSecond);
    EXPECT_NE(form().breaks.WarningWindow(), nullptr);
    EXPECT_TRUE(log.events.empty());
  }
}

// Hears the wait for a pause in typing as the statistics do.
struct HeldLog : BreakObserver {
  void Held() override { ++held; }
  void Ticked(bool, bool, bool isHeld, bool) override { heldSeconds += isHeld ? 1 : 0; }
  int held = 0, heldSeconds = 0;
};

// The break windows wait for 3 seconds without input, at most a minute; the reminders do not.
TEST_F(BreakWarningTest, AGuidedBreakWaitsForAPauseInTyping) {
  const struct {
    const char* what;
    std::int64_t typingUntilMs;  // input every half second until then
    std::int64_t opensAtMs;
  } cases[] = {
      {"no input", 0, kMinute},
      {"typing 5 s past the break", kMinute + 5 * kSecond, kMinute + 8 * kSecond},
      {"typing on and on", 5 * kMinute, 2 * kMinute},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Restart();
    desktop.player.calls.clear();
    StartReminding("1", {{"Break Length", "5"}, {"Wait For Typing Pause", "On"}});
    HeldLog held;
    form().breaks.SetObserver(&held);
    const std::int64_t start = desktop.NowMs();
    std::int64_t openedAt = -1;
    std::string waiting;
    int queriesAtTheBreak = 0;
    Watch watch(desktop, 500, [&] {
      const std::int64_t at = desktop.NowMs() - start;
      if (at <= c.typingUntilMs) desktop.Input();
      if (openedAt < 0 && !Windows().empty()) openedAt = at;
      if (at == kMinute + 2 * kSecond) waiting = Frame1();
      if (at == kMinute) queriesAtTheBreak = desktop.presence.idleQueries;
    });
    desktop.RunFor(3 * kMinute);
    EXPECT_NEAR(static_cast<double>(openedAt), static_cast<double>(c.opensAtMs), 1000.0);
    EXPECT_EQ(CountCalls(desktop.player.calls, "loop on"), 1);
    const bool waited = c.opensAtMs > kMinute;
    EXPECT_EQ(waiting, waited ? "Break waits for a pause in typing" : "Break: 04:58");
    EXPECT_EQ(held.held, waited ? 1 : 0);
    EXPECT_NEAR(held.heldSeconds, (c.opensAtMs - kMinute) / 1000, 1);
    // Input every half second wakes the wait, but the idle time is asked at most once a second.
    if (waited) EXPECT_LE(desktop.presence.idleQueries - queriesAtTheBreak, (c.opensAtMs - kMinute) / 1000 + 2);
  }
}

}  // namespace
}  // namespace rp::test
