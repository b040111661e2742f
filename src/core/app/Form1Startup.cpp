#include "app/Form1.h"
#include "app/Program.h"
#include "startup/mStartUp.h"

namespace rp {

void Form1::Check4_Click() {
  // Restoring the box at start-up must not register or unregister the program.
  if (IsLoading) return;
  Main& main = program.main;
  if (Check4.Value() == 1) {
    Check8.SetVisible(true);
    // The choice is stored first and stays stored whatever the registry does.
    main.SaveSetting("Windows Startup", "On");
    mStartUp::AddToStartup(program.platform.files, program.platform.registry);
  } else {
    Check8.SetValue(0);
    Check8.SetVisible(false);
    main.SaveSetting("Windows Startup", "Off");
    mStartUp::RemoveFromStartup(program.platform.files, program.platform.registry);
  }
}

}  // namespace rp
