// The drawing of each kind of skinned control, in the style's colours.
#pragma once

#include <windows.h>

#include "app/skin/skin_entry.h"

namespace quorvane::skin {

// Push buttons, check and radio boxes, group boxes and spinners: the whole control, on a
// device context of its client area.
void PaintButton(const SkinEntry& entry, HDC dc, int style);
void PaintSpinner(const SkinEntry& entry, HDC dc, int style);
// Which half of a spinner a client point lies in.
SpinnerPart SpinnerPartAt(const SkinEntry& entry, POINT point);

// Edit boxes, combo boxes and their lists keep their own drawing; the skin lays its frames
// (and a combo box's arrow) over it, on a device context whose origin is the window's corner.
void PaintFrames(const SkinEntry& entry, HDC windowDc, int style);

}  // namespace quorvane::skin
