// Push buttons, check boxes, radio boxes and group boxes, drawn whole.
#include <string>

#include "app/skin/gdi_objects.h"
#include "app/skin/skin_drawing.h"
#include "app/skin/skin_paint.h"

namespace quorvane::skin {

namespace {

constexpr int kBoxSize = 13;     // the square of a check box, the circle of a radio box
constexpr int kBoxGap = 4;       // between the box and the caption
constexpr int kGroupIndent = 8;  // a group box's caption from its left edge

std::wstring CaptionOf(HWND hwnd) {
  std::wstring text(std::size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(std::size_t(GetWindowTextW(hwnd, text.data(), int(text.size()))));
  return text;
}

HFONT FontOf(HWND hwnd) {
  if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0))) return font;
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Keyboard cues: focus rectangles and underlined access keys show only once the keyboard
// has been used, as on every other control.
struct Cues {
  bool focus = true;
  bool accessKeys = true;
};
Cues CuesOf(HWND hwnd) {
  const LRESULT hidden = SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0);
  return {.focus = !(hidden & UISF_HIDEFOCUS), .accessKeys = !(hidden & UISF_HIDEACCEL)};
}

// The caption laid out in area by format; returns the rectangle it took. With a brush, the
// caption's rectangle (and two pixels either side) is cleared with it first.
RECT DrawCaption(HDC dc, HWND hwnd, const RECT& area, UINT format, Colour colour,
                 HBRUSH clear = nullptr) {
  const std::wstring text = CaptionOf(hwnd);
  if (text.empty()) return {area.left, area.top, area.left, area.top};
  if (!CuesOf(hwnd).accessKeys) format |= DT_HIDEPREFIX;
  const Selection font(dc, FontOf(hwnd));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  RECT bounds = area;
  DrawTextW(dc, text.c_str(), int(text.size()), &bounds, format | DT_CALCRECT);
  // DT_CALCRECT keeps the top-left corner; place the block as the format asks.
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  RECT placed = area;
  if (format & DT_CENTER) placed.left += (area.right - area.left - width) / 2;
  placed.right = placed.left + width;
  placed.top += (area.bottom - area.top - height) / 2;
  placed.bottom = placed.top + height;
  if (clear) {
    const RECT behind{placed.left - 2, placed.top, placed.right + 2, placed.bottom};
    FillRect(dc, &behind, clear);
  }
  DrawTextW(dc, text.c_str(), int(text.size()), &placed,
            (format & ~UINT(DT_VCENTER | DT_CENTER)) | DT_NOCLIP);
  return placed;
}

UINT CaptionFormat(HWND hwnd, UINT alignment) {
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  return alignment | (style & BS_MULTILINE ? DT_WORDBREAK : DT_SINGLELINE);
}

// The brush and text colour the parent asks for behind check boxes, radio boxes and group
// boxes; the brush belongs to the parent.
HBRUSH ParentBackground(HWND hwnd, HDC dc) {
  HWND parent = GetParent(hwnd);
  if (!parent) return GetSysColorBrush(COLOR_BTNFACE);
  return reinterpret_cast<HBRUSH>(
      SendMessageW(parent, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(hwnd)));
}

void PaintPushButton(const SkinEntry& entry, HDC dc, const RECT& client, int style) {
  const bool down = entry.Has(kPressed) || entry.Has(kChecked);
  const PartColours colours =
      PartColoursFor(style, Surface::kFace,
                     {.enabled = !entry.Has(kDisabled), .hot = entry.Has(kHot), .pressed = down},
                     CurrentSystemColours());
  Fill(dc, client, colours.fill);
  Ring(dc, client, colours.edge);
  if (entry.Has(kDefault) && !entry.Has(kDisabled)) Ring(dc, Inset(client, 1), colours.edge);
  RECT area = Inset(client, 3);
  if (down) OffsetRect(&area, 1, 1);
  DrawCaption(dc, entry.hwnd, area, CaptionFormat(entry.hwnd, DT_CENTER | DT_VCENTER),
              colours.mark);
  if (entry.Has(kFocused) && CuesOf(entry.hwnd).focus) {
    const RECT focus = Inset(client, 3);
    DrawFocusRect(dc, &focus);
  }
}

void PaintCheckOrRadio(const SkinEntry& entry, HDC dc, const RECT& client, int style) {
  const SystemColours system = CurrentSystemColours();
  if (HBRUSH background = ParentBackground(entry.hwnd, dc)) FillRect(dc, &client, background);
  const Colour textColour = entry.Has(kDisabled) ? system.grayText : GetTextColor(dc);

  const bool boxOnRight = (GetWindowLongW(entry.hwnd, GWL_STYLE) & BS_LEFTTEXT) != 0;
  const int boxTop = client.top + (client.bottom - client.top - kBoxSize) / 2;
  const int boxLeft = boxOnRight ? client.right - kBoxSize : client.left;
  const RECT box{boxLeft, boxTop, boxLeft + kBoxSize, boxTop + kBoxSize};
  const PartColours colours = PartColoursFor(
      style, Surface::kBox,
      {.enabled = !entry.Has(kDisabled), .hot = entry.Has(kHot), .pressed = entry.Has(kPressed)},
      system);
  if (entry.type == SkinType::kRadioBox) {
    Disc(dc, box, colours.fill, colours.edge);
    if (entry.Has(kChecked)) Disc(dc, Inset(box, 4), colours.mark, colours.mark);
  } else {
    Fill(dc, box, colours.fill);
    Ring(dc, box, colours.edge);
    if (entry.Has(kChecked)) CheckMark(dc, box, colours.mark);
    if (entry.Has(kIndeterminate)) Fill(dc, Inset(box, 3), Blend(colours.fill, colours.mark, 128));
  }

  RECT area = client;
  if (boxOnRight) {
    area.right -= kBoxSize + kBoxGap;
  } else {
    area.left += kBoxSize + kBoxGap;
  }
  const RECT caption = DrawCaption(dc, entry.hwnd, area,
                                   CaptionFormat(entry.hwnd, DT_LEFT | DT_VCENTER), textColour);
  if (entry.Has(kFocused) && CuesOf(entry.hwnd).focus && caption.right > caption.left) {
    RECT focus = Inset(caption, -1);
    IntersectRect(&focus, &focus, &client);
    DrawFocusRect(dc, &focus);
  }
}

void PaintGroupBox(const SkinEntry& entry, HDC dc, const RECT& client, int style) {
  const SystemColours system = CurrentSystemColours();
  HBRUSH background = ParentBackground(entry.hwnd, dc);
  const Colour textColour = entry.Has(kDisabled) ? system.grayText : GetTextColor(dc);
  // The controls in the group draw themselves: fill only around them.
  {
    const SavedDcState keep(dc);
    for (HWND child = GetWindow(entry.hwnd, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
      if (!IsWindowVisible(child)) continue;
      RECT rect;
      GetWindowRect(child, &rect);
      MapWindowPoints(nullptr, entry.hwnd, reinterpret_cast<POINT*>(&rect), 2);
      ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    if (background) FillRect(dc, &client, background);
  }

  // The frame runs through the middle of the caption's line.
  SIZE textSize{};
  {
    const Selection font(dc, FontOf(entry.hwnd));
    GetTextExtentPoint32W(dc, L"M", 1, &textSize);
  }
  RECT frame = client;
  frame.top += textSize.cy / 2;
  const FrameColours colours = FrameColoursFor(style, !entry.Has(kDisabled), false, system);
  Ring(dc, frame, colours.outer);
  const RECT area{client.left + kGroupIndent, client.top, client.right - kGroupIndent,
                  client.top + textSize.cy};
  DrawCaption(dc, entry.hwnd, area, DT_LEFT | DT_SINGLELINE, textColour,
              background ? background : GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace

void PaintButton(const SkinEntry& entry, HDC dc, int style) {
  RECT client;
  GetClientRect(entry.hwnd, &client);
  const SavedDcState keep(dc);
  switch (entry.type) {
    case SkinType::kPushButton:
      PaintPushButton(entry, dc, client, style);
      break;
    case SkinType::kCheckBox:
    case SkinType::kRadioBox:
      PaintCheckOrRadio(entry, dc, client, style);
      break;
    case SkinType::kGroupBox:
      PaintGroupBox(entry, dc, client, style);
      break;
    default:
      break;
  }
}

}  // namespace quorvane::skin
