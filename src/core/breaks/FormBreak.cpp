#include "breaks/FormBreak.h"

#include "breaks/BreakLook.h"
#include "breaks/GuidedBreak.h"
#include "exercises/BreathPacer.h"
#include "exercises/ExercisePicture.h"
#include "runtime/Layout.h"
#include "settings/Main.h"
#include "runtime/Translation.h"

namespace rp {
namespace {

// The window covers the work area; its content is a block as wide as the main window's, in the middle of the work area.
constexpr int kBlockWidth = 7800, kBlockHeight = 3585;
// Exercises take this much more of the block, between its title and the time left.
constexpr int kExerciseRoom = 5040;
constexpr int kPictureSide = 3000;

int WorkAreaWidth(const MonitorInfo& monitor) { return PixelsToTwips(monitor.workArea.Width(), monitor.dpi); }
int WorkAreaHeight(const MonitorInfo& monitor) { return PixelsToTwips(monitor.workArea.Height(), monitor.dpi); }

// A place in the block as a place in the window; `room` the exercises' share of the block.
TwipsRect InBlock(const MonitorInfo& monitor, TwipsRect rect, int room = 0) {
  rect.left += (WorkAreaWidth(monitor) - kBlockWidth) / 2;
  rect.top += (WorkAreaHeight(monitor) - kBlockHeight - room) / 2;
  return rect;
}

}  // namespace

FormBreak::FormBreak(Ui& ui, GuidedBreak& guided, const MonitorInfo& monitor, std::string_view suggestion,
                     const ExerciseShow* show)
    : Form(ui, "FormBreak", FormStyle::Borderless, WorkAreaWidth(monitor), WorkAreaHeight(monitor)),
      Label1(AddControl(ControlKind::Label, "Label1", nullptr, InBlock(monitor, {0, 0, 7800, 645}, show ? kExerciseRoom : 0), 2, TrNoop("Time for a break"))),
      Label2(AddControl(ControlKind::Label, "Label2", nullptr, InBlock(monitor, {0, show ? 3840 : 840, 7800, 600}, show ? kExerciseRoom : 0), 3, std::string(suggestion))),
      ProgressBar1(AddControl(ControlKind::ProgressBar, "ProgressBar1", nullptr, InBlock(monitor, {0, 1680 + (show ? kExerciseRoom : 0), 7800, 720}, show ? kExerciseRoom : 0), 4, "")),
      // TRANSLATORS: a button of the break window; keep it about as short as the English
      PushButton1(AddControl(ControlKind::PushButton, "PushButton1", nullptr, InBlock(monitor, {0, 2640 + (show ? kExerciseRoom : 0), 3780, 480}, show ? kExerciseRoom : 0), 0, TrNoop("Postpone 5 Minutes"))),
      // TRANSLATORS: a button of the break window; keep it about as short as the English
      PushButton2(AddControl(ControlKind::PushButton, "PushButton2", nullptr, InBlock(monitor, {4020, 2640 + (show ? kExerciseRoom : 0), 3780, 480}, show ? kExerciseRoom : 0), 1, TrNoop("Skip Break"))),
      Label3(AddControl(ControlKind::Label, "Label3", nullptr, InBlock(monitor, {0, 3300 + (show ? kExerciseRoom : 0), 7800, 285}, show ? kExerciseRoom : 0), 5, "")),
      Timer1(ui, [this] { ShowExercise(); }),
      guided_(guided),
      show_(show) {
  SetMonitor(monitor);
  SetDesignFonts(*this);
  Label1.SetFont({"Arial", 24, true});
  Label2.SetFont({"Arial", 12, true});
  ProgressBar1.SetFont({"Arial", 20, true});
  if (show) {
    // The exercise's own rows: its picture above the title (Label2), then its steps and time.
    const int room = kExerciseRoom;
    Picture1 = &AddControl(ControlKind::Picture, "Picture1", nullptr,
                           InBlock(monitor, {(7800 - kPictureSide) / 2, 720, kPictureSide, kPictureSide}, room), 6, "");
    Label4 = &AddControl(ControlKind::Label, "Label4", nullptr, InBlock(monitor, {0, 4440, 7800, 1020}, room), 7, "");
    Label5 = &AddControl(ControlKind::Label, "Label5", nullptr, InBlock(monitor, {0, 5520, 7800, 360}, room), 8, "");
    Label2.SetFont({"Arial", 16, true});
    Label4->SetFont({"Arial", 12, false});
    Label5->SetFont({"Arial", 12, true});
    Picture1->SetForeColor(kCalmTextColour);
  }
  for (Control* label : {&Label1, &Label2, &Label3, Label4, Label5}) {
    if (!label) continue;
    label->SetAlignment(TextAlign::Centre);
    label->SetForeColor(kCalmTextColour);
  }
  PushButton1.onChange = [this] { PushButton1_Click(); };
  PushButton2.onChange = [this] { PushButton2_Click(); };
}

FormBreak::~FormBreak() = default;

void FormBreak::Form_Load() {
  SetCaption(Tr(kBreakCaption));
  SetBackColor(kCalmBackColour);
  for (Control* part : {&Label1, &Label2, &Label3, Label4, Label5, Picture1})
    if (part) part->SetBackColor(kCalmBackColour);
  MakeTopmost();
}

void FormBreak::Form_QueryUnload(int& cancel, int reason) {
  // Only the break closes its windows (and the end of the Windows session).
  if (reason != kCloseFromCode && reason != kCloseForWindowsSession) cancel = 1;
}

void FormBreak::PushButton1_Click() { guided_.Postpone(); }
void FormBreak::PushButton2_Click() { guided_.Skip(); }

void FormBreak::ShowState(int secondsLeft, int lengthSeconds, int skipsLeft, bool strict) {
  ProgressBar1.SetMax(lengthSeconds);
  ProgressBar1.SetValue(lengthSeconds - secondsLeft);
  ProgressBar1.SetText(ClockText(secondsLeft));
  for (Control* part : {&PushButton1, &PushButton2, &Label3}) part->SetVisible(!strict);
  PushButton1.SetEnabled(skipsLeft > 0);
  PushButton2.SetEnabled(skipsLeft > 0);
  Label3.SetText(SkipsLeftText(skipsLeft));
  // Asked once a second, not at every frame: it asks the window system.
  covered_ = View() && View()->Covered();
  if (show_) ShowExercise();
}

void FormBreak::ShowExercise() {
  const std::int64_t intoBreak = show_->loop.NowMs() - show_->startMs;
  const ExerciseSlot* slot = SlotAt(show_->slots, static_cast<int>(intoBreak / 1000));
  if (!slot) return;
  const Exercise& exercise = show_->exercises[slot->exercise];
  const std::int64_t intoExercise = intoBreak - std::int64_t{slot->startSecond} * 1000;
  const BreathPhase breath = BreathPacer::At(intoExercise);
  if (shown_ != *slot) {
    shown_ = *slot;
    const std::string title = exercise.builtIn ? Tr(exercise.title) : exercise.title;
    Label2.SetText(title);
    Picture1->SetText(title);  // its name for screen readers
    Label4->SetText(ExerciseStepsText(exercise));
  }
  const int secondsLeft = static_cast<int>((std::int64_t{slot->seconds} * 1000 - intoExercise + 999) / 1000);
  const std::string clock = ClockText(secondsLeft);
  Label5->SetText(exercise.pacer ? Tr(breath.in ? kBreatheIn : kBreatheOut) + "  " + clock : clock);
  // Drawn only when it changed: a still picture once, the pacer at each step of its circle.
  Picture1->SetDrawing(ExercisePicture(exercise, kPictureSide, breath.size));
  // The pacer moves only while it can be seen, at most 30 frames a second; the break's tick
  // starts it again once the window is uncovered.
  const bool animate = exercise.pacer && Visible() && WindowState() != kMinimized && !covered_;
  Timer1.SetInterval(BreathPacer::FrameIntervalMs(animate));
}

}  // namespace rp
