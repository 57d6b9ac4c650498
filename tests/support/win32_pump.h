// Runs the thread's messages for a while, or until a condition holds, in Windows tests.
// (Times are plain milliseconds: <chrono> has a literal that GBK cannot encode.)
#pragma once

#include <windows.h>

#include <functional>

namespace quorvane::test {

// Dispatches messages until done() holds or timeoutMs have passed; returns done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!done()) {
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(end - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

inline void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

}  // namespace quorvane::test
