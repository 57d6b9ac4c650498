#include "app/fatal_error.h"

#include <windows.h>
// after windows.h
#include <ole2.h>

#include "app/fatal_report.h"
#include "ui/win32/gbk.h"

namespace quorvane {

namespace {
bool oleInitialised = false;
}

void MarkOleInitialised() {
  oleInitialised = true;
}

void ExitCleanUp() {
  if (oleInitialised) {
    OleUninitialize();
    oleInitialised = false;
  }
}

void FatalError(const Text& message, int code) {
  MessageBoxW(nullptr, ToWide(ComposeFatalReport(message, code)).c_str(),
              ToWide(kFatalTitle).c_str(), MB_ICONERROR);
  ExitCleanUp();
  ExitProcess(UINT(-1));
}

}  // namespace quorvane
