#include "app/Form1.h"

#include "runtime/Failure.h"
#include "settings/Guard.h"
#include "app/Program.h"
#include "countdown/modReminder.h"
#include "startup/mStartUp.h"

namespace rp {

void Form1::Form_Load() {
  Main& main = program.main;
  Guard g(main, "Form1.Form_Load");
  const std::string defaultSound = main.ProgramFile("break.wav");

  g.Step(100, [&] { main.ApplySkin(*this); });
  g.Step(102, [&] { IsLoading = true; });
  if (g.Test(104, [&] { return main.FileExists(main.ProgramFile("HAND-M.CUR")); })) {
    g.Step(106, [&] { SetMouseIcon(GetUi().LoadPicture(main.ProgramFile("HAND-M.CUR"))); });
  }
  g.Step(126, [&] {
    SetCaption(std::string(kProductName));
    SetIcon(GetUi().ApplicationIcon());
    main.SetAppTitle();
  });
  g.Step(128, [&] { Text1.SetText(main.GetSetting("Text1", std::to_string(kDefaultMinutes))); });
  g.Step(130, [&] { Text2.SetText(main.GetSetting("Alarm", defaultSound)); });
  if (g.Test(132, [&] { return !main.FileExists(Text2.Text()); })) {
    g.Step(134, [&] { Text2.SetText(defaultSound); });
  }
  g.Step(136, [&] {
    cSysTray1.SetTrayTip(std::string(kProductName));
    SetIcon(GetUi().ApplicationIcon());
  });
  g.Step(138, [&] { cSysTray1.SetInTray(true); });
  g.Step(140, [&] { Check4.SetValue(main.GetSetting("Windows Startup", "Off") == "On" ? 1 : 0); });
  g.Step(142, [&] { Check8.SetValue(main.GetSetting("Minimized", "Off") == "On" ? 1 : 0); });
  if (g.Test(144, [&] { return Check4.Value() == 1; })) {
    g.Step(146, [&] { Check8.SetVisible(true); });
    if (g.Test(148, [&] { return Check8.Value() == 1; })) {
      g.Step(150, [&] { SetWindowState(kMinimized); });
    }
  } else {
    g.Step(152, [&] { Check8.SetVisible(false); });
  }
  g.Step(154, [&] { IsLoading = false; });
  g.Step(156, [&] { countdown.ElapsedSeconds = 0; });

  std::string state;
  g.Step(158, [&] { state = main.GetSetting("StartStopState", "Off"); });
  if (g.Test(160, [&] { return state == "Off"; })) {
    g.Step(162, [&] { PushButton3.SetText(Tr(kStartReminding)); });
    g.Step(164, [&] { main.SaveSetting("StartStopState", "Off"); });
    g.Step(166, [&] { Timer1.SetInterval(0); });
    g.Step(168, [&] { Timer1.SetEnabled(false); });
    g.Step(170, [&] {
      // TRANSLATORS: the countdown's frame while reminding is off.
      Frame1.SetText(Tr("Stopped."));
      SetMousePointer(kDefaultPointer);
    });
    g.Step(172, [&] { ProgressBar1.SetValue(0); });
    g.Step(174, [&] { ProgressBar1.SetText(Tr(kProgressBarText)); });
  } else if (g.Test(176, [&] { return state == "On"; })) {
    g.Step(178, [&] { PushButton3.SetText(Tr(kStopReminding)); });
    g.Step(180, [&] { main.SaveSetting("StartStopState", "On"); });
    if (g.Test(182, [&] { return main.IsNumeric(Text1.Text()); })) {
      g.Step(184, [&] { countdown.SetMinutes(program.main, Text1.Text(), kDefaultMinutes); });
    } else {
      g.Step(186, [&] { countdown.SetInterval(60); });
      g.Step(188, [&] { Text1.SetText("1"); });
    }
    g.Step(190, [&] { Timer1.SetInterval(1000); });
    g.Step(192, [&] { Timer1.SetEnabled(true); });
  }

  g.Step(194, [&] { Check1.SetValue(main.ToInteger16(main.GetSetting("Check1", "1"))); });
  g.Step(196, [&] { Check2.SetValue(main.ToInteger16(main.GetSetting("Check2", "1"))); });
  g.Step(198, [&] { Check3.SetValue(main.ToInteger16(main.GetSetting("Check3", "0"))); });
  ApplyOptions(Options::Load(main));
  // Takes up the pause stored by the last run, if it still holds.
  steering.Restore(Reminding() && !main.SetByPolicy("StartStopState"));
  if (steering.Holding() != SteerHold::None) ShowHold();
  main.ShowWhetherSetByPolicy(policyControls_);
  trayTip.ReadPolicies();
  g.Step(200, [&] { mStartUp::KeepAsPolicySays(main, program.platform.files, program.platform.registry); });
}

void Form1::Text2_Change() { program.main.SaveSetting("Alarm", Text2.Text()); }
void Form1::Check2_Click() { program.main.SaveSetting("Check2", std::to_string(Check2.Value())); }
void Form1::Check3_Click() { program.main.SaveSetting("Check3", std::to_string(Check3.Value())); }

void Form1::Check8_Click() {
  program.main.SaveSetting("Minimized", Check8.Value() == 1 ? "On" : "Off");
}

void Form1::OnUnguardedFailure(const std::string& handler, const std::string& description) {
  // A last resort: a handler without a guard of its own must not end the program.
  program.main.ReportApplicationError(description, LocationTag("Form1." + handler), 0);
}

// The design captions a control still showed are in the new language already; the texts of the
// state the window is in follow. While reminding, the main button still shows the old "Stop".
void Form1::Form_LanguageChanged() {
  const bool on = Reminding();
  PushButton3.SetText(Tr(on ? kStopReminding : kStartReminding));
  if (!on)
    Frame1.SetText(Tr("Stopped."));
  else if (steering.Holding() != SteerHold::None)
    Frame1.SetText(steering.Caption());
  else if (breaks.ShowState())
    {}  // the break under way or postponed shows itself
  else if (considerate.Away() || considerate.Held() != HoldReason::None)
    ShowHold();
  else
    Frame1.SetText(NextBreakText(countdown.SecondsLeft()));
  trayTip.Retranslate();
  program.main.ShowWhetherSetByPolicy(policyControls_);
  trayTip.ReadPolicies();
}

}  // namespace rp
