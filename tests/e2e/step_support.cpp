#include "tests/e2e/steps.h"

#include "tests/e2e/program_windows.h"

namespace quorvane::e2e {

namespace {
constexpr DWORD kPollMs = 50;
}  // namespace

double Now() {
  return double(GetTickCount64()) / 1000.0;
}

std::wstring Wide(std::string_view utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(std::size_t(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()),
                                              wide.data(), int(wide.size()))));
  return wide;
}

std::string Utf8(std::wstring_view wide) {
  std::string utf8(wide.size() * 3, '\0');
  utf8.resize(std::size_t(WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()),
                                              utf8.data(), int(utf8.size()), nullptr, nullptr)));
  return utf8;
}

std::string Quoted(std::wstring_view text) {
  std::string shown = "\"";
  for (char c : Utf8(text)) {
    shown += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  return shown + "\"";
}

bool PollUntil(double seconds, const std::function<bool()>& done) {
  const double end = Now() + seconds;
  while (!done()) {
    if (Now() >= end) return false;
    Sleep(kPollMs);
  }
  return true;
}

HWND FindTarget(std::string_view name) {
  return IsProgramWindowName(name) ? FindProgramWindow(name) : FindMainControl(name);
}

Failure Missing(std::string_view name) {
  return "no window " + std::string(name);
}

Failure CheckName(std::string_view name) {
  if (IsProgramWindowName(name) || IsMainControlName(name)) return std::nullopt;
  return "unknown window or control " + std::string(name);
}

Failure ActOn(std::string_view name, const std::function<Failure(HWND)>& act) {
  if (Failure bad = CheckName(name)) return bad;
  HWND window = FindTarget(name);
  if (!window) return Missing(name);
  return act(window);
}

Failure Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (PostMessageW(window, message, wParam, lParam)) return std::nullopt;
  return "posting message " + std::to_string(message) + " failed";
}

Failure Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
  if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs, result)) {
    return std::nullopt;
  }
  return "message " + std::to_string(message) + " got no answer";
}

}  // namespace quorvane::e2e
