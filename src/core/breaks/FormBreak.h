#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "exercises/ExerciseSequence.h"
#include "ports/EventLoop.h"
#include "ports/Monitors.h"
#include "runtime/Form.h"
#include "runtime/Timer.h"
#include "runtime/Translation.h"

namespace rp {

class GuidedBreak;

// TRANSLATORS: the title of the break window, read out by screen readers and shown in the taskbar
inline constexpr std::string_view kBreakCaption = TrNoop("Break Time");

// The exercises of the break under way: each slot's exercise in turn from the break's start.
struct ExerciseShow {
  EventLoop& loop;
  const std::vector<Exercise>& exercises;
  std::vector<ExerciseSlot> slots;
  std::int64_t startMs = 0;
};

// The window of a guided break on one monitor: it covers the monitor's work area, stays on
// top, shows the time left and the buttons that postpone or skip the break while the day's
// budget allows. Neither Esc, nor Alt+F4, nor the taskbar closes it: only the break's end.
class FormBreak : public Form {
 public:
  // With `show`, the exercises take the suggestion's place, one at a time above the time left.
  FormBreak(Ui& ui, GuidedBreak& guided, const MonitorInfo& monitor, std::string_view suggestion,
            const ExerciseShow* show = nullptr);
  ~FormBreak() override;

  Control& Label1;        // "Time for a break"
  Control& Label2;        // what to do meanwhile
  Control& ProgressBar1;  // the time left, as text and as the share of the break gone
  Control& PushButton1;   // "Postpone 5 Minutes"
  Control& PushButton2;   // "Skip Break"
  Control& Label3;        // the skips left today
  // With exercises: the picture (read out by the title in Label2), the steps, its own time left.
  Control* Picture1 = nullptr;
  Control* Label4 = nullptr;
  Control* Label5 = nullptr;
  Timer Timer1;           // the breathing pacer's frames while it shows

  void Form_Load() override;
  void Form_QueryUnload(int& cancel, int reason) override;
  void PushButton1_Click();
  void PushButton2_Click();

  // Shows the break as it stands; with no skips at all (strict) there are no buttons.
  void ShowState(int secondsLeft, int lengthSeconds, int skipsLeft, bool strict);
  // Shows the exercise of the moment, and animates the pacer while it shows and can be seen.
  void ShowExercise();

 private:
  GuidedBreak& guided_;
  const ExerciseShow* show_;
  std::optional<ExerciseSlot> shown_;  // the one whose texts are up
  bool covered_ = false;               // other windows hide all of it, as of the last tick
};

}  // namespace rp
