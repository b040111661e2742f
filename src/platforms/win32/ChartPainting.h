#pragma once
#include <windows.h>

namespace rp::win32 {

class NativeControl;

// Paints a chart control: its background, then the shapes of its model in order, at the
// window's dots per inch, through a bitmap so that a resize does not flicker.
void PaintChart(NativeControl& chart, HDC dc, RECT client);

}  // namespace rp::win32
