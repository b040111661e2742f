#include <gtest/gtest.h>

#include "TrayFixture.h"
#include "Later.h"

namespace rp::test {
namespace {

constexpr char kNotice[] =
    "has been minimized to the system tray.\r\n"
    "Click on the blue 'K' icon (K for Kelvadore) to bring the software back.";

class MinimiseToTrayTest : public TrayTest {
 protected:
  bool HiddenInTray() { return program->mSysTray.HiddenInTray; }
  bool ShownOnScreen() { return desktop.ViewOf(form())->shown; }
  int Focused() { return desktop.ViewOf(form())->focusCount; }
};

TEST_F(MinimiseToTrayTest, FirstMinimiseHidesWithTheNoticeAndLaterOnesQuietly) {
  Start();
  Mark();
  const auto start = desktop.NowMs();
  Minimise();
  EXPECT_FALSE(form().Visible());
  EXPECT_FALSE(ShownOnScreen());
  EXPECT_EQ(form().WindowState(), kNormal);
  EXPECT_TRUE(HiddenInTray());
  ASSERT_EQ(Calls().size(), 2u);  // the notice, and its clearing after five seconds
  EXPECT_EQ(Calls()[0].szInfo(), kNotice);
  EXPECT_EQ(Calls()[0].szInfoTitle(), "Periodic Respite Prompter Utility");
  EXPECT_EQ(Calls()[0].uTimeout(), 5000u);
  EXPECT_EQ(Calls()[1].szInfo(), "");
  EXPECT_EQ(desktop.NowMs() - start, 5000);

  OnIcon(kLeftUp);
  EXPECT_TRUE(form().Visible());
  EXPECT_FALSE(HiddenInTray());

  Mark();
  const auto later = desktop.NowMs();
  Minimise();
  EXPECT_FALSE(form().Visible());
  EXPECT_TRUE(HiddenInTray());
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(desktop.NowMs(), later);
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
}

TEST_F(MinimiseToTrayTest, ReleasingEitherButtonOnTheIconBringsTheWindowBack) {
  const struct {
    std::vector<std::int32_t> messages;
    bool restored;
  } cases[] = {
      {{513, 514}, true},           // left click
      {{516, 517, 0x7B}, true},     // right click
      {{513, 514, 515, 514}, true}, // double click
      {{513}, false},
      {{516}, false},
      {{512, 519, 520}, false},     // moving, middle button
  };
  for (const auto& c : cases) {
    sim::SimDesktop d;
    Program p(d.platform);
    d.Run([&] { p.Start(); });
    d.Run([&] { p.form1->UserResized(kMinimized); });
    const int focusBefore = d.ViewOf(*p.form1)->focusCount;
    for (std::int32_t m : c.messages) d.shell.PostTrayMessage(p.form1->cSysTray1.ControlHwnd(), m);
    d.RunFor(0);
    SCOPED_TRACE(c.messages.front());
    EXPECT_EQ(p.form1->Visible(), c.restored);
    EXPECT_EQ(d.ViewOf(*p.form1)->shown, c.restored);
    EXPECT_EQ(p.mSysTray.HiddenInTray, !c.restored);
    EXPECT_EQ(d.ViewOf(*p.form1)->focusCount > focusBefore, c.restored);
  }
}

TEST_F(MinimiseToTrayTest, AClickDuringTheNoticeBringsTheWindowBackAtOnce) {
  Start();
  bool visibleDuringNotice = false;
  Later click(desktop, 2000, [&] { shell().PostTrayMessage(TrayWindow(), kLeftUp); });
  Later look(desktop, 2500, [&] { visibleDuringNotice = form().Visible(); });
  Later minimiseAgain(desktop, 3000, [&] { form().UserResized(kMinimized); });
  Mark();
  Minimise();
  EXPECT_TRUE(visibleDuringNotice);
  EXPECT_FALSE(form().Visible());  // hidden again, inside the same wait
  EXPECT_EQ(Calls().size(), 2u);   // one notice only, cleared at five seconds
  EXPECT_EQ(desktop.NowMs(), 5000);
}

TEST_F(MinimiseToTrayTest, AMaximisedWindowComesBackNormal) {
  Start();
  desktop.Run([&] { form().UserResized(kMaximized); });
  Minimise();
  OnIcon(kRightUp);
  EXPECT_TRUE(form().Visible());
  EXPECT_EQ(form().WindowState(), kNormal);
}

TEST_F(MinimiseToTrayTest, BothStartUpOptionsStartStraightIntoTheTray) {
  desktop.settings.values["Windows Startup"] = "On";
  desktop.settings.values["Minimized"] = "On";
  Start();
  EXPECT_FALSE(form().Visible());
  EXPECT_FALSE(ShownOnScreen());
  EXPECT_TRUE(HiddenInTray());
  ASSERT_GE(shell().calls.size(), 2u);
  EXPECT_EQ(shell().calls[0].message, kNimAdd);  // the icon is there before the window hides
  EXPECT_EQ(shell().calls[1].szInfo(), kNotice);
  EXPECT_EQ(Stored("Minimized"), "On");

  OnIcon(kLeftUp);
  EXPECT_TRUE(form().Visible());
  EXPECT_EQ(form().WindowState(), kNormal);
}

TEST_F(MinimiseToTrayTest, Check8StoresTheStartMinimisedChoice) {
  Start();
  desktop.Click(form().Check8);
  EXPECT_EQ(Stored("Minimized"), "On");
  desktop.Click(form().Check8);
  EXPECT_EQ(Stored("Minimized"), "Off");
  desktop.Run([&] { form().Check8.SetValue(1); });
  EXPECT_EQ(Stored("Minimized"), "On");
}

TEST_F(MinimiseToTrayTest, ASecondStartBringsTheWindowBackFromTheTrayOrTheTaskbar) {
  Start();
  Minimise();
  const std::size_t writes = desktop.settings.writes.size();
  const int focused = Focused();
  desktop.Run([&] { form().UserAnotherCopyStarted(); });
  EXPECT_TRUE(form().Visible());
  EXPECT_TRUE(ShownOnScreen());
  EXPECT_EQ(Focused(), focused + 1);
  EXPECT_FALSE(HiddenInTray());

  program->mSysTray.HiddenInTray = true;  // a minimise that the tray does not take
  desktop.Run([&] { form().SetWindowState(kMinimized); });
  ASSERT_TRUE(form().Visible());
  desktop.Run([&] { form().UserAnotherCopyStarted(); });
  EXPECT_EQ(form().WindowState(), kNormal);
  EXPECT_TRUE(form().Visible());
  EXPECT_EQ(desktop.settings.writes.size(), writes);
}

// Mended: an icon lost with a restarting shell used to strand a window hidden in the tray.
TEST_F(MinimiseToTrayTest, TheIconComesBackWhenTheShellRestarts) {
  Start();
  Minimise();
  shell().RestartShell();
  Mark();
  desktop.Run([&] { form().UserShellRestarted(); });
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].message, kNimAdd);
  EXPECT_EQ(Calls()[0].uFlags(), kNifMessage | kNifIcon | kNifTip);
  EXPECT_EQ(Calls()[0].szTip(), "Periodic Respite Prompter Utility");
  EXPECT_EQ(Calls()[0].uCallbackMessage(), 1125u);
  EXPECT_TRUE(Calls()[0].answer);

  OnIcon(kLeftUp);  // and the hook still carries the click
  EXPECT_TRUE(form().Visible());

  // Without an icon in the tray there is nothing to add again.
  tray().SetInTray(false);
  Mark();
  desktop.Run([&] { form().UserShellRestarted(); });
  EXPECT_TRUE(Calls().empty());
}

// Mended: started at log-on before the shell is ready, the window went into a tray that
// refused its icon and could not be reached.
TEST_F(MinimiseToTrayTest, ARefusedIconIsAddedAgainEveryTwoSecondsForTwoMinutes) {
  desktop.settings.values["Windows Startup"] = "On";
  desktop.settings.values["Minimized"] = "On";
  const auto adds = [&] {
    std::size_t n = 0;
    for (const auto& call : Calls()) n += call.message == kNimAdd;
    return n;
  };
  shell().refuseAdds = 3;
  Start();  // the minimise notice waits 5 s: adds at 0, 2 and 4 s, all refused
  EXPECT_EQ(desktop.NowMs(), 5000);
  EXPECT_EQ(adds(), 3u);
  EXPECT_TRUE(shell().icons.empty());
  desktop.RunFor(999);
  EXPECT_EQ(adds(), 3u);
  desktop.RunFor(1);  // the fourth add is taken, and no more are sent
  EXPECT_EQ(adds(), 4u);
  EXPECT_EQ(shell().icons.size(), 1u);
  EXPECT_EQ(Calls().back().szTip(), "Periodic Respite Prompter Utility");
  desktop.RunFor(60000);
  EXPECT_EQ(adds(), 4u);
  OnIcon(kLeftUp);
  EXPECT_TRUE(form().Visible());

  // A shell that never gets ready: 60 more tries, then the program stops asking; a restarted
  // shell is still answered.
  tray().SetInTray(false);
  tray().SetInTray(true);
  shell().refuseAdds = 1000;
  Mark();
  desktop.Run([&] { form().UserShellRestarted(); });
  desktop.RunFor(10 * 60000);
  EXPECT_EQ(adds(), 1u + 60u);
  shell().refuseAdds = 0;
  Mark();
  desktop.Run([&] { form().UserShellRestarted(); });
  EXPECT_EQ(adds(), 1u);
  EXPECT_EQ(shell().icons.size(), 1u);
}

TEST_F(MinimiseToTrayTest, ABreakWithTheBalloonReminderShowsBreakForHalfAMinute) {
  desktop.files.Add(DefaultSound());
  desktop.settings.values["Text1"] = "0";  // a break on every tick
  desktop.settings.values["Check1"] = "0";
  desktop.settings.values["Check2"] = "1";
  desktop.settings.values["Check3"] = "0";
  desktop.settings.values["StartStopState"] = "On";
  Start();
  Mark();
  Later click(desktop, 31000 + 4000, [&] { OnIcon(kBalloonUserClick); });
  desktop.RunFor(31000);  // the first break: its balloon runs out after 30 seconds
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(Calls()[0].szInfo(), "Break!");
  EXPECT_EQ(Calls()[0].szInfoTitle(), "Periodic Respite Prompter Utility");
  EXPECT_EQ(Calls()[0].uTimeout(), 30000u);
  EXPECT_EQ(Calls()[1].szInfo(), "");

  Mark();
  desktop.RunFor(4000);  // the next one, a second later, is clicked away after three seconds
  ASSERT_EQ(Calls().size(), 1u);  // so it needs no clearing
  EXPECT_EQ(Calls()[0].szInfo(), "Break!");
  EXPECT_TRUE(form().Timer1.Running());
}

}  // namespace
}  // namespace rp::test
