#include "win32/ChartPainting.h"
#include "win32/ControlPainting.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "runtime/Layout.h"
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
  const Colours colours = self.owner.colours();
  FillWith(dc, client, colours.BackColourOf(c));
  if (c.Container() && c.Container()->Kind() == ControlKind::TabStrip) return;  // a page: its tab is its caption
  SelectScope font(dc, self.font);
  const std::wstring caption = Widen(c.Text());
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  self.captionHeight = extent.cy;
  RECT border = client;
  border.top += extent.cy / 2;
  DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  // The border gives way to the caption, with a space either side, as far as its room goes.
  const TextRoom room = *TextRoomOf(self);
  RECT text{room.rect.left - 2, 0, std::min(room.rect.left + extent.cx + 2, room.rect.right), extent.cy};
  FillWith(dc, text, colours.BackColourOf(c));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours.ForeColourOf(c));
  text.left += 2;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, room.format);
}

void PaintLabel(NativeControl& self, HDC dc, RECT client) {
  Control& c = self.control;
  const Colours colours = self.owner.colours();
  FillWith(dc, client, colours.BackColourOf(c));
  SelectScope font(dc, self.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours.ForeColourOf(c));
  const std::wstring caption = Widen(c.Text());
  TextRoom room = *TextRoomOf(self);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &room.rect, room.format);
}

void PaintProgressBar(NativeControl& self, HDC dc, RECT client) {
  Control& c = self.control;
  const Colours colours = self.owner.colours();
  DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  RECT filled = client, empty = client;
  filled.right = empty.left = self.paintedFillEdge = FillEdge(c, client);
  FillWith(dc, filled, colours.FillColourOf(c));
  FillWith(dc, empty, colours.BackColourOf(c));
  // The text reads in a contrasting colour over the filled part and in the bar's own elsewhere.
  SelectScope font(dc, self.font);
  SetBkMode(dc, TRANSPARENT);
  const std::wstring text = Widen(c.Text());
  const TextRoom room = *TextRoomOf(self);
  const std::pair<RECT, COLORREF> parts[] = {{filled, colours.TextOverFillOf(c)}, {empty, colours.ForeColourOf(c)}};
  for (const auto& [part, colour] : parts) {
    if (part.right <= part.left) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
    SetTextColor(dc, colour);
    RECT area = room.rect;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, room.format);
    RestoreDC(dc, saved);
  }
}

// The focus rectangle's distance from a button's edge; the caption stays inside it.
int ButtonInset(const NativeControl& button) { return button.owner.Px(60); }  // 4 pixels at 96 dpi

}  // namespace

std::optional<TextRoom> TextRoomOf(const NativeControl& self) {
  RECT client;
  GetClientRect(self.window, &client);
  constexpr UINT kLine = DT_SINGLELINE | DT_NOPREFIX;
  switch (self.control.Kind()) {
    case ControlKind::Frame: {
      if (self.control.Container() && self.control.Container()->Kind() == ControlKind::TabStrip) break;
      // Within the border with the same margin right as left, and above the first control inside.
      RECT room{CaptionLeft(self.owner) + 2, 0, client.right - CaptionLeft(self.owner), client.bottom};
      for (const Control* inside : self.control.Owner().Controls())
        if (inside->Container() == &self.control)
          room.bottom = std::min<LONG>(room.bottom, PixelsOf(inside->Rect(), self.owner.Dpi()).top);
      return TextRoom{room, kLine, self.font};
    }
    case ControlKind::Label: {
      const UINT align = self.control.Alignment() == TextAlign::Centre ? DT_CENTER : DT_LEFT;
      return TextRoom{client, align | DT_WORDBREAK | DT_NOPREFIX, self.font};
    }
    case ControlKind::ProgressBar: return TextRoom{BarInterior(self.window), kLine | DT_CENTER | DT_VCENTER, self.font};
    case ControlKind::PushButton: {
      InflateRect(&client, -ButtonInset(self), -ButtonInset(self));
      return TextRoom{client, kLine | DT_CENTER | DT_VCENTER, self.font};
    }
    case ControlKind::CheckBox: {
      // The system draws the box, 13 pixels at 96 dpi, and its text 4 pixels after it.
      client.left += MulDiv(17, self.owner.Dpi(), 96);
      const auto font = reinterpret_cast<HFONT>(SendMessageW(self.window, WM_GETFONT, 0, 0));
      return TextRoom{client, kLine | DT_VCENTER, font};
    }
    case ControlKind::Chart:     // its texts are shapes, each in its own place
    case ControlKind::Picture:
    case ControlKind::ComboBox:  // its entries are drawn each in its own font
    case ControlKind::HotkeyBox:
    case ControlKind::TabStrip:  // its tabs are measured as the system lays them out
    case ControlKind::TextBox: break;
  }
  return std::nullopt;
}

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
  const Colours colours = self.owner.colours();
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillWith(dc, rect, colours.BackColourOf(c));
  DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  SelectScope font(dc, self.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, (item.itemState & ODS_DISABLED) ? colours.Resolve(kGreyTextColour) : colours.ForeColourOf(c));
  TextRoom room = *TextRoomOf(self);
  if (pressed) OffsetRect(&room.rect, 1, 1);
  const std::wstring caption = Widen(c.Text());
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &room.rect, room.format);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&rect, -ButtonInset(self), -ButtonInset(self));
    DrawFocusRect(dc, &rect);
  }
}

void PaintListEntry(NativeControl& self, const DRAWITEMSTRUCT& item) {
  const Control& c = self.control;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const Colours colours = self.owner.colours();
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  FillWith(dc, rect, colours.Resolve(selected ? kHighlightColour : kWindowBackgroundColour));
  if (item.itemID < c.Entries().size()) {
    const std::string& entry = c.Entries()[item.itemID];
    SelectScope font(dc, self.owner.FontFor(ForText(c.GetFont(), entry)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours.Resolve(disabled ? kGreyTextColour : selected ? kHighlightTextColour : kWindowTextColour));
    RECT text = rect;
    text.left += self.owner.Px(30);
    const std::wstring caption = Widen(entry);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rect);
}

void PaintDarkTabs(NativeControl& self, HDC dc) {
  const Colours colours = self.owner.colours();
  const COLORREF face = colours.Resolve(kButtonFaceColour), edge = colours.Resolve(kButtonShadowColour);
  RECT client;
  GetClientRect(self.window, &client);
  FillWith(dc, client, face);
  RECT page = client;
  SendMessageW(self.window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  InflateRect(&page, 2, 2);
  const HBRUSH edgeBrush = self.owner.BrushFor(edge);
  FrameRect(dc, &page, edgeBrush);
  SelectScope font(dc, self.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours.Resolve(kButtonTextColour));
  const int selected = static_cast<int>(SendMessageW(self.window, TCM_GETCURSEL, 0, 0));
  const auto& entries = self.control.Entries();
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    RECT tab{};
    if (!SendMessageW(self.window, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&tab))) continue;
    // The chosen tab stands up a little and opens into its page.
    if (i == selected) InflateRect(&tab, 2, 2);
    FillWith(dc, tab, i == selected ? face : colours.Resolve(kWindowBackgroundColour));
    FrameRect(dc, &tab, edgeBrush);
    if (i == selected) FillWith(dc, {tab.left + 1, tab.bottom - 1, tab.right - 1, tab.bottom + 1}, face);
    const std::wstring caption = Widen(entries[static_cast<std::size_t>(i)]);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (i == selected && GetFocus() == self.window) {
      InflateRect(&tab, -3, -3);
      DrawFocusRect(dc, &tab);
    }
  }
}

void PaintDrawn(NativeControl& self, HDC dc) {
  RECT client;
  GetClientRect(self.window, &client);
  switch (self.control.Kind()) {
    case ControlKind::Frame: PaintFrame(self, dc, client); break;
    case ControlKind::Label: PaintLabel(self, dc, client); break;
    case ControlKind::Chart:
    case ControlKind::Picture: PaintChart(self, dc, client); break;
    default: PaintProgressBar(self, dc, client); break;
  }
}

bool IsDrawnHere(ControlKind kind) {
  return kind == ControlKind::Frame || kind == ControlKind::Label || kind == ControlKind::ProgressBar ||
         kind == ControlKind::Chart || kind == ControlKind::Picture;
}

}  // namespace rp::win32
