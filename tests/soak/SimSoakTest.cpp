// Seven virtual days of reminding with a break every minute and every reminder on: the
// program must hold as many windows, timers and heap blocks at the end as after the first
// hour. The simulated desktop's own records of calls are dropped before each count, so
// what is counted is what the program keeps.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <ostream>

#include "reminders/Form2.h"
#include "Later.h"
#include "tray/TrayFixture.h"

// Live heap blocks of the whole test binary. Counting is all these do.
namespace {
std::atomic<long> g_liveBlocks{0};
}  // namespace

void* operator new(std::size_t size) {
  if (void* block = std::malloc(size ? size : 1)) {
    ++g_liveBlocks;
    return block;
  }
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
  if (!block) return;
  --g_liveBlocks;
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace rp::test {
namespace {

constexpr std::int64_t kHour = 3'600'000;
constexpr std::int64_t kDay = 24 * kHour;

struct Held {
  std::size_t windows, timers;
  long heapBlocks;
  bool operator==(const Held&) const = default;
};

void PrintTo(const Held& h, std::ostream* os) {
  *os << h.windows << " windows, " << h.timers << " running timers, " << h.heapBlocks << " heap blocks";
}

class SimSoakTest : public TrayTest {
 protected:
  // Drops the desktop's records (they grow by design) after adding up what they say.
  void ForgetRecords() {
    breaks += CountCalls(desktop.player.calls, "url");
    for (const auto& call : desktop.shell.calls) balloons += call.szInfo() == "Break!";
    reports += static_cast<long>(desktop.dialogs.boxes.size());
    desktop.player.calls = {};
    desktop.settings.writes = {};
    desktop.shell.calls = {};
    desktop.shell.strayCalls = {};
    desktop.dialogs.boxes = {};
    desktop.shell.Window(TrayWindow()).reachedOwnProc = {};
    if (auto* view = desktop.ViewOf(form())) view->positions = {};
  }

  // Counted at the same point of a period every time: ten seconds into the countdown.
  Held Count() {
    for (int i = 0; i < 200 && form().countdown.ElapsedSeconds != 10; ++i) desktop.RunFor(1000);
    EXPECT_EQ(form().countdown.ElapsedSeconds, 10);
    ForgetRecords();
    return {desktop.OpenWindows(), desktop.RunningTimers(), g_liveBlocks.load()};
  }

  long breaks = 0, balloons = 0, reports = 0;
};

TEST_F(SimSoakTest, SevenDaysOfBreaksEveryMinuteHoldNoMoreThanTheFirstHour) {
  desktop.settings.values = {{"Text1", "1"},  {"Check1", "1"}, {"Check2", "1"},
                             {"Check3", "1"}, {"StartStopState", "On"}};
  desktop.files.Add(DefaultSound());
  Start();
  ASSERT_TRUE(form().Timer1.Running());

  // Now and then the user clicks the balloon; the others time out after 30 s.
  int clicks = 0;
  Timer user(desktop, [&] {
    if (!tray().BalloonUp()) return;
    ++clicks;
    shell().PostTrayMessage(TrayWindow(), kBalloonUserClick);
  });
  user.SetInterval(97'000);

  desktop.RunFor(kHour);
  const Held afterFirstHour = Count();
  while (desktop.NowMs() < 7 * kDay) {
    desktop.RunFor(kHour);
    ForgetRecords();
  }
  const Held atTheEnd = Count();

  EXPECT_EQ(atTheEnd, afterFirstHour);
  EXPECT_FALSE(desktop.Ended());
  EXPECT_TRUE(form().Visible());
  EXPECT_FALSE(program->form2 && program->form2->IsLoaded()) << "the last break window closed";
  // A minute of counting, a balloon of up to 30 s and a break window of about a second:
  // a break every 61 to 92 s.
  EXPECT_GE(breaks, 7 * kDay / 92'000);
  EXPECT_LE(breaks, 7 * kDay / 61'000);
  EXPECT_EQ(balloons, breaks);
  EXPECT_GT(clicks, 100) << "some balloons were clicked, not only timed out";
  EXPECT_EQ(reports, 0) << "no \"Application Error\" box";
  RecordProperty("breaks", static_cast<int>(breaks));
  std::printf("%ld breaks, %d balloons clicked; held after the first hour and at the end: "
              "%zu windows, %zu timers, %ld heap blocks\n",
              breaks, clicks, atTheEnd.windows, atTheEnd.timers, atTheEnd.heapBlocks);
}

}  // namespace
}  // namespace rp::test
