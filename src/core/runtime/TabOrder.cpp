#include "runtime/TabOrder.h"

#include "runtime/Form.h"

namespace rp {

bool IsTabStop(const Control& control) {
  const ControlKind kind = control.Kind();
  if (!HoldsUserText(kind) && kind != ControlKind::CheckBox && kind != ControlKind::PushButton &&
      kind != ControlKind::ComboBox && kind != ControlKind::TabStrip)
    return false;
  for (const Control* shown = &control; shown; shown = shown->Container())
    if (!shown->Visible()) return false;
  return control.Owner().Visible();
}

Control* NextTabStop(const Form& form, const Control* focused, bool backwards) {
  const bool onAStop = focused && &focused->Owner() == &form && IsTabStop(*focused);
  // The tab indices of a window are distinct: the next stop has the nearest index on the side
  // Tab goes to, or, at the end, the farthest one on the other side.
  Control *first = nullptr, *last = nullptr, *after = nullptr, *before = nullptr;
  for (Control* stop : form.Controls()) {
    if (!IsTabStop(*stop)) continue;
    const int index = stop->TabIndex();
    if (!first || index < first->TabIndex()) first = stop;
    if (!last || index > last->TabIndex()) last = stop;
    if (!onAStop) continue;
    if (index > focused->TabIndex() && (!after || index < after->TabIndex())) after = stop;
    if (index < focused->TabIndex() && (!before || index > before->TabIndex())) before = stop;
  }
  if (!onAStop) return first;
  if (backwards) return before ? before : last;
  return after ? after : first;
}

Control* FirstTabStopIn(const Form& form, const Control& container) {
  Control* first = nullptr;
  for (Control* stop : form.Controls()) {
    if (!IsTabStop(*stop) || (first && stop->TabIndex() > first->TabIndex())) continue;
    for (const Control* inside = stop->Container(); inside; inside = inside->Container())
      if (inside == &container) first = stop;
  }
  return first;
}

}  // namespace rp
