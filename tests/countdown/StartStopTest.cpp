#include <gtest/gtest.h>

#include "SimFixture.h"

namespace rp::test {
namespace {

class StartStopTest : public SimTest {
 protected:
  void StartWith(const std::string& minutes) {
    desktop.settings.values["Text1"] = minutes;
    Start();
  }
  bool HasBox(const std::string& part) {
    for (const auto& box : desktop.dialogs.boxes)
      if (box.text.find(part) != std::string::npos) return true;
    return false;
  }
};

TEST_F(StartStopTest, StartRunsTheCountdownFromTheTextAndLeavesTheDisplayToTheFirstTick) {
  StartWith("20");
  desktop.Click(form().PushButton3);
  EXPECT_EQ(form().PushButton3.Text(), "Stop Reminding");
  EXPECT_EQ(Stored("StartStopState"), "On");
  EXPECT_EQ(form().countdown.IntervalSeconds, 1200);
  EXPECT_EQ(form().countdown.ElapsedSeconds, 0);
  EXPECT_TRUE(form().Timer1.Running());
  EXPECT_EQ(form().Timer1.Interval(), 1000);
  EXPECT_EQ(form().Frame1.Text(), "Stopped.");
  EXPECT_EQ(form().ProgressBar1.Value(), 0);

  desktop.RunFor(999);
  EXPECT_EQ(form().Frame1.Text(), "Stopped.");
  desktop.RunFor(1);
  EXPECT_EQ(form().Frame1.Text(), "Next break will occur in 00:19:59");
}

TEST_F(StartStopTest, StopResetsEverythingButTheInterval) {
  StartWith("20");
  desktop.Click(form().PushButton3);
  desktop.RunFor(30000);
  desktop.Click(form().PushButton3);
  EXPECT_EQ(form().PushButton3.Text(), "Start Reminding");
  EXPECT_EQ(Stored("StartStopState"), "Off");
  EXPECT_EQ(form().countdown.ElapsedSeconds, 0);
  EXPECT_FALSE(form().Timer1.Running());
  EXPECT_EQ(form().Timer1.Interval(), 0);
  EXPECT_EQ(form().Frame1.Text(), "Stopped.");
  EXPECT_EQ(form().ProgressBar1.Value(), 0);
  EXPECT_EQ(form().ProgressBar1.Text(), "Progress Bar");
  EXPECT_EQ(form().countdown.IntervalSeconds, 1200);

  desktop.RunFor(5000);
  EXPECT_EQ(form().Frame1.Text(), "Stopped.");
  desktop.Click(form().PushButton3);  // a new full period
  desktop.RunFor(1000);
  EXPECT_EQ(form().Frame1.Text(), "Next break will occur in 00:19:59");
}

TEST_F(StartStopTest, StateSurvivesARestart) {
  StartWith("20");
  desktop.Click(form().PushButton3);
  program.reset();
  Start();
  EXPECT_EQ(form().PushButton3.Text(), "Stop Reminding");
  EXPECT_TRUE(form().Timer1.Running());
}

TEST_F(StartStopTest, AnUnknownCaptionCountsAsRemindingOn) {
  StartWith("20");
  form().PushButton3.SetText("Pause");
  desktop.Click(form().PushButton3);
  EXPECT_EQ(form().PushButton3.Text(), "Start Reminding");
  EXPECT_EQ(Stored("StartStopState"), "Off");
  EXPECT_FALSE(form().Timer1.Running());
}

TEST_F(StartStopTest, IntervalTexts) {
  const struct {
    const char* typed;
    const char* shown;
    const char* stored;
    std::int32_t seconds;
  } cases[] = {
      {"", "1", "1", 60},        {"abc", "1", "1", 60},     {"2.5", "2.5", "2.5", 120},
      {"3.5", "3.5", "3.5", 240}, {"0", "0", "0", 0},        {"-5", "-5", "-5", -300},
      {" 7 ", " 7 ", " 7 ", 420}, {"32767", "32767", "32767", 1966020},
  };
  StartWith("20");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    desktop.Type(form().Text1, "20");
    desktop.Type(form().Text1, c.typed);
    EXPECT_EQ(form().Text1.Text(), c.shown);
    EXPECT_EQ(Stored("Text1"), c.stored);
    EXPECT_EQ(form().countdown.IntervalSeconds, c.seconds);
  }
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
}

TEST_F(StartStopTest, MinutesAreReadWithTheSeparatorsOfTheUsersLocale) {
  desktop.numbers.separators = {',', '.'};  // German
  StartWith("20");
  for (const auto& [typed, seconds] : {std::pair{"2,5", 120}, {"3,5", 240}, {"1.000", 60000},
                                       {"2.5", 1500}}) {
    desktop.Type(form().Text1, typed);
    EXPECT_EQ(form().countdown.IntervalSeconds, seconds) << typed;
  }
  desktop.Type(form().Text1, "1,000.5");  // not a number under these separators
  EXPECT_EQ(form().Text1.Text(), "1");
}

TEST_F(StartStopTest, TooManyMinutesAreStoredAndKeepThePreviousInterval) {
  StartWith("20");
  desktop.Click(form().PushButton3);
  desktop.RunFor(10000);
  desktop.Type(form().Text1, "40000");
  EXPECT_EQ(Stored("Text1"), "40000");
  EXPECT_EQ(form().countdown.IntervalSeconds, 1200);
  EXPECT_EQ(desktop.dialogs.boxes.size(), 1u);  // the user is told
  EXPECT_FALSE(desktop.Ended());
  desktop.RunFor(1000);
  EXPECT_EQ(form().Frame1.Text(), "Next break will occur in 00:19:49");

  // Stop and Start with the text still out of range: the conversion fails at 110 and the
  // countdown starts with the previous length.
  desktop.Click(form().PushButton3);
  desktop.Click(form().PushButton3);
  EXPECT_TRUE(HasBox("Overflow\r\nin RespitePrompter2021/08/31.Form1.PushButton3_Click at line 110\r\r"));
  EXPECT_EQ(form().countdown.IntervalSeconds, 1200);
  EXPECT_TRUE(form().Timer1.Running());
  EXPECT_EQ(Stored("StartStopState"), "On");
}

}  // namespace
}  // namespace rp::test
