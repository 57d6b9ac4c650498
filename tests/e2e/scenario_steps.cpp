#include "tests/e2e/scenario_steps.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <vector>

#include "forms/main_window_ids.h"
#include "tests/e2e/power_trace.h"
#include "tests/e2e/program_windows.h"
#include "tests/e2e/x_input.h"
#include "ui/tray_codes.h"

namespace quorvane::e2e {

namespace {

// How long a step waits for the program to show what is expected: message boxes close
// slowly under Wine, and the first window needs the web box.
constexpr double kWaitSeconds = 20;
constexpr DWORD kPollMs = 50;
constexpr UINT kAnswerMs = 3000;
// The tray menu's commands: 20000 plus the item's index among the window's menu items.
constexpr int kFirstMenuCommand = 20000;

using Failure = std::optional<std::string>;

struct Arguments {
  std::vector<std::string> words;
  std::wstring text;  // the rest of the line, when the verb takes a text
  std::string rawText;
};

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

// Scenario texts write a line break as \r\n.
std::string Unescape(std::string_view text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      const char next = text[++i];
      plain += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    } else {
      plain += text[i];
    }
  }
  return plain;
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

// A window of the program or a control of the main window, by name.
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

// ---- waiting for what the user sees ---------------------------------------------------

Failure WaitForState(const Arguments& args, std::string_view what,
                     const std::function<bool(HWND)>& holds) {
  const std::string& name = args.words[0];
  if (Failure bad = CheckName(name)) return bad;
  if (PollUntil(kWaitSeconds, [&] { return holds(FindTarget(name)); })) return std::nullopt;
  return name + " is not " + std::string(what) + " after " + std::to_string(int(kWaitSeconds)) +
         " s";
}

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

LRESULT CheckState(HWND button) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &state);
  return LRESULT(state);
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

// ---- acting as the user ---------------------------------------------------------------

// Acts on a window that must exist now.
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

Failure Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr) {
  if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs, result)) {
    return std::nullopt;
  }
  return "message " + std::to_string(message) + " got no answer";
}

// Clicks are posted: a click may open a modal window and not return until it closes.
Failure Click(const Arguments& args, ScenarioState&) {
  return ActOn(args.words[0], [](HWND w) { return Post(w, BM_CLICK, 0, 0); });
}

Failure Close(const Arguments& args, ScenarioState&) {
  return ActOn(args.words[0], [](HWND w) { return Post(w, WM_CLOSE, 0, 0); });
}

Failure Escape(const Arguments& args, ScenarioState&) {
  return ActOn(args.words[0], [](HWND w) {
    if (Failure failed = Post(w, WM_KEYDOWN, VK_ESCAPE, 0x00010001)) return failed;
    return Post(w, WM_KEYUP, VK_ESCAPE, LPARAM(0xC0010001));
  });
}

Failure Set(const Arguments& args, ScenarioState&) {
  return ActOn(args.words[0],
               [&](HWND w) { return Send(w, WM_SETTEXT, 0, LPARAM(args.text.c_str())); });
}

Failure SelectItem(HWND box, const std::wstring& item) {
  DWORD_PTR count = 0;
  if (Failure failed = Send(box, CB_GETCOUNT, 0, 0, &count)) return failed;
  for (WPARAM index = 0; index < count; ++index) {
    wchar_t text[256] = {};
    DWORD_PTR length = 0;
    if (Failure failed = Send(box, CB_GETLBTEXTLEN, index, 0, &length)) return failed;
    if (length >= std::size(text)) continue;
    if (Failure failed = Send(box, CB_GETLBTEXT, index, LPARAM(text))) return failed;
    if (item != text) continue;
    if (Failure failed = Send(box, CB_SETCURSEL, index, 0)) return failed;
    return Send(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
                LPARAM(box));
  }
  return "no item " + Quoted(item);
}

Failure Select(const Arguments& args, ScenarioState&) {
  return ActOn(args.words[0], [&](HWND w) { return SelectItem(w, args.text); });
}

// What the shell passes on for a click on the program's notification-area icon.
Failure Tray(const Arguments& args, ScenarioState&) {
  struct Gesture {
    std::string_view name;
    std::vector<UINT> mouse;
  };
  const Gesture gestures[] = {
      {"click", {WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {"double-click", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {"right-click", {WM_RBUTTONDOWN, WM_RBUTTONUP}},
  };
  for (const Gesture& gesture : gestures) {
    if (gesture.name != args.words[0]) continue;
    return ActOn("main", [&](HWND main) -> Failure {
      for (UINT mouse : gesture.mouse) {
        if (Failure failed = Post(main, kTrayCallbackMessage, kTrayIconId, mouse)) return failed;
      }
      return std::nullopt;
    });
  }
  return "unknown tray gesture " + args.words[0];
}

// The command that the tray menu sends for a chosen item.
Failure MenuItem(const Arguments& args, ScenarioState&) {
  const int item = args.words[0] == "exit"    ? main_window::kExitItem
                   : args.words[0] == "about" ? main_window::kAboutItem
                                              : 0;
  if (item == 0) return "unknown tray menu item " + args.words[0];
  const int command = kFirstMenuCommand + item - main_window::kTrayMenu;
  return ActOn("main", [&](HWND main) { return Post(main, WM_COMMAND, WPARAM(command), 0); });
}

// Presses the OK button of a message box once it shows, and waits until the box has gone.
Failure Ok(const Arguments& args, ScenarioState& state) {
  const std::string& name = args.words[0];
  if (Failure failed = Shown(args, state)) return failed;
  if (Failure failed = ActOn(name, [](HWND box) -> Failure {
        HWND ok = GetDlgItem(box, IDOK);
        if (!ok) return "the box has no OK button";
        return Post(ok, BM_CLICK, 0, 0);
      })) {
    return failed;
  }
  return Gone(args, state);
}

// ---- real input through the X server ------------------------------------------------

// xdotool leaves its status beside the trace.
XInput XInputFor(const ScenarioState& state) {
  return {state.tracePath.substr(0, state.tracePath.find_last_of(L'\\'))};
}

// Where a click on the window lands: the middle of a control, the first item of a menu, or the
// first icon of the notification area (square icons in a row from its left).
POINT ClickPoint(std::string_view name, HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  if (name == "notification-area") return {client.bottom / 2, client.bottom / 2};
  if (name == "menu") return {client.right / 2, GetSystemMetrics(SM_CYMENUSIZE) / 2};
  return {client.right / 2, client.bottom / 2};
}

Failure RealClick(const Arguments& args, ScenarioState& state, int button, int clicks) {
  return ActOn(args.words[0], [&](HWND window) {
    return XClick(XInputFor(state), window, ClickPoint(args.words[0], window), button, clicks);
  });
}

Failure XClickStep(const Arguments& args, ScenarioState& state) {
  return RealClick(args, state, 1, 1);
}
Failure XDoubleClickStep(const Arguments& args, ScenarioState& state) {
  return RealClick(args, state, 1, 2);
}
Failure XRightClickStep(const Arguments& args, ScenarioState& state) {
  return RealClick(args, state, 3, 1);
}
Failure XKeyStep(const Arguments& args, ScenarioState& state) {
  return XKeys(XInputFor(state), args.rawText);
}
Failure XTypeStep(const Arguments& args, ScenarioState& state) {
  return XType(XInputFor(state), args.rawText);
}

// ---- the power call -------------------------------------------------------------------

Failure Mark(const Arguments& args, ScenarioState& state) {
  state.marks[args.words[0]] = Now();
  return std::nullopt;
}

// The traced call comes at the mark plus the given seconds, within the tolerance.
Failure Call(const Arguments& args, ScenarioState& state) {
  const auto mark = state.marks.find(args.words[0]);
  if (mark == state.marks.end()) return "no mark " + args.words[0];
  const double after = std::atof(args.words[1].c_str());
  const double tolerance = std::atof(args.words[2].c_str());
  std::optional<TracedCall> found;
  PollUntil(mark->second + after + tolerance + 1 - Now(), [&] {
    for (const TracedCall& call : ReadTracedCalls(state.tracePath)) {
      if (call.call == args.rawText) {
        found = call;
        return true;
      }
    }
    return false;
  });
  if (!found) return "no call " + args.rawText + " in the trace";
  const double at = found->seconds - mark->second;
  std::ostringstream measured;
  measured.precision(3);
  measured << at << " s after " << args.words[0];
  state.note = measured.str();
  if (std::fabs(at - after) <= tolerance) return std::nullopt;
  return args.rawText + " came " + state.note + ", not " + args.words[1];
}

// Clock mode aimed at the next whole minute at least the given seconds ahead: writes the hour
// and minute fields and the half-day box, and marks the target moment as "target".
Failure ClockTarget(const Arguments& args, ScenarioState& state) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const double lead = std::atof(args.words[0].c_str());
  double ahead = 60 - now.wSecond - now.wMilliseconds / 1000.0;
  if (ahead < lead) ahead += 60;
  const double markNow = Now();
  const int minuteOfDay = (now.wHour * 60 + now.wMinute + int(std::ceil(ahead / 60))) % 1440;
  const int hour = minuteOfDay / 60;
  const int minute = minuteOfDay % 60;
  // The fields name 1 to 12 上午 and 1 to 11 下午 (12 下午 is 23:00): 00:MM has no name.
  if (hour == 0) return "the clock cannot name 00:" + std::to_string(minute);
  const bool afternoon = hour > 12;
  const Arguments hourText{{"hour-field"}, std::to_wstring(afternoon ? hour - 12 : hour), {}};
  const Arguments minuteText{{"minute-field"}, std::to_wstring(minute), {}};
  const Arguments halfDay{{"half-day-box"}, afternoon ? L"下午" : L"上午", {}};
  for (const Arguments* step : {&hourText, &minuteText}) {
    if (Failure failed = Set(*step, state)) return failed;
  }
  if (Failure failed = Select(halfDay, state)) return failed;
  state.marks["target"] = markNow + ahead;
  state.note = Utf8(hourText.text) + ":" + Utf8(minuteText.text) + " " + Utf8(halfDay.text) + ", " +
               std::to_string(int(ahead)) + " s ahead";
  return std::nullopt;
}

// ---- the table of verbs ---------------------------------------------------------------

struct Verb {
  std::string_view name;
  std::size_t words;  // words before the text
  bool text;          // takes the rest of the line as a text
  Failure (*run)(const Arguments&, ScenarioState&);
};

constexpr Verb kVerbs[] = {
    {"mark", 1, false, Mark},
    {"shown", 1, false, Shown},
    {"hidden", 1, false, Hidden},
    {"gone", 1, false, Gone},
    {"unseen", 1, false, Unseen},
    {"menu-at-cursor", 0, false, MenuAtCursor},
    {"clock-now", 1, false, ClockNow},
    {"x-click", 1, false, XClickStep},
    {"x-double-click", 1, false, XDoubleClickStep},
    {"x-right-click", 1, false, XRightClickStep},
    {"x-key", 0, true, XKeyStep},
    {"x-type", 0, true, XTypeStep},
    {"enabled", 1, false, Enabled},
    {"disabled", 1, false, Disabled},
    {"checked", 1, false, Checked},
    {"unchecked", 1, false, Unchecked},
    {"text", 1, true, Text},
    {"steady", 2, true, Steady},
    {"message", 1, true, Message},
    {"set", 1, true, Set},
    {"select", 1, true, Select},
    {"click", 1, false, Click},
    {"close", 1, false, Close},
    {"esc", 1, false, Escape},
    {"tray", 1, false, Tray},
    {"menu-item", 1, false, MenuItem},
    {"ok", 1, false, Ok},
    {"call", 3, true, Call},
    {"clock-target", 1, false, ClockTarget},
    {"stays-unseen", 2, false, StaysUnseen},
};

}  // namespace

Failure RunStep(std::string_view line, ScenarioState& state) {
  state.note.clear();
  std::istringstream in{std::string(line)};
  std::string name;
  in >> name;
  for (const Verb& verb : kVerbs) {
    if (verb.name != name) continue;
    Arguments args;
    for (std::size_t i = 0; i < verb.words; ++i) {
      std::string word;
      if (!(in >> word)) return "too few arguments";
      args.words.push_back(word);
    }
    std::string rest;
    std::getline(in >> std::ws, rest);
    if (verb.text == rest.empty()) return verb.text ? "no text" : "unexpected text " + rest;
    args.rawText = Unescape(rest);
    args.text = Wide(args.rawText);
    return verb.run(args, state);
  }
  return "unknown step " + name;
}

}  // namespace quorvane::e2e
