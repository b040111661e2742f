#include "runtime/Controls.h"

#include <algorithm>
#include <exception>

#include "runtime/Failure.h"
#include "runtime/Form.h"

namespace rp {

std::uint32_t DesignBackColour(ControlKind kind) {
  // A text box, a drop-down list and the empty part of a progress bar show the window colour.
  return HoldsUserText(kind) || kind == ControlKind::ComboBox || kind == ControlKind::ProgressBar
             ? kWindowBackgroundColour
             : kButtonFaceColour;
}

std::uint32_t DesignForeColour(ControlKind kind) {
  // What the user typed or chose reads in the window text colour, captions in the button text
  // colour.
  return HoldsUserText(kind) || kind == ControlKind::ComboBox ? kWindowTextColour : kButtonTextColour;
}

Control::Control(Form& form, ControlKind kind, std::string name, Control* container, TwipsRect rect,
                 int tabIndex, std::string text)
    : form_(form),
      kind_(kind),
      name_(std::move(name)),
      container_(container),
      rect_(rect),
      tabIndex_(tabIndex),
      text_(std::move(text)),
      backColor_(DesignBackColour(kind)),
      foreColor_(DesignForeColour(kind)) {
  if (kind == ControlKind::ComboBox) value_ = -1;
  // A page joins its strip's tabs; the first page shows, the others wait for their tab.
  if (container_ && container_->kind_ == ControlKind::TabStrip) {
    container_->pages_.push_back(this);
    container_->entries_.push_back(text_);
    visible_ = container_->pages_.size() == 1;
  }
}

void Control::Mirror(ControlChange change) {
  if (view_) view_->Refresh(change);
}

void Control::Raise(const std::function<void()>& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (const std::exception& e) {
    const char* event = HoldsUserText(kind_) ? "_Change" : "_Click";
    form_.ReportUnguardedFailure(name_ + event, e.what());
  }
}

void Control::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Mirror(ControlChange::Text);
  if (container_ && container_->kind_ == ControlKind::TabStrip) {
    const auto& pages = container_->pages_;
    container_->entries_[static_cast<std::size_t>(std::find(pages.begin(), pages.end(), this) - pages.begin())] = text_;
    container_->Mirror(ControlChange::Entries);
  }
  if (HoldsUserText(kind_)) Raise(onChange);
}

void Control::SetValue(int value) {
  // A check box holds only unchecked, checked or grayed.
  if (kind_ == ControlKind::CheckBox && (value < 0 || value > 2))
    throw Failure("Invalid property value");
  // A drop-down list holds one of its entries, or none.
  if (kind_ == ControlKind::ComboBox && (value < -1 || value >= static_cast<int>(entries_.size())))
    throw Failure("Invalid property value");
  // A tab strip always shows one of its pages.
  if (kind_ == ControlKind::TabStrip && (value < 0 || value >= static_cast<int>(pages_.size())))
    throw Failure("Invalid property value");
  if (value == value_) return;
  value_ = value;
  Mirror(ControlChange::Value);
  ShowChosenPage();
  if (kind_ == ControlKind::CheckBox || kind_ == ControlKind::ComboBox || kind_ == ControlKind::TabStrip)
    Raise(onChange);
}

void Control::ShowChosenPage() {
  for (std::size_t i = 0; i < pages_.size(); ++i) pages_[i]->SetVisible(static_cast<int>(i) == value_);
}

Control* Control::Page() const {
  for (const Control* inner = this; inner->container_; inner = inner->container_)
    if (inner->container_->kind_ == ControlKind::TabStrip) return const_cast<Control*>(inner);
  return nullptr;
}

void Control::SetFocus() {
  if (Control* page = Page()) {
    Control& strip = *page->container_;
    const auto at = std::find(strip.pages_.begin(), strip.pages_.end(), page) - strip.pages_.begin();
    strip.SetValue(static_cast<int>(at));
  }
  if (FormView* view = form_.View()) view->FocusControl(*this);
}

void Control::SetEntries(std::vector<std::string> entries) {
  if (entries == entries_) return;
  entries_ = std::move(entries);
  // The chosen entry stays chosen where there still is one at its place (a translated list).
  const bool lost = value_ >= static_cast<int>(entries_.size());
  if (lost) value_ = -1;
  Mirror(ControlChange::Entries);
  if (lost) Raise(onChange);
}

void Control::SetMax(int max) {
  if (max == max_) return;
  max_ = max;
  Mirror(ControlChange::Maximum);
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Mirror(ControlChange::Visible);
}

void Control::SetEnabled(bool enabled, std::string reason) {
  if (enabled) reason.clear();
  if (enabled == enabled_ && reason == disabledReason_) return;
  enabled_ = enabled;
  disabledReason_ = std::move(reason);
  Mirror(ControlChange::Enabled);
}

void Control::SetBackColor(std::uint32_t colour) {
  if (colour == backColor_) return;
  backColor_ = colour;
  Mirror(ControlChange::Look);
}

void Control::SetForeColor(std::uint32_t colour) {
  if (colour == foreColor_) return;
  foreColor_ = colour;
  Mirror(ControlChange::Look);
}

void Control::SetFillColor(std::uint32_t colour) {
  if (colour == fillColor_) return;
  fillColor_ = colour;
  Mirror(ControlChange::Look);
}

void Control::SetFont(Font font) {
  font_ = std::move(font);
  Mirror(ControlChange::Look);
}

void Control::SetAlignment(TextAlign alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Mirror(ControlChange::Look);
}

void Control::SetRect(const TwipsRect& rect) {
  if (rect == rect_) return;
  rect_ = rect;
  Mirror(ControlChange::Place);
}

void Control::SetDrawing(std::vector<DrawnShape> drawing) {
  if (drawing == drawing_) return;
  drawing_ = std::move(drawing);
  Mirror(ControlChange::Drawing);
}

void Control::UserSetText(std::string text) {
  if (text == text_) return;
  if (!enabled_) {
    // Text that reached a disabled box anyway (sent by another program) is put back.
    Mirror(ControlChange::Text);
    return;
  }
  text_ = std::move(text);
  if (HoldsUserText(kind_)) Raise(onChange);
}

void Control::UserClick() {
  if (!enabled_) return;
  if (kind_ == ControlKind::CheckBox) {
    SetValue(value_ == 1 ? 0 : 1);
  } else if (kind_ == ControlKind::PushButton) {
    Raise(onChange);
  }
}

void Control::UserChoose(int index) {
  if ((kind_ != ControlKind::ComboBox && kind_ != ControlKind::TabStrip) || index == value_) return;
  if (!enabled_ || index < 0 || index >= static_cast<int>(entries_.size())) {
    // A choice that reached a disabled list anyway (sent by another program) is put back.
    Mirror(ControlChange::Value);
    return;
  }
  value_ = index;
  ShowChosenPage();
  Raise(onChange);
}

void Control::UserMouseMove() {
  if (onMouseMove) onMouseMove();
}

}  // namespace rp
