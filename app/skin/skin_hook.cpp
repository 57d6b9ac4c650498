#include "app/skin/skin_hook.h"

#include <windows.h>

#include "app/skin/skin_windows.h"

namespace quorvane::skin {

namespace {

HHOOK hook = nullptr;

// Sees each message a window procedure of this thread has handled; a window is offered once
// its creation message has gone through, when its class has set it up.
LRESULT CALLBACK AfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto& handled = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (handled.message == WM_CREATE && handled.lResult != -1) Offer(handled.hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool InstallCreationHook() {
  if (!hook)
    hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterWindowProc, nullptr, GetCurrentThreadId());
  return hook != nullptr;
}

int RemoveCreationHook() {
  if (!hook) return 0;
  const BOOL removed = UnhookWindowsHookEx(hook);
  hook = nullptr;
  return removed;
}

}  // namespace quorvane::skin
