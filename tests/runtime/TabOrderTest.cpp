#include <gtest/gtest.h>

#include <vector>

#include "SimFixture.h"
#include "runtime/TabOrder.h"

namespace rp::test {
namespace {

using TabOrderTest = SimTest;

const char* NameOf(const Control* control) { return control ? control->Name().c_str() : "nothing"; }

// Tab and Shift+Tab in the main window: its text boxes, check boxes and buttons by tab index,
// whatever frame holds them, skipping what does not show.
TEST_F(TabOrderTest, TabFollowsTheTabIndexAmongWhatShows) {
  Start();
  Form1& f = form();
  struct Case {
    Control* focused;
    bool backwards;
    std::vector<Control*> hidden;
    bool windowShown;
    Control* expected;
  };
  const std::vector<Case> cases{
      {nullptr, false, {&f.Check8}, true, &f.Text2},  // nothing focused: the first
      {nullptr, true, {&f.Check8}, true, &f.Text2},
      {&f.ProgressBar1, false, {&f.Check8}, true, &f.Text2},  // takes no focus itself
      {&f.Check8, false, {&f.Check8}, true, &f.Text2},        // hidden while it had the focus
      {&f.Text2, false, {&f.Check8}, true, &f.PushButton5},
      {&f.PushButton4, false, {&f.Check8}, true, &f.Check4},  // tab index, not the order made
      {&f.Check4, false, {&f.Check8}, true, &f.Text1},
      {&f.Check4, false, {}, true, &f.Check8},
      {&f.Text1, true, {}, true, &f.Check8},
      {&f.Text1, true, {&f.Check8}, true, &f.Check4},
      {&f.PushButton3, false, {&f.Check8}, true, &f.Text2},  // wraps at the end
      {&f.Text2, true, {&f.Check8}, true, &f.PushButton3},   // and at the start
      {&f.PushButton3, false, {&f.Frame2}, true, &f.Check4},  // a hidden frame hides its controls
      {&f.Check3, false, {&f.PushButton3, &f.Frame2, &f.Frame3, &f.Frame5, &f.Check1, &f.Check2}, true, &f.Check3},
      {nullptr, false, {&f.Frame2, &f.Frame3, &f.Frame4, &f.Frame5, &f.PushButton3}, true, nullptr},
      {nullptr, false, {}, false, nullptr},  // a hidden window
  };
  for (const Case& c : cases) {
    for (Control* control : f.Controls()) control->SetVisible(true);
    for (Control* control : c.hidden) control->SetVisible(false);
    f.SetVisible(c.windowShown);
    EXPECT_STREQ(NameOf(NextTabStop(f, c.focused, c.backwards)), NameOf(c.expected))
        << (c.backwards ? "Shift+Tab from " : "Tab from ") << NameOf(c.focused) << ", " << c.hidden.size()
        << " hidden";
  }
}

}  // namespace
}  // namespace rp::test
