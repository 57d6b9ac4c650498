#include <algorithm>

#include "tests/e2e/program_windows.h"
#include "tests/e2e/steps.h"

namespace quorvane::e2e {

namespace {

Failure WaitForState(const Arguments& args, std::string_view what,
                     const std::function<bool(HWND)>& holds) {
  const std::string& name = args.words[0];
  if (Failure bad = CheckName(name)) return bad;
  if (PollUntil(kWaitSeconds, [&] { return holds(FindTarget(name)); })) return std::nullopt;
  return name + " is not " + std::string(what) + " after " + std::to_string(int(kWaitSeconds)) +
         " s";
}

LRESULT CheckState(HWND button) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &state);
  return LRESULT(state);
}

// The local date and time as the clock field writes it: trailing zero fields of the time left
// out ("2012年12月28日20时5分" at 20:05:00, the date alone at midnight).
std::wstring ClockText(const SYSTEMTIME& time) {
  std::wstring text = std::to_wstring(time.wYear) + L"年" + std::to_wstring(time.wMonth) + L"月" +
                      std::to_wstring(time.wDay) + L"日";
  const int fields[] = {time.wHour, time.wMinute, time.wSecond};
  const wchar_t* units[] = {L"时", L"分", L"秒"};
  int last = 2;
  while (last >= 0 && fields[last] == 0) --last;
  for (int i = 0; i <= last; ++i) text += std::to_wstring(fields[i]) + units[i];
  return text;
}

SYSTEMTIME SecondsBefore(SYSTEMTIME time, int seconds) {
  FILETIME file;
  SystemTimeToFileTime(&time, &file);
  ULARGE_INTEGER value{{file.dwLowDateTime, file.dwHighDateTime}};
  value.QuadPart -= ULONGLONG(seconds) * 10'000'000;
  file = {value.LowPart, value.HighPart};
  FileTimeToSystemTime(&file, &time);
  return time;
}

}  // namespace

Failure Shown(const Arguments& args, ScenarioState&) {
  return WaitForState(args, "shown", [](HWND w) { return w && IsWindowVisible(w); });
}
Failure Hidden(const Arguments& args, ScenarioState&) {
  return WaitForState(args, "hidden", [](HWND w) { return w && !IsWindowVisible(w); });
}
Failure Unseen(const Arguments& args, ScenarioState&) {
  return WaitForState(args, "unseen", [](HWND w) { return !w || !IsWindowVisible(w); });
}
Failure Gone(const Arguments& args, ScenarioState&) {
  return WaitForState(args, "gone", [](HWND w) { return !w; });
}
Failure Enabled(const Arguments& args, ScenarioState&) {
  return WaitForState(args, "enabled", [](HWND w) { return w && IsWindowEnabled(w); });
}
Failure Disabled(const Arguments& args, ScenarioState&) {
  return WaitForState(args, "disabled", [](HWND w) { return w && !IsWindowEnabled(w); });
}

Failure Checked(const Arguments& args, ScenarioState&) {
  return WaitForState(args, "checked", [](HWND w) { return w && CheckState(w) == BST_CHECKED; });
}
Failure Unchecked(const Arguments& args, ScenarioState&) {
  return WaitForState(args, "unchecked",
                      [](HWND w) { return w && CheckState(w) == BST_UNCHECKED; });
}

Failure Text(const Arguments& args, ScenarioState&) {
  const std::string& name = args.words[0];
  if (Failure bad = CheckName(name)) return bad;
  std::wstring seen;
  const bool matched = PollUntil(kWaitSeconds, [&] {
    HWND window = FindTarget(name);
    seen = window ? ReadText(window) : L"";
    return window && seen == args.text;
  });
  if (matched) return std::nullopt;
  return name + " reads " + Quoted(seen) + ", not " + Quoted(args.text);
}

// The text stays as it is for the whole time: nothing writes it (a stopped countdown).
Failure Steady(const Arguments& args, ScenarioState&) {
  const std::string& name = args.words[0];
  if (Failure bad = CheckName(name)) return bad;
  const double seconds = std::atof(args.words[1].c_str());
  std::wstring seen;
  const bool changed = PollUntil(seconds, [&] {
    HWND window = FindTarget(name);
    seen = window ? ReadText(window) : L"";
    return seen != args.text;
  });
  if (!changed) return std::nullopt;
  return name + " changed to " + Quoted(seen) + " from " + Quoted(args.text);
}

// No such window shows for the whole time (a click that must not show one).
Failure StaysUnseen(const Arguments& args, ScenarioState&) {
  const std::string& name = args.words[0];
  if (Failure bad = CheckName(name)) return bad;
  const bool shown = PollUntil(std::atof(args.words[1].c_str()), [&] {
    HWND window = FindTarget(name);
    return window && IsWindowVisible(window);
  });
  if (!shown) return std::nullopt;
  return name + " was shown";
}

// The control shows the local clock: this second or the one before, since it is written once
// a second.
Failure ClockNow(const Arguments& args, ScenarioState&) {
  const std::string& name = args.words[0];
  if (Failure bad = CheckName(name)) return bad;
  std::wstring seen, expected;
  const bool matched = PollUntil(kWaitSeconds, [&] {
    HWND window = FindTarget(name);
    seen = window ? ReadText(window) : L"";
    SYSTEMTIME now;
    GetLocalTime(&now);
    expected = ClockText(now);
    return seen == expected || seen == ClockText(SecondsBefore(now, 1));
  });
  if (matched) return std::nullopt;
  return name + " reads " + Quoted(seen) + ", not the clock's " + Quoted(expected);
}

Failure Message(const Arguments& args, ScenarioState&) {
  const std::string& name = args.words[0];
  std::wstring seen;
  const bool matched = PollUntil(kWaitSeconds, [&] {
    HWND box = FindProgramWindow(name);
    seen = box ? MessageBoxText(box) : L"";
    return seen == args.text;
  });
  if (matched) return std::nullopt;
  return name + " says " + Quoted(seen) + ", not " + Quoted(args.text);
}

// The tray menu opens with its top right corner 5 pixels up and left of the mouse cursor, moved
// only as far as the screen's edges require.
Failure MenuAtCursor(const Arguments&, ScenarioState&) {
  HWND menu = FindProgramWindow("menu");
  if (!menu) return Missing("menu");
  POINT cursor{};
  RECT rect{};
  GetCursorPos(&cursor);
  GetWindowRect(menu, &rect);
  const int width = int(rect.right - rect.left);
  const int left = std::clamp(int(cursor.x) - 5 - width, 0, GetSystemMetrics(SM_CXSCREEN) - width);
  if (rect.left == left && rect.top == cursor.y - 5) return std::nullopt;
  return "the menu is at " + std::to_string(rect.left) + "," + std::to_string(rect.top) + "-" +
         std::to_string(rect.right) + " with the cursor at " + std::to_string(cursor.x) + "," +
         std::to_string(cursor.y);
}

}  // namespace quorvane::e2e
