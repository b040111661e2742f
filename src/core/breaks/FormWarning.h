#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "breaks/CornerWindow.h"
#include "runtime/Translation.h"

namespace rp {

// TRANSLATORS: the title of the small window that tells of a guided break to come
inline constexpr std::string_view kWarningCaption = TrNoop("Break Soon");

// What the user answered the warning.
enum class WarningAnswer { StartNow, Postpone, Skip };

// "Break in 0:30", minutes without a leading zero.
std::string BreakInText(int seconds);

// The "Break Soon" window: it rises at the bottom right of the monitor with the pointer a set
// time before a guided break, without taking the focus, shows the time to the break, and offers
// to start it now, to postpone it or to skip it while the day's budget allows. The break's start
// closes it; it never closes itself.
class FormWarning : public CornerWindow {
 public:
  FormWarning(Platform& platform, std::function<void(WarningAnswer)> answered);
  ~FormWarning() override;

  Control& Label1;       // "Break in 0:30"
  Control& PushButton1;  // "Start Now"
  Control& PushButton2;  // "Postpone 5 Minutes"
  Control& PushButton3;  // "Skip Break"
  Control& Label2;       // the skips left today

  void Form_Load() override;
  void PushButton1_Click();
  void PushButton2_Click();
  void PushButton3_Click();

  // The time to the break; with no skips at all (strict) only "Start Now" shows.
  void ShowState(int secondsToBreak, int skipsLeft, bool strict);

 private:
  std::function<void(WarningAnswer)> answered_;
};

}  // namespace rp
