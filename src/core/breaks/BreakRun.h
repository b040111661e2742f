#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "breaks/EyeBreaks.h"
#include "breaks/FormWarning.h"
#include "breaks/FormBreak.h"
#include "breaks/GuidedBreak.h"
#include "exercises/ExerciseSequence.h"
#include "exercises/OwnExercises.h"
#include "ports/Platform.h"
#include "runtime/Timer.h"
#include "presence/Considerate.h"
#include "settings/Options.h"

namespace rp {

class BreakWindows;
class FormEyeBreak;

// One break's course after its reminders, and the eye breaks between breaks: the guided
// break's windows until it is taken, postponed or skipped, the postponement counted down, and
// the eye break window when its time comes. It owns those windows; the main window hears what
// to show through the hooks.
class BreakRun {
 public:
  struct Hooks {
    std::function<void(const std::string&)> caption;  // Frame1's text
    std::function<void()> windowsUp;                   // the break windows are up: the sound's loop ends
    // A guided break is over or postponed, its windows gone.
    std::function<void(bool postponed)> guidedOver;
    // A failure nothing else reports: where it happened, and what.
    std::function<void(const std::string&, const std::string&)> failed;
    // The user answered the "Break Soon" window; told from the event loop, its window still up.
    std::function<void(WarningAnswer)> answered;
    // The break's choices (postpone, skip) came or went with the "Break Soon" window.
    std::function<void()> choiceChanged;
    // The blocks and pictures of the user's exercises file left out, told once a contents.
    std::function<void(const std::string&)> leftOut;
  };

  // A guided break that falls due during input waits for this long without any, ...
  static constexpr std::int64_t kTypingPauseMs = 3000;
  // ... at most this long.
  static constexpr std::int64_t kLongestTypingWaitMs = 60000;

  BreakRun(Platform& platform, Main& main, ConsiderateBreaks& considerate, Hooks hooks);
  ~BreakRun();
  BreakRun(const BreakRun&) = delete;
  BreakRun& operator=(const BreakRun&) = delete;

  GuidedBreak guided;
  EyeBreakRhythm eyeBreaks;

  void SetOptions(const Options& options);
  // Who hears the guided and eye breaks.
  void SetObserver(BreakObserver* observer);

  // The reminders of a break begin: an eye break that is up goes.
  void Begin();
  bool UnderWay() const { return underWay_; }
  // The reminders are over, and the guided break follows when there is one. Nothing when the
  // break has ended already (it ends once); otherwise whether it was postponed.
  std::optional<bool> EndReminders();
  bool Postponed() const { return guided.State() == GuidedState::Postponed; }
  // The one place that says whether the break may be postponed or skipped now: its warning or
  // its window is up with its buttons.
  bool ChoiceOpen() const { return guided.Choosable() && !guided.Strict(); }
  // A postponed break is back, without reminders; true when postponed again.
  bool ResumePostponed();
  // One second of the postponement, shown in Frame1; true when the break is back.
  bool CountPostponed();
  // A counted second of a period of `intervalSeconds`, the next break `secondsToBreak` away:
  // the warning before the break, and the eye breaks.
  void Counted(std::int32_t secondsToBreak, std::int32_t intervalSeconds);
  // A counted second for the eye breaks alone (a postponed break is counted down).
  void CountEyeTime(std::int32_t secondsToBreak);
  void CloseEyeBreak();
  // The warning goes: the break begins, or the countdown stands still.
  void CloseWarning();
  // A new period starts after a hold of the user's: a postponed break stays behind with the
  // old one, and so does the eye breaks' count. A break under way runs on.
  void PeriodStartsAfresh();
  // Reminding stopped, or time away was a break: nothing is left of a break or an eye break.
  void Drop();
  // Frame1 shows the break under way or postponed as it stands; false when there is neither.
  bool ShowState();

  // The windows while they are up.
  const BreakWindows* Windows() const { return windows_.get(); }
  FormEyeBreak* EyeWindow() { return eyeWindow_.get(); }
  FormWarning* WarningWindow() { return warning_.get(); }

 private:
  // The guided break until it ends: true when postponed.
  bool Guide();
  // The user's exercises file afresh, and the sequence made again when it or the choice changed.
  void TakeOwnExercises();
  void ShowTimeLeft();
  void PlayEndSound();
  void ShowPostponedLeft();
  void OpenWarning(std::int32_t secondsToBreak);
  // While the user types, up to a minute; false when the break was dropped meanwhile.
  bool WaitForTypingPause();

  Platform& platform_;
  ConsiderateBreaks& considerate_;
  Hooks hooks_;
  std::unique_ptr<BreakWindows> windows_;
  std::unique_ptr<FormEyeBreak> eyeWindow_;
  std::unique_ptr<FormWarning> warning_;
  // The warning's answer, handed on from the event loop rather than from inside its window.
  Timer answerTimer_;
  WarningAnswer answer_ = WarningAnswer::StartNow;
  BreakObserver* observer_ = nullptr;
  int warnSeconds_ = 0;
  bool waitForTypingPause_ = false;
  bool showExercises_ = false;
  std::string endSound_;
  // The exercises in their fixed order, going on from break to break, and this break's share.
  ExerciseSequence exercises_;
  OwnExercises ownExercises_;
  bool ownExercisesOnly_ = false;
  bool sequenceOwnOnly_ = false;  // as the sequence was made
  std::optional<ExerciseShow> show_;
  bool waitingForTyping_ = false;
  // From the reminders' start until the break ended.
  bool underWay_ = false;
};

}  // namespace rp
