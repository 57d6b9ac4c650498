// The icon files that the program hands to its windows as bytes.
#pragma once

#include <cstdint>
#include <span>

namespace quorvane {

// The main window's own icon: a pinwheel, in five sizes from 128 down to 16 pixels.
std::span<const std::uint8_t> MainWindowIconFile();

// The tray icon: a golden padlock, one 32 x 32 image with 256 colours (2,238 bytes).
std::span<const std::uint8_t> TrayIconFile();

}  // namespace quorvane
