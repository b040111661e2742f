#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "SimFixture.h"
#include "runtime/Failure.h"
#include "runtime/Layout.h"
#include "reminders/Form2.h"
#include "options/FormOptions.h"
#include "Later.h"

namespace rp::test {
namespace {

// At 96 dots per inch on the 1280 x 1024 simulated screen: the tool window's frame adds 3 pixels
// on each side and a 17-pixel caption, so the outer size is 8130 x 1740 twips.
constexpr int kScreenWidth = 1280 * 15, kScreenHeight = 1024 * 15;
constexpr int kOuterWidth = 8130, kOuterHeight = 1740;
constexpr int kSteps = kOuterHeight / 30;  // 58 steps of 30 twips, one per millisecond

// The break window opened on the simulated desktop as a break opens it.
class BreakWindowTest : public SimTest {
 protected:
  Form2& Open() {
    if (!program) Start();
    program->globals.BreakWindowClosed = false;
    program->form2 = program->NewForm2();
    desktop.Run([&] { program->form2->Show(); });
    return *program->form2;
  }
  Form2& window() { return *program->form2; }

  // The minutes box holds this text. Its own change handler corrects some texts; the break
  // window must cope with whatever the box holds, so it is set here without that handler.
  void BoxHolds(const std::string& text) {
    auto handler = std::exchange(form().Text1.onChange, nullptr);
    form().Text1.SetText(text);
    form().Text1.onChange = std::move(handler);
  }

  std::string Phase() {
    Form2& w = window();
    if (!w.IsLoaded()) return "closed";
    if (w.Timer1.Running()) return w.Leaving ? "sliding out" : "sliding in";
    if (w.Timer2.Running()) return w.Leaving ? "resting" : "resting, held";
    return "below the screen";
  }
  // Lets virtual time pass, a millisecond at a time, until the window is in the phase;
  // returns the milliseconds that took.
  std::int64_t RunUntil(const std::string& phase, std::int64_t limitMs = 3'600'000) {
    const std::int64_t start = desktop.NowMs();
    while (Phase() != phase && desktop.NowMs() - start < limitMs) desktop.RunFor(1);
    EXPECT_EQ(Phase(), phase);
    return desktop.NowMs() - start;
  }
  void PointerOverLabel() { desktop.MouseMove(window().Label1); }
  void PointerOverWindow() { desktop.Run([&] { window().UserMouseMove(); }); }

  // No "Application Error" box came from the break window.
  void ExpectNoReport() {
    for (const auto& box : desktop.dialogs.boxes)
      EXPECT_EQ(box.text.find("Form2."), std::string::npos) << box.text;
  }
};

TEST_F(BreakWindowTest, OpensAsDesignedJustBelowTheBottomRightOfTheScreen) {
  Form2& w = Open();
  EXPECT_EQ(w.Caption(), "   Break!");
  EXPECT_EQ(w.Style(), FormStyle::FixedToolWindow);
  EXPECT_EQ(w.ClientWidth(), 8040);
  EXPECT_EQ(w.ClientHeight(), 1395);
  EXPECT_EQ(w.Label1.Text(), "Break!");
  EXPECT_EQ(w.Label1.ForeColor(), 0x0000FFu);
  EXPECT_EQ(w.Label1.GetFont().face, "Arial");
  EXPECT_EQ(w.Label1.GetFont().points, 15.75);
  EXPECT_TRUE(w.Label1.GetFont().bold);
  EXPECT_EQ(w.Label1.Alignment(), TextAlign::Centre);
  EXPECT_EQ(w.Label1.Rect().left, 120);
  EXPECT_EQ(w.Label1.Rect().top, 480);
  EXPECT_EQ(w.Label1.Rect().width, 7935);
  EXPECT_EQ(w.Label1.Rect().height, 345);
  EXPECT_EQ(w.BackColor(), kButtonFaceColour);
  EXPECT_EQ(w.Label1.BackColor(), kButtonFaceColour);
  EXPECT_TRUE(w.Topmost());
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(w.MouseIcon(), nullptr);

  EXPECT_EQ(w.Width(), kOuterWidth);
  EXPECT_EQ(w.Left(), kScreenWidth - kOuterWidth);
  EXPECT_EQ(w.Top(), kScreenHeight);
  EXPECT_EQ(w.RestTop, kScreenHeight - kOuterHeight);
  EXPECT_FALSE(w.FirstActivation);
  EXPECT_FALSE(w.Leaving);
  EXPECT_EQ(Phase(), "sliding in");
  ExpectNoReport();
}

TEST_F(BreakWindowTest, CursorFileIsLoadedButNotShownAndABadOneIsReported) {
  const std::string cursor = desktop.files.programFolder + "\\HAND-M.CUR";
  desktop.files.Add(cursor, {std::string("\0\0\2\0", 4)});
  Form2& w = Open();
  EXPECT_NE(w.MouseIcon(), nullptr);
  EXPECT_EQ(w.MousePointer(), kDefaultPointer);
  ExpectNoReport();

  desktop.files.Add(cursor, {"not a cursor"});
  Form2& second = Open();
  ASSERT_FALSE(desktop.dialogs.boxes.empty());
  EXPECT_NE(desktop.dialogs.boxes.back().text.find(
                "in RespitePrompter2021/08/31.Form2.Form_Load at line 102"),
            std::string::npos);
  EXPECT_EQ(second.MouseIcon(), nullptr);
  EXPECT_EQ(second.RestTop, kScreenHeight - kOuterHeight);  // the later steps still ran
  EXPECT_EQ(RunUntil("resting"), kSteps);
}

// The window climbs 30 twips a step and stops at the first step not above RestTop, so when the
// outer height is not a multiple of 30 a small gap stays beneath it. Its size and the screen are
// measured at the dots per inch of its monitor, which may differ from the system's.
TEST_F(BreakWindowTest, SlidesInToTheFirstStepNotAboveRestTop) {
  const struct {
    int dpi, outerHeight, steps, gap;
    int monitorDpi = 0;  // 0: the system's
  } cases[] = {
      {96, 1740, 58, 0},   // 1395 + 23 pixels of 15 twips
      {120, 1671, 56, 9},  // 1395 + 23 pixels of 12 twips
      {144, 1625, 55, 25}, // 1395 + 23 pixels of 10 twips
      {192, 1568, 53, 22}, // 1395 + 23 pixels of 7.5 twips
      {96, 1625, 55, 25, 144},  // a 144-dpi monitor while the system is at 96
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    SCOPED_TRACE(c.monitorDpi);
    sim::SimDesktop desk;
    desk.dpi = c.dpi;
    desk.monitorDpi = c.monitorDpi;
    Program prog(desk.platform);
    desk.Run([&] { prog.Start(); });
    prog.form2 = prog.NewForm2();
    Form2& w = *prog.form2;
    desk.Run([&] { w.Show(); });
    const int screenHeight = w.Screen().heightTwips;
    EXPECT_EQ(screenHeight, PixelsToTwips(desk.screenHeightPixels, c.monitorDpi ? c.monitorDpi : c.dpi));
    EXPECT_EQ(w.Height(), c.outerHeight);
    EXPECT_EQ(w.Top(), screenHeight);
    EXPECT_EQ(w.RestTop, screenHeight - c.outerHeight);

    int ms = 0;
    while (w.Timer1.Running() && ms < 1000) {
      desk.RunFor(1);
      ++ms;
    }
    EXPECT_EQ(ms, c.steps);
    EXPECT_TRUE(w.Timer2.Running());
    EXPECT_TRUE(w.Leaving);
    EXPECT_EQ(w.Top(), screenHeight - 30 * c.steps);
    EXPECT_EQ(screenHeight - (w.Top() + w.Height()), c.gap);

    // Every step moved it 30 twips up at the same Left.
    const auto& shown = desk.ViewOf(w)->positions;
    ASSERT_GE(shown.size(), static_cast<std::size_t>(c.steps));
    for (std::size_t i = shown.size() - c.steps; i < shown.size(); ++i) {
      EXPECT_EQ(shown[i].first, w.Left());
      EXPECT_EQ(shown[i].second, shown[i - 1].second - 30);
    }

    // The slide-out takes as many steps and ends with the window gone.
    desk.RunFor(1000 * 45);  // the box holds "45": the stay is 45 seconds
    EXPECT_TRUE(w.Timer1.Running());
    desk.RunFor(c.steps - 1);
    EXPECT_TRUE(w.IsLoaded());
    desk.RunFor(1);
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_TRUE(prog.globals.BreakWindowClosed);
    EXPECT_EQ(desk.RunningTimers(), 0u);
  }
}

// The stay is the number at the start of the minutes box, in seconds, never less than one.
TEST_F(BreakWindowTest, StaysAsManySecondsAsTheBoxReads) {
  const struct {
    const char* box;
    int seconds;
  } cases[] = {
      {"", 1},  {"0", 1},         {"-3", 1},          {"abc", 1}, {"1.5", 2},
      {"2", 2}, {" 3 minutes", 3}, {"2.000001", 3}, {"1e1", 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box);
    Open();
    BoxHolds(c.box);
    EXPECT_EQ(RunUntil("resting"), kSteps);
    EXPECT_EQ(RunUntil("sliding out"), 1000 * c.seconds);
    EXPECT_FALSE(program->globals.BreakWindowClosed);
    EXPECT_EQ(RunUntil("closed"), kSteps);
    EXPECT_TRUE(program->globals.BreakWindowClosed);
    EXPECT_EQ(desktop.RunningTimers(), 0u);
  }
  ExpectNoReport();
}

TEST_F(BreakWindowTest, EditingTheBoxWhileResting) {
  Open();
  BoxHolds("10");
  RunUntil("resting");
  desktop.RunFor(2000);
  desktop.Type(form().Text1, "3");  // raised: the stay ends on the third tick
  EXPECT_EQ(RunUntil("sliding out"), 1000);

  Open();
  BoxHolds("10");
  RunUntil("resting");
  desktop.RunFor(5000);
  desktop.Type(form().Text1, "2");  // lowered below the count: it leaves on the next tick
  EXPECT_EQ(RunUntil("sliding out"), 1000);
  ExpectNoReport();
}

TEST_F(BreakWindowTest, PointerWhileSlidingInChangesNothing) {
  Form2& w = Open();
  BoxHolds("2");
  int ms = 0;
  while (Phase() == "sliding in") {
    PointerOverWindow();
    PointerOverLabel();
    desktop.RunFor(1);
    ++ms;
  }
  EXPECT_EQ(ms, kSteps);
  EXPECT_TRUE(w.Leaving);
  EXPECT_EQ(RunUntil("sliding out"), 2000);
}

TEST_F(BreakWindowTest, PointerOverTheRestingWindowRestartsTheStayOnce) {
  Form2& w = Open();
  BoxHolds("5");
  RunUntil("resting");
  desktop.RunFor(2000);
  PointerOverLabel();
  EXPECT_EQ(Phase(), "resting, held");
  EXPECT_EQ(w.ShownSeconds, 0);
  desktop.RunFor(2000);
  PointerOverWindow();  // the same stay: no second restart
  PointerOverLabel();
  EXPECT_EQ(w.ShownSeconds, 2);
  EXPECT_EQ(RunUntil("sliding out"), 3000);  // five seconds after the first movement
  EXPECT_EQ(RunUntil("closed"), kSteps);
}

TEST_F(BreakWindowTest, PointerWhileSlidingOutSendsItBackForAWholeStay) {
  Form2& w = Open();
  BoxHolds("2");
  RunUntil("resting");
  const int restingTop = w.Top();
  RunUntil("sliding out");
  desktop.RunFor(10);
  EXPECT_EQ(w.Top(), restingTop + 300);
  PointerOverWindow();
  EXPECT_EQ(Phase(), "sliding in");
  EXPECT_EQ(RunUntil("resting"), 10);
  EXPECT_EQ(w.Top(), restingTop);
  EXPECT_EQ(w.ShownSeconds, 0);
  EXPECT_EQ(RunUntil("sliding out"), 2000);

  desktop.RunFor(20);
  PointerOverLabel();  // the label holds it as the window does
  EXPECT_EQ(RunUntil("resting"), 20);
  EXPECT_EQ(RunUntil("sliding out"), 2000);
  EXPECT_EQ(RunUntil("closed"), kSteps);
}

TEST_F(BreakWindowTest, ActivatingItAgainStartsNoSecondSlide) {
  Form2& w = Open();
  desktop.RunFor(10);
  desktop.Run([&] { w.UserActivated(); });
  EXPECT_EQ(RunUntil("resting"), kSteps - 10);
  desktop.Run([&] { w.UserActivated(); });
  EXPECT_EQ(Phase(), "resting");
  EXPECT_FALSE(w.Timer1.Running());
}

// The close button closes it at once in every phase: the flag is set, the timers stop, and
// nothing of the window runs afterwards.
TEST_F(BreakWindowTest, CloseButtonInEveryPhase) {
  const struct {
    const char* phase;
    std::function<void()> reach;
  } cases[] = {
      {"sliding in", [this] { desktop.RunFor(20); }},
      {"resting", [this] { RunUntil("resting"); }},
      {"resting, held",
       [this] {
         RunUntil("resting");
         PointerOverLabel();
       }},
      {"sliding out",
       [this] {
         RunUntil("sliding out");
         desktop.RunFor(20);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.phase);
    Form2& w = Open();
    BoxHolds("1");
    c.reach();
    ASSERT_EQ(Phase(), c.phase);
    const int top = w.Top();
    desktop.Close(w);
    EXPECT_TRUE(program->globals.BreakWindowClosed);
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_EQ(desktop.ViewOf(w), nullptr);
    EXPECT_EQ(desktop.RunningTimers(), 0u);
    desktop.RunFor(60000);
    EXPECT_EQ(w.Top(), top);
  }
  ExpectNoReport();
}

TEST_F(BreakWindowTest, EveryBreakOpensAFreshWindow) {
  Form2& first = Open();
  RunUntil("resting");
  PointerOverLabel();  // leaves the first window held, with Leaving clear
  desktop.Close(first);

  Form2& second = Open();
  EXPECT_NE(&second, &first);
  EXPECT_FALSE(program->globals.BreakWindowClosed);
  EXPECT_EQ(desktop.OpenWindows(), 2u);  // the main window and the new break window
  EXPECT_EQ(second.Top(), kScreenHeight);
  EXPECT_EQ(second.ShownSeconds, 0);
  BoxHolds("1");
  EXPECT_EQ(RunUntil("resting"), kSteps);
  EXPECT_EQ(RunUntil("sliding out"), 1000);
  EXPECT_EQ(RunUntil("closed"), kSteps);
}

// A number beyond what the count of seconds can reach would keep the break going for ever:
// the window leaves as after a finished stay.
TEST_F(BreakWindowTest, StayTooLargeToCountEndsTheStay) {
  for (const char* box : {"1e999", "3e9", "2147483648"}) {
    SCOPED_TRACE(box);
    Open();
    BoxHolds(box);
    RunUntil("resting");
    EXPECT_EQ(RunUntil("sliding out"), 1000);
    EXPECT_EQ(RunUntil("closed"), kSteps);
    EXPECT_TRUE(program->globals.BreakWindowClosed);
  }
  Open();
  BoxHolds("2147483647");  // still a count the window can reach
  RunUntil("resting");
  desktop.RunFor(10000);
  EXPECT_EQ(Phase(), "resting");
  ExpectNoReport();
}

// A close arriving while the close handling processes events must not destroy the window
// under it.
TEST_F(BreakWindowTest, SecondCloseDuringTheCloseHandlingIsLeftToTheFirst) {
  Form2& w = Open();
  bool secondClosed = true, loadedAfterSecond = false;
  desktop.Run([&] {
    desktop.Post([&] {
      secondClosed = w.UserClose(kCloseFromControlMenu);
      loadedAfterSecond = w.IsLoaded();
    });
    w.UserClose(kCloseFromControlMenu);
  });
  EXPECT_FALSE(secondClosed);
  EXPECT_TRUE(loadedAfterSecond);
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_TRUE(program->globals.BreakWindowClosed);
  EXPECT_EQ(desktop.RunningTimers(), 0u);
}

// The screen cannot be read any more while the window moves.
class FailingScreenDesktop : public sim::SimDesktop {
 public:
  ScreenMetrics Screen() override {
    if (screenFails) throw Failure("Automation error");
    return SimDesktop::Screen();
  }
  bool screenFails = false;
};

// The timer handlers have no error report; whatever fails in them, the window still goes and
// the main window's wait ends.
TEST(BreakWindowFailureTest, FailingMovementClosesTheWindow) {
  for (const char* box : {"1", "1e999"}) {
    SCOPED_TRACE(box);
    FailingScreenDesktop desktop;
    Program program(desktop.platform);
    desktop.Run([&] { program.Start(); });
    program.form1->Text1.onChange = nullptr;
    program.form1->Text1.SetText(box);
    program.form2 = program.NewForm2();
    Form2& w = *program.form2;
    desktop.Run([&] { w.Show(); });
    desktop.RunFor(kSteps);
    ASSERT_TRUE(w.Timer2.Running());
    desktop.screenFails = true;
    desktop.RunFor(1000);  // the stay ends
    EXPECT_TRUE(w.IsLoaded());
    desktop.RunFor(1);  // the first step down fails
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_TRUE(program.globals.BreakWindowClosed);
    EXPECT_EQ(desktop.RunningTimers(), 0u);
    EXPECT_TRUE(desktop.dialogs.boxes.empty());
  }
}

// The whole break with "Full Screen Reminder": the next period starts when the window has left.
TEST_F(BreakWindowTest, BreakGoesOnWhenTheWindowHasLeft) {
  desktop.settings.values = {{"Text1", "1"},  {"Check1", "0"}, {"Check2", "0"},
                             {"Check3", "1"}, {"StartStopState", "On"}};
  Start();
  desktop.RunFor(60000);  // the break: slide in, a one-second stay, slide out
  EXPECT_EQ(desktop.NowMs(), 60000 + kSteps + 1000 + kSteps);
  ASSERT_NE(program->form2, nullptr);
  EXPECT_FALSE(window().IsLoaded());
  EXPECT_TRUE(form().Timer1.Running());
  desktop.RunFor(1000);
  EXPECT_EQ(form().Frame1.Text(), "Next break will occur in 00:00:59");
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
}

// The Options window opened during the break keeps its modal loop above the break's wait; the
// count must go on as soon as the break window has left, not when Options closes.
TEST_F(BreakWindowTest, TheCountGoesOnUnderAnOptionsWindowOpenedDuringTheBreak) {
  desktop.settings.values = {{"Text1", "1"},  {"Check1", "0"}, {"Check2", "0"},
                             {"Check3", "1"}, {"StartStopState", "On"}};
  Start();
  Later openOptions(desktop, 60010, [&] { form().UserSystemMenu(0); });
  Later look(desktop, 65010, [&] {
    ASSERT_NE(program->formOptions, nullptr);
    EXPECT_FALSE(window().IsLoaded());
    EXPECT_TRUE(form().Timer1.Running());
    EXPECT_EQ(form().countdown.ElapsedSeconds, 3);
    program->formOptions->Unload();
  });
  desktop.RunFor(70000);
  EXPECT_EQ(program->formOptions, nullptr);
  EXPECT_EQ(form().countdown.ElapsedSeconds, 8);
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
}

}  // namespace
}  // namespace rp::test
