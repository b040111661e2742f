#include <exception>

#include "app/Form1.h"
#include "schedule/FormOptions.h"
#include "app/Program.h"
#include "schedule/Statistics.h"

namespace rp {

void Form1::Form_SystemMenu(std::size_t index) {
  if (index == 0) mnuOptions_Click();
  if (index == 1) mnuStatistics_Click();
}

void Form1::mnuOptions_Click() {
  // A request that arrives while the window is still closing (its events run before the modal
  // wait ends) would replace the window under that wait.
  if (program.formOptions) return;
  try {
    program.formOptions = std::make_unique<FormOptions>(program, considerate.GetOptions());
    program.formOptions->ShowModal(*this, program.platform.loop);
    const std::optional<Options> chosen = program.formOptions->Chosen();
    program.formOptions.reset();
    if (!chosen) return;
    chosen->StoreChanges(program.main, considerate.GetOptions());
    ApplyOptions(*chosen);
  } catch (const std::exception& e) {
    program.formOptions.reset();  // or the menu would find it still open from now on
    OnUnguardedFailure("mnuOptions_Click", e.what());
  }
}

void Form1::ApplyOptions(const Options& options) {
  const bool tipWasOn = considerate.GetOptions().tipShowsTimeLeft;
  considerate.SetOptions(options);
  ApplyStatisticsOption(options.keepStatistics);
  if (tipWasOn && !options.tipShowsTimeLeft) {
    cSysTray1.SetTrayTip(std::string(kProductName));
    tipProblem_.clear();
  }
  UpdateTrayTip();
}

void Form1::ShowPresence() {
  if (considerate.Away())
    Frame1.SetText(std::string(kAwayCaption));
  else if (considerate.Held() != HoldReason::None)
    Frame1.SetText(std::string(HeldCaption(considerate.Held())));
  UpdateTrayTip();
}

void Form1::UpdateTrayTip() {
  static const std::string kNoProblem;
  const std::string& problem = program.statistics ? program.statistics->Problem() : kNoProblem;
  if (!considerate.GetOptions().tipShowsTimeLeft) {
    // The product's name, and the statistics problem once, until it is over.
    if (problem == tipProblem_) return;
    tipProblem_ = problem;
    cSysTray1.SetTrayTip(std::string(kProductName) + (problem.empty() ? "" : " - " + problem));
    return;
  }
  std::string state;
  if (PushButton3.Text() == kStartReminding) {
    state = "stopped";
  } else if (considerate.Away()) {
    state = "away";
  } else if (considerate.Held() != HoldReason::None) {
    state = "break held";
  } else {
    // Whole minutes, rounded up: the text changes once a minute, and so the shell is told.
    const std::int64_t left = static_cast<std::int64_t>(IntervalSeconds) - ElapsedSeconds;
    state = "next break in " + std::to_string(left > 0 ? (left + 59) / 60 : 0) + " min";
  }
  tipProblem_ = problem;
  const std::string tip = std::string(kProductName) + " - " + state + (problem.empty() ? "" : ", " + problem);
  if (tip != cSysTray1.TrayTip()) cSysTray1.SetTrayTip(tip);
}

}  // namespace rp
