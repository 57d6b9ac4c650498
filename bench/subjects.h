// The two programs a benchmark run compares, and what is done to each to watch it tick.
#pragma once

#include <windows.h>

#include <string>

namespace quorvane::bench {

struct Subject {
  const char* name;  // as the figures name it
  std::wstring path;
  const wchar_t* title;  // of its main window
  // Given the visible main window: makes something tick once a second and returns the window
  // whose text changes on each tick. Throws std::runtime_error when it cannot.
  HWND (*startTicking)(HWND mainWindow);
};

// Quorvane itself; its status box ticks once a relative countdown of two hours is started.
Subject Program(std::wstring path);
// The baseline; its edit box ticks from the start.
Subject Baseline(std::wstring path);

}  // namespace quorvane::bench
