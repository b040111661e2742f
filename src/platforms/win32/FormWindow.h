#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Form.h"
#include "win32/Handles.h"
#include "win32/ToolTips.h"

namespace rp::win32 {

class Win32Desktop;
class FormWindow;

// The native control behind one Control model.
class NativeControl : public ControlView {
 public:
  NativeControl(FormWindow& owner, Control& control, HWND parent);
  ~NativeControl() override;
  void Refresh(ControlChange change) override;
  // Puts the control in its place at the window's dots per inch, with its font at that size;
  // the window repaints it.
  void Place();
  static NativeControl* FromWindow(HWND window);

  FormWindow& owner;
  Control& control;
  HWND window = nullptr;  // destroyed with its parent
  HFONT font = nullptr;  // owned by the window, looked up when the font changes, not at each paint
  // As last painted: a frame's caption line and where a progress bar's filled part ends.
  int captionHeight = 0;
  LONG paintedFillEdge = -1;

 private:
  void ApplyText();
  void ApplyValue();
  void ApplyFont();
  void ApplyLook();
  void ApplyEnabled();
  // Repaints part of the control, or all of it (nullptr); nothing while the window is hidden or
  // minimised, since showing it repaints it whole.
  void Redraw(const RECT* part);

};

// The native top-level window behind one Form model, with all its controls.
class FormWindow : public FormView {
 public:
  FormWindow(Win32Desktop& desktop, Form& form);
  ~FormWindow() override;

  void Refresh() override;
  void SetFocus() override;
  int OuterWidth() override;
  int OuterHeight() override;
  ScreenMetrics Screen() override;
  std::uintptr_t Handle() override { return reinterpret_cast<std::uintptr_t>(window_); }

  Form& form() { return form_; }
  // Pixels for twips at the dots per inch of the window's monitor.
  int Px(int twips) const;
  int Dpi() const { return dpi_; }
  HFONT FontFor(const Font& font);
  HBRUSH BrushFor(COLORREF colour);
  // Messages of the window and of its frames: notifications, colours, owner drawing, pointer.
  bool HandleChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleSetCursor(LPARAM lParam);
  // Tab and Shift+Tab move the focus in the window's tab order.
  bool MoveFocus(bool backwards);
  ToolTips& Tips() { return toolTips_; }

  static FormWindow* FromWindow(HWND window);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void AddSystemMenuItems();
  void ApplyWindowState();
  void UpdateCursor();
  SIZE OuterPixels(int dpi) const;
  // Sizes the window so that its client area is the layout's at its dots per inch; moves it to
  // `place` when given.
  void FitToLayout(const POINT* place);
  // The window moved to a monitor of other dots per inch, or the scale changed: lay it out
  // anew from its twips, in the place Windows suggests.
  void OnDpiChanged(int dpi, const RECT& suggested);

  Win32Desktop& desktop_;
  Form& form_;
  HWND window_ = nullptr;
  DWORD style_ = 0, exStyle_ = 0;
  int dpi_;
  std::vector<std::unique_ptr<NativeControl>> controls_;
  ToolTips toolTips_;
  std::map<std::string, UniqueFont> fonts_;
  std::map<COLORREF, UniqueBrush> brushes_;
  bool mirroring_ = false;
  bool fitWhenRestored_ = false;
  bool controlsCreated_ = false;
  std::string appliedCaption_;
  std::uintptr_t appliedIcon_ = 0;
  POINT appliedPosition_{-1, -1};
  bool appliedTopmost_ = false;
  int appliedPointer_ = kDefaultPointer;
  std::uint32_t appliedBackColor_ = kButtonFaceColour;
};

// The window class of a form: "RespitePrompterForm1" for the main window (the installer and a
// second start look for it).
std::wstring FormClassName(std::string_view formName);
// Posted by a second start to the running copy's main window.
UINT AnotherCopyStartedMessage();
// Posted to the running copy's main window when settings were imported from the command line,
// and by a window to itself when the system says policies changed.
UINT SettingsChangedMessage();
void RegisterFormClasses(Win32Desktop& desktop);
bool HandleDialogKeys(const MSG& message);

}  // namespace rp::win32
