#include <gtest/gtest.h>

#include "SimFixture.h"
#include "Later.h"

namespace rp::test {
namespace {

constexpr const char* kBell = "D:\\Sounds\\bell.wav";

class SoundTest : public SimTest {
 protected:
  void SetUp() override {
    desktop.files.Add(kBell);
    desktop.files.Add("D:\\Sounds\\hidden.wav", {.hidden = true});
    desktop.files.Add("D:\\Sounds\\system.wav", {.system = true});
    desktop.files.Add("D:\\Sounds\\Folder", {.directory = true});
    Start();
  }
  void TestSound(const std::string& path) {
    desktop.Type(form().Text2, path);
    desktop.Click(form().PushButton4);
  }
};

TEST_F(SoundTest, TestBreakSoundPlaysAnOrdinaryFileOnceAndNothingElse) {
  const struct {
    std::string path;
    bool plays;
  } cases[] = {
      {kBell, true},
      {"D:\\SOUNDS\\BELL.WAV", true},
      {"D:\\Sounds\\b*.wav", true},  // searched as a pattern, handed over as typed
      {"", false},
      {"    ", false},
      {"D:\\Sounds\\gone.wav", false},
      {"D:\\Sounds\\hidden.wav", false},
      {"D:\\Sounds\\system.wav", false},
      {"D:\\Sounds\\Folder", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    desktop.player.calls.clear();
    TestSound(c.path);
    if (c.plays)
      EXPECT_EQ(desktop.player.calls, (std::vector<std::string>{"loop off", "close", "url " + c.path}));
    else
      EXPECT_TRUE(desktop.player.calls.empty());
  }
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
}

TEST_F(SoundTest, AFailedSearchIsReportedAndThePathStillPlays) {
  TestSound("D:\\Sounds\\<bell>.wav");
  ASSERT_EQ(desktop.dialogs.boxes.size(), 1u);
  EXPECT_NE(desktop.dialogs.boxes[0].text.find("Form1.PushButton4_Click at line 102"), std::string::npos);
  EXPECT_EQ(desktop.player.calls.back(), "url D:\\Sounds\\<bell>.wav");
}

TEST_F(SoundTest, TestReplacesTheLoopingBreakSoundWithOnePlay) {
  desktop.Type(form().Text1, "1");
  desktop.Type(form().Text2, kBell);
  desktop.Click(form().PushButton3);
  desktop.RunFor(60000);
  ASSERT_TRUE(desktop.player.looping);

  desktop.Click(form().PushButton4);
  EXPECT_FALSE(desktop.player.looping);
  EXPECT_EQ(desktop.player.playing, kBell);
  // The single play is no break sound: neither the audio box nor Stop cut it short.
  desktop.Click(form().Check1);
  desktop.Click(form().PushButton3);
  EXPECT_EQ(desktop.player.playing, kBell);
}

TEST_F(SoundTest, ChangeSoundFileAsksWithTheTitleAndFilterAndStoresTheChoice) {
  desktop.dialogs.openAnswers.push_back(kBell);
  desktop.Click(form().PushButton5);
  ASSERT_EQ(desktop.dialogs.openRequests.size(), 1u);
  EXPECT_EQ(desktop.dialogs.openRequests[0].title, "Add File(s) - Hold Ctrl to select multiple files");
  EXPECT_EQ(desktop.dialogs.openRequests[0].filter, "Wav Files (*.wav)|*.wav|");
  EXPECT_EQ(form().Text2.Text(), kBell);
  EXPECT_EQ(Stored("Alarm"), kBell);
}

TEST_F(SoundTest, CancelOrAFailedDialogChangesNothing) {
  const std::string before = form().Text2.Text();
  const auto writes = desktop.settings.writes.size();
  desktop.Click(form().PushButton5);  // cancelled
  desktop.dialogs.openFails = true;
  desktop.Click(form().PushButton5);
  EXPECT_EQ(form().Text2.Text(), before);
  EXPECT_EQ(desktop.settings.writes.size(), writes);
  ASSERT_EQ(desktop.dialogs.boxes.size(), 1u);
  EXPECT_NE(desktop.dialogs.boxes[0].text.find("Form1.PushButton5_Click at line 106"), std::string::npos);
}

TEST_F(SoundTest, ReminderBoxesAndTheSoundPathAreStoredAtOnce) {
  desktop.Click(form().Check3);
  EXPECT_EQ(Stored("Check3"), "1");
  desktop.Click(form().Check3);
  EXPECT_EQ(Stored("Check3"), "0");
  desktop.Click(form().Check2);
  EXPECT_EQ(Stored("Check2"), "0");
  desktop.Click(form().Check1);
  EXPECT_EQ(Stored("Check1"), "0");
  desktop.Type(form().Text2, " D:\\x.wav ");
  EXPECT_EQ(Stored("Alarm"), " D:\\x.wav ");
}

}  // namespace
}  // namespace rp::test
