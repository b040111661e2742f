#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/Controls.h"
#include "ports/Monitors.h"
#include "ports/Ui.h"

namespace rp {

// Window states.
inline constexpr int kNormal = 0;
inline constexpr int kMinimized = 1;
inline constexpr int kMaximized = 2;

// Pointer shapes of a window.
inline constexpr int kDefaultPointer = 0;
inline constexpr int kBusyPointer = 11;
inline constexpr int kCustomPointer = 99;

// Reasons for a close, as QueryUnload receives them.
inline constexpr int kCloseFromControlMenu = 0;
inline constexpr int kCloseFromCode = 1;
inline constexpr int kCloseForWindowsSession = 2;
inline constexpr int kCloseFromTaskManager = 3;

enum class FormStyle {
  FixedSingle,  // caption, minimise box, close box; not resizable
  FixedToolWindow,  // small caption with a close box only; no taskbar button
  FixedDialog,  // caption and close box, owned by the window that opened it; no taskbar button
  Borderless,    // no frame and no caption, a taskbar button of its own
  SizableDialog  // a dialog whose border the user drags, down to its design size
};

// True for the styles of a window owned by the one that opened it.
inline bool IsDialog(FormStyle style) { return style == FormStyle::FixedDialog || style == FormStyle::SizableDialog; }

class EventLoop;

// One window of the program. Geometry is kept in twips; the view converts it with the
// screen's real dots per inch. Subclasses define the event handlers.
class Form {
 public:
  Form(Ui& ui, std::string name, FormStyle style, int clientWidth, int clientHeight);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return name_; }
  FormStyle Style() const { return style_; }
  Ui& GetUi() const { return ui_; }
  const std::vector<Control*>& Controls() const { return controls_; }
  Control* FindControl(const std::string& name) const;

  // The client size in twips: the design's, or as the user sized a sizable window; the outer
  // size follows from the real frame.
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  // The design client size, the smallest a sizable window gets.
  int MinClientWidth() const { return minClientWidth_; }
  int MinClientHeight() const { return minClientHeight_; }
  int Width() const;
  int Height() const;
  // The primary screen in the twips of this window (at its monitor's dots per inch).
  ScreenMetrics Screen() const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  int WindowState() const { return windowState_; }
  void SetWindowState(int state);
  // Outer position in twips. A window whose position was never set opens centred.
  int Left() const { return left_; }
  int Top() const { return top_; }
  bool Placed() const { return placed_; }
  void Move(int left, int top);
  void SetLeft(int left) { Move(left, top_); }
  void SetTop(int top) { Move(left_, top); }
  int MousePointer() const { return mousePointer_; }
  void SetMousePointer(int pointer);
  // The pointer shape, unless the window is busy.
  void SetPointerUnlessBusy(int pointer) {
    if (mousePointer_ != kBusyPointer) SetMousePointer(pointer);
  }
  Picture* MouseIcon() const { return mouseIcon_.get(); }
  void SetMouseIcon(std::unique_ptr<Picture> picture);
  Picture* Icon() const { return icon_.get(); }
  void SetIcon(std::unique_ptr<Picture> picture);
  std::uint32_t BackColor() const { return backColor_; }
  void SetBackColor(std::uint32_t colour);
  // A window whose colours are its own (a skin's) is drawn in them whatever the theme.
  bool KeepsOwnColours() const { return keepsOwnColours_; }
  void KeepOwnColours() { keepsOwnColours_ = true; }
  bool Topmost() const { return topmost_; }
  // A disabled window takes no input; the window under a modal one is disabled.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // The window this one is modal to while it is up, else nullptr.
  Form* ModalOwner() const { return modalOwner_; }
  // The monitor the window belongs to, when it was given one before it loaded: it opens there, at
  // that monitor's dots per inch, and its place is in twips at those dots per inch.
  const std::optional<MonitorInfo>& Monitor() const { return monitor_; }
  void SetMonitor(MonitorInfo monitor) { monitor_ = std::move(monitor); }
  // False for a window that appears without taking the focus from the user's work.
  bool ActivateOnShow() const { return activateOnShow_; }
  void SetActivateOnShow(bool activate) { activateOnShow_ = activate; }
  // Entries the window adds at the top of its system menu, in order.
  const std::vector<std::string>& SystemMenuItems() const { return systemMenuItems_; }

  bool IsLoaded() const { return view_ != nullptr; }
  FormView* View() const { return view_.get(); }

  // Creates the window (hidden) and runs Form_Load, once.
  void Load();
  // Loads if needed, shows the window and activates it.
  void Show();
  // Shows the window modal to `owner` and returns once it has closed: the owner takes no input
  // meanwhile, and events keep flowing.
  void ShowModal(Form& owner, EventLoop& loop);
  // Asks the window to close as code does (QueryUnload with kCloseFromCode); true when it closed.
  bool Unload();
  // Gives the window the focus.
  void SetFocus();
  // Places the window above all non-topmost windows, keeping its place and size.
  void MakeTopmost();

  // From the platform.
  bool UserClose(int reason);    // false when QueryUnload cancelled or a close is under way
  // The close button, Close in the system menu or Alt+F4; the window may put it to another use.
  void UserCloseButton() {
    if (Form_CloseButton()) UserClose(kCloseFromControlMenu);
  }
  void UserActivated() { Form_Activate(); }
  void UserResized(int windowState);
  // The user dragged a sizable window's border: its new client size in twips, told before
  // UserResized.
  void UserSized(int clientWidth, int clientHeight);
  void UserMouseMove() { Form_MouseMove(); }
  // An entry of the system menu was chosen (its index in SystemMenuItems()); a greyed one does
  // nothing.
  void UserSystemMenu(std::size_t index) {
    if (SystemMenuItemEnabled(index)) Form_SystemMenu(index);
  }
  // Whether an entry of the system menu can be chosen now; asked as the menu opens.
  virtual bool SystemMenuItemEnabled(std::size_t index) { return (void)index, true; }
  // Enter and Esc press the default and the cancel button; false when the window has none.
  bool UserPressedEnter() { return PressButton(defaultButton_); }
  // Ctrl+Tab or Ctrl+PageDown (Ctrl+Shift+Tab or Ctrl+PageUp: `backwards`): the window's tab
  // strip shows the next page, wrapping at either end, and the focus goes to its first field;
  // false when the window has no tab strip.
  bool UserNextPage(bool backwards);
  bool UserPressedEscape() { return PressButton(cancelButton_); }
  // The shell restarted (the registered "TaskbarCreated" message reached the window).
  void UserShellRestarted() { Form_ShellRestarted(); }
  // The user started the program again while this copy runs; the other start has ended.
  void UserAnotherCopyStarted() { Form_AnotherCopyStarted(); }
  // The administrator's policies changed, or settings were imported from outside the window.
  void UserSettingsChanged() { Form_SettingsChanged(); }
  // Windows' colour set changed: its apps may have turned light or dark.
  void UserColourSetChanged() { Form_ColourSetChanged(); }

  // Puts the design texts (captions given to AddControl that a control still shows, system menu
  // entries) into the current language, redraws the controls in its font, and lets the window
  // renew the texts it sets itself.
  void Retranslate();

  // Called by the controls when a handler raised from them failed without a guard.
  void ReportUnguardedFailure(const std::string& handler, const std::string& description);

 protected:
  Control& AddControl(ControlKind kind, std::string name, Control* container, TwipsRect rect,
                      int tabIndex, std::string text);
  // The caption and the entry are English and shown in the current language.
  void AddSystemMenuItem(std::string text);
  void SetDefaultButtons(Control* defaultButton, Control* cancelButton) {
    defaultButton_ = defaultButton;
    cancelButton_ = cancelButton;
  }

  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Resize() {}
  virtual void Form_QueryUnload(int& cancel, int reason) { (void)cancel, (void)reason; }
  virtual void Form_MouseMove() {}
  virtual void Form_ShellRestarted() {}
  virtual void Form_AnotherCopyStarted() {}
  virtual void Form_SettingsChanged() {}
  virtual void Form_ColourSetChanged() {}
  // The language changed; the design texts are already in it.
  virtual void Form_LanguageChanged() {}
  // False when the window does something else than close.
  virtual bool Form_CloseButton() { return true; }
  virtual void Form_SystemMenu(std::size_t index) { (void)index; }
  // A handler without a guard of its own failed; the window decides how to tell the user.
  virtual void OnUnguardedFailure(const std::string& handler, const std::string& description) {
    (void)handler, (void)description;
  }

 private:
  void Mirror();
  void Destroy();
  bool PressButton(Control* button);

  Ui& ui_;
  std::string name_;
  FormStyle style_;
  int clientWidth_, clientHeight_;
  int minClientWidth_, minClientHeight_;
  std::vector<std::unique_ptr<Control>> owned_;
  std::vector<Control*> controls_;
  std::string caption_;
  bool visible_ = false;
  int windowState_ = kNormal;
  int left_ = 0, top_ = 0;
  bool placed_ = false;
  int mousePointer_ = kDefaultPointer;
  std::unique_ptr<Picture> mouseIcon_;
  std::unique_ptr<Picture> icon_;
  std::uint32_t backColor_ = kButtonFaceColour;
  bool topmost_ = false;
  bool keepsOwnColours_ = false;
  std::optional<MonitorInfo> monitor_;
  bool activateOnShow_ = true;
  bool enabled_ = true;
  Form* modalOwner_ = nullptr;
  std::vector<std::string> systemMenuItems_;
  // Each translated design text: its English, to translate again when the language changes, and
  // the translation last shown, which tells whether the control still shows it.
  struct DesignText {
    Control* control;
    std::string english, shown;
  };
  std::vector<DesignText> designTexts_;
  std::vector<std::string> systemMenuDesign_;
  Control* defaultButton_ = nullptr;
  Control* cancelButton_ = nullptr;
  bool loading_ = false;
  bool closing_ = false;
  std::unique_ptr<FormView> view_;
};

}  // namespace rp
