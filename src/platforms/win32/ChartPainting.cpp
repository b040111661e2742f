#include "win32/ChartPainting.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "runtime/Layout.h"
#include "win32/Colours.h"
#include "win32/FormWindow.h"
#include "win32/Handles.h"
#include "win32/NativeControl.h"
#include "win32/Win32Desktop.h"
#include "win32/Text.h"

namespace rp::win32 {
namespace {

constexpr double kRadians = 3.14159265358979323846 / 180;

inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
using UniqueMemoryDc = UniqueHandle<NullEmpty<HDC, DeleteMemoryDc>>;

void Fill(HDC dc, RECT rect, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

UINT Alignment(TextAlign align) {
  switch (align) {
    case TextAlign::Centre: return DT_CENTER;
    case TextAlign::Right: return DT_RIGHT;
    case TextAlign::Left: break;
  }
  return DT_LEFT;
}

// A picture's stroke, in the control's own colour, with round ends so that lines join cleanly.
void PaintStroke(HDC dc, const DrawnShape& shape, int dpi, COLORREF colour) {
  const PixelRect p = PixelsOf(shape.rect, dpi);
  const LOGBRUSH brush{BS_SOLID, colour, 0};
  const int width = std::max(1, MulDiv(shape.pen, dpi, 1440));
  UniquePen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, width, &brush, 0, nullptr));
  UniqueBrush fill(CreateSolidBrush(colour));
  if (!pen || !fill) return;
  SelectScope penScope(dc, pen.get());
  SelectScope brushScope(dc, shape.kind == DrawnShape::Kind::Disc ? fill.get() : GetStockObject(NULL_BRUSH));
  switch (shape.kind) {
    case DrawnShape::Kind::Stroke:
      MoveToEx(dc, p.left, p.top, nullptr);
      LineTo(dc, p.left + p.width, p.top + p.height);
      break;
    case DrawnShape::Kind::Ellipse:
    case DrawnShape::Kind::Disc:
      Ellipse(dc, p.left, p.top, p.left + p.width, p.top + p.height);
      break;
    case DrawnShape::Kind::Arc: {
      MoveToEx(dc, p.left + p.width / 2 + static_cast<int>(p.width / 2.0 * std::cos(shape.start * kRadians)),
               p.top + p.height / 2 - static_cast<int>(p.height / 2.0 * std::sin(shape.start * kRadians)), nullptr);
      AngleArc(dc, p.left + p.width / 2, p.top + p.height / 2, static_cast<DWORD>(p.width / 2),
               static_cast<FLOAT>(shape.start), static_cast<FLOAT>(shape.sweep));
      break;
    }
    default: break;
  }
}

void PaintShape(HDC dc, const DrawnShape& shape, int dpi, const Colours& colours) {
  const PixelRect p = PixelsOf(shape.rect, dpi);
  RECT rect{p.left, p.top, p.left + p.width, p.top + p.height};
  // The chart takes its colours from the system's, which high contrast and the theme change for it.
  const COLORREF colour = colours.Resolve(shape.colour);
  const int pixel = std::max(1, dpi / 96);  // a line's width
  switch (shape.kind) {
    case DrawnShape::Kind::Fill:
      Fill(dc, rect, colour);
      break;
    case DrawnShape::Kind::Outline:
      for (const RECT side : {RECT{rect.left, rect.top, rect.right, rect.top + pixel},
                              RECT{rect.left, rect.bottom - pixel, rect.right, rect.bottom},
                              RECT{rect.left, rect.top, rect.left + pixel, rect.bottom},
                              RECT{rect.right - pixel, rect.top, rect.right, rect.bottom}})
        Fill(dc, side, colour);
      break;
    case DrawnShape::Kind::Line:
      rect.right = std::max(rect.right, rect.left + pixel);
      rect.bottom = std::max(rect.bottom, rect.top + pixel);
      Fill(dc, rect, colour);
      break;
    case DrawnShape::Kind::Text: {
      SetTextColor(dc, colour);
      const std::wstring text = Widen(shape.text);
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
                Alignment(shape.align) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
      break;
    }
    default: break;  // a picture's strokes and images: PaintStroke
  }
}

}  // namespace

void PaintChart(NativeControl& chart, HDC dc, RECT client) {
  const int width = client.right - client.left, height = client.bottom - client.top;
  UniqueMemoryDc memory(CreateCompatibleDC(dc));
  UniqueBitmap bitmap(memory ? CreateCompatibleBitmap(dc, width, height) : nullptr);
  HDC target = bitmap ? memory.get() : dc;  // straight onto the screen when memory is short
  {
    std::optional<SelectScope> canvas;
    if (bitmap) canvas.emplace(target, bitmap.get());
    SelectScope font(target, chart.font);
    SetBkMode(target, TRANSPARENT);
    const Colours colours = chart.owner.colours();
    Fill(target, client, colours.BackColourOf(chart.control));
    const COLORREF ink = colours.ForeColourOf(chart.control);
    for (const DrawnShape& shape : chart.control.Drawing()) {
      if (shape.kind == DrawnShape::Kind::Image) {
        const PixelRect p = PixelsOf(shape.rect, chart.owner.Dpi());
        PaintPicture(target, chart.owner.desktop().com(), chart.picture, shape.text,
                     {p.left, p.top, p.left + p.width, p.top + p.height}, colours.BackColourOf(chart.control));
      } else if (chart.control.Kind() == ControlKind::Picture)
        PaintStroke(target, shape, chart.owner.Dpi(), ink);
      else
        PaintShape(target, shape, chart.owner.Dpi(), colours);
    }
    if (bitmap) BitBlt(dc, 0, 0, width, height, target, 0, 0, SRCCOPY);
  }
}

}  // namespace rp::win32
