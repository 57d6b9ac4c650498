// The Windows suite's entry. With --fatal-child it only raises the fatal report, so a test can
// run it as a child process and read the exit code.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "app/fatal_error.h"

namespace {
// No one is there to press OK: the report's box is closed by a timer of this thread.
void CALLBACK CloseReport(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND box = FindWindowW(L"#32770", nullptr)) PostMessageW(box, WM_CLOSE, 0, 0);
}
}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--fatal-child") == 0) {
      SetTimer(nullptr, 0, 200, CloseReport);
      quorvane::FatalError("指定窗口尚未载入");
    }
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
