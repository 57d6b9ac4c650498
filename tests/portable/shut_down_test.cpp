// The power actions over a table that records every operating-system call and answers from a
// script. Nothing here can reach the real system.
#include "power/shut_down.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace quorvane {
namespace {

constexpr uint32_t kPlatformWindows9x = 1;
constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kErrorNotAllAssigned = 1300;
constexpr uintptr_t kTokenValue = 0x7A;

// What the pretend system answers.
struct Script {
  uint32_t platformId = kPlatformWin32Nt;
  bool openSucceeds = true;
  bool lookupSucceeds = true;
  bool adjustSucceeds = true;
  uint32_t lastErrorAfterAdjust = 0;
  bool exitSucceeds = true;
  bool powerStateSucceeds = true;
};

struct FakeSystem;
FakeSystem* current = nullptr;

// Answers the recording table's calls while it is alive; one at a time.
struct FakeSystem {
  explicit FakeSystem(const Script& answers = {}) : script(answers) { current = this; }
  FakeSystem(const FakeSystem&) = delete;
  FakeSystem& operator=(const FakeSystem&) = delete;
  ~FakeSystem() { current = nullptr; }

  Script script;
  std::vector<std::string> calls;
};

void Record(std::string call) {
  current->calls.push_back(std::move(call));
}

bool OnlySizeSet(const OsVersionInfo& info) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&info);
  for (size_t i = sizeof(info.size); i < sizeof(info); ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

const PowerApi kRecordingApi{
    .getVersionEx =
        [](OsVersionInfo& info) {
          Record("GetVersionExA(" + std::to_string(info.size) +
                 (OnlySizeSet(info) ? ", zeroed)" : ", dirty)"));
          info.majorVersion = 10;
          info.platformId = current->script.platformId;
          std::strcpy(info.servicePack, "Service Pack 1");
        },
    .openProcessToken =
        [](uint32_t desiredAccess, TokenHandle& token) {
          Record("OpenProcessToken(" + std::to_string(desiredAccess) + ")");
          if (!current->script.openSucceeds) return false;
          token = TokenHandle{kTokenValue};
          return true;
        },
    .lookupPrivilegeValue =
        [](const char* name, Luid& luid) {
          Record(std::string("LookupPrivilegeValueA(") + name + ")");
          if (!current->script.lookupSucceeds) return false;
          luid = Luid{19, 2};
          return true;
        },
    .adjustTokenPrivileges =
        [](TokenHandle token, const TokenPrivileges& newState) {
          const auto& entry = newState.privileges[0];
          Record("AdjustTokenPrivileges(" + std::to_string(static_cast<uintptr_t>(token)) + ", " +
                 std::to_string(newState.privilegeCount) + ", " +
                 std::to_string(entry.luid.lowPart) + ":" + std::to_string(entry.luid.highPart) +
                 ", " + std::to_string(entry.attributes) + ")");
          return current->script.adjustSucceeds;
        },
    .getLastError =
        []() {
          Record("GetLastError()");
          return current->script.lastErrorAfterAdjust;
        },
    .closeHandle =
        [](TokenHandle handle) {
          Record("CloseHandle(" + std::to_string(static_cast<uintptr_t>(handle)) + ")");
          return true;
        },
    .exitWindowsEx =
        [](uint32_t flags, uint32_t reason) {
          Record("ExitWindowsEx(" + std::to_string(flags) + ", " + std::to_string(reason) + ")");
          return current->script.exitSucceeds;
        },
    .setSystemPowerState =
        [](bool suspend, bool force) {
          Record("SetSystemPowerState(" + std::to_string(suspend) + ", " + std::to_string(force) +
                 ")");
          return current->script.powerStateSucceeds;
        },
};

using Calls = std::vector<std::string>;

const std::string kVersionQuery = "GetVersionExA(148, zeroed)";

// The whole privilege step on an NT-family system, in order.
const Calls kPrivilegeSteps = {
    kVersionQuery,
    "OpenProcessToken(40)",
    "LookupPrivilegeValueA(SeShutdownPrivilege)",
    "AdjustTokenPrivileges(122, 1, 19:2, 2)",
    "GetLastError()",
    "CloseHandle(122)",
};

Calls Then(Calls calls, const Calls& more) {
  calls.insert(calls.end(), more.begin(), more.end());
  return calls;
}

Script OnPlatform(uint32_t platformId) {
  Script script;
  script.platformId = platformId;
  return script;
}

struct ActionCase {
  const char* name;
  uint32_t platformId;
  int32_t actionCode;
  bool force;
  Calls expected;
};

TEST(ShutDownSystemTest, CarriesOutEachActionWithItsCallAndFlags) {
  const ActionCase cases[] = {
      {"shut down, NT, forced", kPlatformWin32Nt, 1, true,
       Then(kPrivilegeSteps, {kVersionQuery, "ExitWindowsEx(12, 0)"})},
      {"shut down, NT", kPlatformWin32Nt, 1, false,
       Then(kPrivilegeSteps, {kVersionQuery, "ExitWindowsEx(8, 0)"})},
      {"shut down, non-NT, forced",
       kPlatformWindows9x,
       1,
       true,
       {kVersionQuery, kVersionQuery, "ExitWindowsEx(5, 0)"}},
      {"shut down, non-NT",
       kPlatformWindows9x,
       1,
       false,
       {kVersionQuery, kVersionQuery, "ExitWindowsEx(1, 0)"}},
      // Any platform id other than NT's counts as non-NT, Win32s's 0 included.
      {"shut down, platform 0", 0, 1, true, {kVersionQuery, kVersionQuery, "ExitWindowsEx(5, 0)"}},
      {"restart, forced", kPlatformWin32Nt, 2, true,
       Then(kPrivilegeSteps, {"ExitWindowsEx(6, 0)"})},
      {"restart", kPlatformWin32Nt, 2, false, Then(kPrivilegeSteps, {"ExitWindowsEx(2, 0)"})},
      {"restart, non-NT", kPlatformWindows9x, 2, true, {kVersionQuery, "ExitWindowsEx(6, 0)"}},
      {"log off, forced", kPlatformWin32Nt, 3, true,
       Then(kPrivilegeSteps, {"ExitWindowsEx(4, 0)"})},
      {"log off", kPlatformWin32Nt, 3, false, Then(kPrivilegeSteps, {"ExitWindowsEx(0, 0)"})},
      {"suspend, forced", kPlatformWin32Nt, 4, true,
       Then(kPrivilegeSteps, {"SetSystemPowerState(1, 1)"})},
      {"suspend", kPlatformWin32Nt, 4, false, Then(kPrivilegeSteps, {"SetSystemPowerState(1, 0)"})},
      {"hibernate, forced", kPlatformWin32Nt, 5, true,
       Then(kPrivilegeSteps, {"SetSystemPowerState(0, 1)"})},
      {"hibernate", kPlatformWin32Nt, 5, false,
       Then(kPrivilegeSteps, {"SetSystemPowerState(0, 0)"})},
      {"hibernate, non-NT",
       kPlatformWindows9x,
       5,
       true,
       {kVersionQuery, "SetSystemPowerState(0, 1)"}},
  };
  for (const ActionCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSystem system(OnPlatform(c.platformId));
    EXPECT_TRUE(ShutDownSystem(kRecordingApi, c.actionCode, c.force));
    EXPECT_EQ(system.calls, c.expected);
  }
}

TEST(ShutDownSystemTest, ForceLeftOutMeansNotForced) {
  const std::pair<int32_t, std::string> cases[] = {
      {1, "ExitWindowsEx(8, 0)"},
      {4, "SetSystemPowerState(1, 0)"},
      {5, "SetSystemPowerState(0, 0)"},
  };
  for (const auto& [code, action] : cases) {
    SCOPED_TRACE(::testing::Message() << "code " << code);
    FakeSystem system;
    EXPECT_TRUE(ShutDownSystem(kRecordingApi, code));
    EXPECT_EQ(system.calls.back(), action);
  }
}

TEST(ShutDownSystemTest, CodeOutsideOneToFiveMakesNoCallAtAll) {
  // -1 is what an action box without a selected item yields.
  for (int32_t code : {0, -1, 6, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE(::testing::Message() << "code " << code);
    FakeSystem system;
    EXPECT_FALSE(ShutDownSystem(kRecordingApi, code, true));
    EXPECT_FALSE(ShutDownSystem(kRecordingApi, code, false));
    EXPECT_TRUE(system.calls.empty());
  }
}

struct PrivilegeFailure {
  const char* name;
  Script script;
  Calls expected;
};

// Every way the privilege step can fail, for every action, log off and the power states
// included: the action is never requested and an opened token is always closed again.
TEST(ShutDownSystemTest, FailedPrivilegeStepStopsEveryAction) {
  Script cannotOpen;
  cannotOpen.openSucceeds = false;
  Script unknownPrivilege;
  unknownPrivilege.lookupSucceeds = false;
  Script notHeld;  // the account lacks the privilege: the call succeeds, the last error tells
  notHeld.lastErrorAfterAdjust = kErrorNotAllAssigned;
  Script otherError;
  otherError.lastErrorAfterAdjust = kErrorInvalidParameter;
  Script refused;
  refused.adjustSucceeds = false;
  refused.lastErrorAfterAdjust = kErrorAccessDenied;
  Script refusedWithoutError;  // a refusal never passes for success, whatever the last error
  refusedWithoutError.adjustSucceeds = false;

  const PrivilegeFailure failures[] = {
      {"token cannot be opened", cannotOpen, {kVersionQuery, "OpenProcessToken(40)"}},
      {"privilege unknown",
       unknownPrivilege,
       {kVersionQuery, "OpenProcessToken(40)", "LookupPrivilegeValueA(SeShutdownPrivilege)",
        "CloseHandle(122)"}},
      {"privilege not held", notHeld, kPrivilegeSteps},
      {"any other last error", otherError, kPrivilegeSteps},
      {"adjustment refused", refused, kPrivilegeSteps},
      {"adjustment refused, last error 0", refusedWithoutError, kPrivilegeSteps},
  };
  for (const PrivilegeFailure& failure : failures) {
    for (int32_t code = 1; code <= 5; ++code) {
      SCOPED_TRACE(::testing::Message() << failure.name << ", code " << code);
      FakeSystem system(failure.script);
      EXPECT_FALSE(ShutDownSystem(kRecordingApi, code, true));
      EXPECT_EQ(system.calls, failure.expected);
    }
  }
}

TEST(ShutDownSystemTest, RefusedActionReturnsFalse) {
  Script refusing;
  refusing.exitSucceeds = false;
  refusing.powerStateSucceeds = false;
  for (int32_t code = 1; code <= 5; ++code) {
    SCOPED_TRACE(::testing::Message() << "code " << code);
    FakeSystem system(refusing);
    EXPECT_FALSE(ShutDownSystem(kRecordingApi, code, true));
  }
}

TEST(ShutDownSystemTest, AsksForThePlatformAfreshOnEveryCall) {
  FakeSystem system;
  EXPECT_TRUE(ShutDownSystem(kRecordingApi, 1, true));
  EXPECT_EQ(system.calls.back(), "ExitWindowsEx(12, 0)");

  system.calls.clear();
  system.script.platformId = kPlatformWindows9x;
  EXPECT_TRUE(ShutDownSystem(kRecordingApi, 1, true));
  EXPECT_EQ(system.calls, (Calls{kVersionQuery, kVersionQuery, "ExitWindowsEx(5, 0)"}));
}

TEST(EnableShutdownPrivilegeTest, NeededOnlyOnNt) {
  {
    FakeSystem nt;
    EXPECT_TRUE(EnableShutdownPrivilege(kRecordingApi));
    EXPECT_EQ(nt.calls, kPrivilegeSteps);
  }
  FakeSystem windows9x(OnPlatform(kPlatformWindows9x));
  EXPECT_TRUE(EnableShutdownPrivilege(kRecordingApi));
  EXPECT_EQ(windows9x.calls, Calls{kVersionQuery});
}

}  // namespace
}  // namespace quorvane
