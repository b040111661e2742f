#include <gtest/gtest.h>

#include <stdexcept>

#include "SimFixture.h"
#include "breaks/BreakWindows.h"
#include "breaks/FormEyeBreak.h"
#include "options/FormOptions.h"
#include "Later.h"

namespace rp::test {
namespace {

constexpr std::int64_t kMinute = 60000;
const std::string kAway = "Away from the computer: the break is being taken";
const std::string kNext = "Next break will occur in ";

// Reminding on with the audio reminder only (each break is one "url" call of the player) and
// the given options stored as the Options window stores them.
class ConsiderateTest : public SimTest {
 protected:
  void StartReminding(const std::string& minutes, std::map<std::string, std::string> options) {
    desktop.files.Add(DefaultSound());
    desktop.settings.values = {{"Text1", minutes}, {"Check1", "1"}, {"Check2", "0"}, {"Check3", "0"}};
    for (auto& [name, value] : options) desktop.settings.values[name] = value;
    Start();
    desktop.Click(form().PushButton3);
  }
  int Breaks() { return CountCalls(desktop.player.calls, "url"); }
  std::string Frame1() { return form().Frame1.Text(); }
  // The tips the shell was given, in order.
  std::vector<std::string> Tips() {
    std::vector<std::string> tips;
    for (const auto& call : desktop.shell.calls)
      if (call.uFlags() & 4) tips.push_back(call.szTip());
    return tips;
  }
};

const std::map<std::string, std::string> kNaturalBreaks = {{"Natural Breaks", "On"}, {"Away Minutes", "5"}};
const std::map<std::string, std::string> kHold = {{"Hold Reminders", "On"}};

TEST_F(ConsiderateTest, IdleForTheAwayMinutesStopsTheCountAndInputStartsAFreshPeriod) {
  StartReminding("45", kNaturalBreaks);
  desktop.RunFor(5 * kMinute - 1000);
  EXPECT_EQ(Frame1(), kNext + "00:40:01");
  desktop.RunFor(1000);  // five minutes without input
  EXPECT_EQ(Frame1(), kAway);
  desktop.RunFor(60 * kMinute);
  EXPECT_EQ(Frame1(), kAway);
  EXPECT_EQ(form().countdown.ElapsedSeconds, 299);
  EXPECT_EQ(Breaks(), 0);  // no reminder for the time away

  desktop.Input();
  desktop.RunFor(1000);
  EXPECT_EQ(Frame1(), kNext + "00:44:59");
  EXPECT_EQ(form().countdown.ElapsedSeconds, 1);
}

TEST_F(ConsiderateTest, ABreakDueBeforeTheAwayMinutesFiresAsUsual) {
  StartReminding("4", kNaturalBreaks);
  desktop.RunFor(4 * kMinute);
  EXPECT_EQ(Breaks(), 1);
  desktop.RunFor(kMinute);  // the new period's first minute makes five without input
  EXPECT_EQ(Frame1(), kAway);
  EXPECT_EQ(form().countdown.ElapsedSeconds, 59);
}

TEST_F(ConsiderateTest, APlayingVideoIsScreenTime) {
  desktop.presence.displayRequired = true;
  StartReminding("10", kNaturalBreaks);
  desktop.RunFor(10 * kMinute);
  EXPECT_EQ(Breaks(), 1);
  EXPECT_NE(Frame1(), kAway);
}

TEST_F(ConsiderateTest, LockAndSleepCountAsAwayForAsLongAsTheyLast) {
  const struct {
    const char* what;
    bool sleep;
    std::int64_t ms;
    bool freshPeriod;
  } cases[] = {
      {"short lock", false, 2 * kMinute, false},
      {"long lock", false, 10 * kMinute, true},
      {"short sleep", true, 2 * kMinute, false},
      {"a night's sleep", true, 8 * 60 * kMinute, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    program.reset();
    desktop.player.calls.clear();
    StartReminding("45", kNaturalBreaks);
    desktop.RunFor(kMinute);
    desktop.Input();
    if (c.sleep) {
      desktop.SleepFor(c.ms);
    } else {
      desktop.Lock(true);
      // Typing at the lock screen: idleness alone would never make the user away.
      for (std::int64_t t = 0; t < c.ms; t += kMinute) {
        desktop.RunFor(kMinute);
        desktop.Input();
        if (t + kMinute >= 5 * kMinute) EXPECT_EQ(Frame1(), kAway);
      }
      desktop.Lock(false);
    }
    desktop.Input();
    desktop.RunFor(1000);
    // Ticks run through a lock; none runs in sleep, and the one overdue at waking fires at once.
    const std::int32_t ticks = c.sleep ? 2 : 1;
    const std::int32_t counted = c.sleep ? 60 + ticks : static_cast<std::int32_t>(60 + c.ms / 1000 + ticks);
    EXPECT_EQ(form().countdown.ElapsedSeconds, c.freshPeriod ? ticks : counted);
    EXPECT_NE(Frame1(), kAway);
    EXPECT_EQ(Breaks(), 0);
  }
}

TEST_F(ConsiderateTest, EachReasonHoldsTheBreakUntilItEndsWithoutResettingTheCount) {
  const struct {
    NotificationState state;
    bool call;
    bool video;  // a program keeps the display on: it holds only eye and guided breaks
    const char* caption;
  } cases[] = {
      {NotificationState::Presentation, false, false, "Break held: presentation"},
      {NotificationState::FullScreen, false, false, "Break held: full-screen program"},
      {NotificationState::QuietHours, false, false, "Break held: quiet hours"},
      {NotificationState::AcceptsNotifications, true, false, "Break held: call in progress"},
      {NotificationState::AcceptsNotifications, false, true, "Break held: video playing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    program.reset();
    desktop.player.calls.clear();
    desktop.presence.holdQueries = 0;
    desktop.presence.notificationState = c.state;
    desktop.presence.cameraOrMicrophoneInUse = c.call;
    desktop.presence.displayRequired = c.video;
    auto options = kHold;
    if (c.video) options = {{"Eye Breaks", "On"}};
    StartReminding("1", options);
    desktop.RunFor(kMinute - 1000);
    EXPECT_EQ(desktop.presence.holdQueries, 0);  // asked only once the break is due
    desktop.RunFor(1000);
    EXPECT_EQ(Frame1(), c.caption);
    desktop.RunFor(29 * kMinute);  // a long call, not yet a hold without end
    EXPECT_EQ(Breaks(), 0);
    EXPECT_EQ(form().countdown.ElapsedSeconds, 60);

    desktop.presence.notificationState = NotificationState::AcceptsNotifications;
    desktop.presence.cameraOrMicrophoneInUse = false;
    desktop.presence.displayRequired = false;
    desktop.RunFor(1000);  // the next tick
    EXPECT_EQ(Breaks(), 1);  // the hold ends with the break, not with a fresh period
    EXPECT_TRUE(form().Timer1.Running());
    desktop.RunFor(2000);
    EXPECT_EQ(Frame1(), kNext + "00:00:58");
  }
}

TEST_F(ConsiderateTest, AHoldEndsAfterHalfAnHourAndTheTipSaysSoMeanwhile) {
  // A call program that ended without writing its stop time holds nothing.
  desktop.presence.deviceUsers = {"C:\\Chat\\chat.exe"};
  StartReminding("1", kHold);
  desktop.RunFor(kMinute);
  EXPECT_EQ(Breaks(), 1);

  desktop.presence.runningPrograms = {"C:\\Chat\\chat.exe"};  // running: it holds
  desktop.RunFor(kMinute);
  EXPECT_EQ(Frame1(), "Break held: call in progress");
  EXPECT_EQ(form().cSysTray1.TrayTip(), "Periodic Respite Prompter Utility - break held");
  desktop.RunFor(30 * kMinute - 1000);
  EXPECT_EQ(Breaks(), 1);
  desktop.RunFor(1000);
  EXPECT_EQ(Breaks(), 2);  // held for as long as a hold may last
  EXPECT_EQ(form().cSysTray1.TrayTip(), "Periodic Respite Prompter Utility");
}

TEST_F(ConsiderateTest, AMissedUnlockOrALostWatchDoesNotKeepTheUserAway) {
  desktop.presence.watchFails = true;  // too early at log-on
  StartReminding("45", kNaturalBreaks);
  desktop.RunFor(kMinute);  // watched from the first tick on
  EXPECT_EQ(desktop.presence.listener, nullptr);
  desktop.presence.watchFails = false;
  desktop.RunFor(1000);  // tried again a minute later, and not at every tick
  EXPECT_NE(desktop.presence.listener, nullptr);
  EXPECT_EQ(desktop.presence.watchRequests, 2);

  desktop.Lock(true);
  desktop.RunFor(10 * kMinute);
  EXPECT_EQ(Frame1(), kAway);
  desktop.presence.sessionLocked = false;  // unlocked, and the notice never came
  desktop.RunFor(kMinute);
  EXPECT_EQ(Frame1(), kAway);  // no input yet: still away
  desktop.Input();
  desktop.RunFor(1000);
  EXPECT_EQ(form().countdown.ElapsedSeconds, 1);  // the lock was the break: a fresh period
}

TEST_F(ConsiderateTest, IdlenessDuringAHeldCallIsNoBreakButALockIs) {
  auto both = kNaturalBreaks;
  both.insert(kHold.begin(), kHold.end());
  desktop.presence.cameraOrMicrophoneInUse = true;
  StartReminding("1", both);
  desktop.RunFor(20 * kMinute);
  EXPECT_EQ(Frame1(), "Break held: call in progress");
  desktop.Lock(true);
  desktop.RunFor(6 * kMinute);
  EXPECT_EQ(Frame1(), kAway);
  desktop.Lock(false);
  desktop.Input();
  desktop.RunFor(1000);
  EXPECT_EQ(form().countdown.ElapsedSeconds, 1);
  EXPECT_EQ(Breaks(), 0);
}

TEST_F(ConsiderateTest, WithEveryOptionOffNothingIsAskedNorStored) {
  StartReminding("1", {});
  desktop.RunFor(10 * kMinute);
  EXPECT_EQ(Breaks(), 10);
  EXPECT_EQ(desktop.presence.idleQueries + desktop.presence.holdQueries, 0);
  EXPECT_EQ(desktop.presence.listener, nullptr);
  EXPECT_TRUE(desktop.settings.removals.empty());
  EXPECT_EQ(desktop.clock.reads, 0);
  EXPECT_EQ(form().breaks.Windows(), nullptr);
  EXPECT_EQ(form().breaks.EyeWindow(), nullptr);
  for (const auto& [name, value] : desktop.settings.writes)
    EXPECT_TRUE(name == "Text1" || name == "Alarm" || name == "StartStopState" || name.rfind("Check", 0) == 0)
        << name;
  for (const auto& tip : Tips()) EXPECT_EQ(tip, "Periodic Respite Prompter Utility");
}

TEST_F(ConsiderateTest, TheTipTellsTheTimeLeftOnceAMinuteAndEveryChangeOfState) {
  auto options = kNaturalBreaks;
  options["Tip Shows Time Left"] = "On";
  StartReminding("45", options);
  desktop.RunFor(3 * kMinute);
  desktop.Input();
  desktop.RunFor(5 * kMinute);
  desktop.Input();
  desktop.RunFor(1000);
  desktop.Click(form().PushButton3);
  const std::string p = "Periodic Respite Prompter Utility - ";
  EXPECT_EQ(Tips(), (std::vector<std::string>{"Periodic Respite Prompter Utility", p + "stopped",
                                              p + "next break in 45 min", p + "next break in 44 min",
                                              p + "next break in 43 min", p + "next break in 42 min",
                                              p + "next break in 41 min", p + "next break in 40 min",
                                              p + "next break in 39 min", p + "next break in 38 min", p + "away",
                                              p + "next break in 45 min", p + "stopped"}));
}

TEST(OptionsTest, StoredValuesThatCannotBeReadTakeTheirDefaults) {
  const struct {
    const char* natural;
    const char* minutes;
    bool naturalBreaks;
    int awayMinutes;
  } cases[] = {
      {"On", "7", true, 7},  {"on", "60", false, 60}, {"ON", "61", false, 5}, {"Off", "0", false, 5},
      {"On", "abc", true, 5}, {"On", " 7", true, 5},  {"On", "", true, 5},   {"On", "2.5", true, 5},
  };
  // The tray menu and the working hours alike: read when right, their defaults when not.
  const struct {
    const char* trayMenu;
    const char* hours;
    const char* days;
    bool menu;
    WorkingHours working;
  } steering[] = {
      {"On", "08:00-18:00", "Sat,Sun", true, {480, 1080, 0b1000001}},
      {"on", "8-18", "Weekend", false, {}},
      {"Off", "18:00-08:00", "", false, {1080, 480, 0}},
  };
  // Reading stores nothing.
  const auto load = [](std::map<std::string, std::string, std::less<>> values) {
    sim::SimDesktop desktop;
    desktop.settings.values = std::move(values);
    Main main(desktop.platform);
    const Options options = Options::Load(main);
    EXPECT_TRUE(desktop.settings.writes.empty());
    return options;
  };
  for (const auto& c : cases) {
    const Options options = load({{"Natural Breaks", c.natural}, {"Away Minutes", c.minutes}});
    EXPECT_EQ(options.naturalBreaks, c.naturalBreaks) << c.natural;
    EXPECT_EQ(options.awayMinutes, c.awayMinutes) << c.minutes;
  }
  for (const auto& c : steering) {
    const Options options = load({{"Tray Menu", c.trayMenu}, {"Work Hours", c.hours}, {"Work Days", c.days}});
    EXPECT_EQ(options.trayMenu, c.menu) << c.trayMenu;
    EXPECT_TRUE(options.working == c.working) << c.hours << " " << c.days;
  }
}

// The Options window, opened from the system menu and worked while it is up.
class OptionsWindowTest : public ConsiderateTest {
 protected:
  // Opens the window and runs `work` on it half a second later, as the user would.
  void WorkTheWindow(const std::function<void(FormOptions&)>& work) {
    Later later(desktop, 500, [&] {
      FormOptions* window = program->formOptions.get();
      ASSERT_NE(window, nullptr);
      EXPECT_EQ(window->Caption(), Tr("Options"));
      EXPECT_TRUE(window->Visible());
      EXPECT_FALSE(form().Enabled());
      work(*window);
    });
    desktop.Run([&] { form().UserSystemMenu(0); });
    EXPECT_TRUE(form().Enabled());
  }
  std::vector<std::pair<std::string, std::string>> NewWrites(std::size_t before) {
    return {desktop.settings.writes.begin() + static_cast<std::ptrdiff_t>(before), desktop.settings.writes.end()};
  }
};

TEST_F(OptionsWindowTest, OkStoresEachChangedChoiceAndTakesItIntoUse) {
  StartReminding("45", {});
  EXPECT_EQ(form().SystemMenuItems(), (std::vector<std::string>{"Options...", "Statistics..."}));
  const std::size_t before = desktop.settings.writes.size();
  WorkTheWindow([&](FormOptions& w) {
    EXPECT_EQ(w.Check1.Value(), 0);
    EXPECT_EQ(w.Text1.Text(), "5");
    desktop.Click(w.Check1);
    desktop.Type(w.Text1, "2");
    desktop.Click(w.Check3);
    desktop.Click(w.PushButton1);
  });
  EXPECT_EQ(NewWrites(before), (std::vector<std::pair<std::string, std::string>>{
                                   {"Natural Breaks", "On"}, {"Away Minutes", "2"}, {"Tip Shows Time Left", "On"}}));
  EXPECT_EQ(form().cSysTray1.TrayTip(), "Periodic Respite Prompter Utility - next break in 45 min");
  desktop.RunFor(2 * kMinute);
  EXPECT_NE(desktop.presence.listener, nullptr);
  EXPECT_EQ(Frame1(), kAway);
}

TEST_F(OptionsWindowTest, CancelEscAndTheCloseBoxStoreNothing) {
  StartReminding("45", {});
  const std::size_t before = desktop.settings.writes.size();
  const std::function<void(FormOptions&)> ways[] = {
      [&](FormOptions& w) { desktop.Click(w.PushButton2); },
      [&](FormOptions& w) { desktop.Run([&] { EXPECT_TRUE(w.UserPressedEscape()); }); },
      [&](FormOptions& w) { desktop.Close(w); },
  };
  for (const auto& cancel : ways) {
    WorkTheWindow([&](FormOptions& w) {
      desktop.Click(w.Check1);
      desktop.Click(w.Check2);
      desktop.Choose(w.Combo1, "Deutsch");
      cancel(w);
    });
  }
  EXPECT_TRUE(NewWrites(before).empty());
  EXPECT_FALSE(form().considerate.GetOptions().AnyOn());
}

TEST_F(OptionsWindowTest, AFailureWhileTheWindowIsUpIsReportedAndLeavesNothingStuck) {
  StartReminding("45", {});
  WorkTheWindow([](FormOptions&) { throw std::runtime_error("Out of memory"); });
  EXPECT_EQ(desktop.dialogs.boxes.size(), 1u);
  EXPECT_EQ(program->formOptions, nullptr);
  WorkTheWindow([&](FormOptions& w) { desktop.Click(w.PushButton2); });  // the menu opens it again
}

TEST_F(OptionsWindowTest, AwayMinutesOutsideOneToSixtyAreRefusedAndTheWindowStays) {
  StartReminding("45", {});
  WorkTheWindow([&](FormOptions& w) {
    desktop.Type(w.Text1, "61");
    desktop.Run([&] { EXPECT_TRUE(w.UserPressedEnter()); });
    ASSERT_EQ(desktop.dialogs.boxes.size(), 1u);
    EXPECT_TRUE(w.IsLoaded());
    desktop.Type(w.Text1, "60");
    desktop.Click(w.PushButton1);
  });
  EXPECT_EQ(Stored("Away Minutes"), "60");
  EXPECT_EQ(Stored("Natural Breaks"), "<absent>");
}

TEST_F(OptionsWindowTest, AWrongWorkingTimeIsToldBesideItsFieldAndOkWaitsUntilAllAreRight) {
  StartReminding("45", {});
  const std::size_t before = desktop.settings.writes.size();
  WorkTheWindow([&](FormOptions& w) {
    EXPECT_EQ(w.Check4.Value(), 0);
    EXPECT_EQ(w.Text2.Text(), "");
    desktop.Click(w.Check4);
    desktop.Type(w.Text2, "8:00-25:00");
    desktop.Type(w.Text3, "Mon,Tue,Wed,Thu,Fri,Funday");
    desktop.Click(w.PushButton1);
    EXPECT_EQ(w.Label3.Text(), "Write the hours as 08:00-18:00.");
    EXPECT_EQ(w.Label5.Text(), "\"Funday\" is not a day: write the days as Mon,Tue,Wed.");
    desktop.Type(w.Text2, "8:00-18:00");
    desktop.Run([&] { EXPECT_TRUE(w.UserPressedEnter()); });
    EXPECT_EQ(w.Label3.Text(), "");
    EXPECT_TRUE(w.IsLoaded());
    EXPECT_TRUE(NewWrites(before).empty());
    desktop.Type(w.Text3, "fri,mon, tue,Wed,thu");
    desktop.Click(w.PushButton1);
  });
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
  EXPECT_EQ(NewWrites(before), (std::vector<std::pair<std::string, std::string>>{
                                   {"Tray Menu", "On"}, {"Work Hours", "08:00-18:00"}, {"Work Days", "Mon,Tue,Wed,Thu,Fri"}}));
  EXPECT_TRUE(form().considerate.GetOptions().trayMenu);
  WorkTheWindow([&](FormOptions& w) {  // shown as stored; emptied, they are stored empty
    EXPECT_EQ(w.Text3.Text(), "Mon,Tue,Wed,Thu,Fri");
    desktop.Type(w.Text2, "");
    desktop.Type(w.Text3, " ");
    desktop.Click(w.PushButton1);
  });
  EXPECT_EQ(Stored("Work Hours"), "");
  EXPECT_EQ(Stored("Work Days"), "");
}

TEST(OptionsTest, GuidedBreakValuesThatCannotBeReadTakeTheirDefaults) {
  const struct {
    const char *length, *skips, *eyes;
    int breakMinutes, skipsADay;
    bool eyeBreaks;
  } cases[] = {
      {"5", "0", "On", 5, 0, true}, {"30", "20", "Off", 30, 20, false}, {"31", "21", "on", 0, 3, false},
      {"-1", " 3", "", 0, 3, false},
  };
  for (const auto& c : cases) {
    sim::SimDesktop desktop;
    desktop.settings.values = {{"Break Length", c.length}, {"Skips A Day", c.skips}, {"Eye Breaks", c.eyes}};
    Main main(desktop.platform);
    const Options options = Options::Load(main);
    EXPECT_EQ(options.breakMinutes, c.breakMinutes) << c.length;
    EXPECT_EQ(options.skipsADay, c.skipsADay) << c.skips;
    EXPECT_EQ(options.eyeBreaks, c.eyeBreaks) << c.eyes;
  }
}

TEST_F(OptionsWindowTest, GuidedBreakChoicesAreStoredAndTakenIntoUse) {
  StartReminding("45", {});
  const std::size_t before = desktop.settings.writes.size();
  WorkTheWindow([&](FormOptions& w) {
    EXPECT_EQ(w.Frame20.Text(), "Guided Breaks");
    EXPECT_EQ(w.Text20.Text(), "0");
    EXPECT_EQ(w.Text21.Text(), "3");
    EXPECT_EQ(w.Check20.Value(), 0);
    EXPECT_EQ(w.Text22.Text(), "0");
    EXPECT_EQ(w.Check21.Value(), 0);
    desktop.Type(w.Text20, "10");
    desktop.Type(w.Text22, "45");
    desktop.Click(w.Check21);
    desktop.Click(w.Check20);
    desktop.Click(w.PushButton1);
  });
  EXPECT_EQ(NewWrites(before), (std::vector<std::pair<std::string, std::string>>{
                                   {"Break Length", "10"},
                                   {"Warn Before Break", "45"},
                                   {"Wait For Typing Pause", "On"},
                                   {"Eye Breaks", "On"}}));
  EXPECT_EQ(form().breaks.guided.LengthSeconds(), 600);
  EXPECT_TRUE(form().breaks.eyeBreaks.On());
}

TEST_F(OptionsWindowTest, GuidedBreakNumbersOutOfRangeAreRefused) {
  StartReminding("45", {});
  const struct {
    const char *length, *skips, *warning;
  } cases[] = {{"31", "3", "0"}, {"-1", "3", "0"}, {"", "3", "0"},   {"5", "21", "0"},
               {"5", "1.5", "0"}, {"5", "3", "121"}, {"5", "3", "-1"}, {"5", "3", ""}};
  for (const auto& [length, skips, warning] : cases) {
    WorkTheWindow([&](FormOptions& w) {
      desktop.Type(w.Text20, length);
      desktop.Type(w.Text21, skips);
      desktop.Type(w.Text22, warning);
      desktop.Click(w.PushButton1);
      EXPECT_TRUE(w.IsLoaded()) << length << " " << skips;
      desktop.Click(w.PushButton2);
    });
  }
  EXPECT_EQ(desktop.dialogs.boxes.size(), std::size(cases));
  EXPECT_EQ(Stored("Break Length"), "<absent>");
  EXPECT_EQ(Stored("Skips A Day"), "<absent>");
  EXPECT_EQ(Stored("Warn Before Break"), "<absent>");
}

TEST(OptionsTest, AStoredLanguageThatIsNoneOfTheTagsCountsAsEnglish) {
  const std::pair<const char*, const char*> cases[] = {
      {"de", "de"}, {"system", "system"}, {"zh-Hans", "zh-Hans"}, {"en", ""}, {"", ""},
      {"DE", ""},   {"de-DE", ""},        {"German", ""},
  };
  for (const auto& [stored, language] : cases) {
    sim::SimDesktop desktop;
    desktop.settings.values = {{"Language", stored}};
    Main main(desktop.platform);
    EXPECT_EQ(Options::Load(main).language, language) << stored;
  }
}

TEST_F(OptionsWindowTest, TheLanguageChosenIsStoredByItsTagAndEnglishAsNothing) {
  StartReminding("45", {{"Language", "Klingon"}});
  const struct {
    const char* entry;
    const char* stored;
    const char* inUse;
  } cases[] = {
      {"English", "Klingon", ""},  // shown as English, so choosing it is no change
      {"Deutsch", "de", "de"},
      {"Windows display language", "system", "system"},
      {"Português (Brasil)", "pt-BR", "pt-BR"},
      {"简体中文", "zh-Hans", "zh-Hans"},
      {"English", "<absent>", ""},
  };
  const char* shown = "English";
  for (const auto& c : cases) {
    WorkTheWindow([&](FormOptions& w) {
      ASSERT_EQ(w.Combo1.Entries().size(), 12u);
      // The window speaks the language chosen last.
      EXPECT_EQ(w.Combo1.Entries()[static_cast<std::size_t>(w.Combo1.Value())], Tr(shown));
      desktop.Choose(w.Combo1, Tr(c.entry));
      desktop.Click(w.PushButton1);
    });
    EXPECT_EQ(Stored("Language"), c.stored) << c.entry;
    EXPECT_EQ(form().considerate.GetOptions().language, c.inUse) << c.entry;
    shown = c.entry;
  }
  EXPECT_EQ(desktop.settings.removals, (std::vector<std::string>{"Language"}));
}

// A language chosen in Options speaks at once in the open window, the countdown going on; a
// stored one from the start; Windows' display language where there is a translation for it.
TEST_F(OptionsWindowTest, TheLanguageChosenSpeaksAtOnceAndTheCountdownGoesOn) {
  StartReminding("45", {{"Language", "de"}, {"Tip Shows Time Left", "On"}});
  desktop.RunFor(1000);
  EXPECT_EQ(form().PushButton3.Text(), "Erinnerungen beenden");
  EXPECT_EQ(Frame1(), "Nächste Pause in 00:44:59");
  EXPECT_EQ(form().Check1.Text(), "Tonsignal");
  EXPECT_EQ(form().SystemMenuItems()[0], "Optionen...");
  EXPECT_EQ(form().Caption(), "Periodic Respite Prompter Utility");  // a name, never translated

  const auto choose = [&](const char* entry) {
    WorkTheWindow([&](FormOptions& w) {
      desktop.Choose(w.Combo1, entry);
      desktop.Click(w.PushButton1);
    });
  };
  choose("English");
  EXPECT_EQ(form().PushButton3.Text(), "Stop Reminding");
  EXPECT_EQ(Frame1(), "Next break will occur in 00:44:59");
  EXPECT_EQ(form().Check1.Text(), "Audio Reminder");
  EXPECT_EQ(form().SystemMenuItems()[0], "Options...");
  EXPECT_EQ(form().cSysTray1.TrayTip(), "Periodic Respite Prompter Utility - next break in 45 min");

  desktop.displayLanguage = "ru-RU";
  choose("Windows display language");
  EXPECT_EQ(Stored("Language"), "system");
  EXPECT_EQ(form().Check1.Text(), "Звук");
  desktop.RunFor(1000);
  EXPECT_TRUE(Frame1().ends_with(" 00:44:57")) << Frame1();  // still counting
  desktop.Click(form().PushButton3);  // stopping still works in Russian
  EXPECT_EQ(Stored("StartStopState"), "Off");
  EXPECT_EQ(form().PushButton3.Text(), Tr("Start Reminding"));
  EXPECT_NE(Tr("Start Reminding"), "Start Reminding");
}

}  // namespace
}  // namespace rp::test
