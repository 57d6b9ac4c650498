// The texts of the fatal run-time report.
#pragma once

#include <cstddef>

#include "ui/types.h"

namespace quorvane {

inline constexpr const char* kFatalTitle = "错误";
inline constexpr const char* kDesignsUnreadable = "载入窗口模板数据段出错!";
inline constexpr const char* kStartWindowFailed = "载入启动窗口失败";

// "运行时出错!", then the code line when the code is not 0, then the message line when
// there is a message.
Text ComposeFatalReport(const Text& message, int code);
// The message for an allocation of `size` bytes that failed.
Text AllocationFailureMessage(std::size_t size);

}  // namespace quorvane
