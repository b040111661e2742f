#pragma once
#include <windows.h>

#include "runtime/Controls.h"

namespace rp::win32 {

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
  // Repaints part of the control, or all of it (nullptr); nothing while the window is hidden or
  // minimised, since showing it repaints it whole.
  void Redraw(const RECT* part);

};

// Registers the window classes of the controls the program draws itself.
void RegisterControlClasses(HINSTANCE instance);

}  // namespace rp::win32
