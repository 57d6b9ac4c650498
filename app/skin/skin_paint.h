// The few shapes the flat look is made of, drawn on a device context. Every brush and pen
// is made and freed within the call.
#pragma once

#include <windows.h>

#include "app/skin/skin_colours.h"

namespace quorvane::skin {

void Fill(HDC dc, const RECT& rect, Colour colour);
// A one-pixel frame just inside rect.
void Ring(HDC dc, const RECT& rect, Colour colour);
RECT Inset(const RECT& rect, int by);

enum class ArrowDirection : std::uint8_t { kUp, kDown, kLeft, kRight };
// A small solid triangle centred in area.
void Arrow(HDC dc, const RECT& area, ArrowDirection direction, Colour colour);

// A circle filling rect: a one-pixel edge around a filled inside.
void Disc(HDC dc, const RECT& rect, Colour fill, Colour edge);
// The tick of a checked box, centred in box.
void CheckMark(HDC dc, const RECT& box, Colour colour);

// The system's colours as they are now.
SystemColours CurrentSystemColours();

}  // namespace quorvane::skin
