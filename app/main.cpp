// The start routine: initialise, load the main window, run the message loop, clean up.
#include <windows.h>
// after windows.h
#include <ole2.h>

#include <string>

#include "app/fatal_error.h"
#include "app/fatal_report.h"
#include "app/program.h"
#include "app/skin/visual_style.h"
#include "countdown/local_clock.h"
#include "power/power_api.h"
#include "ui/win32/win32_backend.h"

namespace quorvane {
namespace {

void ReportFatal(const std::string& message) {
  FatalError(message);
}

// The process works in the program's own folder, wherever it was started from.
void EnterProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L'\\');
  if (slash != std::wstring::npos) SetCurrentDirectoryW(path.substr(0, slash).c_str());
}

int StartRoutine(HINSTANCE instance) {
  OleInitialize(nullptr);  // the web boxes need OLE on this thread; the result is not checked
  MarkOleInitialised();
  EnterProgramFolder();

  Win32Backend backend(instance);
  Program program({backend, ReportFatal, SystemLocalTime, WindowsPowerApi(), SetVisualStyle});
  if (!program.LoadStartWindow()) FatalError(kStartWindowFailed);
  return program.services.RunMessageLoop();
}

}  // namespace
}  // namespace quorvane

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const int code = quorvane::StartRoutine(instance);
  quorvane::ExitCleanUp();
  return code;
}
