#include "app/skin/skin_paint.h"

#include <algorithm>

#include "app/skin/gdi_objects.h"

namespace quorvane::skin {

void Fill(HDC dc, const RECT& rect, Colour colour) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  const Brush brush = SolidBrush(colour);
  FillRect(dc, &rect, brush.get());
}

void Ring(HDC dc, const RECT& rect, Colour colour) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  const Brush brush = SolidBrush(colour);
  FrameRect(dc, &rect, brush.get());
}

RECT Inset(const RECT& rect, int by) {
  return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

void Arrow(HDC dc, const RECT& area, ArrowDirection direction, Colour colour) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  const bool vertical = direction == ArrowDirection::kUp || direction == ArrowDirection::kDown;
  // The triangle's depth (rows from tip to base) fits the smaller side.
  const int across = vertical ? width : height;
  const int along = vertical ? height : width;
  const int depth = std::clamp(std::min((across - 1) / 2, along - 2) / 2 + 1, 1, 4);
  const Brush brush = SolidBrush(colour);
  const int centreX = area.left + (width - 1) / 2;
  const int centreY = area.top + (height - 1) / 2;
  for (int row = 0; row < depth; ++row) {
    // Row 0 is the tip, one pixel wide; each row after it is two pixels wider.
    const int offset = row - depth / 2;
    RECT line{};
    switch (direction) {
      case ArrowDirection::kUp:
        line = {centreX - row, centreY + offset, centreX + row + 1, centreY + offset + 1};
        break;
      case ArrowDirection::kDown:
        line = {centreX - row, centreY - offset, centreX + row + 1, centreY - offset + 1};
        break;
      case ArrowDirection::kLeft:
        line = {centreX + offset, centreY - row, centreX + offset + 1, centreY + row + 1};
        break;
      case ArrowDirection::kRight:
        line = {centreX - offset, centreY - row, centreX - offset + 1, centreY + row + 1};
        break;
    }
    FillRect(dc, &line, brush.get());
  }
}

void Disc(HDC dc, const RECT& rect, Colour fill, Colour edge) {
  const Brush brush = SolidBrush(fill);
  const Pen pen = SolidPen(edge);
  const Selection brushSelected(dc, brush.get());
  const Selection penSelected(dc, pen.get());
  Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void CheckMark(HDC dc, const RECT& box, Colour colour) {
  // The classic tick: seven columns, each three pixels tall, falling then rising.
  constexpr int kDrop[7] = {2, 3, 4, 3, 2, 1, 0};
  const int left = box.left + (box.right - box.left - 7) / 2;
  const int top = box.top + (box.bottom - box.top - 7) / 2;
  const Brush brush = SolidBrush(colour);
  for (int column = 0; column < 7; ++column) {
    const RECT stroke{left + column, top + kDrop[column], left + column + 1,
                      top + kDrop[column] + 3};
    FillRect(dc, &stroke, brush.get());
  }
}

SystemColours CurrentSystemColours() {
  return {.buttonFace = GetSysColor(COLOR_BTNFACE),
          .window = GetSysColor(COLOR_WINDOW),
          .buttonText = GetSysColor(COLOR_BTNTEXT),
          .grayText = GetSysColor(COLOR_GRAYTEXT)};
}

}  // namespace quorvane::skin
