#include "bench/subjects.h"

#include <stdexcept>

#include "bench/baseline_window.h"
#include "forms/main_window_ids.h"

namespace quorvane::bench {

namespace {

constexpr UINT kAnswerMs = 3000;

void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs, &result)) {
    throw std::runtime_error("a window of the program does not answer");
  }
}

HWND Control(HWND parent, int id) {
  HWND control = parent ? GetDlgItem(parent, id) : nullptr;
  if (!control) throw std::runtime_error("a control is missing: id " + std::to_string(id));
  return control;
}

// Long enough never to run out during a measurement: the count field reads 2 and the unit box
// keeps its 小时后.
HWND StartLongCountdown(HWND mainWindow) {
  using namespace main_window;
  // The configuration controls are children of their group box.
  HWND countField = Control(Control(mainWindow, kConfigGroup), kCountField);
  HWND startButton = Control(mainWindow, kStartButton);
  HWND statusBox = Control(mainWindow, kStatusBox);
  Send(countField, WM_SETTEXT, 0, LPARAM(L"2"));
  Send(startButton, BM_CLICK, 0, 0);
  return statusBox;
}

HWND BaselineEdit(HWND mainWindow) {
  return Control(mainWindow, kBaselineEdit);
}

}  // namespace

Subject Program(std::wstring path) {
  return {"program", std::move(path), L"Quorvane v3.0", StartLongCountdown};
}

Subject Baseline(std::wstring path) {
  return {"baseline", std::move(path), kBaselineTitle, BaselineEdit};
}

}  // namespace quorvane::bench
