#include "app/fatal_report.h"

#include <string>

namespace quorvane {

Text ComposeFatalReport(const Text& message, int code) {
  Text report = "运行时出错!\r\n\r\n";
  if (code != 0) report += "错误代码：" + std::to_string(code) + "\r\n\r\n";
  if (!message.empty()) report += "错误信息：" + message + "\r\n";
  return report;
}

Text AllocationFailureMessage(std::size_t size) {
  return "分配 " + std::to_string(size) + " 字节内存失败!";
}

}  // namespace quorvane
