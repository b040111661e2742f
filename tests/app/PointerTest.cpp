#include <gtest/gtest.h>

#include <vector>

#include "SimFixture.h"

namespace rp::test {
namespace {

using PointerTest = SimTest;

TEST_F(PointerTest, HandOverTheButtonsArrowOverTheFramesAndTheWindow) {
  Start();
  Form1& f = form();
  struct Case {
    const char* where;
    std::function<void()> move;
    int from, expected;
  };
  const auto over = [&](Control& c) { return [&] { desktop.MouseMove(c); }; };
  const std::vector<Case> cases{
      {"PushButton3", over(f.PushButton3), kDefaultPointer, kCustomPointer},
      {"PushButton4", over(f.PushButton4), kDefaultPointer, kCustomPointer},
      {"PushButton5", over(f.PushButton5), kDefaultPointer, kCustomPointer},
      {"Frame1", over(f.Frame1), kCustomPointer, kDefaultPointer},
      {"Frame2", over(f.Frame2), kCustomPointer, kDefaultPointer},
      {"Frame3", over(f.Frame3), kCustomPointer, kDefaultPointer},
      {"Frame4", over(f.Frame4), kCustomPointer, kDefaultPointer},
      {"Frame5", over(f.Frame5), kCustomPointer, kDefaultPointer},
      {"window", [&] { desktop.Run([&] { f.UserMouseMove(); }); }, kCustomPointer, kDefaultPointer},
  };
  for (const Case& c : cases) {
    f.SetMousePointer(c.from);
    c.move();
    EXPECT_EQ(f.MousePointer(), c.expected) << c.where;
    // A busy window stays busy wherever the pointer goes.
    f.SetMousePointer(kBusyPointer);
    c.move();
    EXPECT_EQ(f.MousePointer(), kBusyPointer) << c.where;
  }
}

TEST_F(PointerTest, LeavingAButtonOverItsSurroundingsRestoresTheArrow) {
  Start();
  desktop.MouseMove(form().PushButton4);
  ASSERT_EQ(form().MousePointer(), kCustomPointer);
  desktop.MouseMove(form().Frame2);
  EXPECT_EQ(form().MousePointer(), kDefaultPointer);

  desktop.MouseMove(form().PushButton3);
  ASSERT_EQ(form().MousePointer(), kCustomPointer);
  desktop.Run([&] { form().UserMouseMove(); });
  EXPECT_EQ(form().MousePointer(), kDefaultPointer);
}

}  // namespace
}  // namespace rp::test
