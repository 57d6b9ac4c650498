// The table that calls Windows, exercised only where that is harmless: the version query, the
// token and the privilege of this test process. ExitWindowsEx and SetSystemPowerState are
// never called here.
#include <windows.h>

#include <gtest/gtest.h>

#include "power/power_api.h"
#include "power/shut_down.h"

namespace quorvane {
namespace {

TEST(WindowsPowerApiTest, EveryEntryIsFilled) {
  const PowerApi& api = WindowsPowerApi();
  EXPECT_NE(api.getVersionEx, nullptr);
  EXPECT_NE(api.openProcessToken, nullptr);
  EXPECT_NE(api.lookupPrivilegeValue, nullptr);
  EXPECT_NE(api.adjustTokenPrivileges, nullptr);
  EXPECT_NE(api.getLastError, nullptr);
  EXPECT_NE(api.closeHandle, nullptr);
  EXPECT_NE(api.exitWindowsEx, nullptr);
  EXPECT_NE(api.setSystemPowerState, nullptr);
}

TEST(WindowsPowerApiTest, VersionQueryReportsTheNtPlatform) {
  OsVersionInfo info{};
  info.size = kOsVersionInfoSize;
  WindowsPowerApi().getVersionEx(info);
  EXPECT_EQ(info.size, kOsVersionInfoSize);
  EXPECT_EQ(info.platformId, kPlatformWin32Nt);
  EXPECT_GE(info.majorVersion, 5u);
}

LUID ShutdownPrivilegeLuid() {
  LUID luid{};
  LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &luid);
  return luid;
}

TEST(WindowsPowerApiTest, LooksUpTheShutdownPrivilege) {
  Luid luid{};
  ASSERT_TRUE(WindowsPowerApi().lookupPrivilegeValue("SeShutdownPrivilege", luid));
  const LUID expected = ShutdownPrivilegeLuid();
  EXPECT_NE(expected.LowPart, 0u);
  EXPECT_EQ(luid.lowPart, expected.LowPart);
  EXPECT_EQ(luid.highPart, expected.HighPart);
  EXPECT_FALSE(WindowsPowerApi().lookupPrivilegeValue("SeNoSuchPrivilege", luid));
}

// Sets or reads the shutdown privilege of this process's own token.
class OwnShutdownPrivilege {
 public:
  OwnShutdownPrivilege() {
    OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token_);
  }
  OwnShutdownPrivilege(const OwnShutdownPrivilege&) = delete;
  OwnShutdownPrivilege& operator=(const OwnShutdownPrivilege&) = delete;
  ~OwnShutdownPrivilege() { CloseHandle(token_); }

  bool Disable() {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid = ShutdownPrivilegeLuid();
    return AdjustTokenPrivileges(token_, FALSE, &privileges, 0, nullptr, nullptr) &&
           GetLastError() == ERROR_SUCCESS;
  }

  bool Enabled() {
    PRIVILEGE_SET check{};
    check.PrivilegeCount = 1;
    check.Control = PRIVILEGE_SET_ALL_NECESSARY;
    check.Privilege[0].Luid = ShutdownPrivilegeLuid();
    BOOL enabled = FALSE;
    return PrivilegeCheck(token_, &check, &enabled) && enabled;
  }

 private:
  HANDLE token_ = nullptr;
};

// Enabling the privilege touches nothing but this process's own token.
TEST(WindowsPowerApiTest, EnablesTheShutdownPrivilegeOfThisProcess) {
  OwnShutdownPrivilege own;
  ASSERT_TRUE(own.Disable());
  ASSERT_FALSE(own.Enabled());

  ASSERT_TRUE(EnableShutdownPrivilege(WindowsPowerApi()));
  EXPECT_TRUE(own.Enabled());
}

TEST(WindowsPowerApiTest, OpenedTokenCanBeClosed) {
  TokenHandle token{};
  ASSERT_TRUE(WindowsPowerApi().openProcessToken(kTokenAdjustPrivileges | kTokenQuery, token));
  EXPECT_NE(token, TokenHandle{});
  EXPECT_TRUE(WindowsPowerApi().closeHandle(token));
}

}  // namespace
}  // namespace quorvane
