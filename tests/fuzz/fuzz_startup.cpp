// Fuzzes a whole start-up on the simulated desktop: each of the eight stored settings is
// absent or holds arbitrary text, break.wav, the hand cursor and the skin file may be there
// with arbitrary content. The program then runs for up to three virtual minutes (long
// enough for a one-minute period and its break) and must end up usable: still running,
// its main window loaded and reachable (shown, or hidden in the tray with the icon there to
// bring it back), and the start/stop button still answering.
//
// A user closes a break window that is still up after five virtual minutes, as the box may
// hold a stay of any length; nothing else is done for the program.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/Form1.h"
#include "app/Program.h"
#include "sim/SimDesktop.h"
#include "reminders/Form2.h"

namespace {

constexpr std::array<const char*, 8> kSettings = {
    "Text1", "Alarm", "Check1", "Check2", "Check3", "Windows Startup", "Minimized", "StartStopState"};

[[noreturn]] void Broken(const char* what) {
  std::fprintf(stderr, "fuzz_startup: %s\n", what);
  std::abort();
}

// The clicks a user needs to get at the window and stop or start reminding.
void CheckUsable(rp::sim::SimDesktop& desktop, rp::Program& program) {
  if (desktop.Ended()) Broken("the program ended by itself");
  rp::Form1& form = *program.form1;
  if (!form.IsLoaded()) Broken("the main window is gone");
  if (!form.Visible()) {
    if (!program.mSysTray.HiddenInTray) Broken("the main window is hidden and not in the tray");
    if (!form.cSysTray1.InTray()) Broken("the main window is in the tray, but the tray icon is not");
    desktop.Run([&] { form.cSysTray1_MouseUp(1, 0); });  // a click on the icon
    if (!form.Visible()) Broken("a click on the tray icon did not bring the window back");
  }
  const std::string before = form.PushButton3.Text();
  if (before != rp::kStartReminding && before != rp::kStopReminding) Broken("unknown start/stop caption");
  desktop.Click(form.PushButton3);
  const std::string after = form.PushButton3.Text();
  if (after == before) Broken("the start/stop button did not answer");
  if (after == rp::kStopReminding && !form.Timer1.Running()) Broken("reminding on, but no countdown");
  if (after == rp::kStartReminding && form.Timer1.Running()) Broken("reminding off, but the countdown runs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  rp::sim::SimDesktop desktop;
  for (const char* name : kSettings) {
    const bool present = input.ConsumeBool();
    std::string value = input.ConsumeRandomLengthString(48);
    if (present) desktop.settings.values[name] = std::move(value);
  }
  const std::string folder = desktop.files.programFolder;
  if (input.ConsumeBool()) desktop.files.Add(folder + "\\break.wav", {"RIFF"});
  if (input.ConsumeBool()) desktop.files.Add(folder + "\\HAND-M.CUR", {input.ConsumeRandomLengthString(16)});
  if (input.ConsumeBool()) desktop.files.Add(folder + "\\x\\o.cjs", {input.ConsumeRandomLengthString(400)});
  const int seconds = input.ConsumeIntegralInRange(0, 180);

  auto program = std::make_unique<rp::Program>(desktop.platform);
  // Runs inside whatever wait the program is in, as the user's close button would.
  rp::Timer user(desktop, [&] {
    if (program->form2 && program->form2->IsLoaded()) program->form2->UserClose(rp::kCloseFromControlMenu);
  });
  user.SetInterval(5 * 60 * 1000);

  desktop.Run([&] { program->Start(); });
  desktop.RunFor(seconds * 1000);
  CheckUsable(desktop, *program);
  return 0;
}
