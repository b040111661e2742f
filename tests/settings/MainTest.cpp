#include <gtest/gtest.h>

#include "SimFixture.h"
#include "runtime/Failure.h"
#include "settings/Guard.h"
#include "settings/Main.h"

namespace rp::test {
namespace {

TEST(ApplicationErrorMessage, HasOneLineBreakAndTwoBareCarriageReturns) {
  const std::string message =
      ApplicationErrorMessage("Overflow", LocationTag("Form1.Timer1_Timer"), 128);
  EXPECT_EQ(message,
            "Overflow\r\nin RespitePrompter2021/08/31.Form1.Timer1_Timer at line 128\r\r"
            "Please email screenshot of this message to support@kelvadore.example");
}

using MainTest = SimTest;

TEST_F(MainTest, FileExistsIsFalseForAnythingItCannotRead) {
  desktop.files.Add("C:\\a\\present.wav");
  desktop.files.Add("C:\\a\\folder", {.directory = true});
  Main main(desktop.platform);
  EXPECT_TRUE(main.FileExists("C:\\a\\present.wav"));
  EXPECT_TRUE(main.FileExists("c:\\A\\PRESENT.WAV"));
  EXPECT_TRUE(main.FileExists("C:\\a\\folder"));
  EXPECT_FALSE(main.FileExists(""));
  EXPECT_FALSE(main.FileExists("C:\\missing\\present.wav"));
  EXPECT_FALSE(main.FileExists("C:\\a\\<bad>.wav"));
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
}

TEST_F(MainTest, GuardResumesAfterAFailingStepAndInsideAFailingTest) {
  Main main(desktop.platform);
  Guard g(main, "Form1.Form_Load");
  std::vector<int> ran;
  g.Step(100, [&] { ran.push_back(100); });
  g.Step(102, [&] { throw Failure("Overflow"); });
  if (g.Test(104, []() -> bool { throw Failure("Type mismatch"); })) {
    g.Step(106, [&] { ran.push_back(106); });
  }
  g.Step(108, [&] { ran.push_back(108); });
  EXPECT_EQ(ran, (std::vector<int>{100, 106, 108}));
  ASSERT_EQ(desktop.dialogs.boxes.size(), 2u);
  EXPECT_EQ(desktop.dialogs.boxes[0].text.rfind("Overflow\r\n", 0), 0u);
  EXPECT_NE(desktop.dialogs.boxes[0].text.find("Form_Load at line 102\r\r"), std::string::npos);
  EXPECT_EQ(desktop.dialogs.boxes[1].text.rfind("Type mismatch\r\n", 0), 0u);
  EXPECT_NE(desktop.dialogs.boxes[1].text.find("Form_Load at line 104\r\r"), std::string::npos);
}

TEST_F(MainTest, ButtonFaceColoursReachOnlyThePlainControls) {
  Start();
  for (Control* c : form().Controls()) c->SetBackColor(0x123456);
  form().SetBackColor(0x123456);
  program->main.SetButtonFaceColors(form());
  EXPECT_EQ(form().BackColor(), kButtonFaceColour);
  for (Control* c : form().Controls()) {
    const bool plain = c->Kind() == ControlKind::CheckBox || c->Kind() == ControlKind::Frame ||
                       c->Kind() == ControlKind::Label;
    EXPECT_EQ(c->BackColor(), plain ? kButtonFaceColour : 0x123456u) << c->Name();
  }
}

TEST_F(MainTest, ControlsRaiseTheirHandlerOnlyOnARealChange) {
  Start();
  desktop.settings.writes.clear();
  form().Check3.SetValue(1);
  form().Check3.SetValue(1);
  desktop.Type(form().Text1, "20");
  desktop.Type(form().Text1, "20");
  form().Text1.SetText("20");
  EXPECT_EQ(desktop.settings.writes,
            (std::vector<std::pair<std::string, std::string>>{{"Check3", "1"}, {"Text1", "20"}}));
  EXPECT_EQ(form().countdown.IntervalSeconds, 1200);
  desktop.Click(form().Check3);
  EXPECT_EQ(Stored("Check3"), "0");
  // A disabled control takes no clicks.
  form().Check3.SetEnabled(false);
  desktop.Click(form().Check3);
  EXPECT_EQ(form().Check3.Value(), 0);
  form().Check3.SetEnabled(true);
  desktop.Click(form().Check3);
  EXPECT_EQ(form().Check3.Value(), 1);
}

}  // namespace
}  // namespace rp::test
