#include "app/skin/skin_colours.h"

#include <algorithm>

namespace quorvane {

namespace {

constexpr Colour Rgb(int r, int g, int b) {
  return Colour(r) | Colour(g) << 8 | Colour(b) << 16;
}
int Channel(Colour colour, int shift) {
  return int(colour >> shift & 0xFF);
}

// A disabled control's frame: the button face darkened by 0x20 in each channel.
Colour DisabledFrame(Colour buttonFace) {
  const auto darker = [buttonFace](int shift) {
    return std::max(Channel(buttonFace, shift) - 0x20, 0);
  };
  return Rgb(darker(0), darker(8), darker(16));
}

// How far hover and press move a part toward the style colour.
constexpr int kHotWeight = 48;
constexpr int kPressedWeight = 112;

}  // namespace

Colour StyleColour(int style) {
  switch (style) {
    case 2:
      return Rgb(164, 185, 127);
    case 3:
      return Rgb(198, 197, 215);
    default:
      return Rgb(123, 158, 189);
  }
}

FrameColours FrameColoursFor(int style, bool enabled, bool readOnly, const SystemColours& system) {
  return {.outer = enabled ? StyleColour(style) : DisabledFrame(system.buttonFace),
          .inner = enabled && !readOnly ? system.window : system.buttonFace};
}

Colour Blend(Colour a, Colour b, int weight) {
  const auto mix = [&](int shift) {
    return Channel(a, shift) + (Channel(b, shift) - Channel(a, shift)) * weight / 255;
  };
  return Rgb(mix(0), mix(8), mix(16));
}

PartColours PartColoursFor(int style, Surface surface, PartState state,
                           const SystemColours& system) {
  const Colour frame = StyleColour(style);
  if (!state.enabled) {
    return {.fill = system.buttonFace,
            .edge = DisabledFrame(system.buttonFace),
            .mark = system.grayText};
  }
  const Colour base = surface == Surface::kFace ? system.buttonFace : system.window;
  const int weight = state.pressed ? kPressedWeight : state.hot ? kHotWeight : 0;
  return {.fill = Blend(base, frame, weight), .edge = frame, .mark = system.buttonText};
}

}  // namespace quorvane
