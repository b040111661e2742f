#include "breaks/FormEyeBreak.h"

#include <exception>

#include "breaks/BreakLook.h"
#include "breaks/EyeBreaks.h"
#include "breaks/GuidedBreak.h"
#include "exercises/ExercisePicture.h"
#include "runtime/Translation.h"

namespace rp {
namespace {

constexpr int kCountdownMs = 1000;

// With an exercise the texts stand right of its picture.
constexpr int kPictureSide = 1800;
constexpr int kTextLeft = 2040, kTextWidth = 3840;

}  // namespace

FormEyeBreak::FormEyeBreak(Platform& platform, const Exercise* exercise)
    : CornerWindow(platform, "FormEyeBreak", exercise ? 6000 : 5400, exercise ? 2160 : 1140),
      Label1(AddControl(ControlKind::Label, "Label1", nullptr,
                        exercise ? TwipsRect{kTextLeft, 180, kTextWidth, 345} : TwipsRect{120, 180, 5160, 345}, 0,
                        // TRANSLATORS: the eye break window's one line; keep it about as short as the English
                        exercise ? exercise->title : std::string(TrNoop("Look at something far away")))),
      Label2(AddControl(ControlKind::Label, "Label2", nullptr,
                        exercise ? TwipsRect{kTextLeft, 1680, kTextWidth, 420} : TwipsRect{120, 600, 5160, 420}, 1,
                        ClockText(EyeBreakRhythm::kLengthSeconds))),
      Timer2(platform.ui, [this] { Timer2_Timer(); }) {
  Label1.SetFont({"Arial", 12, true});
  Label2.SetFont({"Arial", 15.75, true});
  if (exercise) {
    Picture1 = &AddControl(ControlKind::Picture, "Picture1", nullptr, {120, 180, kPictureSide, kPictureSide}, 2, exercise->title);
    Label3 = &AddControl(ControlKind::Label, "Label3", nullptr, {kTextLeft, 585, kTextWidth, 1050}, 3, ExerciseStepsText(*exercise));
    Label3->SetFont({"Arial", 10, false});
    Picture1->SetForeColor(kCalmTextColour);
    Picture1->SetDrawing(ExercisePicture(*exercise, kPictureSide));
  }
  for (Control* label : {&Label1, &Label2, Label3}) {
    if (!label) continue;
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
  for (Control* part : {&Label1, &Label2, Label3, Picture1})
    if (part) part->SetBackColor(kCalmBackColour);
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
