#include "tests/e2e/power_trace.h"

#include <windows.h>

#include <cstdlib>

#include "ui/win32/handles.h"

namespace quorvane::e2e {

std::optional<TracedCall> ParseTraceLine(std::string_view line) {
  // "1234.567:0024:Call KERNEL32.SetSystemPowerState(00000001,00000001) ret=140001a2b"
  const std::size_t call = line.find(":Call ");
  const std::size_t stamp = line.find(':');
  if (call == std::string_view::npos || stamp == 0 || stamp == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string number(line.substr(0, stamp));
  char* end = nullptr;
  const double seconds = std::strtod(number.c_str(), &end);
  if (end != number.c_str() + number.size()) return std::nullopt;

  std::string_view rest = line.substr(call + 6);
  const std::size_t dot = rest.find('.');
  const std::size_t open = rest.find('(');
  const std::size_t close = rest.find(')');
  if (dot == std::string_view::npos || open == std::string_view::npos ||
      close == std::string_view::npos || dot > open || close < open) {
    return std::nullopt;
  }
  return TracedCall{seconds, std::string(rest.substr(dot + 1, close + 1 - (dot + 1)))};
}

std::vector<TracedCall> ReadTracedCalls(const std::wstring& path) {
  std::vector<TracedCall> calls;
  // The program is still writing the file.
  const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return calls;
  const UniqueKernelHandle file(opened);
  std::string text;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    text.append(buffer, read);
  }

  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    // A line still being written is read again next time.
    if (end == std::string::npos) break;
    if (auto parsed = ParseTraceLine(std::string_view(text).substr(start, end - start))) {
      calls.push_back(*parsed);
    }
    start = end + 1;
  }
  return calls;
}

}  // namespace quorvane::e2e
