// Reading Wine's relay trace of the program: the power calls it made, and when.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::e2e {

struct TracedCall {
  double seconds = 0;  // Wine's tick count at the call, in seconds
  std::string call;  // the function and its arguments as traced: "ExitWindowsEx(0000000c,00000000)"
};

// A "Call" line of a trace written with WINEDEBUG=+timestamp,+relay, without the module name;
// nothing for any other line.
std::optional<TracedCall> ParseTraceLine(std::string_view line);

// Every call in the trace file so far; an unreadable file has none.
std::vector<TracedCall> ReadTracedCalls(const std::wstring& path);

}  // namespace quorvane::e2e
