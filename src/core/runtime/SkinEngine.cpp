#include "runtime/SkinEngine.h"

#include <string>

#include "runtime/Failure.h"
#include "runtime/Form.h"

namespace rp {

void SkinEngine::LoadSkin(std::string_view path) {
  const auto text = files_.ReadFile(path);
  if (!text) throw Failure(TrNoop("Skin file \"{file}\" cannot be read"), "file", path);
  try {
    skin_ = ParseSkin(*text);
  } catch (const Failure& e) {
    // TRANSLATORS: {problem} is what is wrong in the file, as "line 2: ..." tells it.
    throw Failure(TrNoop("Skin file \"{file}\", {problem}"), "file", path, e);
  }
}

void SkinEngine::ApplyWindow(Form& form) const {
  if (!skin_) return;
  if (skin_->windowBackground) form.SetBackColor(*skin_->windowBackground);
  if (!(options_ & kSkinControls)) return;
  for (Control* control : form.Controls()) {
    const auto found = skin_->styles.find(control->Kind());
    if (found == skin_->styles.end()) continue;
    const SkinStyle& style = found->second;
    if (style.background) control->SetBackColor(*style.background);
    if (style.fill) control->SetFillColor(*style.fill);
    if (applyTextColours_ && style.text) control->SetForeColor(*style.text);
    if (applyFonts_ && style.font) control->SetFont(*style.font);
  }
}

}  // namespace rp
