// The frames laid over edit boxes, combo boxes and drop-down lists, and a combo box's arrow.
#include <algorithm>

#include "app/skin/gdi_objects.h"
#include "app/skin/skin_drawing.h"
#include "app/skin/skin_paint.h"

namespace quorvane::skin {

namespace {

// The window's rectangle and where its client area lies, both from the window's corner.
struct WindowLayout {
  RECT window;
  RECT client;
};
WindowLayout LayoutOf(HWND hwnd) {
  RECT screen;
  GetWindowRect(hwnd, &screen);
  RECT client;
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -screen.left, -screen.top);
  OffsetRect(&screen, -screen.left, -screen.top);
  return {screen, client};
}

// The width of the border around the client area (scroll bars aside).
int BorderWidth(const WindowLayout& layout) {
  return std::min(layout.client.left - layout.window.left, layout.client.top - layout.window.top);
}

void PaintComboArrow(const SkinEntry& entry, HDC dc, const RECT& window, const FrameColours& frame,
                     int style) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(entry.hwnd, &info) || IsRectEmpty(&info.rcButton)) return;
  // The arrow's part reaches from the frame to the right edge.
  const RECT part{info.rcButton.left, window.top + 1, window.right - 1, window.bottom - 1};
  const PartColours colours = PartColoursFor(
      style, Surface::kFace,
      {.enabled = !entry.Has(kDisabled), .hot = entry.Has(kHot), .pressed = entry.Has(kPressed)},
      CurrentSystemColours());
  Fill(dc, part, colours.fill);
  const RECT line{part.left, part.top, part.left + 1, part.bottom};
  Fill(dc, line, frame.outer);
  Arrow(dc, {part.left + 1, part.top, part.right, part.bottom}, ArrowDirection::kDown,
        colours.mark);
}

}  // namespace

void PaintFrames(const SkinEntry& entry, HDC dc, int style) {
  const WindowLayout layout = LayoutOf(entry.hwnd);
  const FrameColours frame =
      FrameColoursFor(style, !entry.Has(kDisabled), entry.Has(kReadOnly), CurrentSystemColours());
  const SavedDcState keep(dc);
  switch (entry.type) {
    case SkinType::kEditBox:
    case SkinType::kComboList: {
      // The frames take the place of the border. Where there is less than two pixels of it
      // (a list's one pixel; an edit box that draws its own border inside, or has none), they
      // lie on the edge of the client area, redrawn after each paint.
      const int rings = std::max(BorderWidth(layout), 2);
      Ring(dc, layout.window, frame.outer);
      for (int ring = 1; ring < rings; ++ring) Ring(dc, Inset(layout.window, ring), frame.inner);
      return;
    }
    case SkinType::kComboBox:
      // A combo box draws its sunken edge inside its client area; both pixels of it become flat.
      Ring(dc, layout.window, frame.outer);
      Ring(dc, Inset(layout.window, 1), frame.inner);
      PaintComboArrow(entry, dc, layout.window, frame, style);
      return;
    default:
      return;
  }
}

}  // namespace quorvane::skin
