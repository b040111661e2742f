#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SimFixture.h"
#include "settings/ManagedSettings.h"
#include "settings/SettingTable.h"
#include "runtime/Failure.h"
#include "options/FormOptions.h"
#include "Later.h"

// Settings an administrator sets by policy: which value is in force, what the windows show of
// it, and what the program does and does not store meanwhile.
namespace rp::test {
namespace {

constexpr char kTitle[] = "Periodic Respite Prompter Utility";
const std::string kMachineRun = "HKLM\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";

// Two values a setting takes from a policy, one for the machine's key and one for the user's.
std::pair<std::string, std::string> PolicySamples(const SettingDefinition& setting) {
  const SettingValues& values = setting.values;
  switch (values.kind) {
    case SettingValues::Kind::OneOf: return {std::string(values.choices[0]), std::string(values.choices[1])};
    case SettingValues::Kind::Whole: return {std::to_string(values.min), std::to_string(values.max)};
    case SettingValues::Kind::Text: break;
  }
  if (values.form == TextForm::WorkHours) return {"08:00-18:00", "22:00-06:00"};
  if (values.form == TextForm::WorkDays) return {"Mon,Tue,Wed,Thu,Fri", "Sat,Sun"};
  if (values.form == TextForm::Hotkey) return {"Ctrl+Alt+B", "Win+Shift+F9"};
  return {"C:\\machine\\chime.wav", "C:\\user\\chime.wav"};
}

TEST(ManagedSettings, EverySettingTakesTheMachinePolicyThenTheUsersThenTheUsersValueThenTheDefault) {
  for (const SettingDefinition& setting : kSettings) {
    SCOPED_TRACE(std::string(setting.name));
    const std::string name(setting.name);
    const auto [machine, user] = PolicySamples(setting);
    const bool byPolicy = SetByPolicies(setting);
    sim::SimSettings store;
    ManagedSettings settings(store);
    const auto expect = [&](const std::string& value, SettingSource source) {
      EXPECT_EQ(settings.Get(name, "default"), value);
      EXPECT_EQ(settings.Source(name), source);
    };
    const SettingSource own = SettingSource::UserValue;

    expect("default", SettingSource::Default);
    store.values[name] = "own";
    expect("own", own);
    store.userPolicy[name] = user;
    byPolicy ? expect(user, SettingSource::UserPolicy) : expect("own", own);
    store.machinePolicy[name] = machine;
    byPolicy ? expect(machine, SettingSource::MachinePolicy) : expect("own", own);
    store.userPolicy.erase(name);
    byPolicy ? expect(machine, SettingSource::MachinePolicy) : expect("own", own);
    EXPECT_TRUE(settings.IgnoredPolicies().empty());

    // A machine value that cannot be used is passed over, for the user's policy or own value.
    for (const std::optional<std::string>& unusable : {std::optional<std::string>(), std::optional<std::string>("two\nlines")}) {
      store.machinePolicy[name] = unusable;
      store.userPolicy[name] = user;
      byPolicy ? expect(user, SettingSource::UserPolicy) : expect("own", own);
      store.userPolicy.erase(name);
      expect("own", own);
      EXPECT_EQ(settings.IgnoredPolicies(), byPolicy ? std::vector<std::string>{name} : std::vector<std::string>{});
    }
    store.machinePolicy.clear();

    // Storing never writes over a policy, and never writes the policy keys.
    store.userPolicy[name] = user;
    settings.Save(name, "typed");
    EXPECT_EQ(store.values[name], byPolicy ? "own" : "typed");
    store.userPolicy.erase(name);
    settings.Save(name, "typed");
    EXPECT_EQ(store.values[name], "typed");
    EXPECT_TRUE(store.machinePolicy.empty() && store.userPolicy.empty());
  }
}

TEST(ManagedSettings, ANameMissingFromTheTableIsNeitherReadNorStored) {
  sim::SimSettings store;
  store.values["Text 1"] = "5";
  ManagedSettings settings(store);
  EXPECT_THROW(settings.Get("Text 1", "45"), Failure);
  EXPECT_THROW(settings.Save("text1", "45"), Failure);
  EXPECT_TRUE(store.writes.empty());
}

TEST(SettingTable, PoliciesAndFilesGiveNumbersAsPlainDigitsInRangeAndChoicesExactly) {
  const struct {
    const char* setting;
    const char* text;
    bool accepted;
  } cases[] = {
      {"Text1", "1", true},          {"Text1", "32767", true},     {"Text1", "0045", true},
      {"Text1", "0", false},         {"Text1", "32768", false},    {"Text1", "99999999999", false},
      {"Text1", "+5", false},        {"Text1", " 5", false},       {"Text1", "1.000", false},
      {"Text1", "", false},          {"Away Minutes", "60", true}, {"Away Minutes", "61", false},
      {"Check1", "1", true},         {"Check1", "0", true},        {"Check1", "2", false},
      {"StartStopState", "On", true}, {"StartStopState", "on", false}, {"Allow Exit", "Off", true},
      {"Alarm", "D:\\a b\\c.wav", true}, {"Alarm", "", false},     {"Alarm", "a\r\nb", false},
      {"Tray Menu", "On", true},     {"Eye Breaks", "off", false}, {"Keep Statistics", "Off", true},
      {"Work Hours", "08:00-18:00", true}, {"Work Hours", "22:00-06:00", true}, {"Work Hours", "", true},
      {"Work Hours", "8-18", false}, {"Work Hours", "08:00-08:00", false},
      {"Work Hours", "08:00-18:00\n", false},
      {"Work Days", "Mon,Tue", true}, {"Work Days", "", true},    {"Work Days", "Monday", false},
      {"Break Length", "0", true},   {"Break Length", "30", true}, {"Break Length", "31", false},
      {"Skips A Day", "20", true},   {"Skips A Day", "21", false}, {"Skips A Day", "-1", false},
      {"Language", "en", true},      {"Language", "pt-BR", true},  {"Language", "system", true},
      {"Language", "", false},       {"Language", "DE", false},    {"Language", "pt-br", false},
      {"Theme", "Light", true},      {"Theme", "Dark", true},      {"Theme", "System", true},
      {"Theme", "", false},          {"Theme", "dark", false},
  };
  for (const auto& c : cases) {
    const SettingDefinition* setting = FindSetting(c.setting);
    ASSERT_NE(setting, nullptr) << c.setting;
    EXPECT_EQ(Accepts(*setting, c.text), c.accepted) << c.setting << " \"" << c.text << "\"";
  }
}

class PolicyTest : public SimTest {
 protected:
  std::size_t WritesOf(const std::string& name) {
    std::size_t count = 0;
    for (const auto& [written, value] : desktop.settings.writes) count += written == name;
    return count;
  }
  void ExpectSetByPolicy(const Control& control, bool managed) {
    EXPECT_EQ(control.Enabled(), !managed) << control.Name();
    EXPECT_EQ(control.DisabledReason(), managed ? Tr("Set by your administrator") : "") << control.Name();
  }
  bool Running() { return form().PushButton3.Text() == "Stop Reminding"; }
  std::string RunValue() {
    const auto* value = desktop.registry.Find(kMachineRun, "RespitePrompter.exe");
    return value ? value->Text() : "<absent>";
  }
};

TEST_F(PolicyTest, AMachinePolicyShowsInTheWindowWhileInputChangesNothing) {
  desktop.settings.values["Text1"] = "30";
  desktop.settings.values["Check1"] = "0";
  desktop.settings.userPolicy["Text1"] = "25";  // the machine's wins
  desktop.settings.machinePolicy["Text1"] = "20";
  desktop.settings.machinePolicy["Check1"] = "1";
  Start();
  EXPECT_EQ(form().Text1.Text(), "20");
  EXPECT_EQ(form().countdown.IntervalSeconds, 20 * 60);
  EXPECT_EQ(form().Check1.Value(), 1);
  for (Control* control : form().Controls())
    ExpectSetByPolicy(*control, control == &form().Text1 || control == &form().Check1);

  desktop.Type(form().Text1, "99");
  desktop.Click(form().Check1);
  EXPECT_EQ(form().Text1.Text(), "20");
  EXPECT_EQ(form().countdown.IntervalSeconds, 20 * 60);
  EXPECT_EQ(form().Check1.Value(), 1);
  EXPECT_EQ(WritesOf("Text1") + WritesOf("Check1"), 0u);
  EXPECT_EQ(Stored("Text1"), "30");
  EXPECT_EQ(Stored("Check1"), "0");
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
}

TEST_F(PolicyTest, StartStopStateOnKeepsRemindingOnAndWindowsStartupKeepsTheRunValue) {
  desktop.settings.values["StartStopState"] = "Off";
  desktop.settings.machinePolicy["StartStopState"] = "On";
  desktop.settings.userPolicy["Windows Startup"] = "On";
  Start();
  EXPECT_TRUE(Running());
  EXPECT_TRUE(form().Timer1.Running());
  ExpectSetByPolicy(form().PushButton3, true);
  desktop.Click(form().PushButton3);
  EXPECT_TRUE(Running());
  EXPECT_EQ(form().Check4.Value(), 1);
  ExpectSetByPolicy(form().Check4, true);
  EXPECT_TRUE(form().Check8.Visible());
  EXPECT_EQ(RunValue(), "\"C:\\Program Files\\Respite\\RespitePrompter.exe\"");
  EXPECT_EQ(WritesOf("StartStopState") + WritesOf("Windows Startup"), 0u);
  EXPECT_EQ(Stored("StartStopState"), "Off");

  // "Off" for start-up takes the Run value away again, at the next start.
  desktop.settings.userPolicy["Windows Startup"] = "Off";
  Program again(desktop.platform);
  desktop.Run([&] { again.Start(); });
  EXPECT_EQ(RunValue(), "<absent>");
}

TEST_F(PolicyTest, APolicyChangeWhileRunningAppliesAtOnceAndItsEndGivesTheUsersValuesBack) {
  desktop.settings.values["Text1"] = "45";
  Start();
  ASSERT_FALSE(Running());
  const std::size_t writes = desktop.settings.writes.size();

  desktop.settings.machinePolicy["Text1"] = "20";
  desktop.settings.machinePolicy["StartStopState"] = "On";
  desktop.settings.machinePolicy["Natural Breaks"] = "On";
  desktop.settings.userPolicy["Windows Startup"] = "On";
  desktop.SettingsChanged(form());
  EXPECT_EQ(form().Text1.Text(), "20");
  EXPECT_TRUE(Running());
  EXPECT_EQ(form().countdown.IntervalSeconds, 20 * 60);
  EXPECT_TRUE(form().considerate.GetOptions().naturalBreaks);
  EXPECT_EQ(form().Check4.Value(), 1);
  EXPECT_NE(RunValue(), "<absent>");
  ExpectSetByPolicy(form().Text1, true);
  ExpectSetByPolicy(form().PushButton3, true);
  desktop.RunFor(60 * 1000);
  EXPECT_EQ(form().countdown.ElapsedSeconds, 60);
  EXPECT_EQ(desktop.settings.writes.size(), writes) << "nothing stored while the policies rule";

  desktop.settings.machinePolicy.clear();
  desktop.settings.userPolicy.clear();
  desktop.SettingsChanged(form());
  EXPECT_EQ(form().Text1.Text(), "45");
  EXPECT_EQ(form().countdown.IntervalSeconds, 45 * 60);
  EXPECT_TRUE(Running()) << "reminding goes on until the user stops it";
  EXPECT_FALSE(form().considerate.GetOptions().naturalBreaks);
  EXPECT_EQ(form().Check4.Value(), 0);
  EXPECT_EQ(RunValue(), "<absent>");
  for (Control* control : form().Controls()) ExpectSetByPolicy(*control, false);
  desktop.Click(form().PushButton3);
  EXPECT_FALSE(Running());
  EXPECT_EQ(Stored("StartStopState"), "Off");
  EXPECT_EQ(Stored("Text1"), "45");
  EXPECT_EQ(Stored("Natural Breaks"), "<absent>");
}

TEST_F(PolicyTest, AllowExitOffTurnsTheCloseButtonIntoMinimiseToTheTray) {
  desktop.settings.machinePolicy["Allow Exit"] = "Off";
  Start();
  desktop.PressCloseButton(form());
  EXPECT_FALSE(desktop.Ended());
  EXPECT_FALSE(form().Visible());
  EXPECT_TRUE(program->mSysTray.HiddenInTray);
  EXPECT_TRUE(form().cSysTray1.InTray());
  // The end of the Windows session, and a program (an installer) closing it, still end it.
  desktop.Close(form(), kCloseForWindowsSession);
  EXPECT_TRUE(desktop.Ended());

  sim::SimDesktop other;
  other.settings.machinePolicy["Allow Exit"] = "On";
  Program allowed(other.platform);
  other.Run([&] { allowed.Start(); });
  other.PressCloseButton(*allowed.form1);
  EXPECT_TRUE(other.Ended());
}

TEST_F(PolicyTest, APolicyValueThatCannotBeUsedIsIgnoredAndToldInTheTrayTipWithoutABox) {
  desktop.settings.values["Check1"] = "0";
  desktop.settings.machinePolicy["Check1"] = std::nullopt;  // not text, or no access
  desktop.settings.userPolicy["Text1"] = "twenty";
  Start();
  EXPECT_EQ(form().Check1.Value(), 0);
  EXPECT_EQ(form().Text1.Text(), "45");
  ExpectSetByPolicy(form().Check1, false);
  ExpectSetByPolicy(form().Text1, false);
  EXPECT_EQ(form().cSysTray1.TrayTip(), std::string(kTitle) + " - policy values ignored: Text1, Check1");
  desktop.Click(form().PushButton3);
  desktop.RunFor(10 * 1000);
  desktop.SettingsChanged(form());
  EXPECT_TRUE(desktop.dialogs.boxes.empty());

  desktop.settings.userPolicy.clear();
  desktop.SettingsChanged(form());
  EXPECT_EQ(form().cSysTray1.TrayTip(), std::string(kTitle) + " - policy value ignored: Check1");
  desktop.settings.machinePolicy.clear();
  desktop.SettingsChanged(form());
  EXPECT_EQ(form().cSysTray1.TrayTip(), kTitle);

  // With the time in the tip, the note comes before it.
  desktop.settings.machinePolicy["Check1"] = std::nullopt;
  desktop.settings.userPolicy["Tip Shows Time Left"] = "On";
  desktop.SettingsChanged(form());
  EXPECT_EQ(form().cSysTray1.TrayTip(), std::string(kTitle) + " - policy value ignored: Check1 - next break in 45 min");
}

TEST_F(PolicyTest, TheOptionsWindowShowsPolicyChoicesWithoutInputAndOkStoresNoneOfThem) {
  desktop.settings.machinePolicy["Natural Breaks"] = "On";
  desktop.settings.userPolicy["Away Minutes"] = "10";
  desktop.settings.machinePolicy["Work Hours"] = "08:00-17:00";
  desktop.settings.userPolicy["Eye Breaks"] = "On";
  desktop.settings.userPolicy["Break Length"] = "10";
  desktop.settings.machinePolicy["Language"] = "ru";
  desktop.settings.userPolicy["Theme"] = "Dark";
  Start();
  EXPECT_TRUE(program->theme.Dark());
  EXPECT_TRUE(form().considerate.GetOptions().naturalBreaks);
  EXPECT_EQ(form().considerate.GetOptions().awayMinutes, 10);
  EXPECT_EQ(WorkHoursText(form().considerate.GetOptions().working), "08:00-17:00");
  EXPECT_TRUE(form().considerate.GetOptions().eyeBreaks);
  EXPECT_EQ(form().considerate.GetOptions().breakMinutes, 10);
  Later later(desktop, 500, [&] {
    FormOptions& window = *program->formOptions;
    EXPECT_EQ(window.Check1.Value(), 1);
    EXPECT_EQ(window.Text1.Text(), "10");
    EXPECT_EQ(window.Text2.Text(), "08:00-17:00");
    EXPECT_EQ(window.Check20.Value(), 1);
    EXPECT_EQ(window.Text20.Text(), "10");
    EXPECT_EQ(window.Combo1.Entries().at(static_cast<std::size_t>(window.Combo1.Value())), "Русский");
    for (Control* control : window.Controls())
      ExpectSetByPolicy(*control, control == &window.Check1 || control == &window.Text1 || control == &window.Text2 ||
                                      control == &window.Check20 || control == &window.Text20 ||
                                      control == &window.Combo1 || control == &window.Combo2);
    desktop.Choose(window.Combo1, "Deutsch");
    desktop.Choose(window.Combo2, Tr("Light"));
    EXPECT_EQ(window.Combo1.Entries().at(static_cast<std::size_t>(window.Combo1.Value())), "Русский");
    desktop.Click(window.Check1);
    desktop.Click(window.Check20);
    desktop.Type(window.Text2, "09:00-12:00");
    desktop.Click(window.Check2);
    desktop.Click(window.Check9);
    desktop.Click(window.PushButton1);
  });
  desktop.Run([&] { form().UserSystemMenu(0); });
  for (const char* policed : {"Natural Breaks", "Away Minutes", "Work Hours", "Eye Breaks", "Break Length", "Language", "Theme"})
    EXPECT_EQ(Stored(policed), "<absent>") << policed;
  EXPECT_TRUE(program->theme.Dark());
  EXPECT_EQ(Stored("Hold Reminders"), "On");
  EXPECT_EQ(Stored("Keep Statistics"), "On");
}

}  // namespace
}  // namespace rp::test
