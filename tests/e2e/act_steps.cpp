#include "forms/main_window_ids.h"
#include "tests/e2e/program_windows.h"
#include "tests/e2e/steps.h"
#include "tests/e2e/x_input.h"
#include "ui/tray_codes.h"

namespace quorvane::e2e {

namespace {

// The tray menu's commands: 20000 plus the item's index among the window's menu items.
constexpr int kFirstMenuCommand = 20000;

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

}  // namespace

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

}  // namespace quorvane::e2e
