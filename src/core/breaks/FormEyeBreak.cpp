#include "breaks/FormEyeBreak.h"

#include <exception>

#include "breaks/BreakLook.h"
#include "breaks/EyeBreaks.h"
#include "breaks/GuidedBreak.h"
#include "runtime/Translation.h"

namespace rp {
namespace {

constexpr int kCountdownMs = 1000;

}  // namespace

FormEyeBreak::FormEyeBreak(Platform& platform)
    : CornerWindow(platform, "FormEyeBreak", 5400, 1140),
      Label1(AddControl(ControlKind::Label, "Label1", nullptr, {120, 180, 5160, 345}, 0,
                        // TRANSLATORS: the eye break window's one line; keep it about as short as the English
                        TrNoop("Look at something far away"))),
      Label2(AddControl(ControlKind::Label, "Label2", nullptr, {120, 600, 5160, 420}, 1,
                        ClockText(EyeBreakRhythm::kLengthSeconds))),
      Timer2(platform.ui, [this] { Timer2_Timer(); }) {
  Label1.SetFont({"Arial", 12, true});
  Label2.SetFont({"Arial", 15.75, true});
  for (Control* label : {&Label1, &Label2}) {
    label->SetAlignment(TextAlign::Centre);
    label->SetForeColor(kCalmTextColour);
  }
}

FormEyeBreak::~FormEyeBreak() = default;

bool FormEyeBreak::Appear() {
  SecondsLeft = EyeBreakRhythm::kLengthSeconds;
  return CornerWindow::Appear();
}

void FormEyeBreak::Form_Load() {
  SetCaption(Tr("Eye Break"));
  SetBackColor(kCalmBackColour);
  for (Control* label : {&Label1, &Label2}) label->SetBackColor(kCalmBackColour);
  PlaceInCorner();
}

void FormEyeBreak::Arrived() { Timer2.SetInterval(kCountdownMs); }

void FormEyeBreak::Timer2_Timer() {
  try {
    Tick();
  } catch (const std::exception&) {
    Unload();  // the timers report nothing: the window just goes
  }
}

void FormEyeBreak::Tick() {
  Label2.SetText(ClockText(--SecondsLeft));
  if (SecondsLeft > 0) return;
  Timer2.SetInterval(0);
  Leave();
}

void FormEyeBreak::Form_QueryUnload(int& cancel, int reason) {
  Timer2.SetInterval(0);
  CornerWindow::Form_QueryUnload(cancel, reason);
}

}  // namespace rp
