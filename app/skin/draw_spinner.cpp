// Spinners, drawn whole: a frame split into two flat halves, each with its arrow.
#include "app/skin/skin_drawing.h"
#include "app/skin/skin_paint.h"

namespace quorvane::skin {

namespace {

// The two halves of the client area, the top (left) one first; they share the middle line.
void SplitSpinner(const SkinEntry& entry, RECT& first, RECT& second) {
  RECT client;
  GetClientRect(entry.hwnd, &client);
  first = second = client;
  if (entry.Has(kHorizontal)) {
    first.right = second.left = (client.left + client.right) / 2;
    ++first.right;  // the middle line belongs to both frames
  } else {
    first.bottom = second.top = (client.top + client.bottom) / 2;
    ++first.bottom;
  }
}

}  // namespace

SpinnerPart SpinnerPartAt(const SkinEntry& entry, POINT point) {
  RECT first, second;
  SplitSpinner(entry, first, second);
  if (PtInRect(&first, point)) return SpinnerPart::kFirst;
  if (PtInRect(&second, point)) return SpinnerPart::kSecond;
  return SpinnerPart::kNone;
}

void PaintSpinner(const SkinEntry& entry, HDC dc, int style) {
  const SystemColours system = CurrentSystemColours();
  RECT halves[2];
  SplitSpinner(entry, halves[0], halves[1]);
  const SpinnerPart parts[2] = {SpinnerPart::kFirst, SpinnerPart::kSecond};
  const ArrowDirection arrows[2] = {
      entry.Has(kHorizontal) ? ArrowDirection::kLeft : ArrowDirection::kUp,
      entry.Has(kHorizontal) ? ArrowDirection::kRight : ArrowDirection::kDown};
  const FrameColours frame = FrameColoursFor(style, !entry.Has(kDisabled), false, system);
  for (int half = 0; half < 2; ++half) {
    const PartColours colours = PartColoursFor(style, Surface::kFace,
                                               {.enabled = !entry.Has(kDisabled),
                                                .hot = entry.hotPart == parts[half],
                                                .pressed = entry.pressedPart == parts[half]},
                                               system);
    Fill(dc, Inset(halves[half], 1), colours.fill);
    Ring(dc, halves[half], frame.outer);
    Arrow(dc, Inset(halves[half], 1), arrows[half], colours.mark);
  }
}

}  // namespace quorvane::skin
