#include "tests/e2e/x_input.h"

#include <algorithm>

#include "ui/win32/handles.h"

namespace quorvane::e2e {

namespace {

constexpr DWORD kPollMs = 20;
constexpr ULONGLONG kXdotoolMs = 10000;

// Drive Z: is the Unix root.
std::string UnixPath(std::wstring_view windows) {
  std::string unix;
  for (wchar_t c : windows.substr(2)) unix += c == L'\\' ? '/' : char(c);
  return unix;
}

std::string ShellQuoted(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Wine splits the command line of a Unix program by the Windows rules, so the script goes in
// double quotes and may hold none itself.
bool FitsCommandLine(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
}

std::string ReadSmallFile(const std::wstring& path) {
  const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return {};
  const UniqueKernelHandle file(opened);
  char text[64] = {};
  DWORD read = 0;
  ReadFile(file.get(), text, sizeof text - 1, &read, nullptr);
  return std::string(text, read);
}

// Runs xdotool and waits for it. Wine starts a Unix program without a handle to wait on, so
// the shell around it leaves the exit status in a file.
std::optional<std::string> RunXdotool(const XInput& input, const std::string& arguments) {
  const std::wstring statusFile = input.folder + L"\\xdotool.status";
  const std::string script =
      "xdotool " + arguments + "; echo $? > " + ShellQuoted(UnixPath(statusFile));
  if (!FitsCommandLine(script)) return "xdotool cannot be given " + arguments;
  DeleteFileW(statusFile.c_str());
  std::wstring command = L"Z:\\bin\\sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return "xdotool cannot be started";
  }
  const UniqueKernelHandle processHandle(process.hProcess), threadHandle(process.hThread);

  const ULONGLONG end = GetTickCount64() + kXdotoolMs;
  std::string status;
  while ((status = ReadSmallFile(statusFile)).find('\n') == std::string::npos) {
    if (GetTickCount64() >= end) return "xdotool " + arguments + " did not finish";
    Sleep(kPollMs);
  }
  if (status == "0\n") return std::nullopt;
  return "xdotool " + arguments + " failed";
}

}  // namespace

std::optional<std::string> XClick(const XInput& input, HWND window, POINT point, int button,
                                  int clicks) {
  if (!ClientToScreen(window, &point)) return "no such window";
  // The mouse comes from a corner of the screen, as a hand would bring it: a pointer resting on
  // the spot would have a tooltip over it by now.
  const int right = GetSystemMetrics(SM_CXSCREEN) - 1, bottom = GetSystemMetrics(SM_CYSCREEN) - 1;
  return RunXdotool(input, "mousemove " + std::to_string(right) + " " + std::to_string(bottom) +
                               " mousemove " + std::to_string(point.x) + " " +
                               std::to_string(point.y) + " click --repeat " +
                               std::to_string(clicks) + " --delay 80 " + std::to_string(button));
}

std::optional<std::string> XKeys(const XInput& input, std::string_view keys) {
  return RunXdotool(input, "key --delay 50 " + std::string(keys));
}

std::optional<std::string> XType(const XInput& input, std::string_view text) {
  return RunXdotool(input, "type --delay 50 " + ShellQuoted(text));
}

}  // namespace quorvane::e2e
