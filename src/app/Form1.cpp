#include "app/Form1.h"

#include "app/Failure.h"
#include "app/Guard.h"
#include "app/Program.h"
#include "schedule/modReminder.h"

namespace rp {

Form1::Form1(Program& program)
    : Form(program.platform.ui, "Form1", FormStyle::FixedSingle, 8040, 5445),
      program(program),
      PushButton3(AddControl(ControlKind::PushButton, "PushButton3", nullptr, {120, 120, 7800, 405}, 16, "Start Reminding")),
      Frame1(AddControl(ControlKind::Frame, "Frame1", nullptr, {120, 600, 7800, 915}, 0, "Next break will occur in 00:00:00")),
      ProgressBar1(AddControl(ControlKind::ProgressBar, "ProgressBar1", &Frame1, {240, 300, 7320, 405}, 1, "Progress Bar")),
      Frame2(AddControl(ControlKind::Frame, "Frame2", nullptr, {120, 1560, 7800, 1335}, 2, "Break Sound File")),
      Text2(AddControl(ControlKind::TextBox, "Text2", &Frame2, {240, 300, 7335, 345}, 3, "")),
      PushButton5(AddControl(ControlKind::PushButton, "PushButton5", &Frame2, {240, 750, 3600, 405}, 4, "Change Sound File")),
      PushButton4(AddControl(ControlKind::PushButton, "PushButton4", &Frame2, {3960, 750, 3600, 405}, 5, "Test Break Sound")),
      Frame5(AddControl(ControlKind::Frame, "Frame5", nullptr, {120, 2940, 7800, 825}, 11, "Break every minutes")),
      Text1(AddControl(ControlKind::TextBox, "Text1", &Frame5, {240, 300, 7335, 345}, 12, "1")),
      Frame4(AddControl(ControlKind::Frame, "Frame4", nullptr, {120, 3810, 7800, 735}, 10, "Reminder Option")),
      Check1(AddControl(ControlKind::CheckBox, "Check1", &Frame4, {240, 300, 1740, 285}, 13, "Audio Reminder")),
      Check2(AddControl(ControlKind::CheckBox, "Check2", &Frame4, {2280, 300, 1860, 285}, 14, "Balloon Reminder")),
      Check3(AddControl(ControlKind::CheckBox, "Check3", &Frame4, {4440, 300, 2220, 285}, 15, "Full Screen Reminder")),
      Frame3(AddControl(ControlKind::Frame, "Frame3", nullptr, {120, 4590, 7800, 765}, 7, "Startup Option")),
      Check4(AddControl(ControlKind::CheckBox, "Check4", &Frame3, {240, 300, 3930, 285}, 8, "Load this software on Windows startup")),
      Check8(AddControl(ControlKind::CheckBox, "Check8", &Frame3, {4320, 300, 2580, 285}, 9, "Minimized to system tray")),
      Timer1(program.platform.ui, [this] { Timer1_Timer(); }),
      cSysTray1(program, *this, "cSysTray1", {false, GetUi().TrayIconPicture(), ""}),
      considerate(program.platform.presence, program.platform.loop) {
  SetDesignFonts(*this);
  Timer1.SetInterval(0);
  PushButton3.onChange = [this] { PushButton3_Click(); };
  PushButton4.onChange = [this] { PushButton4_Click(); };
  PushButton5.onChange = [this] { PushButton5_Click(); };
  Text1.onChange = [this] { Text1_Change(); };
  Text2.onChange = [this] { Text2_Change(); };
  Check1.onChange = [this] { Check1_Click(); };
  Check2.onChange = [this] { Check2_Click(); };
  Check3.onChange = [this] { Check3_Click(); };
  Check4.onChange = [this] { Check4_Click(); };
  Check8.onChange = [this] { Check8_Click(); };
  PushButton3.onMouseMove = [this] { PushButton3_MouseMove(); };
  PushButton4.onMouseMove = [this] { PushButton4_MouseMove(); };
  PushButton5.onMouseMove = [this] { PushButton5_MouseMove(); };
  Frame1.onMouseMove = [this] { Frame1_MouseMove(); };
  Frame2.onMouseMove = [this] { Frame2_MouseMove(); };
  Frame3.onMouseMove = [this] { Frame3_MouseMove(); };
  Frame4.onMouseMove = [this] { Frame4_MouseMove(); };
  Frame5.onMouseMove = [this] { Frame5_MouseMove(); };
  cSysTray1.MouseUp = [this](int button, std::int32_t id) { cSysTray1_MouseUp(button, id); };
  AddSystemMenuItem("Options...");
}

Form1::~Form1() = default;

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
  g.Step(156, [&] { ElapsedSeconds = 0; });

  std::string state;
  g.Step(158, [&] { state = main.GetSetting("StartStopState", "Off"); });
  if (g.Test(160, [&] { return state == "Off"; })) {
    g.Step(162, [&] { PushButton3.SetText(std::string(kStartReminding)); });
    g.Step(164, [&] { main.SaveSetting("StartStopState", "Off"); });
    g.Step(166, [&] { Timer1.SetInterval(0); });
    g.Step(168, [&] { Timer1.SetEnabled(false); });
    g.Step(170, [&] {
      Frame1.SetText("Stopped.");
      SetMousePointer(kDefaultPointer);
    });
    g.Step(172, [&] { ProgressBar1.SetValue(0); });
    g.Step(174, [&] { ProgressBar1.SetText(std::string(kProgressBarText)); });
  } else if (g.Test(176, [&] { return state == "On"; })) {
    g.Step(178, [&] { PushButton3.SetText(std::string(kStopReminding)); });
    g.Step(180, [&] { main.SaveSetting("StartStopState", "On"); });
    if (g.Test(182, [&] { return main.IsNumeric(Text1.Text()); })) {
      g.Step(184, [&] { SetIntervalFromMinutes(); });
    } else {
      g.Step(186, [&] { SetInterval(60); });
      g.Step(188, [&] { Text1.SetText("1"); });
    }
    g.Step(190, [&] { Timer1.SetInterval(1000); });
    g.Step(192, [&] { Timer1.SetEnabled(true); });
  }

  g.Step(194, [&] { Check1.SetValue(main.ToInteger16(main.GetSetting("Check1", "1"))); });
  g.Step(196, [&] { Check2.SetValue(main.ToInteger16(main.GetSetting("Check2", "1"))); });
  g.Step(198, [&] { Check3.SetValue(main.ToInteger16(main.GetSetting("Check3", "0"))); });
  ApplyOptions(Options::Load(main));
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

}  // namespace rp
