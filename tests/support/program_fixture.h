// The whole program over the headless backend, for tests of the main window's handlers: a
// clock the test sets, a power table that only records the final calls, and a fatal report
// that throws. Nothing here can reach the real system.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/program.h"
#include "forms/main_window_ids.h"
#include "power/power_api.h"
#include "ui/headless/headless_backend.h"

namespace quorvane::test {

struct FatalReported : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The power actions that reached the pretend system, such as "ExitWindowsEx(5)" or
// "SetSystemPowerState(1, 1)".
inline std::vector<std::string>& PowerCalls() {
  static std::vector<std::string> calls;
  return calls;
}

// An NT-family system on which every step of the privilege dance succeeds.
inline const PowerApi& RecordingPowerApi() {
  static const PowerApi api{
      .getVersionEx = [](OsVersionInfo& info) { info.platformId = kPlatformWin32Nt; },
      .openProcessToken =
          [](std::uint32_t, TokenHandle& token) {
            token = TokenHandle{1};
            return true;
          },
      .lookupPrivilegeValue =
          [](const char*, Luid& luid) {
            luid = Luid{19, 0};
            return true;
          },
      .adjustTokenPrivileges = [](TokenHandle, const TokenPrivileges&) { return true; },
      .getLastError = [] { return std::uint32_t{0}; },
      .closeHandle = [](TokenHandle) { return true; },
      .exitWindowsEx =
          [](std::uint32_t flags, std::uint32_t) {
            PowerCalls().push_back("ExitWindowsEx(" + std::to_string(flags) + ")");
            return true;
          },
      .setSystemPowerState =
          [](bool suspend, bool force) {
            PowerCalls().push_back("SetSystemPowerState(" + std::to_string(int(suspend)) + ", " +
                                   std::to_string(int(force)) + ")");
            return true;
          },
  };
  return api;
}

// Loads the main window before each test; `now` is what the program's clock reads.
class ProgramFixture : public ::testing::Test {
 protected:
  ProgramFixture()
      : program({backend, [](const std::string& m) { throw FatalReported(m); },
                 [this] { return now; }, RecordingPowerApi(),
                 [this](int style) {
                   visualStyles.push_back(style);
                   return 1;
                 }}) {
    PowerCalls().clear();
  }

  void SetUp() override { ASSERT_TRUE(program.LoadStartWindow()); }

  static ControlRef Ref(main_window::Control control) { return main_window::Ref(control); }
  Text TextOf(main_window::Control control) {
    return program.services.ReadProperty(Ref(control), property::kText).AsText();
  }
  void Write(main_window::Control control, const Text& text) {
    program.services.WriteProperty(Ref(control), property::kText, text);
  }
  bool IsDisabled(main_window::Control control) {
    return program.services.ReadProperty(Ref(control), property::kDisabled).AsInt() == 1;
  }
  bool IsChecked(main_window::Control control) {
    return program.services.ReadProperty(Ref(control), property::kChecked).AsInt() == 1;
  }

  HeadlessBackend backend;
  LocalTime now{2012, 12, 28, 20, 0, 0};
  std::vector<int> visualStyles;
  Program program;
};

}  // namespace quorvane::test
