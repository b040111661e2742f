#include "schedule/FormOptions.h"

#include "app/Main.h"
#include "app/Program.h"

namespace rp {

FormOptions::FormOptions(Program& program, const Options& current)
    : Form(program.platform.ui, "FormOptions", FormStyle::FixedDialog, 8040, 4410),
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
      Frame20(AddControl(ControlKind::Frame, "Frame20", nullptr, {120, 1980, 7800, 1620}, 7, "Guided Breaks")),
      Label20(AddControl(ControlKind::Label, "Label20", &Frame20, {240, 360, 5040, 285}, 11,
                         "Break length (minutes, 0 to 30; 0: none):")),
      Text20(AddControl(ControlKind::TextBox, "Text20", &Frame20, {5400, 300, 900, 345}, 8, "")),
      Label21(AddControl(ControlKind::Label, "Label21", &Frame20, {240, 780, 5040, 285}, 12,
                         "Postpones and skips a day (0 to 20):")),
      Text21(AddControl(ControlKind::TextBox, "Text21", &Frame20, {5400, 720, 900, 345}, 9, "")),
      Check20(AddControl(ControlKind::CheckBox, "Check20", &Frame20, {240, 1200, 7320, 285}, 10,
                         "Eye breaks: look away for 20 seconds every 20 minutes")),
      PushButton1(AddControl(ControlKind::PushButton, "PushButton1", nullptr, {4200, 3840, 1740, 405}, 13, "OK")),
      PushButton2(AddControl(ControlKind::PushButton, "PushButton2", nullptr, {6060, 3840, 1740, 405}, 14, "Cancel")),
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
  Text20.SetText(std::to_string(current_.breakMinutes));
  Text21.SetText(std::to_string(current_.skipsADay));
  Check20.SetValue(current_.eyeBreaks ? 1 : 0);
}

void FormOptions::PushButton1_Click() {
  Options chosen;
  const struct {
    Control& box;
    int least, most;
    int& value;
    const char* refusal;
  } numbers[] = {
      {Text1, Options::kMinAwayMinutes, Options::kMaxAwayMinutes, chosen.awayMinutes,
       "The away time must be a whole number of minutes from 1 to 60."},
      {Text20, 0, Options::kMaxBreakMinutes, chosen.breakMinutes,
       "The break length must be a whole number of minutes from 0 to 30."},
      {Text21, 0, Options::kMaxSkipsADay, chosen.skipsADay,
       "The postpones and skips a day must be a whole number from 0 to 20."},
  };
  for (const auto& number : numbers) {
    if (!ParseWholeNumber(number.box.Text(), number.least, number.most, number.value)) {
      program.platform.dialogs.MessageBox(number.refusal, kOptionsCaption, kErrorStyle);
      return;
    }
  }
  chosen.naturalBreaks = Check1.Value() == 1;
  chosen.holdReminders = Check2.Value() == 1;
  chosen.tipShowsTimeLeft = Check3.Value() == 1;
  chosen.eyeBreaks = Check20.Value() == 1;
  chosen_ = chosen;
  Unload();
}

void FormOptions::PushButton2_Click() { Unload(); }

}  // namespace rp
