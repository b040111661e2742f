#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "SimFixture.h"
#include "sim/SimShell.h"
#include "tray/NotifyIconRecord.h"

namespace rp::test {

// The program on the simulated desktop, seen from the shell's side.
class TrayTest : public SimTest {
 protected:
  sim::SimShell& shell() { return desktop.shell; }
  cSysTray& tray() { return form().cSysTray1; }
  std::uintptr_t TrayWindow() { return tray().ControlHwnd(); }
  // The shell calls made since the last Mark().
  std::vector<sim::SimNotifyCall> Calls() {
    return {shell().calls.begin() + static_cast<std::ptrdiff_t>(mark_), shell().calls.end()};
  }
  void Mark() { mark_ = shell().calls.size(); }
  // The user does something with the icon: the shell posts its callback to the control's window.
  void OnIcon(std::int32_t shellMessage) {
    shell().PostTrayMessage(TrayWindow(), shellMessage);
    desktop.RunFor(0);
  }
  void Minimise() { desktop.Run([&] { form().UserResized(kMinimized); }); }

 private:
  std::size_t mark_ = 0;
};

// Shell messages about the icon.
inline constexpr std::int32_t kLeftUp = 514;
inline constexpr std::int32_t kRightUp = 517;
inline constexpr std::int32_t kBalloonUserClick = 1029;

}  // namespace rp::test
