// The power functions table that calls Windows.
#include <windows.h>

#include <bit>
#include <cstddef>

#include "power/power_api.h"

namespace quorvane {
namespace {

// The portable records are handed to Windows byte for byte, so their layouts must match.
static_assert(sizeof(OsVersionInfo) == sizeof(OSVERSIONINFOA));
static_assert(offsetof(OsVersionInfo, size) == offsetof(OSVERSIONINFOA, dwOSVersionInfoSize));
static_assert(offsetof(OsVersionInfo, platformId) == offsetof(OSVERSIONINFOA, dwPlatformId));
static_assert(offsetof(OsVersionInfo, servicePack) == offsetof(OSVERSIONINFOA, szCSDVersion));
static_assert(sizeof(Luid) == sizeof(LUID));
static_assert(offsetof(Luid, highPart) == offsetof(LUID, HighPart));
static_assert(sizeof(TokenPrivileges) == sizeof(TOKEN_PRIVILEGES));
static_assert(offsetof(TokenPrivileges, privileges) == offsetof(TOKEN_PRIVILEGES, Privileges));
static_assert(offsetof(TokenPrivileges::Entry, attributes) ==
              offsetof(LUID_AND_ATTRIBUTES, Attributes));
static_assert(sizeof(TokenHandle) == sizeof(HANDLE));

static_assert(kPlatformWin32Nt == VER_PLATFORM_WIN32_NT);
static_assert(kTokenAdjustPrivileges == TOKEN_ADJUST_PRIVILEGES);
static_assert(kTokenQuery == TOKEN_QUERY);
static_assert(kSePrivilegeEnabled == SE_PRIVILEGE_ENABLED);
static_assert(kEwxLogoff == EWX_LOGOFF);
static_assert(kEwxShutdown == EWX_SHUTDOWN);
static_assert(kEwxReboot == EWX_REBOOT);
static_assert(kEwxForce == EWX_FORCE);
static_assert(kEwxPoweroff == EWX_POWEROFF);

HANDLE ToHandle(TokenHandle token) {
  return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(token));
}

void GetVersionExCall(OsVersionInfo& info) {
  auto record = std::bit_cast<OSVERSIONINFOA>(info);
  if (GetVersionExA(&record)) info = std::bit_cast<OsVersionInfo>(record);
}

bool OpenProcessTokenCall(uint32_t desiredAccess, TokenHandle& token) {
  HANDLE handle = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), desiredAccess, &handle)) return false;
  token = static_cast<TokenHandle>(reinterpret_cast<uintptr_t>(handle));
  return true;
}

bool LookupPrivilegeValueCall(const char* name, Luid& luid) {
  LUID found{};
  if (!LookupPrivilegeValueA(nullptr, name, &found)) return false;
  luid = std::bit_cast<Luid>(found);
  return true;
}

bool AdjustTokenPrivilegesCall(TokenHandle token, const TokenPrivileges& newState) {
  auto privileges = std::bit_cast<TOKEN_PRIVILEGES>(newState);
  return AdjustTokenPrivileges(ToHandle(token), FALSE, &privileges, 0, nullptr, nullptr) != FALSE;
}

uint32_t GetLastErrorCall() {
  return GetLastError();
}

bool CloseHandleCall(TokenHandle handle) {
  return CloseHandle(ToHandle(handle)) != FALSE;
}

bool ExitWindowsExCall(uint32_t flags, uint32_t reason) {
  return ExitWindowsEx(flags, reason) != FALSE;
}

bool SetSystemPowerStateCall(bool suspend, bool force) {
  return SetSystemPowerState(suspend ? TRUE : FALSE, force ? TRUE : FALSE) != FALSE;
}

constexpr PowerApi kWindowsPowerApi{
    .getVersionEx = GetVersionExCall,
    .openProcessToken = OpenProcessTokenCall,
    .lookupPrivilegeValue = LookupPrivilegeValueCall,
    .adjustTokenPrivileges = AdjustTokenPrivilegesCall,
    .getLastError = GetLastErrorCall,
    .closeHandle = CloseHandleCall,
    .exitWindowsEx = ExitWindowsExCall,
    .setSystemPowerState = SetSystemPowerStateCall,
};

}  // namespace

const PowerApi& WindowsPowerApi() {
  return kWindowsPowerApi;
}

}  // namespace quorvane
