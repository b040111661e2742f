#include "settings/Main.h"
#include "runtime/Form.h"
#include "runtime/SkinEngine.h"

namespace rp {

// Restyles the main window from "x\o.cjs" beside the program. Without that file (a hidden one
// does not count) nothing changes. A file that cannot be used throws, and start-up reports it.
void Main::ApplySkin(Form& form) {
  const std::string path = ProgramFile("x\\o.cjs");
  if (!platform_.files.FindOrdinaryFile(path)) return;
  SetButtonFaceColors(form);

  SkinEngine engine(platform_.files);
  engine.LoadSkin(path);
  engine.SetOptions(engine.Options() | SkinEngine::kSkinControls);
  engine.SetApplyFonts(true);
  engine.SetApplyTextColours(true);
  engine.ApplyWindow(form);
  form.KeepOwnColours();  // the skin's colours win over the theme's
}

}  // namespace rp
