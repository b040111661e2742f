#include "breaks/FormWarning.h"

#include <algorithm>

#include "breaks/BreakLook.h"
#include "breaks/GuidedBreak.h"
#include "settings/Main.h"

namespace rp {

std::string BreakInText(int seconds) {
  seconds = std::max(seconds, 0);
  const int rest = seconds % 60;
  // TRANSLATORS: in the "Break Soon" window; {time} is minutes and seconds, like 0:30
  return Fill(Tr("Break in {time}"),
              {{"time", std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest)}});
}

FormWarning::FormWarning(Platform& platform, std::function<void(WarningAnswer)> answered)
    : CornerWindow(platform, "FormWarning", 7500, 2145),
      Label1(AddControl(ControlKind::Label, "Label1", nullptr, {120, 150, 7260, 420}, 3, "")),
      // TRANSLATORS: a button of the "Break Soon" window: the break starts at once
      PushButton1(AddControl(ControlKind::PushButton, "PushButton1", nullptr, {120, 690, 7260, 405}, 0, TrNoop("Start Now"))),
      PushButton2(AddControl(ControlKind::PushButton, "PushButton2", nullptr, {120, 1215, 3570, 405}, 1, TrNoop("Postpone 5 Minutes"))),
      PushButton3(AddControl(ControlKind::PushButton, "PushButton3", nullptr, {3810, 1215, 3570, 405}, 2, TrNoop("Skip Break"))),
      Label2(AddControl(ControlKind::Label, "Label2", nullptr, {120, 1740, 7260, 285}, 4, "")),
      answered_(std::move(answered)) {
  SetDesignFonts(*this);
  Label1.SetFont({"Arial", 14.25, true});
  for (Control* label : {&Label1, &Label2}) {
    label->SetAlignment(TextAlign::Centre);
    label->SetForeColor(kCalmTextColour);
  }
  PushButton1.onChange = [this] { PushButton1_Click(); };
  PushButton2.onChange = [this] { PushButton2_Click(); };
  PushButton3.onChange = [this] { PushButton3_Click(); };
}

FormWarning::~FormWarning() = default;

void FormWarning::Form_Load() {
  SetCaption(Tr(kWarningCaption));
  SetBackColor(kCalmBackColour);
  for (Control* label : {&Label1, &Label2}) label->SetBackColor(kCalmBackColour);
  PlaceInCorner();
}

void FormWarning::PushButton1_Click() { answered_(WarningAnswer::StartNow); }
void FormWarning::PushButton2_Click() { answered_(WarningAnswer::Postpone); }
void FormWarning::PushButton3_Click() { answered_(WarningAnswer::Skip); }

void FormWarning::ShowState(int secondsToBreak, int skipsLeft, bool strict) {
  Label1.SetText(BreakInText(secondsToBreak));
  for (Control* part : {&PushButton2, &PushButton3, &Label2}) part->SetVisible(!strict);
  PushButton2.SetEnabled(skipsLeft > 0);
  PushButton3.SetEnabled(skipsLeft > 0);
  Label2.SetText(SkipsLeftText(skipsLeft));
}

}  // namespace rp
