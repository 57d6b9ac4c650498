// The operating-system functions the power actions need, as a table of function pointers.
// The program uses the table that calls Windows; tests hand in a table that only records.
// The types are portable mirrors of the Windows ones, so the logic builds on any machine.
#pragma once

#include <cstdint>

namespace quorvane {

// Mirror of OSVERSIONINFOA.
struct OsVersionInfo {
  uint32_t size;
  uint32_t majorVersion;
  uint32_t minorVersion;
  uint32_t buildNumber;
  uint32_t platformId;
  char servicePack[128];
};
inline constexpr uint32_t kOsVersionInfoSize = 148;
static_assert(sizeof(OsVersionInfo) == kOsVersionInfoSize);
inline constexpr uint32_t kPlatformWin32Nt = 2;

// Mirror of a Windows HANDLE to an access token.
enum class TokenHandle : uintptr_t {};

// Mirror of LUID.
struct Luid {
  uint32_t lowPart;
  int32_t highPart;
};

// Mirror of TOKEN_PRIVILEGES holding exactly one privilege.
struct TokenPrivileges {
  struct Entry {
    Luid luid;
    uint32_t attributes;
  };
  uint32_t privilegeCount;
  Entry privileges[1];
};

inline constexpr uint32_t kTokenAdjustPrivileges = 0x20;
inline constexpr uint32_t kTokenQuery = 0x08;
inline constexpr uint32_t kSePrivilegeEnabled = 2;

inline constexpr uint32_t kEwxLogoff = 0;
inline constexpr uint32_t kEwxShutdown = 1;
inline constexpr uint32_t kEwxReboot = 2;
inline constexpr uint32_t kEwxForce = 4;
inline constexpr uint32_t kEwxPoweroff = 8;

struct PowerApi {
  // GetVersionExA: fills the record whose size field the caller has set; a failed query leaves
  // it as it was.
  void (*getVersionEx)(OsVersionInfo& info);
  // OpenProcessToken on GetCurrentProcess().
  bool (*openProcessToken)(uint32_t desiredAccess, TokenHandle& token);
  // LookupPrivilegeValueA on the local system.
  bool (*lookupPrivilegeValue)(const char* name, Luid& luid);
  // AdjustTokenPrivileges without disabling the others and without the previous state.
  bool (*adjustTokenPrivileges)(TokenHandle token, const TokenPrivileges& newState);
  uint32_t (*getLastError)();
  bool (*closeHandle)(TokenHandle handle);
  bool (*exitWindowsEx)(uint32_t flags, uint32_t reason);
  bool (*setSystemPowerState)(bool suspend, bool force);
};

#ifdef _WIN32
// The table that calls Windows.
const PowerApi& WindowsPowerApi();
#endif

}  // namespace quorvane
