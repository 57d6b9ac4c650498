#include "bench/window_probe.h"

#include <iterator>

namespace quorvane::bench {

namespace {

// A window that does not answer within this time counts as hung.
constexpr UINT kAnswerMs = 3000;

HWND FindVisibleWindow(const wchar_t* title, DWORD processId) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, nullptr, title))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

}  // namespace

double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) / ticksPerMs;
}

HWND WaitForVisibleWindow(const wchar_t* title, DWORD processId, double timeoutMs) {
  const double deadline = NowMs() + timeoutMs;
  for (;;) {
    if (HWND window = FindVisibleWindow(title, processId)) return window;
    if (NowMs() > deadline) return nullptr;
    Sleep(1);
  }
}

std::optional<std::wstring> ReadText(HWND window) {
  wchar_t buffer[256] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, std::size(buffer), LPARAM(buffer), SMTO_ABORTIFHUNG,
                           kAnswerMs, &copied)) {
    return std::nullopt;
  }
  return std::wstring(buffer, copied);
}

}  // namespace quorvane::bench
