#include <gtest/gtest.h>

#include "SimFixture.h"
#include "settings/Main.h"

namespace rp::test {
namespace {

using StartupTest = SimTest;

TEST_F(StartupTest, FirstRunFillsTheDefaultsAndStoresThem) {
  desktop.files.Add(DefaultSound());
  Start();
  EXPECT_EQ(form().Text1.Text(), "45");
  EXPECT_EQ(form().Text2.Text(), DefaultSound());
  EXPECT_EQ(form().Check1.Value(), 1);
  EXPECT_EQ(form().Check2.Value(), 1);
  EXPECT_EQ(form().Check3.Value(), 0);
  EXPECT_EQ(form().Check4.Value(), 0);
  EXPECT_EQ(form().Check8.Value(), 0);
  EXPECT_FALSE(form().Check8.Visible());
  EXPECT_EQ(form().PushButton3.Text(), "Start Reminding");
  EXPECT_EQ(form().Frame1.Text(), "Stopped.");
  EXPECT_EQ(form().ProgressBar1.Text(), "Progress Bar");
  EXPECT_FALSE(form().Timer1.Running());
  EXPECT_EQ(form().countdown.IntervalSeconds, 45 * 60);
  EXPECT_FALSE(form().IsLoading);

  EXPECT_EQ(Stored("Text1"), "45");
  EXPECT_EQ(Stored("Alarm"), DefaultSound());
  EXPECT_EQ(Stored("Check1"), "1");
  EXPECT_EQ(Stored("Check2"), "1");
  EXPECT_EQ(Stored("StartStopState"), "Off");
  // Unchanged boxes raise no handler, so nothing is written for them.
  EXPECT_EQ(Stored("Check3"), "<absent>");
  EXPECT_EQ(Stored("Windows Startup"), "<absent>");
  EXPECT_EQ(Stored("Minimized"), "<absent>");

  EXPECT_EQ(form().Caption(), "Periodic Respite Prompter Utility");
  EXPECT_EQ(desktop.applicationTitle, "Periodic Respite Prompter");
  EXPECT_TRUE(form().cSysTray1.InTray());
  EXPECT_EQ(form().cSysTray1.TrayTip(), "Periodic Respite Prompter Utility");
  EXPECT_TRUE(form().Visible());
  EXPECT_EQ(form().WindowState(), kNormal);
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
  EXPECT_EQ(form().MouseIcon(), nullptr);
}

TEST_F(StartupTest, MissingDefaultSoundIsKeptWithoutAMessage) {
  Start();
  EXPECT_EQ(form().Text2.Text(), DefaultSound());
  EXPECT_EQ(Stored("Alarm"), DefaultSound());
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
}

TEST_F(StartupTest, StoredAlarmThatIsMissingIsReplacedByTheDefault) {
  desktop.settings.values["Alarm"] = "D:\\gone\\bell.wav";
  Start();
  EXPECT_EQ(form().Text2.Text(), DefaultSound());
  EXPECT_EQ(Stored("Alarm"), DefaultSound());

  sim::SimDesktop other;  // an existing file is kept
  other.files.Add("D:\\sounds\\bell.wav");
  other.settings.values["Alarm"] = "D:\\sounds\\bell.wav";
  Program second(other.platform);
  other.Run([&] { second.Start(); });
  EXPECT_EQ(second.form1->Text2.Text(), "D:\\sounds\\bell.wav");
}

TEST_F(StartupTest, StateOnRestartsTheCountdownFromAFullPeriod) {
  desktop.settings.values["StartStopState"] = "On";
  desktop.settings.values["Text1"] = "20";
  Start();
  EXPECT_EQ(form().PushButton3.Text(), "Stop Reminding");
  EXPECT_EQ(Stored("StartStopState"), "On");
  EXPECT_EQ(form().countdown.IntervalSeconds, 1200);
  EXPECT_EQ(form().countdown.ElapsedSeconds, 0);
  EXPECT_TRUE(form().Timer1.Running());
  EXPECT_EQ(form().Timer1.Interval(), 1000);
  // Frame and bar keep their design values until the first tick.
  EXPECT_EQ(form().Frame1.Text(), "Next break will occur in 00:00:00");
  EXPECT_EQ(form().ProgressBar1.Text(), "Progress Bar");
}

TEST_F(StartupTest, UnknownStateTouchesNothing) {
  for (const char* state : {"on", "OFF", "Stopped", ""}) {
    sim::SimDesktop d;
    d.settings.values["StartStopState"] = state;
    Program p(d.platform);
    d.Run([&] { p.Start(); });
    EXPECT_EQ(p.form1->PushButton3.Text(), "Start Reminding") << state;
    EXPECT_FALSE(p.form1->Timer1.Running()) << state;
    EXPECT_EQ(p.form1->Frame1.Text(), "Next break will occur in 00:00:00") << state;
    EXPECT_EQ(*d.settings.Read("StartStopState"), state);
    for (const auto& [name, value] : d.settings.writes) EXPECT_NE(name, "StartStopState");
  }
}

TEST_F(StartupTest, NonNumericMinutesWithStateOnBecomeOneMinute) {
  desktop.settings.values["StartStopState"] = "On";
  desktop.settings.values["Text1"] = "abc";
  Start();
  EXPECT_EQ(form().Text1.Text(), "1");
  EXPECT_EQ(Stored("Text1"), "1");
  EXPECT_EQ(form().countdown.IntervalSeconds, 60);
  EXPECT_TRUE(form().Timer1.Running());
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
}

TEST_F(StartupTest, StartsMinimisedOnlyWhenBothStartupOptionsAreOn) {
  struct Case {
    const char* startup;
    const char* minimized;
    int check4, check8;
    bool check8Visible;
    bool windowVisible;  // false: opened minimised, straight into the tray
  } cases[] = {
      {"On", "On", 1, 1, true, false},
      {"On", "Off", 1, 0, true, true},
      {"Off", "On", 0, 1, false, true},
      {"ON", "on", 0, 0, false, true},
  };
  for (const Case& c : cases) {
    sim::SimDesktop d;
    d.settings.values["Windows Startup"] = c.startup;
    d.settings.values["Minimized"] = c.minimized;
    Program p(d.platform);
    d.Run([&] { p.Start(); });
    SCOPED_TRACE(std::string(c.startup) + "/" + c.minimized);
    EXPECT_EQ(p.form1->Check4.Value(), c.check4);
    EXPECT_EQ(p.form1->Check8.Value(), c.check8);
    EXPECT_EQ(p.form1->Check8.Visible(), c.check8Visible);
    EXPECT_EQ(p.form1->Visible(), c.windowVisible);
    EXPECT_EQ(p.form1->WindowState(), kNormal);
    // Restoring the start-up box never rewrites its setting.
    for (const auto& [name, value] : d.settings.writes) EXPECT_NE(name, "Windows Startup");
  }
}

TEST_F(StartupTest, CheckBoxValueThatIsNotANumberIsReportedAndSkipped) {
  desktop.settings.values["Check1"] = "x";
  desktop.settings.values["Check2"] = "0";
  Start();
  ASSERT_EQ(desktop.dialogs.boxes.size(), 1u);
  const auto& box = desktop.dialogs.boxes[0];
  EXPECT_EQ(box.title, "Application Error");
  EXPECT_EQ(box.style, 48);
  EXPECT_EQ(box.text,
            "Type mismatch\r\nin RespitePrompter2021/08/31.Form1.Form_Load at line 194\r\r"
            "Please email screenshot of this message to support@kelvadore.example");
  EXPECT_EQ(form().Check1.Value(), 0);
  EXPECT_EQ(form().Check2.Value(), 0);  // the next step still ran
  EXPECT_EQ(Stored("Check1"), "x");      // nothing stored is rewritten
  EXPECT_TRUE(form().Visible());
}

TEST_F(StartupTest, CheckBoxValueOutOfRangeIsReportedUnderItsStep) {
  desktop.settings.values["Check2"] = "5";
  desktop.settings.values["Check3"] = "2";
  Start();
  ASSERT_EQ(desktop.dialogs.boxes.size(), 1u);
  EXPECT_NE(desktop.dialogs.boxes[0].text.find("Form1.Form_Load at line 196\r\r"), std::string::npos);
  EXPECT_EQ(form().Check2.Value(), 0);
  EXPECT_EQ(form().Check3.Value(), 2);  // grayed is a value a box can hold
  EXPECT_EQ(Stored("Check3"), "2");
}

TEST_F(StartupTest, MinutesOutOfRangeKeepThePreviousPeriod) {
  desktop.settings.values["Text1"] = "40000";
  desktop.settings.values["StartStopState"] = "On";
  Start();
  EXPECT_EQ(form().Text1.Text(), "40000");
  EXPECT_EQ(Stored("Text1"), "40000");
  // No period was ever set: the default stands in, rather than a break on every tick.
  EXPECT_EQ(form().countdown.IntervalSeconds, 45 * 60);
  EXPECT_TRUE(form().Timer1.Running());  // start-up went on to 190 and 192
  ASSERT_EQ(desktop.dialogs.boxes.size(), 2u);
  // First the minutes box tells the user, under the application title; then start-up reports
  // its own step.
  EXPECT_EQ(desktop.dialogs.boxes[0].title, "Periodic Respite Prompter");
  EXPECT_NE(desktop.dialogs.boxes[0].text.find("-32768 to 32767"), std::string::npos);
  EXPECT_EQ(desktop.dialogs.boxes[1].text.rfind("Overflow\r\n", 0), 0u);
  EXPECT_NE(desktop.dialogs.boxes[1].text.find("Form_Load at line 184\r\r"), std::string::npos);
  desktop.RunFor(1000);
  EXPECT_EQ(form().Frame1.Text(), "Next break will occur in 00:44:59");
  EXPECT_EQ(desktop.shell.calls.size(), 1u);  // no break
  EXPECT_TRUE(desktop.player.calls.empty());

  // The same text with reminding off: the first Start falls back in the same way.
  sim::SimDesktop d;
  d.settings.values["Text1"] = "40000";
  Program p(d.platform);
  d.Run([&] { p.Start(); });
  d.Click(p.form1->PushButton3);
  EXPECT_EQ(p.form1->countdown.IntervalSeconds, 45 * 60);
  EXPECT_EQ(d.dialogs.boxes.size(), 2u);  // the minutes box at start-up, step 110 at Start
}

TEST_F(StartupTest, HandCursorIsLoadedWhenPresentAndReportedWhenBroken) {
  desktop.files.Add(desktop.files.programFolder + "\\HAND-M.CUR", {std::string("\0\0\2\0rest", 8)});
  Start();
  EXPECT_NE(form().MouseIcon(), nullptr);
  EXPECT_EQ(form().MousePointer(), kDefaultPointer);
  EXPECT_TRUE(desktop.dialogs.boxes.empty());

  sim::SimDesktop broken;
  broken.files.Add(broken.files.programFolder + "\\HAND-M.CUR", {"not a cursor"});
  Program p(broken.platform);
  broken.Run([&] { p.Start(); });
  EXPECT_EQ(p.form1->MouseIcon(), nullptr);
  ASSERT_EQ(broken.dialogs.boxes.size(), 1u);
  EXPECT_NE(broken.dialogs.boxes[0].text.find("Form_Load at line 106\r\r"), std::string::npos);
  EXPECT_EQ(p.form1->Caption(), "Periodic Respite Prompter Utility");  // went on with 126
}

TEST_F(StartupTest, AProgramAtADriveRootFindsItsFilesThere) {
  desktop.files.programFolder = "C:\\";
  desktop.files.Add("C:\\HAND-M.CUR", {std::string("\0\0\2\0rest", 8)});
  Start();
  EXPECT_EQ(form().Text2.Text(), "C:\\break.wav");
  EXPECT_NE(form().MouseIcon(), nullptr);
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
}

TEST_F(StartupTest, ArbitraryStoredTextsLeaveAUsableWindow) {
  const std::string values[] = {"", std::string(1000, 'z'), "\xC3\xA9t\xC3\xA9", "-0", "1e9",
                                std::string("nul\0inside", 10), "  7  "};
  for (const std::string& value : values) {
    sim::SimDesktop d;
    for (const char* name : {"Text1", "Alarm", "Check1", "Check2", "Check3", "Windows Startup",
                             "Minimized", "StartStopState"})
      d.settings.values[name] = value;
    Program p(d.platform);
    d.Run([&] { p.Start(); });
    ASSERT_TRUE(p.form1);
    EXPECT_TRUE(p.form1->Visible());
    EXPECT_FALSE(p.form1->IsLoading);
    EXPECT_FALSE(p.form1->Text1.Text().empty());
  }
}

}  // namespace
}  // namespace rp::test
