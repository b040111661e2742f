#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/Form.h"
#include "platform/win32/Handles.h"

namespace rp::win32 {

class Win32Desktop;
class FormWindow;

// The native control behind one Control model.
class NativeControl : public ControlView {
 public:
  NativeControl(FormWindow& owner, Control& control, HWND parent);
  ~NativeControl() override;
  void Refresh() override;

  FormWindow& owner;
  Control& control;
  HWND window = nullptr;  // destroyed with its parent

 private:
  std::string appliedFont_;
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
  std::uintptr_t Handle() override { return reinterpret_cast<std::uintptr_t>(window_); }

  Form& form() { return form_; }
  int Px(int twips) const;
  HFONT FontFor(const Font& font);
  HBRUSH BrushFor(std::uint32_t colour);
  // Messages of the window and of its frames: notifications, colours, owner drawing, pointer.
  bool HandleChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleSetCursor(LPARAM lParam);
  // Tab and Shift+Tab move the focus in the window's tab order.
  bool MoveFocus(bool backwards);

  static FormWindow* FromWindow(HWND window);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void AddSystemMenuItems();
  void ApplyWindowState();
  void UpdateCursor();
  SIZE OuterPixels() const;

  Win32Desktop& desktop_;
  Form& form_;
  HWND window_ = nullptr;
  DWORD style_ = 0, exStyle_ = 0;
  std::vector<std::unique_ptr<NativeControl>> controls_;
  std::map<std::string, UniqueFont> fonts_;
  std::map<COLORREF, UniqueBrush> brushes_;
  bool mirroring_ = false;
  std::string appliedCaption_;
  std::uintptr_t appliedIcon_ = 0;
  POINT appliedPosition_{-1, -1};
  bool appliedTopmost_ = false;
  int appliedPointer_ = kDefaultPointer;
  std::uint32_t appliedBackColor_ = kButtonFaceColour;
};

COLORREF ResolveColour(std::uint32_t colour);
void RegisterFormClasses(Win32Desktop& desktop);
bool HandleDialogKeys(const MSG& message);

}  // namespace rp::win32
