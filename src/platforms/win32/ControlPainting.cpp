#include "win32/ChartPainting.h"
#include "win32/ControlPainting.h"

#include <algorithm>
#include <string>
#include <utility>

#include "runtime/Translation.h"
#include "win32/Colours.h"
#include "win32/FormWindow.h"
#include "win32/NativeControl.h"
#include "win32/Text.h"
#include "win32/Win32Desktop.h"

namespace rp::win32 {
namespace {

void FillWith(HDC dc, const RECT& rect, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void PaintFrame(NativeControl& self, HDC dc, RECT client) {
  Control& c = self.control;
  Colours& colours = self.owner.desktop().colours();
  FillWith(dc, client, colours.BackColourOf(c));
  SelectScope font(dc, self.font);
  const std::wstring caption = Widen(c.Text());
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  self.captionHeight = extent.cy;
  RECT border = client;
  border.top += extent.cy / 2;
  DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  RECT text{CaptionLeft(self.owner), 0, CaptionLeft(self.owner) + extent.cx + 4, extent.cy};
  FillWith(dc, text, colours.BackColourOf(c));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours.ForeColourOf(c));
  text.left += 2;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_NOPREFIX);
}

void PaintLabel(NativeControl& self, HDC dc, RECT client) {
  Control& c = self.control;
  Colours& colours = self.owner.desktop().colours();
  FillWith(dc, client, colours.BackColourOf(c));
  SelectScope font(dc, self.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours.ForeColourOf(c));
  const std::wstring caption = Widen(c.Text());
  const UINT align = c.Alignment() == TextAlign::Centre ? DT_CENTER : DT_LEFT;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &client, align | DT_WORDBREAK | DT_NOPREFIX);
}

void PaintProgressBar(NativeControl& self, HDC dc, RECT client) {
  Control& c = self.control;
  Colours& colours = self.owner.desktop().colours();
  DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  RECT filled = client, empty = client;
  filled.right = empty.left = self.paintedFillEdge = FillEdge(c, client);
  FillWith(dc, filled, colours.FillColourOf(c));
  FillWith(dc, empty, colours.BackColourOf(c));
  // The text reads in a contrasting colour over the filled part and in the bar's own elsewhere.
  SelectScope font(dc, self.font);
  SetBkMode(dc, TRANSPARENT);
  const std::wstring text = Widen(c.Text());
  const std::pair<RECT, COLORREF> parts[] = {{filled, colours.TextOverFillOf(c)}, {empty, colours.ForeColourOf(c)}};
  for (const auto& [part, colour] : parts) {
    if (part.right <= part.left) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
    SetTextColor(dc, colour);
    RECT area = client;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RestoreDC(dc, saved);
  }
}

}  // namespace

int CaptionLeft(const FormWindow& window) { return window.Px(120) - 2; }

RECT BarInterior(HWND bar) {
  RECT client;
  GetClientRect(bar, &client);
  InflateRect(&client, -2, -2);
  return client;
}

LONG FillEdge(const Control& c, const RECT& interior) {
  const double fraction =
      c.Max() > 0 ? std::clamp(static_cast<double>(c.Value()) / c.Max(), 0.0, 1.0) : 0.0;
  return interior.left + static_cast<LONG>((interior.right - interior.left) * fraction + 0.5);
}

void PaintButton(NativeControl& self, const DRAWITEMSTRUCT& item) {
  Control& c = self.control;
  Colours& colours = self.owner.desktop().colours();
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillWith(dc, rect, colours.BackColourOf(c));
  DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  SelectScope font(dc, self.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : colours.ForeColourOf(c));
  RECT text = rect;
  if (pressed) OffsetRect(&text, 1, 1);
  const std::wstring caption = Widen(c.Text());
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) {
    const int inset = self.owner.Px(60);  // 4 pixels at 96 dots per inch
    InflateRect(&rect, -inset, -inset);
    DrawFocusRect(dc, &rect);
  }
}

void PaintListEntry(NativeControl& self, const DRAWITEMSTRUCT& item) {
  const Control& c = self.control;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID < c.Entries().size()) {
    const std::string& entry = c.Entries()[item.itemID];
    SelectScope font(dc, self.owner.FontFor(ForText(c.GetFont(), entry)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = rect;
    text.left += self.owner.Px(30);
    const std::wstring caption = Widen(entry);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rect);
}

void PaintDrawn(NativeControl& self, HDC dc) {
  RECT client;
  GetClientRect(self.window, &client);
  switch (self.control.Kind()) {
    case ControlKind::Frame: PaintFrame(self, dc, client); break;
    case ControlKind::Label: PaintLabel(self, dc, client); break;
    case ControlKind::Chart: PaintChart(self, dc, client); break;
    default: PaintProgressBar(self, dc, client); break;
  }
}

bool IsDrawnHere(ControlKind kind) {
  return kind == ControlKind::Frame || kind == ControlKind::Label || kind == ControlKind::ProgressBar ||
         kind == ControlKind::Chart;
}

}  // namespace rp::win32
