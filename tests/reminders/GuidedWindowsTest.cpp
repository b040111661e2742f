#include <gtest/gtest.h>

#include "runtime/Layout.h"
#include "schedule/GuidedFixture.h"
#include "schedule/Later.h"

namespace rp::test {
namespace {

using GuidedWindowsTest = GuidedTest;

const MonitorInfo kPrimary{"P", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, true};
const MonitorInfo kLeft{"L", {-2560, 0, 0, 1440}, {-2560, 0, 0, 1440}, 144, false};
const MonitorInfo kAbove{"A", {0, -1200, 1600, 0}, {0, -1200, 1600, 0}, 120, false};

std::vector<std::string> NamesOf(const std::vector<FormBreak*>& windows) {
  std::vector<std::string> names;
  for (const FormBreak* w : windows) names.push_back(w->Monitor()->name);
  return names;
}

// One window covering each monitor's work area at that monitor's scale, the focus on the
// pointer's; a monitor detached mid-break takes its window along and the break goes on.
TEST_F(GuidedWindowsTest, EveryMonitorHasItsWindowUntilItGoes) {
  const struct {
    std::vector<MonitorInfo> monitors;
    std::vector<std::string> opened, afterwards;
  } cases[] = {
      {{kPrimary, kLeft}, {"P", "L"}, {"L"}},
      {{kAbove, kPrimary, kLeft}, {"A", "P", "L"}, {"A", "L"}},
  };
  for (const auto& c : cases) {
    Restart();
    desktop.monitors.monitors = c.monitors;
    desktop.monitors.pointer = "L";
    StartReminding("10", {{"Break Length", "3"}});
    AtEachBreak({[&](FormBreak&) {
      const auto windows = Windows();
      EXPECT_EQ(NamesOf(windows), c.opened);  // the pointer's last
      for (FormBreak* w : windows) {
        const MonitorInfo& m = *w->Monitor();
        EXPECT_EQ(w->Width(), PixelsToTwips(m.workArea.Width(), m.dpi));
        EXPECT_EQ(w->Height(), PixelsToTwips(m.workArea.Height(), m.dpi));
        EXPECT_EQ(desktop.ViewOf(*w)->dpi, m.dpi);
        EXPECT_EQ(desktop.ViewOf(*w)->focusCount, m.name == "L" ? 1 : 0);
        EXPECT_EQ(w->ProgressBar1.Text(), "02:59");
      }
      EXPECT_NE(desktop.monitors.listener, nullptr);
      auto fewer = c.monitors;
      std::erase_if(fewer, [](const MonitorInfo& m) { return m.name == "P"; });
      desktop.monitors.Change(fewer);
      EXPECT_EQ(NamesOf(Windows()), c.afterwards);
    }});
    Later later(desktop, 11 * kMinute, [&] { EXPECT_EQ(Windows().size(), c.afterwards.size()); });
    desktop.RunFor(10 * kMinute + kSecond);
    EXPECT_EQ(log.events, std::vector<std::string>{"taken"});
    EXPECT_TRUE(Windows().empty());
    EXPECT_EQ(desktop.monitors.listener, nullptr);
  }
}

// A monitor whose work area or scale changes during the break gets its window afresh.
TEST_F(GuidedWindowsTest, AMonitorThatChangesGetsItsWindowAfresh) {
  desktop.monitors.monitors = {kPrimary, kLeft};
  desktop.monitors.pointer = "P";
  StartReminding("10", {{"Break Length", "3"}});
  AtEachBreak({[&](FormBreak&) {
    MonitorInfo rescaled = kLeft;
    rescaled.dpi = 192;
    desktop.monitors.Change({kPrimary, rescaled});
    const auto windows = Windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0]->Monitor()->dpi, 192);
    EXPECT_EQ(windows[0]->Width(), PixelsToTwips(2560, 192));
    EXPECT_TRUE(windows[0]->Visible());
    EXPECT_EQ(desktop.ViewOf(*windows[0])->focusCount, 0);
    EXPECT_EQ(windows[0]->ProgressBar1.Text(), "02:59");
  }});
  desktop.RunFor(10 * kMinute + kSecond);
  EXPECT_EQ(log.events, std::vector<std::string>{"taken"});
}

}  // namespace
}  // namespace rp::test
