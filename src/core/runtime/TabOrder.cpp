#include "runtime/TabOrder.h"

#include <algorithm>
#include <vector>

#include "runtime/Form.h"

namespace rp {

bool IsTabStop(const Control& control) {
  const ControlKind kind = control.Kind();
  if (kind != ControlKind::TextBox && kind != ControlKind::CheckBox && kind != ControlKind::PushButton) return false;
  for (const Control* shown = &control; shown; shown = shown->Container())
    if (!shown->Visible()) return false;
  return control.Owner().Visible();
}

Control* NextTabStop(const Form& form, const Control* focused, bool backwards) {
  std::vector<Control*> stops;
  for (Control* control : form.Controls())
    if (IsTabStop(*control)) stops.push_back(control);
  if (stops.empty()) return nullptr;
  std::stable_sort(stops.begin(), stops.end(),
                   [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
  const auto at = std::find(stops.begin(), stops.end(), focused);
  if (at == stops.end()) return stops.front();
  const std::size_t index = static_cast<std::size_t>(at - stops.begin());
  return stops[(index + (backwards ? stops.size() - 1 : 1)) % stops.size()];
}

}  // namespace rp
