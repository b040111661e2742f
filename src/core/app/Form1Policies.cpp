#include <utility>
#include <vector>

#include "app/Form1.h"
#include "settings/Guard.h"
#include "app/Program.h"
#include "options/FormOptions.h"
#include "startup/mStartUp.h"

// The main window under an administrator's policies, and after settings were imported.
namespace rp {

void Form1::Form_SettingsChanged() { ReloadSettings(); }

void Form1::ReloadSettings() {
  Main& main = program.main;
  Guard g(main, "Form1.ReloadSettings");
  const std::string defaultSound = main.ProgramFile("break.wav");
  // Each control's own handler follows a change as it follows the user's: the minutes set the
  // period, the start-up box enters or removes the Run value. They store nothing a policy sets.
  g.Step(100, [&] { Text1.SetText(main.GetSetting("Text1", std::to_string(kDefaultMinutes))); });
  g.Step(102, [&] { Text2.SetText(main.GetSetting("Alarm", defaultSound)); });
  if (g.Test(104, [&] { return !main.FileExists(Text2.Text()); })) {
    g.Step(106, [&] { Text2.SetText(defaultSound); });
  }
  g.Step(108, [&] { Check4.SetValue(main.GetSetting("Windows Startup", "Off") == "On" ? 1 : 0); });
  g.Step(110, [&] { Check8.SetValue(main.GetSetting("Minimized", "Off") == "On" ? 1 : 0); });
  g.Step(112, [&] { Check1.SetValue(main.ToInteger16(main.GetSetting("Check1", "1"))); });
  g.Step(114, [&] { Check2.SetValue(main.ToInteger16(main.GetSetting("Check2", "1"))); });
  g.Step(116, [&] { Check3.SetValue(main.ToInteger16(main.GetSetting("Check3", "0"))); });
  // Reminding is the user's to start and stop unless a policy says which it is.
  if (g.Test(118, [&] { return main.SetByPolicy("StartStopState"); })) {
    g.Step(120, [&] {
      const bool on = main.GetSetting("StartStopState", "Off") == "On";
      if (on != Reminding()) PushButton3_Click();
    });
    g.Step(122, [&] { ResumeReminders(); });  // a pause the user took would keep it off
  }
  ApplyOptions(Options::Load(main));
  ShowPolicies();
  program.ApplyLanguage();  // imported, or set by a policy
  if (program.formOptions) program.formOptions->ShowChoices(considerate.GetOptions());
}

void Form1::ShowPolicies() {
  Main& main = program.main;
  const std::pair<Control*, std::string_view> controls[] = {
      {&PushButton3, "StartStopState"}, {&Text2, "Alarm"},      {&PushButton5, "Alarm"},
      {&Text1, "Text1"},                {&Check1, "Check1"},    {&Check2, "Check2"},
      {&Check3, "Check3"},              {&Check4, "Windows Startup"}, {&Check8, "Minimized"},
  };
  for (const auto& [control, setting] : controls) main.ShowWhetherSetByPolicy(*control, setting);

  const std::vector<std::string> ignored = main.Settings().IgnoredPolicies();
  std::string names;
  for (const std::string& name : ignored) names += (names.empty() ? "" : ", ") + name;
  // TRANSLATORS: in the tray icon's tip, which holds about 127 characters; {names} lists the
  // stored names of settings, as the policy templates write them.
  const std::string pattern = TrPlural("policy value ignored: {names}", "policy values ignored: {names}",
                                       static_cast<long long>(ignored.size()));
  policyNote_ = ignored.empty() ? "" : Fill(pattern, {{"names", names}});
  UpdateTrayTip();
}

void Form1::KeepStartupEntryAsPolicySays() {
  Main& main = program.main;
  if (!main.SetByPolicy("Windows Startup")) return;
  if (main.GetSetting("Windows Startup", "Off") == "On")
    mStartUp::AddToStartup(program.platform.files, program.platform.registry);
  else
    mStartUp::RemoveFromStartup(program.platform.files, program.platform.registry);
}

}  // namespace rp
