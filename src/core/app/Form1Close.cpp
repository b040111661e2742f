#include "app/Form1.h"
#include "settings/Guard.h"
#include "app/Program.h"

namespace rp {

// Closing the main window, for any reason, ends the program. Every setting was stored when it
// changed, so nothing is saved here but the statistics counted since their last minute; the
// tray icon must go first because no clean-up runs once the program has ended.
void Form1::Form_QueryUnload(int&, int) {
  EventLoop& loop = program.platform.loop;
  Guard g(program.main, "Form1.Form_QueryUnload");
  g.Step(100, [&] { cSysTray1.SetInTray(false); });
  g.Step(102, [&] { Timer1.SetEnabled(false); });
  hotkeys.Release();
  g.Step(104, [&] { loop.DoEvents(); });
  g.Step(106, [&] { loop.DoEvents(); });
  statistics.Save();
  g.Step(108, [&] { loop.EndProgram(); });
}

bool Form1::Form_CloseButton() {
  // An administrator may keep the program running: the close button then puts it into the tray,
  // as minimising does. Closing for the end of the Windows session, or by another program (an
  // installer that replaces the exe), still ends it.
  if (program.main.ExitAllowed()) return true;
  SetWindowState(kMinimized);
  return false;
}

}  // namespace rp
