#include <gtest/gtest.h>

#include "SimFixture.h"
#include "reminders/Form2.h"

namespace rp::test {
namespace {

// Closing the main window in each state it can be in: the icon goes, the timer stops, pending
// events get two rounds, then the program ends with nothing stored and no handler run after.
class CloseTest : public SimTest {
 protected:
  void StartCounting(const char* minutes = "1") {
    desktop.settings.values["StartStopState"] = "On";
    desktop.settings.values["Text1"] = minutes;
    desktop.settings.values["Check1"] = "0";
    desktop.settings.values["Check2"] = "0";
    Start();
  }
  // What must hold once the program has ended.
  void ExpectEnded(std::size_t writesBefore) {
    EXPECT_TRUE(desktop.Ended());
    EXPECT_FALSE(form().cSysTray1.InTray());
    EXPECT_FALSE(form().Timer1.Running());
    EXPECT_EQ(desktop.settings.writes.size(), writesBefore) << "nothing is stored at close";
    EXPECT_TRUE(desktop.dialogs.boxes.empty());
  }
};

TEST_F(CloseTest, WhileCountingPendingEventsRunTwoRoundsWithTheIconAlreadyGone) {
  StartCounting();
  desktop.RunFor(5000);
  ASSERT_EQ(form().countdown.ElapsedSeconds, 5);
  const auto writes = desktop.settings.writes.size();

  bool iconSeen = true, timerSeen = true;
  int rounds = 0;
  desktop.Post([&] {
    iconSeen = form().cSysTray1.InTray();
    timerSeen = form().Timer1.Running();
    ++rounds;
    desktop.Post([&] {
      ++rounds;
      desktop.Post([&] { ++rounds; });  // a third round never comes
    });
  });
  desktop.Close(form());

  EXPECT_FALSE(iconSeen);
  EXPECT_FALSE(timerSeen);
  EXPECT_EQ(rounds, 2);
  ExpectEnded(writes);
  desktop.RunFor(10 * 60 * 1000);
  EXPECT_EQ(form().countdown.ElapsedSeconds, 5) << "no tick after the close";
  EXPECT_EQ(Stored("StartStopState"), "On");
}

TEST_F(CloseTest, DuringABreakTheBreakWindowEndsWithTheProgram) {
  desktop.settings.values["Check3"] = "1";
  StartCounting("5");  // a break every 5 minutes, resting 5 seconds
  const auto writes = desktop.settings.writes.size();

  // The user closes the main window while the "Break!" window rests on the screen.
  bool breakWindowUp = false;
  Timer closer(desktop, [&] {
    breakWindowUp = program->form2 && program->form2->Visible();
    form().UserClose(kCloseFromControlMenu);
  });
  closer.SetInterval((5 * 60 + 2) * 1000);
  desktop.RunFor(10 * 60 * 1000);

  EXPECT_TRUE(breakWindowUp);
  ExpectEnded(writes);
  EXPECT_FALSE(program->globals.BreakWindowClosed) << "the break window's close handler never ran";
}

TEST_F(CloseTest, HiddenInTheTrayASessionEndClosesItTheSameWay) {
  desktop.settings.values["Windows Startup"] = "On";
  desktop.settings.values["Minimized"] = "On";
  Start();
  ASSERT_FALSE(form().Visible());
  const auto writes = desktop.settings.writes.size();

  desktop.Close(form(), kCloseForWindowsSession);

  ExpectEnded(writes);
}

}  // namespace
}  // namespace rp::test
