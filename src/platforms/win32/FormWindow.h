#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Form.h"
#include "win32/Colours.h"
#include "win32/Handles.h"
#include "win32/ToolTips.h"

namespace rp::win32 {

class Win32Desktop;
class NativeControl;

// The native top-level window behind one Form model, with all its controls.
class FormWindow : public FormView {
 public:
  FormWindow(Win32Desktop& desktop, Form& form);
  ~FormWindow() override;

  void Refresh() override;
  void SetFocus() override;
  void FocusControl(Control& control) override;
  int OuterWidth() override;
  int OuterHeight() override;
  ScreenMetrics Screen() override;
  std::uintptr_t Handle() override { return reinterpret_cast<std::uintptr_t>(window_); }
  bool Covered() override;

  Form& form() { return form_; }
  Win32Desktop& desktop() const { return desktop_; }
  // Pixels for twips at the dots per inch of the window's monitor.
  int Px(int twips) const;
  int Dpi() const { return dpi_; }
  HFONT FontFor(const Font& font);
  HBRUSH BrushFor(COLORREF colour);
  // The colours the window and its controls draw in now.
  Colours colours() const;
  // The theme changed: the title bar and the system's controls take it, and all is redrawn.
  void ThemeChanged();
  // The native control of a control model or of a child window; null when there is none (the
  // controls are not made yet, or the window is not one of them).
  NativeControl* ControlOf(const Control& control) const;
  NativeControl* ControlOf(HWND child) const;
  // The tips of the controls that are disabled with a reason.
  ToolTips& Tips() { return toolTips_; }

  static FormWindow* FromWindow(HWND window);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnEraseBackground(HDC dc);
  LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
  LRESULT OnMouseMove();
  LRESULT OnQueryOpen();
  LRESULT OnSize(WPARAM kind, LPARAM lParam);
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
  LRESULT OnClose();
  LRESULT OnGetDpiScaledSize(int dpi, SIZE& outer);
  LRESULT OnFitToLayout();
  // The window moved to a monitor of other dots per inch, or the scale changed: lay it out
  // anew from its twips, in the place Windows suggests.
  LRESULT OnDpiChanged(int dpi, const RECT& suggested);
  LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnEndSession(WPARAM ending);
  // The messages registered by name, and every other one.
  LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // High-contrast mode or the system colours changed: draw everything in the new colours.
  void ColoursChanged();
  void CreateControls();
  // Dark title bar and system controls while the window draws in a palette, else as designed.
  void DressForTheme();
  void AddSystemMenuItems();
  LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
  LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
  // Greys the entries of the system menu that cannot be chosen now, as the menu opens.
  void UpdateSystemMenuItems(HMENU menu);
  // The outer size of a sizable window at its design size, the smallest it is made.
  POINT MinimumSize() const;
  void ApplyWindowState();
  void UpdateCursor();
  SIZE OuterPixels(int dpi) const;
  // Sizes the window so that its client area is the layout's at its dots per inch; moves it to
  // `place` when given.
  void FitToLayout(const POINT* place);

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
// The name of the message a second start posts to the running copy's main window.
inline constexpr wchar_t kAnotherCopyStartedMessage[] = L"RespitePrompter.AnotherCopyStarted";
// The name of the message that has the main window read its settings again: posted by a window
// to itself when the system says policies changed, and by an import to the running copy.
inline constexpr wchar_t kSettingsChangedMessage[] = L"RespitePrompter.SettingsChanged";

}  // namespace rp::win32
