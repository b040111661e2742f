#include <gtest/gtest.h>

#include <map>

#include "tray/TrayFixture.h"
#include "app/CommandLine.h"
#include "Later.h"
#include "countdown/Steering.h"

namespace rp::test {
namespace {

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMinute = 60 * kSecond;
const std::string kNext = "Next break will occur in ";
const std::map<std::string, std::string> kMenuOn = {{"Tray Menu", "On"}};

// The menu as one line: "*" marks the default entry, brackets a greyed one, "-" a separator.
std::string Render(const std::vector<MenuEntry>& entries) {
  std::string text;
  for (const MenuEntry& e : entries) {
    if (!text.empty()) text += "|";
    text += e.text.empty() ? "-" : e.enabled ? e.text : "(" + e.text + ")";
    if (e.isDefault) text += "*";
    if (!e.submenu.empty()) text += ">[" + Render(e.submenu) + "]";
  }
  return text;
}

// Reminding on from the start, on Tuesday 2026-12-08 at 09:00:00 unless the test moves the
// clock first, with the audio reminder only: each break is one "url" call of the player.
class SteeringTest : public TrayTest {
 protected:
  void StartReminding(const std::map<std::string, std::string>& settings, const std::string& minutes = "1") {
    program.reset();
    desktop.files.Add(DefaultSound());
    desktop.settings.values = {
        {"Text1", minutes}, {"Check1", "1"}, {"Check2", "0"}, {"Check3", "0"}, {"StartStopState", "On"}};
    for (const auto& [name, value] : settings) desktop.settings.values[name] = value;
    Start();
  }
  int Breaks() { return CountCalls(desktop.player.calls, "url"); }
  std::string Frame1() { return form().Frame1.Text(); }
  // A right click on the icon, and the entry the user picks in the menu it opens.
  void Pick(std::vector<std::string> entries) {
    shell().nextPick = std::move(entries);
    OnIcon(kRightUp);
  }
  std::string LastMenu() { return shell().menus.empty() ? "" : Render(shell().menus.back().entries); }
};

TEST(PauseTimes, EachLengthEndsOnTheMinuteAndTomorrowIsTheNextSixOClock) {
  const struct {
    LocalDateTime now;
    int minutes;  // 0: until tomorrow
    LocalDateTime end;
  } cases[] = {
      {{2026, 12, 8, 9, 0, 45}, 30, {2026, 12, 8, 9, 30}},
      {{2026, 12, 8, 23, 30, 0}, 60, {2026, 12, 9, 0, 30}},
      {{2026, 12, 31, 23, 0, 5}, 120, {2027, 1, 1, 1, 0}},
      {{2026, 12, 8, 23, 59, 0}, 0, {2026, 12, 9, 6, 0}},
      {{2026, 12, 9, 0, 1, 0}, 0, {2026, 12, 9, 6, 0}},  // after midnight: the coming morning
      {{2026, 12, 9, 6, 0, 0}, 0, {2026, 12, 10, 6, 0}},
      {{2026, 2, 28, 12, 0, 0}, 0, {2026, 3, 1, 6, 0}},
  };
  for (const auto& c : cases) {
    const LocalDateTime end = c.minutes ? PauseEnd(c.now, c.minutes) : TomorrowMorning(c.now);
    EXPECT_EQ(DateTimeText(end), DateTimeText(c.end)) << DateTimeText(c.now) << " + " << c.minutes;
    EXPECT_TRUE(PauseEndValid(end, c.now));
  }
  // The longest pause, a day, and then the clock a day and two hours back (UTC+14 to UTC-12).
  const LocalDateTime now{2026, 12, 8, 9, 0, 0};
  EXPECT_FALSE(PauseEndValid(now, now));
  EXPECT_TRUE(PauseEndValid({2026, 12, 10, 11, 0, 0}, now));
  EXPECT_FALSE(PauseEndValid({2026, 12, 10, 11, 0, 1}, now));
}

TEST_F(SteeringTest, APauseOfEachLengthHoldsEverythingAndEndsWithAFreshPeriod) {
  const struct {
    const char* entry;
    const char* until;
    const char* stored;
    std::int64_t minutesFromNine;
  } cases[] = {
      {"For 30 Minutes", "09:30", "2026-12-08 09:30", 30},
      {"For 1 Hour", "10:00", "2026-12-08 10:00", 60},
      {"For 2 Hours", "11:00", "2026-12-08 11:00", 120},
      {"Until Tomorrow", "06:00", "2026-12-09 06:00", 21 * 60},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    desktop.clock.Set({2026, 12, 8, 9, 0, 0});
    const std::int64_t nine = desktop.NowMs();
    StartReminding(kMenuOn);
    desktop.RunFor(30 * kSecond);
    const int breaks = Breaks();
    Pick({"Pause Reminders", c.entry});
    EXPECT_EQ(Frame1(), std::string("Reminders paused until ") + c.until);
    EXPECT_EQ(Stored("Paused Until"), c.stored);
    EXPECT_EQ(Stored("StartStopState"), "On");

    desktop.RunFor(nine + c.minutesFromNine * kMinute - kSecond - desktop.NowMs());
    EXPECT_EQ(Frame1(), std::string("Reminders paused until ") + c.until);
    EXPECT_EQ(form().countdown.ElapsedSeconds, 0);
    EXPECT_EQ(Breaks(), breaks);
    desktop.RunFor(kSecond);  // the clock shows the end
    EXPECT_EQ(Frame1(), kNext + "00:00:59");
    EXPECT_EQ(Stored("Paused Until"), "<absent>");
    desktop.RunFor(59 * kSecond);
    EXPECT_EQ(Breaks(), breaks + 1);
  }
}

TEST_F(SteeringTest, TheMenuGreysWhatCannotBeDoneAndResumeStartsAFreshPeriod) {
  StartReminding(kMenuOn, "45");
  const std::string pause = "Pause Reminders>[For 30 Minutes|For 1 Hour|For 2 Hours|Until Tomorrow]";
  Pick({});
  EXPECT_EQ(LastMenu(), "Open*|Take a Break Now|" + pause + "|(Resume Reminders)|-|Stop Reminding|-|Exit");
  EXPECT_EQ(shell().menus.back().owner, desktop.ViewOf(form())->Handle());
  Pick({"Resume Reminders"});  // greyed: nothing happens
  desktop.RunFor(10 * kMinute);
  Pick({"Pause Reminders", "For 1 Hour"});
  Pick({});
  EXPECT_EQ(LastMenu(), "Open*|Take a Break Now|" + pause + "|Resume Reminders|-|Stop Reminding|-|Exit");

  Pick({"Resume Reminders"});
  EXPECT_EQ(Frame1(), kNext + "00:45:00");
  EXPECT_EQ(Stored("Paused Until"), "<absent>");
  desktop.RunFor(kSecond);
  EXPECT_EQ(Frame1(), kNext + "00:44:59");

  Pick({"Stop Reminding"});  // as the main button
  EXPECT_EQ(Frame1(), "Stopped.");
  EXPECT_EQ(Stored("StartStopState"), "Off");
  Pick({});
  EXPECT_EQ(LastMenu(), "Open*|(Take a Break Now)|(Pause Reminders)>[For 30 Minutes|For 1 Hour|For 2 Hours|"
                        "Until Tomorrow]|(Resume Reminders)|-|Start Reminding|-|Exit");
  Pick({"Pause Reminders", "For 30 Minutes"});
  EXPECT_EQ(Frame1(), "Stopped.");
  EXPECT_EQ(Stored("Paused Until"), "<absent>");
}

TEST_F(SteeringTest, APauseOutlivesARestartAndAStoredEndThatCannotBeOneIsRemoved) {
  const struct {
    const char* stored;
    const char* state;
    bool paused;
  } cases[] = {
      {"2026-12-08 09:30", "On", true},   {"2026-12-10 11:00", "On", true},  // 50 hours ahead at most
      {"2026-12-08 09:30", "Off", false}, {"2026-12-08 09:00", "On", false}, // not while off; past
      {"2026-12-10 11:01", "On", false},  {"2031-12-08 09:30", "On", false},
      {"2026-12-08 9:30", "On", false},   {"tomorrow", "On", false},       {"", "On", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    desktop.clock.Set({2026, 12, 8, 9, 0, 0});
    StartReminding({{"Paused Until", c.stored}, {"StartStopState", c.state}});
    EXPECT_EQ(Stored("Paused Until"), c.paused ? c.stored : "<absent>");
    EXPECT_EQ(Frame1().starts_with("Reminders paused until"), c.paused);
  }

  // Paused from the menu, then the process ends abruptly and starts again.
  desktop.clock.Set({2026, 12, 8, 9, 0, 0});
  StartReminding({{"Tray Menu", "On"}, {"Tip Shows Time Left", "On"}});
  Pick({"Pause Reminders", "For 2 Hours"});
  program.reset();
  desktop.RunFor(kMinute);
  Start();
  EXPECT_EQ(Frame1(), "Reminders paused until 11:00");
  EXPECT_EQ(form().cSysTray1.TrayTip(), "Periodic Respite Prompter Utility - reminders paused until 11:00");
  desktop.RunFor(2 * 60 * kMinute);
  EXPECT_EQ(Breaks(), 1);  // the first minute after the pause
}

TEST_F(SteeringTest, WorkingHoursAcrossMidnightHoldOnDaysOffAndStartAFreshPeriodOnEntry) {
  desktop.clock.Set({2026, 12, 11, 21, 58, 0});  // a Friday
  StartReminding({{"Work Hours", "22:00-06:00"}, {"Work Days", "Fri"}, {"Tip Shows Time Left", "On"}});
  desktop.RunFor(kSecond);
  EXPECT_EQ(Frame1(), "Outside working hours until Fri 22:00");
  EXPECT_EQ(form().cSysTray1.TrayTip(),
            "Periodic Respite Prompter Utility - outside working hours until Fri 22:00");
  desktop.RunFor(2 * kMinute - kSecond);  // 22:00:00
  EXPECT_EQ(Frame1(), kNext + "00:00:59");
  EXPECT_EQ(Breaks(), 0);
  const int reads = desktop.clock.reads;
  desktop.RunFor(8 * 60 * kMinute - kSecond);  // Saturday 05:59:59: eight hours of breaks
  EXPECT_EQ(Breaks(), 8 * 60);  // the last at 05:59:59
  EXPECT_LE(desktop.clock.reads - reads, 8 * 60);  // once a minute, not at every tick
  desktop.RunFor(kSecond);
  EXPECT_EQ(Frame1(), "Outside working hours until Fri 22:00");
  desktop.RunFor(24 * 60 * kMinute);  // Saturday night is no working night
  EXPECT_EQ(Breaks(), 8 * 60);
}

TEST_F(SteeringTest, PoliciesGreyWhatTheyDecideInTheMenuAndTheCommandLineLeavesItAlone) {
  desktop.settings.machinePolicy["StartStopState"] = "On";
  desktop.settings.machinePolicy["Allow Exit"] = "Off";
  StartReminding(kMenuOn, "45");
  const std::string pause = "Pause Reminders)>[For 30 Minutes|For 1 Hour|For 2 Hours|Until Tomorrow]";
  Pick({});
  EXPECT_EQ(LastMenu(), "Open*|Take a Break Now|(" + pause + "|(Resume Reminders)|-|(Stop Reminding)|-|(Exit)");
  Pick({"Stop Reminding"});
  Pick({"Pause Reminders", "For 1 Hour"});
  Pick({"Exit"});
  EXPECT_FALSE(desktop.Ended());
  const auto run = [&](Command command) { desktop.Run([&] { form().RunCommand(command); }); };
  run({CommandKind::Stop});
  run({CommandKind::Pause, 30});
  run({CommandKind::PauseUntilTomorrow});
  desktop.RunFor(kSecond);
  EXPECT_EQ(Frame1(), kNext + "00:44:59");
  EXPECT_EQ(Stored("Paused Until"), "<absent>");
  run({CommandKind::Break});  // a break now is still the user's
  EXPECT_EQ(Breaks(), 1);

  // A pause taken before the policy came ends when it comes: reminding is on again at once.
  desktop.settings.machinePolicy.clear();
  desktop.SettingsChanged(form());
  Pick({"Pause Reminders", "For 2 Hours"});
  EXPECT_EQ(Frame1(), "Reminders paused until 11:00");
  desktop.settings.userPolicy["StartStopState"] = "On";
  desktop.SettingsChanged(form());
  EXPECT_EQ(Frame1(), kNext + "00:45:00");
  EXPECT_EQ(Stored("Paused Until"), "<absent>");
  // A stored pause is not taken up under the policy either.
  desktop.settings.values["Paused Until"] = "2026-12-08 10:00";
  program.reset();
  Start();
  desktop.RunFor(kSecond);
  EXPECT_EQ(Frame1(), kNext + "00:44:59");
  EXPECT_EQ(Stored("Paused Until"), "<absent>");
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
}

TEST(WorkingHoursRule, InsideAndTheNextStartOverMidnightAndDaysOff) {
  const struct {
    const char* hours;
    const char* days;
    LocalDateTime at;
    bool inside;
    const char* nextStart;
  } cases[] = {
      {"08:00-18:00", "Mon,Tue,Wed,Thu,Fri", {2026, 12, 7, 7, 59}, false, "2026-12-07 08:00"},  // Monday
      {"08:00-18:00", "Mon,Tue,Wed,Thu,Fri", {2026, 12, 7, 8, 0}, true, ""},
      {"08:00-18:00", "Mon,Tue,Wed,Thu,Fri", {2026, 12, 11, 18, 0}, false, "2026-12-14 08:00"},
      {"08:00-18:00", "Mon,Tue,Wed,Thu,Fri", {2026, 12, 12, 12, 0}, false, "2026-12-14 08:00"},
      {"22:00-06:00", "Fri", {2026, 12, 12, 5, 59}, true, ""},   // Saturday morning, Friday's night
      {"22:00-06:00", "Fri", {2026, 12, 12, 22, 0}, false, "2026-12-18 22:00"},
      {"22:00-06:00", "Fri", {2026, 12, 11, 5, 0}, false, "2026-12-11 22:00"},  // Thursday's night is off
      {"", "Sat,Sun", {2026, 12, 11, 23, 59}, false, "2026-12-12 00:00"},
      {"", "Sat,Sun", {2026, 12, 13, 23, 59}, true, ""},
      {"9:00-24:00", "", {2026, 12, 8, 23, 59}, true, ""},
      {"9:00-24:00", "", {2026, 12, 9, 0, 0}, false, "2026-12-09 09:00"},
  };
  for (const auto& c : cases) {
    WorkingHours hours;
    std::string problem;
    ASSERT_TRUE(ParseWorkHours(c.hours, hours, problem) && ParseWorkDays(c.days, hours, problem));
    SCOPED_TRACE(std::string(c.hours) + " " + c.days + " at " + DateTimeText(c.at));
    EXPECT_EQ(hours.Contains(c.at), c.inside);
    if (!c.inside) EXPECT_EQ(DateTimeText(hours.NextStart(c.at)), c.nextStart);
  }
}

TEST(WorkingHoursRule, TextsReadAsTypedAndAreStoredPlainly) {
  const struct {
    const char* hours;
    const char* days;
    const char* storedHours;  // nullptr: refused
    const char* storedDays;
  } cases[] = {
      {"08:00-18:00", "Mon,Tue,Wed,Thu,Fri", "08:00-18:00", "Mon,Tue,Wed,Thu,Fri"},
      {" 8:00 - 17:30 ", "sun, sat,MON,", "08:00-17:30", "Mon,Sat,Sun"},
      {"22:00-24:00", "", "22:00-00:00", ""},
      {"", "", "", ""},
      {"08:00-08:00", "Fri", nullptr, "Fri"},
      {"8-18", "Monday", nullptr, nullptr},
      {"08:00-18:60", "Mo", nullptr, nullptr},
      {"24:00-06:00", "Mon Tue", nullptr, nullptr},
      {"08:00", "Fri,Xyz", nullptr, nullptr},
      {"08:00-18:00-20:00", "Fri", nullptr, "Fri"},
  };
  for (const auto& c : cases) {
    WorkingHours hours;
    std::string problem;
    EXPECT_EQ(ParseWorkHours(c.hours, hours, problem), c.storedHours != nullptr) << c.hours;
    if (c.storedHours) EXPECT_EQ(WorkHoursText(hours), c.storedHours);
    EXPECT_EQ(ParseWorkDays(c.days, hours, problem), c.storedDays != nullptr) << c.days;
    if (c.storedDays) EXPECT_EQ(WorkDaysText(hours), c.storedDays);
  }
}

TEST_F(SteeringTest, ClockTimeZoneAndDaylightSavingChangesFollowTheWallClock) {
  const struct {
    const char* what;
    std::map<std::string, std::string> settings;
    const char* pause;  // the menu's entry: for 30 minutes at 09:00 is until 09:30
    std::int64_t shiftMinutes;
    const char* frame1;  // at the next turn of a minute, when the clock is read again
    int startHour = 9;
  } cases[] = {
      {"forward past the pause's end", kMenuOn, "For 30 Minutes", 60, "Next break will occur in 00:00:59"},
      {"back an hour: the clock must reach 09:30 again", kMenuOn, "For 30 Minutes", -60,
       "Reminders paused until 09:30"},
      {"back three days: the end is no longer believable", kMenuOn, "For 30 Minutes", -3 * 24 * 60,
       "Next break will occur in 00:00:59"},
      {"the longest pause, then back an hour", kMenuOn, "Until Tomorrow", -60, "Reminders paused until 06:00", 6},
      {"the longest pause, then the widest step of time zones back", kMenuOn, "Until Tomorrow", -26 * 60,
       "Reminders paused until 06:00", 6},
      {"forward out of working hours", {{"Work Hours", "08:00-09:30"}}, nullptr, 40,
       "Outside working hours until Wed 08:00"},
      {"a time zone west, before working hours", {{"Work Hours", "08:00-09:30"}}, nullptr, -120,
       "Outside working hours until Tue 08:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    desktop.clock.Set({2026, 12, 8, c.startHour, 0, 0});
    StartReminding(c.settings);
    if (c.pause) Pick({"Pause Reminders", c.pause});
    desktop.RunFor(10 * kMinute);
    desktop.clock.Shift(c.shiftMinutes);
    desktop.RunFor(kMinute);
    EXPECT_EQ(Frame1(), c.frame1);
  }
  // Back inside working hours: a fresh period.
  desktop.clock.Shift(120);
  desktop.RunFor(kMinute);
  EXPECT_EQ(Frame1(), kNext + "00:00:59");
}

TEST_F(SteeringTest, TheCommandLineDoesWhatTheMenuDoes) {
  StartReminding({}, "45");
  const auto run = [&](Command command) { desktop.Run([&] { form().RunCommand(command); }); };
  run({CommandKind::Pause, 90});
  EXPECT_EQ(Frame1(), "Reminders paused until 10:30");
  run({CommandKind::PauseUntilTomorrow});
  EXPECT_EQ(Stored("Paused Until"), "2026-12-09 06:00");
  run({CommandKind::Resume});
  EXPECT_EQ(Frame1(), kNext + "00:45:00");
  desktop.RunFor(10 * kMinute);
  run({CommandKind::Break});
  EXPECT_EQ(Breaks(), 1);
  desktop.RunFor(kSecond);
  EXPECT_EQ(Frame1(), kNext + "00:44:59");  // a fresh period after the break
  run({CommandKind::Start});  // already on: nothing
  EXPECT_EQ(Stored("StartStopState"), "On");
  run({CommandKind::Pause, 30});
  run({CommandKind::Stop});
  EXPECT_EQ(Frame1(), "Stopped.");
  EXPECT_EQ(Stored("Paused Until"), "<absent>");  // the pause ends with the reminding
  run({CommandKind::Break});
  EXPECT_EQ(Breaks(), 1);  // nothing while reminding is off
  run({CommandKind::Start});
  EXPECT_EQ(Stored("StartStopState"), "On");
  EXPECT_EQ(desktop.dialogs.boxes.size(), 0u);
}

}  // namespace
}  // namespace rp::test
