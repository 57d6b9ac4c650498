// The benchmark's baseline: about the least a Win32 program with a ticking clock needs. One
// window with one edit box, and a one-second timer that writes an incrementing counter into it.
#include <windows.h>

#include <string>

#include "bench/baseline_window.h"

namespace {

using quorvane::bench::kBaselineEdit;
using quorvane::bench::kBaselineTitle;

constexpr wchar_t kClassName[] = L"QuorvaneBenchBaseline";
constexpr UINT_PTR kTimer = 1;

unsigned ticks = 0;

LRESULT CALLBACK BaselineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"0", WS_CHILD | WS_VISIBLE, 10, 10, 200, 24,
                      window, HMENU(INT_PTR(kBaselineEdit)), GetModuleHandleW(nullptr), nullptr);
      SetTimer(window, kTimer, 1000, nullptr);
      return 0;
    case WM_TIMER:
      SetDlgItemTextW(window, kBaselineEdit, std::to_wstring(++ticks).c_str());
      return 0;
    case WM_DESTROY:
      KillTimer(window, kTimer);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = BaselineProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassW(&windowClass)) return 1;
  HWND window = CreateWindowExW(0, kClassName, kBaselineTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 240, 90, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return int(message.wParam);
}
