// A child window that hosts the system's web-browser control and opens one address.
#pragma once

#include <windows.h>

#include <string>

#include "ui/types.h"

namespace quorvane {

// Creates the web box, hidden, and sends its browser to the resource `resourceName` of the
// running executable (a res: address); nullptr when the browser control cannot be created.
// The browser and everything that hosts it go with the window.
HWND CreateWebBox(HWND parent, const RECT& rect, const Text& resourceName);

// The address this web box handed to its browser's Navigate; empty when it navigated nowhere.
// Lets tests see the request, whose completion they cannot observe.
std::wstring NavigatedAddress(HWND webBox);

}  // namespace quorvane
