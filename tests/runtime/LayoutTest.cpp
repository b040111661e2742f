#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include "app/Form1.h"
#include "runtime/Layout.h"
#include "app/Program.h"
#include "sim/SimDesktop.h"
#include "reminders/Form2.h"

namespace rp {

std::ostream& operator<<(std::ostream& out, const PixelRect& r) {
  return out << "{" << r.left << ", " << r.top << ", " << r.width << " x " << r.height << "}";
}

namespace {

PixelRect ClientPixels(const Form& form, int dpi) { return PixelsOf({0, 0, form.ClientWidth(), form.ClientHeight()}, dpi); }

// Both windows at the usual scales (100, 125, 150 and 200 percent), in pixels as the real
// windows place them: 96 dots per inch is the design, where 15 twips make a pixel.
TEST(LayoutTest, BothWindowsScaleFromTheirTwips) {
  const struct {
    int dpi;
    PixelRect main, pushButton3, progressBar1, check4, breakWindow, label1;
    int windowFont, buttonFont, breakFont;
  } cases[] = {
      {96, {0, 0, 536, 363}, {8, 8, 520, 27}, {16, 20, 488, 27}, {16, 20, 262, 19},
       {0, 0, 536, 93}, {8, 32, 529, 23}, 12, 15, 21},
      {120, {0, 0, 670, 454}, {10, 10, 650, 34}, {20, 25, 610, 34}, {20, 25, 328, 24},
       {0, 0, 670, 116}, {10, 40, 661, 29}, 15, 19, 26},
      {144, {0, 0, 804, 545}, {12, 12, 780, 41}, {24, 30, 732, 41}, {24, 30, 393, 29},
       {0, 0, 804, 140}, {12, 48, 794, 35}, 18, 23, 32},
      {192, {0, 0, 1072, 726}, {16, 16, 1040, 54}, {32, 40, 976, 54}, {32, 40, 524, 38},
       {0, 0, 1072, 186}, {16, 64, 1058, 46}, 24, 30, 42},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    sim::SimDesktop desk;
    desk.dpi = c.dpi;
    Program program(desk.platform);
    desk.Run([&] { program.Start(); });
    Form1& main = *program.form1;
    const std::unique_ptr<Form2> made = program.NewForm2();
    Form2& breakWindow = *made;
    EXPECT_EQ(ClientPixels(main, c.dpi), c.main);
    EXPECT_EQ(PixelsOf(main.PushButton3.Rect(), c.dpi), c.pushButton3);
    EXPECT_EQ(PixelsOf(main.ProgressBar1.Rect(), c.dpi), c.progressBar1);
    EXPECT_EQ(PixelsOf(main.Check4.Rect(), c.dpi), c.check4);
    EXPECT_EQ(ClientPixels(breakWindow, c.dpi), c.breakWindow);
    EXPECT_EQ(PixelsOf(breakWindow.Label1.Rect(), c.dpi), c.label1);
    EXPECT_EQ(FontPixels(main.Check4.GetFont().points, c.dpi), c.windowFont);
    EXPECT_EQ(FontPixels(main.PushButton3.GetFont().points, c.dpi), c.buttonFont);
    EXPECT_EQ(FontPixels(breakWindow.Label1.GetFont().points, c.dpi), c.breakFont);
    // Controls that meet in twips meet in pixels: the two buttons of the sound frame keep
    // their 120-twip gap, and nothing rounds past the frame's edge.
    const PixelRect change = PixelsOf(main.PushButton5.Rect(), c.dpi), test = PixelsOf(main.PushButton4.Rect(), c.dpi);
    EXPECT_EQ(test.left - (change.left + change.width), TwipsToPixels(120, c.dpi));
    const PixelRect frame = PixelsOf(main.Frame2.Rect(), c.dpi);
    EXPECT_LE(test.left + test.width, frame.width);
  }
}

}  // namespace
}  // namespace rp
