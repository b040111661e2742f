#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/Layout.h"
#include "breaks/GuidedFixture.h"

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
// pointer's; a monitor detached mid-break takes its window along, one rescaled gets its window
// afresh, and the break goes on.
TEST_F(GuidedWindowsTest, EveryMonitorHasItsWindowAsLongAsItIsThere) {
  MonitorInfo rescaled = kLeft;
  rescaled.dpi = 192;
  const struct {
    std::vector<MonitorInfo> monitors, after;
    std::vector<std::string> opened, afterwards;
  } cases[] = {
      {{kPrimary, kLeft}, {kLeft}, {"P", "L"}, {"L"}},
      {{kAbove, kPrimary, kLeft}, {kAbove, rescaled}, {"A", "P", "L"}, {"A", "L"}},
  };
  for (const auto& c : cases) {
    Restart();
    desktop.monitors.monitors = c.monitors;
    desktop.monitors.pointer = "L";
    StartReminding("10", {{"Break Length", "3"}});
    AtEachBreak({[&](FormBreak&) {
      EXPECT_EQ(NamesOf(Windows()), c.opened);  // the pointer's last
      desktop.monitors.Change(c.after);
      EXPECT_EQ(NamesOf(Windows()), c.afterwards);
      for (FormBreak* w : Windows()) {
        const MonitorInfo& m = *w->Monitor();
        EXPECT_EQ(m, *std::find(c.after.begin(), c.after.end(), m));
        EXPECT_EQ(w->Width(), PixelsToTwips(m.workArea.Width(), m.dpi));
        EXPECT_EQ(w->Height(), PixelsToTwips(m.workArea.Height(), m.dpi));
        EXPECT_EQ(desktop.ViewOf(*w)->dpi, m.dpi);
        EXPECT_EQ(desktop.ViewOf(*w)->focusCount, m == kLeft ? 1 : 0);
        EXPECT_EQ(w->ProgressBar1.Text(), "02:59");
      }
    }});
    desktop.RunFor(10 * kMinute + kSecond);
    EXPECT_EQ(log.events, std::vector<std::string>{"taken"});
    EXPECT_EQ(log.times.back(), desktop.NowMs());  // three minutes, whatever the monitors did
    EXPECT_TRUE(Windows().empty());
    EXPECT_EQ(desktop.monitors.listener, nullptr);
  }
}

}  // namespace
}  // namespace rp::test
