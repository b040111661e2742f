#pragma once
#include <cstdint>
#include <memory>
#include <optional>

#include "ports/Ui.h"

namespace rp {

class cSysTray;

// The steps in which the icon fills: a 45-minute period moves it every 2 min 49 s, and any
// period of 16 minutes or more at most once a minute.
inline constexpr int kPeriodSteps = 16;

// Where the period stands, as the main window knows it.
struct PeriodFacts {
  bool reminding = false;
  bool paused = false;
  bool outsideWorkingHours = false;
  bool held = false;  // a break that fell due waits (a presentation, a call)
  std::int64_t elapsedSeconds = 0;
  std::int64_t intervalSeconds = 0;
};

// Whole steps of the period used: the last one shows only once the period is up.
int PeriodStep(std::int64_t elapsedSeconds, std::int64_t intervalSeconds);
PeriodPicture PictureOf(const PeriodFacts& facts);

// The tray icon that shows the period ("Tray Icon Shows Progress"). An icon is drawn only when
// its picture changes; once the choice is off again, the tray's own icon comes back.
class TrayProgress {
 public:
  TrayProgress(Ui& ui, cSysTray& tray) : ui_(ui), tray_(tray) {}
  void Show(bool on, const PeriodFacts& facts);

 private:
  Ui& ui_;
  cSysTray& tray_;
  std::shared_ptr<Picture> ownIcon_;  // kept while the period is shown
  std::optional<PeriodPicture> shown_;
};

}  // namespace rp
