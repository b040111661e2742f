#include "app/Form1.h"
#include "settings/Guard.h"
#include "app/Program.h"

namespace rp {
namespace {

// The balloon the first minimise of a run shows under the product name, which it reads on from.
std::string MinimiseNotice() {
  // TRANSLATORS: a balloon from the tray icon, reading on from its title, the product's name
  // ("Periodic Respite Prompter Utility has been minimized..."). With the next line it holds
  // about 255 characters.
  return Tr("has been minimized to the system tray.") + "\r\n" +
         // TRANSLATORS: the tray icon is a blue letter K, after the maker's name.
         Tr("Click on the blue 'K' icon (K for Kelvadore) to bring the software back.");
}

}  // namespace

void Form1::Form_Resize() {
  SysTrayModule& tray = program.mSysTray;
  Guard g(program.main, "Form1.Form_Resize");
  if (!g.Test(100, [&] { return WindowState() == kMinimized && !tray.HiddenInTray; })) return;
  g.Step(102, [&] { SetVisible(false); });
  // Normal again, so the window comes back at its normal size; the Resize this raises
  // finds the window not minimised.
  g.Step(104, [&] { SetWindowState(kNormal); });
  g.Step(106, [&] { tray.HiddenInTray = true; });
  g.Step(108, [&] { cSysTray1.ShowBalloon(MinimiseNotice(), kProductName, 5, true); });
}

void Form1::cSysTray1_MouseUp(int Button, std::int32_t) {
  constexpr int kRightButton = 2;
  if (Button == kRightButton && considerate.GetOptions().trayMenu) return ShowTrayMenu();
  BringBack();
}

void Form1::Form_AnotherCopyStarted() {
  // A second start is how many users look for a program that sits in the tray: this copy
  // comes back instead, restored if it was minimised.
  if (WindowState() == kMinimized) SetWindowState(kNormal);
  BringBack();
}

void Form1::BringBack() {
  SetVisible(true);
  SetFocus();
  program.mSysTray.HiddenInTray = false;
}

void Form1::Form_ShellRestarted() {
  // The new shell knows no icons: without ours again, a window hidden in the tray is lost.
  cSysTray1.ShellRestarted();
}

}  // namespace rp
