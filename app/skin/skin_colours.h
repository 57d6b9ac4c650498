// The skin's colours as pure functions of the style, the control's state and the system's
// colours (0x00BBGGRR, as GetSysColor gives them).
#pragma once

#include <cstdint>

namespace quorvane {

using Colour = std::uint32_t;

struct SystemColours {
  Colour buttonFace = 0;
  Colour window = 0;
  Colour buttonText = 0;
  Colour grayText = 0;
};

// The frame colour of a style: 1 blue-grey, 2 green, 3 lavender; other numbers give 1's.
Colour StyleColour(int style);

// The one-pixel outer frame and, for edit boxes and drop-down lists, the frame inside it.
struct FrameColours {
  Colour outer = 0;
  Colour inner = 0;
};
FrameColours FrameColoursFor(int style, bool enabled, bool readOnly, const SystemColours& system);

// Each channel of a moved toward b by weight/255.
Colour Blend(Colour a, Colour b, int weight);

// A part the user presses: a button face, a spinner half, a combo arrow, or the box of a
// check or radio box (which sits on the window colour rather than the button face).
enum class Surface : std::uint8_t { kFace, kBox };
struct PartState {
  bool enabled = true;
  bool hot = false;
  bool pressed = false;
};
struct PartColours {
  Colour fill = 0;
  Colour edge = 0;  // the part's one-pixel frame
  Colour mark = 0;  // arrows, check marks, radio dots and captions
};
PartColours PartColoursFor(int style, Surface surface, PartState state,
                           const SystemColours& system);

}  // namespace quorvane
