#include <gtest/gtest.h>

#include "runtime/Failure.h"
#include "runtime/Form.h"
#include "sim/SimDesktop.h"

namespace rp::test {
namespace {

// Two pages in a strip, a box on the second.
class TwoPages : public Form {
 public:
  explicit TwoPages(Ui& ui)
      : Form(ui, "TwoPages", FormStyle::FixedDialog, 3000, 3000),
        Strip(AddControl(ControlKind::TabStrip, "TabStrip1", nullptr, {0, 0, 3000, 2000}, 9, "")),
        First(AddControl(ControlKind::Frame, "Frame1", &Strip, {0, 400, 3000, 1600}, 1, "First")),
        Second(AddControl(ControlKind::Frame, "Frame2", &Strip, {0, 400, 3000, 1600}, 2, "Second")),
        Box(AddControl(ControlKind::TextBox, "Text1", &Second, {0, 0, 900, 345}, 3, "")) {}
  Control &Strip, &First, &Second, &Box;
};

// The strip's value is the page shown: set from code it raises onChange once, a value it has no
// page for is refused, a page's caption is its tab's, and focusing a field shows its page.
TEST(TabStripTest, TheValueIsThePageShown) {
  sim::SimDesktop desktop;
  TwoPages f(desktop);
  int changes = 0;
  f.Strip.onChange = [&] { ++changes; };
  EXPECT_EQ(f.Strip.Entries(), (std::vector<std::string>{"First", "Second"}));
  EXPECT_TRUE(f.First.Visible());
  EXPECT_FALSE(f.Second.Visible());
  EXPECT_EQ(f.Box.Page(), &f.Second);
  EXPECT_EQ(f.First.Page(), &f.First);
  EXPECT_EQ(f.Strip.Page(), nullptr);

  f.Strip.SetValue(1);
  f.Strip.SetValue(1);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(f.First.Visible());
  EXPECT_TRUE(f.Second.Visible());
  EXPECT_THROW(f.Strip.SetValue(2), Failure);
  EXPECT_THROW(f.Strip.SetValue(-1), Failure);
  f.Strip.UserChoose(2);  // sent by another program: no page of that number
  EXPECT_EQ(f.Strip.Value(), 1);

  f.Second.SetText("Renamed");
  EXPECT_EQ(f.Strip.Entries(), (std::vector<std::string>{"First", "Renamed"}));
  f.Strip.UserChoose(0);
  EXPECT_EQ(changes, 2);
  f.Box.SetFocus();
  EXPECT_EQ(f.Strip.Value(), 1);
  EXPECT_TRUE(f.Second.Visible());
  EXPECT_FALSE(f.First.Visible());
  // Ctrl+Tab needs the window up.
  EXPECT_FALSE(f.UserNextPage(false));
  f.Show();
  EXPECT_TRUE(f.UserNextPage(false));
  EXPECT_EQ(f.Strip.Value(), 0);
  EXPECT_EQ(desktop.ViewOf(f)->focused, nullptr);  // the first page has no field
  EXPECT_TRUE(f.UserNextPage(true));
  EXPECT_EQ(desktop.ViewOf(f)->focused, &f.Box);
}

}  // namespace
}  // namespace rp::test
