#include <utility>
#include <vector>

#include "app/CommandLine.h"
#include "app/Form1.h"
#include "settings/Guard.h"
#include "app/Program.h"
#include "options/FormOptions.h"

// The main window under an administrator's policies, and after settings were imported.
namespace rp {

void Form1::Form_SettingsChanged() {
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
    g.Step(122, [&] { RunCommand({CommandKind::Resume}); });  // a pause the user took would keep it off
  }
  ApplyOptions(Options::Load(main));
  main.ShowWhetherSetByPolicy(policyControls_);
  trayTip.ReadPolicies();
  program.ApplyLanguage();  // imported, or set by a policy
  if (program.formOptions) program.formOptions->ShowChoices(considerate.GetOptions());
}

}  // namespace rp
