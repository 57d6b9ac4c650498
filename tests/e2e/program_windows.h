// The running program's windows and controls, found from outside by title, class and id, and
// what a user would see of them.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quorvane::e2e {

// A top-level window by the scenario's name for it: main, about, notice (the hide-to-tray
// notice), warning (the unsupported-feature warning), menu (the tray menu's popup),
// notification-area (where the tray icon shows). Null when it does not exist; a window that
// exists may be hidden.
HWND FindProgramWindow(std::string_view name);
bool IsProgramWindowName(std::string_view name);

// A control of the main window by its role name (count-field, start-button, ...); null when the
// name is unknown or the main window or control does not exist.
HWND FindMainControl(std::string_view role);
bool IsMainControlName(std::string_view role);

// The window text as the user sees it (a selection box's current item).
std::wstring ReadText(HWND window);

// The texts of a message box's static controls, joined by line breaks.
std::wstring MessageBoxText(HWND box);

}  // namespace quorvane::e2e
