#include "runtime/Form.h"

#include "runtime/TabOrder.h"
#include "runtime/Translation.h"

#include <algorithm>
#include <limits>

#include "ports/EventLoop.h"

namespace rp {

Form::Form(Ui& ui, std::string name, FormStyle style, int clientWidth, int clientHeight)
    : ui_(ui), name_(std::move(name)), style_(style), clientWidth_(clientWidth),
      clientHeight_(clientHeight), minClientWidth_(clientWidth), minClientHeight_(clientHeight),
      caption_(name_) {}

Form::~Form() = default;

Control& Form::AddControl(ControlKind kind, std::string name, Control* container, TwipsRect rect,
                          int tabIndex, std::string text) {
  // A text box's text is the user's, not a caption.
  const bool caption = !HoldsUserText(kind) && !text.empty();
  std::string shown = caption ? Tr(text) : text;
  owned_.push_back(std::make_unique<Control>(*this, kind, std::move(name), container, rect, tabIndex, shown));
  controls_.push_back(owned_.back().get());
  if (caption) designTexts_.push_back({owned_.back().get(), std::move(text), std::move(shown)});
  return *owned_.back();
}

void Form::AddSystemMenuItem(std::string text) {
  systemMenuItems_.push_back(Tr(text));
  systemMenuDesign_.push_back(std::move(text));
}

void Form::Retranslate() {
  for (DesignText& design : designTexts_) {
    if (design.control->Text() != design.shown) continue;  // the window's own text now
    design.shown = Tr(design.english);
    design.control->SetText(design.shown);
  }
  for (std::size_t i = 0; i < systemMenuDesign_.size(); ++i) systemMenuItems_[i] = Tr(systemMenuDesign_[i]);
  for (Control* control : controls_) control->SetFont(control->GetFont());
  Form_LanguageChanged();
  Mirror();
}

Control* Form::FindControl(const std::string& name) const {
  auto it = std::find_if(controls_.begin(), controls_.end(),
                         [&](const Control* c) { return c->Name() == name; });
  return it == controls_.end() ? nullptr : *it;
}

int Form::Width() const { return view_ ? view_->OuterWidth() : clientWidth_; }
int Form::Height() const { return view_ ? view_->OuterHeight() : clientHeight_; }
ScreenMetrics Form::Screen() const { return view_ ? view_->Screen() : ui_.Screen(); }

void Form::Mirror() {
  if (view_) view_->Refresh();
}

void Form::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  Mirror();
}

void Form::SetVisible(bool visible) {
  if (visible && !view_) Load();
  visible_ = visible;
  Mirror();
}

void Form::SetWindowState(int state) {
  if (state == windowState_) return;
  windowState_ = state;
  Mirror();
  // Changing the state from code raises Resize as the user's change does.
  if (view_ && !loading_) Form_Resize();
}

void Form::Move(int left, int top) {
  left_ = left;
  top_ = top;
  placed_ = true;
  Mirror();
}

void Form::SetMousePointer(int pointer) {
  if (pointer == mousePointer_) return;
  mousePointer_ = pointer;
  Mirror();
}

void Form::SetMouseIcon(std::unique_ptr<Picture> picture) {
  mouseIcon_ = std::move(picture);
  Mirror();
}

void Form::SetIcon(std::unique_ptr<Picture> picture) {
  icon_ = std::move(picture);
  Mirror();
}

void Form::SetBackColor(std::uint32_t colour) {
  backColor_ = colour;
  Mirror();
}

void Form::MakeTopmost() {
  topmost_ = true;
  Mirror();
}

void Form::Load() {
  if (view_) return;
  view_ = ui_.CreateView(*this);
  loading_ = true;
  Form_Load();
  loading_ = false;
  Mirror();
}

void Form::Show() {
  Load();
  if (!view_) return;
  const bool wasVisible = visible_;
  visible_ = true;
  Mirror();
  if (!wasVisible) {
    // A window that appears is resized to its state and then activated.
    Form_Resize();
    if (!view_ || !visible_) return;
    if (windowState_ != kMinimized) view_->SetFocus();
    Form_Activate();
  }
}

void Form::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Mirror();
}

void Form::ShowModal(Form& owner, EventLoop& loop) {
  modalOwner_ = &owner;
  Load();
  if (!view_) {
    modalOwner_ = nullptr;
    return;
  }
  owner.SetEnabled(false);
  try {
    Show();
    // The user may take as long as they like: wait for events, not for a time.
    while (view_) {
      loop.WaitForEvent(std::numeric_limits<std::int64_t>::max());
      loop.DoEvents();
    }
  } catch (...) {
    Destroy();  // a failure while it is up must not leave the owner waiting behind it
    throw;
  }
  owner.SetFocus();
}

bool Form::PressButton(Control* button) {
  if (!button || !view_ || !enabled_) return false;
  button->UserClick();
  return true;
}

bool Form::UserNextPage(bool backwards) {
  const auto strip = std::find_if(controls_.begin(), controls_.end(),
                                  [](const Control* c) { return c->Kind() == ControlKind::TabStrip; });
  if (strip == controls_.end() || !view_ || !enabled_) return false;
  const auto pages = static_cast<int>((*strip)->Pages().size());
  if (pages == 0) return false;
  // As from code: the native strip shows the key's choice too.
  (*strip)->SetValue(((*strip)->Value() + (backwards ? pages - 1 : 1)) % pages);
  Control* page = (*strip)->Pages()[static_cast<std::size_t>((*strip)->Value())];
  if (Control* first = FirstTabStopIn(*this, *page)) first->SetFocus();
  return true;
}

bool Form::Unload() { return UserClose(kCloseFromCode); }

void Form::SetFocus() {
  if (view_) view_->SetFocus();
}

bool Form::UserClose(int reason) {
  if (!view_) return true;
  // The close handling processes events; a second close arriving meanwhile is left to it,
  // so the window is not destroyed under the handler that is closing it.
  if (closing_) return false;
  closing_ = true;
  int cancel = 0;
  try {
    Form_QueryUnload(cancel, reason);
  } catch (...) {
    closing_ = false;
    throw;
  }
  closing_ = false;
  if (cancel != 0) return false;
  Destroy();
  return true;
}

void Form::Destroy() {
  // The owner takes input again before this window goes, so the system activates the owner.
  if (modalOwner_) {
    modalOwner_->SetEnabled(true);
    modalOwner_ = nullptr;
  }
  visible_ = false;
  view_.reset();
}

void Form::UserResized(int windowState) {
  windowState_ = windowState;
  Form_Resize();
}

void Form::UserSized(int clientWidth, int clientHeight) {
  if (style_ != FormStyle::SizableDialog) return;
  clientWidth_ = std::max(clientWidth, minClientWidth_);
  clientHeight_ = std::max(clientHeight, minClientHeight_);
}

void Form::ReportUnguardedFailure(const std::string& handler, const std::string& description) {
  OnUnguardedFailure(handler, description);
}

}  // namespace rp
