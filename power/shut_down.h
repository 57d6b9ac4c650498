// Carrying out a power action on the operating system.
#pragma once

#include <cstdint>

#include "power/power_api.h"

namespace quorvane {

// Action codes, the item values of the action box.
inline constexpr int32_t kActionShutDown = 1;   // 关机
inline constexpr int32_t kActionRestart = 2;    // 重启
inline constexpr int32_t kActionLogOff = 3;     // 注销
inline constexpr int32_t kActionSuspend = 4;    // 休眠
inline constexpr int32_t kActionHibernate = 5;  // 冬眠

// Shuts down, restarts, logs off, suspends or hibernates, forced when asked. Any other code does
// nothing. True when the system accepted the request; a suspend or hibernate returns only after
// the system has resumed.
bool ShutDownSystem(const PowerApi& api, int32_t actionCode, bool force = false);

// Enables the shutdown privilege of this process on NT-family systems (others need none).
// True when the process may now shut the system down.
bool EnableShutdownPrivilege(const PowerApi& api);

}  // namespace quorvane
