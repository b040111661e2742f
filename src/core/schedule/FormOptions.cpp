#include "schedule/FormOptions.h"

#include "app/Main.h"
#include "app/Program.h"

namespace rp {

FormOptions::FormOptions(Program& program, const Options& current)
    : Form(program.platform.ui, "FormOptions", FormStyle::FixedDialog, 8040, 3450),
      program(program),
      Check1(AddControl(ControlKind::CheckBox, "Check1", nullptr, {240, 240, 7560, 285}, 0,
                        "Time away from the computer counts as a break")),
      Label1(AddControl(ControlKind::Label, "Label1", nullptr, {600, 660, 3600, 285}, 6,
                        "Away after (minutes, 1 to 60):")),
      Text1(AddControl(ControlKind::TextBox, "Text1", nullptr, {4260, 600, 900, 345}, 1, "")),
      Check2(AddControl(ControlKind::CheckBox, "Check2", nullptr, {240, 1140, 7560, 285}, 2,
                        "Hold reminders during presentations, full-screen programs and calls")),
      Check3(AddControl(ControlKind::CheckBox, "Check3", nullptr, {240, 1560, 7560, 285}, 3,
                        "Show the time to the next break in the tray tip")),
      Frame9(AddControl(ControlKind::Frame, "Frame9", nullptr, {120, 1980, 7800, 735}, 7, "Statistics")),
      Check9(AddControl(ControlKind::CheckBox, "Check9", &Frame9, {120, 300, 7440, 285}, 8,
                        "Keep statistics of breaks and screen time on this computer")),
      PushButton1(AddControl(ControlKind::PushButton, "PushButton1", nullptr, {4200, 2880, 1740, 405}, 9, "OK")),
      PushButton2(AddControl(ControlKind::PushButton, "PushButton2", nullptr, {6060, 2880, 1740, 405}, 10, "Cancel")),
      current_(current) {
  SetDesignFonts(*this);
  PushButton1.onChange = [this] { PushButton1_Click(); };
  PushButton2.onChange = [this] { PushButton2_Click(); };
  SetDefaultButtons(&PushButton1, &PushButton2);
}

FormOptions::~FormOptions() = default;

void FormOptions::Form_Load() {
  SetCaption(std::string(kOptionsCaption));
  Check1.SetValue(current_.naturalBreaks ? 1 : 0);
  Text1.SetText(std::to_string(current_.awayMinutes));
  Check2.SetValue(current_.holdReminders ? 1 : 0);
  Check3.SetValue(current_.tipShowsTimeLeft ? 1 : 0);
  Check9.SetValue(current_.keepStatistics ? 1 : 0);
}

void FormOptions::PushButton1_Click() {
  Options chosen;
  if (!ParseAwayMinutes(Text1.Text(), chosen.awayMinutes)) {
    program.platform.dialogs.MessageBox("The away time must be a whole number of minutes from 1 to 60.",
                                        kOptionsCaption, kErrorStyle);
    return;
  }
  chosen.naturalBreaks = Check1.Value() == 1;
  chosen.holdReminders = Check2.Value() == 1;
  chosen.tipShowsTimeLeft = Check3.Value() == 1;
  chosen.keepStatistics = Check9.Value() == 1;
  chosen_ = chosen;
  Unload();
}

void FormOptions::PushButton2_Click() { Unload(); }

}  // namespace rp
