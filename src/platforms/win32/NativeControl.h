#pragma once
#include <windows.h>

#include "runtime/Controls.h"
#include "win32/Pictures.h"

namespace rp::win32 {

class FormWindow;

// The native control behind one Control model: a window of the program's own class for a
// frame, label or progress bar, the system's edit box, button or combo box for the others.
class NativeControl : public ControlView {
 public:
  NativeControl(FormWindow& owner, Control& control, HWND parent);
  ~NativeControl() override;
  void Refresh(ControlChange change) override;
  // Puts the control in its place at the window's dots per inch, with its font at that size;
  // the window repaints it.
  void Place();
  static NativeControl* FromWindow(HWND window);
  // Registers the window classes of the controls the program draws itself.
  static void RegisterClasses(HINSTANCE instance);
  // A notification a control sent its parent (`parent`, the window or a frame): WM_COMMAND,
  // WM_CTLCOLOR... and WM_DRAWITEM go back to the control that sent it; the parent's default
  // answer where it came from none of the program's controls.
  static LRESULT ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
  // A WM_NOTIFY the control sent its window: a tab chosen.
  LRESULT OnNotify(const NMHDR& header);

  FormWindow& owner;
  Control& control;
  HWND window = nullptr;  // destroyed with its parent
  HFONT font = nullptr;  // owned by the window, looked up when the font changes, not at each paint
  // As last painted: a frame's caption line and where a progress bar's filled part ends.
  int captionHeight = 0;
  LONG paintedFillEdge = -1;
  PictureCache picture;  // a picture control's picture file

 private:
  void ApplyText();
  void ApplyValue();
  // A drop-down list's entries, and the room its dropped list takes below the field.
  void ApplyEntries();
  void SizeDroppedList();
  void ApplyFont();
  void ApplyLook();
  // Takes input or not, and says why not in the control's tip.
  void ApplyEnabled();
  // Repaints part of the control, or all of it (nullptr); nothing while the window is hidden or
  // minimised, since showing it repaints it whole.
  void Redraw(const RECT* part);
};

}  // namespace rp::win32
