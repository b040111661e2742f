#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "SimFixture.h"
#include "runtime/Failure.h"
#include "runtime/SkinFormat.h"

namespace rp::test {
namespace {

constexpr std::uint32_t Bgr(std::uint32_t rgb) {
  return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

const char* const kSkin =
    "\xEF\xBB\xBF# a dark skin\r\n"
    "window.background = #102030\r\n"
    "\r\n"
    "; frames and boxes\r\n"
    "Frame.Background = #112233\r\n"
    "frame.text = #F2C14E\r\n"
    "frame.font = Tahoma, 10, bold\r\n"
    "checkbox.background=#445566\r\n"
    "checkbox.text = #DDEEFF\r\n"
    "textbox.background = #000000\r\n"
    "textbox.font = Courier New, 10.5, regular\r\n"
    "button.face = #ABCDEF\r\n"
    "button.text = #010203\r\n"
    "progress.fill = #00FF00\r\n"
    "progress.background = #202020\r\n"
    "progress.text = #FFFFFF\r\n";

TEST(SkinFormatTest, ReadsColoursAndFonts) {
  const Skin skin = ParseSkin(kSkin);
  EXPECT_EQ(skin.windowBackground, 0x302010u);
  const SkinStyle& frame = skin.styles.at(ControlKind::Frame);
  EXPECT_EQ(frame.background, Bgr(0x112233));
  EXPECT_EQ(frame.text, Bgr(0xF2C14E));
  ASSERT_TRUE(frame.font);
  EXPECT_EQ(frame.font->face, "Tahoma");
  EXPECT_EQ(frame.font->points, 10);
  EXPECT_TRUE(frame.font->bold);
  const SkinStyle& text = skin.styles.at(ControlKind::TextBox);
  EXPECT_EQ(text.font->face, "Courier New");
  EXPECT_EQ(text.font->points, 10.5);
  EXPECT_FALSE(text.font->bold);
  EXPECT_EQ(skin.styles.at(ControlKind::PushButton).background, Bgr(0xABCDEF));
  EXPECT_EQ(skin.styles.at(ControlKind::ProgressBar).fill, Bgr(0x00FF00));
  EXPECT_EQ(skin.styles.count(ControlKind::Label), 0u);
}

TEST(SkinFormatTest, RejectsTheFirstBadLineByNumber) {
  struct Case {
    const char* text;
    const char* message;
  };
  const std::vector<Case> cases{
      {"window.background = #000000\nframe.background #112233\n", "line 2: expected \"name = value\""},
      {"frame.colour = #112233", "line 1: unknown setting \"frame.colour\""},
      {"menu.background = #112233", "line 1: unknown setting \"menu.background\""},
      {"background = #112233", "line 1: unknown setting \"background\""},
      {"button.background = #112233", "line 1: unknown setting \"button.background\""},
      {"frame.fill = #112233", "line 1: unknown setting \"frame.fill\""},
      {"window.text = #112233", "line 1: the window has only a background"},
      {"\n\nframe.text = #12345", "line 3: \"#12345\" is not a colour #RRGGBB"},
      {"frame.text = #GG0000", "line 1: \"#GG0000\" is not a colour #RRGGBB"},
      {"frame.text = red", "line 1: \"red\" is not a colour #RRGGBB"},
      {"frame.font = Tahoma", "line 1: \"Tahoma\" is not a font \"Face, size, bold\""},
      {"frame.font = Tahoma, big", "line 1: \"Tahoma, big\" is not a font \"Face, size, bold\""},
      {"frame.font = Tahoma, 0", "line 1: \"Tahoma, 0\" is not a font \"Face, size, bold\""},
      {"frame.font = Tahoma, nan", "line 1: \"Tahoma, nan\" is not a font \"Face, size, bold\""},
      {"frame.font = Tahoma, 9, heavy",
       "line 1: \"Tahoma, 9, heavy\" is not a font \"Face, size, bold\""},
      {"frame.font = , 9", "line 1: \", 9\" is not a font \"Face, size, bold\""},
  };
  for (const Case& c : cases) {
    try {
      ParseSkin(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const Failure& e) {
      EXPECT_STREQ(e.what(), c.message) << c.text;
    }
  }
}

TEST(SkinFormatTest, TheExampleSkinInTheRepositoryIsValid) {
  const auto path = std::filesystem::path(__FILE__).parent_path() / "../../skins/example/x/o.cjs";
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file) << path;
  std::ostringstream text;
  text << file.rdbuf();
  const Skin skin = ParseSkin(text.str());
  EXPECT_TRUE(skin.windowBackground);
  EXPECT_EQ(skin.styles.size(), 6u) << "every kind of control is styled";
}

class SkinTest : public SimTest {
 protected:
  std::string SkinPath() { return desktop.files.programFolder + "\\x\\o.cjs"; }
  void ExpectDesignLook() {
    EXPECT_EQ(form().BackColor(), kButtonFaceColour);
    EXPECT_EQ(form().Frame1.BackColor(), kButtonFaceColour);
    EXPECT_EQ(form().Frame1.GetFont().face, "Arial");
    EXPECT_EQ(form().Text1.BackColor(), kWindowBackgroundColour);
    EXPECT_EQ(form().PushButton3.BackColor(), kButtonFaceColour);
    EXPECT_EQ(form().ProgressBar1.FillColor(), 0x8000000Du);
    EXPECT_FALSE(form().KeepsOwnColours());
  }
  // Start-up went on past the skin to its last steps.
  void ExpectStartedUp() {
    EXPECT_EQ(form().Caption(), "Periodic Respite Prompter Utility");
    EXPECT_EQ(form().Check1.Value(), 1);
  }
};

TEST_F(SkinTest, ASkinBesideTheProgramRestylesTheWindowAndEveryKindOfControl) {
  desktop.files.Add(SkinPath(), {kSkin});
  Start();
  Form1& f = form();
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
  EXPECT_EQ(f.BackColor(), Bgr(0x102030));
  for (Control* frame : {&f.Frame1, &f.Frame2, &f.Frame3, &f.Frame4, &f.Frame5}) {
    EXPECT_EQ(frame->BackColor(), Bgr(0x112233)) << frame->Name();
    EXPECT_EQ(frame->ForeColor(), Bgr(0xF2C14E)) << frame->Name();
    EXPECT_EQ(frame->GetFont().face, "Tahoma") << frame->Name();
  }
  for (Control* box : {&f.Check1, &f.Check2, &f.Check3, &f.Check4, &f.Check8}) {
    EXPECT_EQ(box->BackColor(), Bgr(0x445566)) << box->Name();
    EXPECT_EQ(box->ForeColor(), Bgr(0xDDEEFF)) << box->Name();
    EXPECT_EQ(box->GetFont().face, "Arial") << "no font given: the design font stays";
  }
  EXPECT_EQ(f.Text2.BackColor(), 0u);
  EXPECT_EQ(f.Text2.GetFont().face, "Courier New");
  for (Control* button : {&f.PushButton3, &f.PushButton4, &f.PushButton5}) {
    EXPECT_EQ(button->BackColor(), Bgr(0xABCDEF)) << button->Name();
    EXPECT_EQ(button->ForeColor(), Bgr(0x010203)) << button->Name();
  }
  EXPECT_EQ(f.ProgressBar1.FillColor(), Bgr(0x00FF00));
  EXPECT_EQ(f.ProgressBar1.BackColor(), Bgr(0x202020));
  EXPECT_EQ(f.ProgressBar1.ForeColor(), Bgr(0xFFFFFF));
  EXPECT_TRUE(f.KeepsOwnColours()) << "the skin wins over a dark theme";
  ExpectStartedUp();
}

TEST_F(SkinTest, WithoutAnOrdinarySkinFileNothingChanges) {
  struct Case {
    const char* what;
    std::string path;
    sim::SimFile file;
  };
  const std::string folder = desktop.files.programFolder;
  const std::vector<Case> cases{
      {"no file", "", {}},
      {"hidden", folder + "\\x\\o.cjs", {kSkin, true}},
      {"system", folder + "\\x\\o.cjs", {kSkin, false, true}},
      {"a folder of that name", folder + "\\x\\o.cjs", {"", false, false, true}},
      {"beside the program, not in x", folder + "\\o.cjs", {kSkin}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    desktop.files.files.clear();
    if (!c.path.empty()) desktop.files.Add(c.path, c.file);
    Start();
    ExpectDesignLook();
    EXPECT_TRUE(desktop.dialogs.boxes.empty());
  }
}

TEST_F(SkinTest, ASkinThatCannotBeUsedIsReportedAndStartUpGoesOn) {
  struct Case {
    const char* what;
    sim::SimFile file;
    std::string description;
  };
  const std::vector<Case> cases{
      {"unreadable", {kSkin, false, false, false, true},
       "Skin file \"" + SkinPath() + "\" cannot be read"},
      {"malformed", {"window.background = #102030\nframe.background = blue\n"},
       "Skin file \"" + SkinPath() + "\", line 2: \"blue\" is not a colour #RRGGBB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    desktop.dialogs.boxes.clear();
    desktop.files.files.clear();
    desktop.files.Add(SkinPath(), c.file);
    Start();
    ASSERT_EQ(desktop.dialogs.boxes.size(), 1u);
    EXPECT_EQ(desktop.dialogs.boxes[0].text,
              ApplicationErrorMessage(c.description, LocationTag("Form1.Form_Load"), 100));
    // Nothing of a rejected skin is applied, not even its good lines.
    ExpectDesignLook();
    ExpectStartedUp();
  }
}

}  // namespace
}  // namespace rp::test
