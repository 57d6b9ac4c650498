// Real input through the X server, as a user's mouse and keyboard give it (xdotool).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quorvane::e2e {

// Where xdotool may leave its exit status: a folder given as a Windows path on drive Z:.
struct XInput {
  std::wstring folder;
};

// Moves the mouse to a point of the window's client area and clicks the button (1 left,
// 3 right) the given number of times. The reason when it failed.
std::optional<std::string> XClick(const XInput& input, HWND window, POINT point, int button,
                                  int clicks);

// Presses keys, each as xdotool names it ("Escape", "alt+e", "Return"), on the focused window.
std::optional<std::string> XKeys(const XInput& input, std::string_view keys);

// Types plain ASCII text into the focused window.
std::optional<std::string> XType(const XInput& input, std::string_view text);

}  // namespace quorvane::e2e
