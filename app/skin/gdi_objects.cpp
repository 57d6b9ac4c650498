#include "app/skin/gdi_objects.h"

namespace quorvane::skin {

namespace {
// Only the GUI thread draws.
int liveObjects = 0;
long madeObjects = 0;
}  // namespace

int LiveGdiObjects() {
  return liveObjects;
}
long GdiObjectsMade() {
  return madeObjects;
}

namespace detail {
void CountCreated() {
  ++liveObjects;
  ++madeObjects;
}
void CountReleased() {
  --liveObjects;
}
}  // namespace detail

Brush SolidBrush(COLORREF colour) {
  return Brush(CreateSolidBrush(colour), {});
}

Pen SolidPen(COLORREF colour, int width) {
  return Pen(CreatePen(PS_SOLID, width, colour), {});
}

WindowDc DcOfWindow(HWND hwnd) {
  return WindowDc(GetWindowDC(hwnd), {hwnd});
}

WindowDc DcOfClient(HWND hwnd) {
  return WindowDc(GetDC(hwnd), {hwnd});
}

}  // namespace quorvane::skin
