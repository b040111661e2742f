#pragma once
#include <string_view>

#include "ports/Monitors.h"
#include "runtime/Form.h"
#include "runtime/Translation.h"

namespace rp {

class GuidedBreak;

// TRANSLATORS: the title of the break window, read out by screen readers and shown in the taskbar
inline constexpr std::string_view kBreakCaption = TrNoop("Break Time");

// The window of a guided break on one monitor: it covers the monitor's work area, stays on
// top, shows the time left and the buttons that postpone or skip the break while the day's
// budget allows. Neither Esc, nor Alt+F4, nor the taskbar closes it: only the break's end.
class FormBreak : public Form {
 public:
  FormBreak(Ui& ui, GuidedBreak& guided, const MonitorInfo& monitor, std::string_view suggestion);
  ~FormBreak() override;

  Control& Label1;        // "Time for a break"
  Control& Label2;        // what to do meanwhile
  Control& ProgressBar1;  // the time left, as text and as the share of the break gone
  Control& PushButton1;   // "Postpone 5 Minutes"
  Control& PushButton2;   // "Skip Break"
  Control& Label3;        // the skips left today

  void Form_Load() override;
  void Form_QueryUnload(int& cancel, int reason) override;
  void PushButton1_Click();
  void PushButton2_Click();

  // Shows the break as it stands; with no skips at all (strict) there are no buttons.
  void ShowState(int secondsLeft, int lengthSeconds, int skipsLeft, bool strict);

 private:
  GuidedBreak& guided_;
};

}  // namespace rp
