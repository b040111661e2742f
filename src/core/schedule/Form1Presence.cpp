#include <exception>

#include "app/Form1.h"
#include "schedule/FormOptions.h"
#include "app/Program.h"

namespace rp {

void Form1::Form_SystemMenu(std::size_t index) {
  if (index == 0) mnuOptions_Click();
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
  considerate.SetOptions(options);
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
  const bool held = considerate.Held() != HoldReason::None;
  std::string state;
  if (!considerate.GetOptions().tipShowsTimeLeft) {
    // A held break is told in the tip whatever the option: the user would not know otherwise.
    if (held) state = "break held";
  } else if (PushButton3.Text() == kStartReminding) {
    state = "stopped";
  } else if (considerate.Away()) {
    state = "away";
  } else if (held) {
    state = "break held";
  } else {
    // Whole minutes, rounded up: the text changes once a minute, and so the shell is told.
    const std::int64_t left = static_cast<std::int64_t>(IntervalSeconds) - ElapsedSeconds;
    state = "next break in " + std::to_string(left > 0 ? (left + 59) / 60 : 0) + " min";
  }
  const std::string tip = TipTitle() + (state.empty() ? "" : " - " + state);
  if (tip != cSysTray1.TrayTip()) cSysTray1.SetTrayTip(tip);
}

}  // namespace rp
