#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "Later.h"
#include "options/FormOptions.h"
#include "tray/TrayFixture.h"
#include "tray/TrayProgress.h"

// The tray icon that shows the period: the step for the share of the period used, the state,
// and a new picture only when either changes.
namespace rp::test {
namespace {

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMinute = 60 * kSecond;
constexpr std::uintptr_t kOwnIcon = 0x102;  // the tray icon the program carries
const std::map<std::string, std::string> kShowsProgress = {{"Tray Icon Shows Progress", "On"}};

TEST(PeriodStep, WholeStepsOfThePeriodUsedAndTheLastOnlyWhenItIsUp) {
  const struct {
    std::int64_t elapsed, interval;
    int step;
  } cases[] = {
      {0, 2700, 0},    {168, 2700, 0},  {169, 2700, 1},  {1350, 2700, 8},   {2699, 2700, 15},
      {2700, 2700, 16}, {9000, 2700, 16}, {-5, 2700, 0},  {3, 60, 0},        {4, 60, 1},
      {59, 60, 15},    {60, 60, 16},    {10, 0, 0},      {32767 * 60, 32767 * 60, 16},
  };
  for (const auto& c : cases) EXPECT_EQ(PeriodStep(c.elapsed, c.interval), c.step) << c.elapsed << "/" << c.interval;
}

TEST(PeriodPicture, StoppedWinsThenThePauseTheWorkingHoursAndAHeldBreak) {
  const struct {
    PeriodFacts facts;
    PeriodPicture picture;
  } cases[] = {
      {{false, true, true, true, 1350, 2700}, {0, 16, PeriodState::Stopped}},
      {{true, true, true, true, 1350, 2700}, {8, 16, PeriodState::Paused}},
      {{true, false, true, true, 1350, 2700}, {8, 16, PeriodState::OutsideWorkingHours}},
      {{true, false, false, true, 2700, 2700}, {16, 16, PeriodState::Held}},
      {{true, false, false, false, 1350, 2700}, {8, 16, PeriodState::Counting}},
  };
  for (const auto& c : cases) EXPECT_EQ(PictureOf(c.facts), c.picture) << static_cast<int>(c.picture.state);
}

class TrayProgressTest : public TrayTest {
 protected:
  void StartReminding(const std::string& minutes, const std::map<std::string, std::string>& settings) {
    program.reset();
    desktop.files.Add(DefaultSound());
    desktop.settings.values = {
        {"Text1", minutes}, {"Check1", "1"}, {"Check2", "0"}, {"Check3", "0"}, {"StartStopState", "On"}};
    for (const auto& [name, value] : settings) desktop.settings.values[name] = value;
    desktop.periodIcons.clear();
    Start();
  }
  // The icons handed to the shell, in order.
  std::vector<std::uint64_t> IconsHanded() {
    std::vector<std::uint64_t> icons;
    for (const auto& call : shell().calls)
      if (call.uFlags() & kNifIcon) icons.push_back(call.hIcon());
    return icons;
  }
  PeriodState State() { return desktop.periodIcons.back().state; }
  void Pick(std::vector<std::string> entries) {
    shell().nextPick = std::move(entries);
    OnIcon(kRightUp);
  }
};

TEST_F(TrayProgressTest, WithTheChoiceOffTheShellOnlyEverGetsTheProgramsOwnIcon) {
  StartReminding("1", {{"Tray Menu", "On"}});
  Minimise();
  desktop.RunFor(3 * kMinute);
  Pick({"Pause Reminders", "For 30 Minutes"});
  desktop.RunFor(kMinute);
  EXPECT_TRUE(desktop.periodIcons.empty());
  EXPECT_EQ(IconsHanded(), std::vector<std::uint64_t>{kOwnIcon});
  EXPECT_EQ(desktop.settings.Read("Tray Icon Shows Progress"), std::nullopt);
}

TEST_F(TrayProgressTest, AFortyFiveMinutePeriodIsRedrawnOnlyWhenItsStepChanges) {
  StartReminding("45", kShowsProgress);
  Minimise();
  desktop.RunFor(10 * kMinute);
  ASSERT_EQ(desktop.periodIcons.size(), 4u);  // 0, then at 2:49, 5:38 and 8:27
  for (int step = 0; step < 4; ++step) EXPECT_EQ(desktop.periodIcons[step], (PeriodPicture{step, 16, PeriodState::Counting}));
  // The shell got each new picture once, and then nothing while the step stayed.
  const std::vector<std::uint64_t> icons = IconsHanded();
  ASSERT_FALSE(icons.empty());
  EXPECT_EQ(icons.back(), sim::SimDesktop::kFirstPeriodIcon + 3);
  EXPECT_LE(icons.size(), 5u);  // the add with the program's own icon, and at most the four

  // The rest of the period: never two pictures in one minute.
  for (int minute = 10; minute < 45; ++minute) {
    const std::size_t before = desktop.periodIcons.size();
    desktop.RunFor(kMinute);
    EXPECT_LE(desktop.periodIcons.size() - before, 1u) << minute;
  }
  EXPECT_EQ(desktop.periodIcons.back(), (PeriodPicture{0, 16, PeriodState::Counting}));  // the break came
}

TEST_F(TrayProgressTest, StoppedPausedOutsideWorkingHoursAndHeldEachHaveTheirPicture) {
  const struct {
    const char* what;
    std::map<std::string, std::string> settings;
    std::function<void()> act;
    PeriodState state;
    int step;
  } cases[] = {
      {"counting", {}, [&] { desktop.RunFor(30 * kSecond); }, PeriodState::Counting, 8},
      {"stopped", {}, [&] { desktop.RunFor(30 * kSecond); desktop.Click(form().PushButton3); }, PeriodState::Stopped, 0},
      {"paused", {{"Tray Menu", "On"}},
       [&] { desktop.RunFor(30 * kSecond); Pick({"Pause Reminders", "For 1 Hour"}); }, PeriodState::Paused, 0},
      {"outside working hours", {{"Work Hours", "22:00-06:00"}},
       [&] { desktop.RunFor(kSecond); }, PeriodState::OutsideWorkingHours, 0},
      {"held", {{"Hold Reminders", "On"}},
       [&] { desktop.presence.cameraOrMicrophoneInUse = true; desktop.RunFor(kMinute + kSecond); }, PeriodState::Held, 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    desktop.clock.Set({2026, 12, 8, 9, 0, 0});
    desktop.presence.cameraOrMicrophoneInUse = false;
    auto settings = c.settings;
    settings.insert(kShowsProgress.begin(), kShowsProgress.end());
    StartReminding("1", settings);
    c.act();
    ASSERT_FALSE(desktop.periodIcons.empty());
    EXPECT_EQ(desktop.periodIcons.back(), (PeriodPicture{c.step, 16, c.state}));
    // Standing still, it is not drawn again.
    const std::size_t drawn = desktop.periodIcons.size();
    if (c.state != PeriodState::Counting) desktop.RunFor(5 * kMinute);
    if (c.state != PeriodState::Counting) EXPECT_EQ(desktop.periodIcons.size(), drawn);
  }
}

TEST_F(TrayProgressTest, TheOptionsCheckBoxTakesEffectAtOnceAndOffGivesTheShellTheOwnIconBack) {
  StartReminding("45", {});
  Minimise();
  desktop.RunFor(23 * kMinute);  // half the period: step 8
  const auto check = [&](bool on) {
    Later later(desktop, 500, [&] {
      FormOptions* window = program->formOptions.get();
      ASSERT_NE(window, nullptr);
      EXPECT_EQ(window->Check5.Value(), on ? 0 : 1);
      desktop.Click(window->Check5);
      desktop.Click(window->PushButton1);
    });
    desktop.Run([&] { form().UserSystemMenu(0); });
  };
  check(true);
  EXPECT_EQ(Stored("Tray Icon Shows Progress"), "On");
  ASSERT_EQ(desktop.periodIcons.size(), 1u);
  EXPECT_EQ(desktop.periodIcons[0], (PeriodPicture{8, 16, PeriodState::Counting}));
  EXPECT_EQ(IconsHanded().back(), sim::SimDesktop::kFirstPeriodIcon);

  check(false);
  EXPECT_EQ(Stored("Tray Icon Shows Progress"), "Off");
  EXPECT_EQ(IconsHanded().back(), kOwnIcon);
  desktop.RunFor(10 * kMinute);
  EXPECT_EQ(desktop.periodIcons.size(), 1u);
  EXPECT_EQ(IconsHanded().back(), kOwnIcon);
}

}  // namespace
}  // namespace rp::test
