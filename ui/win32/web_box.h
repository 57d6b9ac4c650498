// A child window that hosts the system's web-browser control and opens one address.
#pragma once

#include <windows.h>

#include "ui/types.h"

namespace quorvane {

// Creates the web box, hidden; nullptr when the browser control cannot be created.
HWND CreateWebBox(HWND parent, const RECT& rect, const Text& address);

}  // namespace quorvane
