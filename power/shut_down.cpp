#include "power/shut_down.h"

namespace quorvane {
namespace {

constexpr char kShutdownPrivilegeName[] = "SeShutdownPrivilege";

// An opened process token, closed when it goes out of scope.
class ScopedToken {
 public:
  ScopedToken(const PowerApi& api, TokenHandle handle) : api_(api), handle_(handle) {}
  ScopedToken(const ScopedToken&) = delete;
  ScopedToken& operator=(const ScopedToken&) = delete;
  // Nothing useful can be done when closing fails.
  ~ScopedToken() { api_.closeHandle(handle_); }

  TokenHandle Get() const { return handle_; }

 private:
  const PowerApi& api_;
  TokenHandle handle_;
};

// Asked afresh on every call: nothing about the system is remembered.
bool IsNtFamily(const PowerApi& api) {
  OsVersionInfo info{};
  info.size = kOsVersionInfoSize;
  // A failed query leaves the record zeroed, which reads as a non-NT platform.
  api.getVersionEx(info);
  return info.platformId == kPlatformWin32Nt;
}

uint32_t ExitFlags(const PowerApi& api, int32_t actionCode) {
  switch (actionCode) {
    case kActionShutDown:
      return IsNtFamily(api) ? kEwxPoweroff : kEwxShutdown;
    case kActionRestart:
      return kEwxReboot;
    default:  // log off, the only code left
      return kEwxLogoff;
  }
}

}  // namespace

bool EnableShutdownPrivilege(const PowerApi& api) {
  if (!IsNtFamily(api)) return true;

  TokenHandle handle{};
  if (!api.openProcessToken(kTokenAdjustPrivileges | kTokenQuery, handle)) return false;
  const ScopedToken token(api, handle);

  TokenPrivileges privileges{};
  privileges.privilegeCount = 1;
  // Without the identifier there is nothing meaningful to enable.
  if (!api.lookupPrivilegeValue(kShutdownPrivilegeName, privileges.privileges[0].luid)) {
    return false;
  }
  privileges.privileges[0].attributes = kSePrivilegeEnabled;

  // The call succeeds even when the account does not hold the privilege at all; only the last
  // error (ERROR_NOT_ALL_ASSIGNED) tells, so it is read right after the call.
  const bool adjusted = api.adjustTokenPrivileges(token.Get(), privileges);
  const uint32_t lastError = api.getLastError();
  return adjusted && lastError == 0;
}

bool ShutDownSystem(const PowerApi& api, int32_t actionCode, bool force) {
  if (actionCode < kActionShutDown || actionCode > kActionHibernate) return false;
  if (!EnableShutdownPrivilege(api)) return false;

  if (actionCode == kActionSuspend || actionCode == kActionHibernate) {
    return api.setSystemPowerState(actionCode == kActionSuspend, force);
  }
  const uint32_t flags = ExitFlags(api, actionCode) | (force ? kEwxForce : 0);
  return api.exitWindowsEx(flags, 0);
}

}  // namespace quorvane
