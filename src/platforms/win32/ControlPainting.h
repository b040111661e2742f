#pragma once
#include <windows.h>

#include <optional>

#include "runtime/Controls.h"

namespace rp::win32 {

class FormWindow;
class NativeControl;

// The painting of the controls the program draws itself, so that a skin's colours and fonts
// reach every part: frames, labels and the progress bar, windows of the program's own classes
// (IsDrawnHere), and the owner-drawn push buttons, painted when the button class asks.
bool IsDrawnHere(ControlKind kind);
// Paints a frame, label or progress bar whole, within what the device context allows.
void PaintDrawn(NativeControl& control, HDC dc);
void PaintButton(NativeControl& button, const DRAWITEMSTRUCT& item);
// One entry of a drop-down list, or its field, in a font that has the entry's characters.
void PaintListEntry(NativeControl& list, const DRAWITEMSTRUCT& item);
// The tabs of a tab strip in the dark theme, which the control would draw in the system's light
// colours; its clicks and keys stay the control's own.
void PaintDarkTabs(NativeControl& tabs, HDC dc);

// Where a control's text goes: the rectangle it may fill (client coordinates), how it is laid
// there (DrawText's format) and in which font. The program paints its own controls' texts into
// it, and tests/fit measures every text of every window against it. A check box's is the
// system's room beside the box; a text box holds what the user typed and has none.
struct TextRoom {
  RECT rect;
  UINT format;
  HFONT font;
};
std::optional<TextRoom> TextRoomOf(const NativeControl& control);

// Where a frame's caption (and the background behind it) starts: 120 twips in, less a margin.
int CaptionLeft(const FormWindow& window);
// The bar inside its sunken edge.
RECT BarInterior(HWND bar);
// Where the filled part of the bar ends, in proportion to its value.
LONG FillEdge(const Control& bar, const RECT& interior);

}  // namespace rp::win32
