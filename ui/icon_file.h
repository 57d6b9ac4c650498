// Picks one image out of the bytes of an icon file (.ico or .cur) for a window or tray icon.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace quorvane {

enum class IconSize { kSmall, kLarge };

// One image of an icon file, ready to be handed to the system's icon creation.
struct IconImage {
  std::span<const std::uint8_t> bytes;  // the image as stored: a bitmap or a PNG stream
  int width;
  int height;  // of the picture itself, without the mask rows of a bitmap
  int bitsPerPixel;
};

// The first entry whose colour count is above 15 and whose width is 16 (small) or 32 (large),
// else the last entry. Nothing when the bytes are malformed or too short for what they claim:
// every byte of the returned image lies inside `file`, and so does all that its header
// promises (palette, colour rows and mask rows of a bitmap).
std::optional<IconImage> ChooseIconImage(std::span<const std::uint8_t> file, IconSize size);

}  // namespace quorvane
