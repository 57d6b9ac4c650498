// The mouse messages that come with the notification-area icon's callback, as tray event codes.
#pragma once

#include <cstdint>
#include <optional>

namespace quorvane {

// The callback message the shell sends for the program's icons, and the icon's id.
inline constexpr std::uint32_t kTrayCallbackMessage = 0x8064;
inline constexpr std::uint32_t kTrayIconId = 100;

// 1 left button released, 2 left double-click, 3 right button released or context menu.
constexpr std::optional<std::int32_t> TrayEventCode(std::uint32_t mouseMessage) {
  switch (mouseMessage) {
    case 0x0202:
      return 1;  // WM_LBUTTONUP
    case 0x0203:
      return 2;  // WM_LBUTTONDBLCLK
    case 0x0205:
      return 3;  // WM_RBUTTONUP
    case 0x007B:
      return 3;  // WM_CONTEXTMENU
    default:
      return std::nullopt;
  }
}

}  // namespace quorvane
