// Watching another program's windows from outside.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quorvane::bench {

// Milliseconds on the performance counter.
double NowMs();

// The visible top-level window of process `processId` titled `title`, looked for every
// millisecond until `timeoutMs` has passed; null if none showed.
HWND WaitForVisibleWindow(const wchar_t* title, DWORD processId, double timeoutMs);

// The window's text; nothing when the window does not answer.
std::optional<std::wstring> ReadText(HWND window);

}  // namespace quorvane::bench
