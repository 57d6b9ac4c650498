// What the steps of a scenario share, and the steps themselves by kind: watching what the user
// sees, acting as the user, and timing the power call.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/scenario_steps.h"

namespace quorvane::e2e {

// How long a step waits for the program to show what is expected: message boxes close
// slowly under Wine, and the first window needs the web box.
inline constexpr double kWaitSeconds = 20;
// A window that does not answer a sent message within this time counts as hung.
inline constexpr UINT kAnswerMs = 3000;

using Failure = std::optional<std::string>;

struct Arguments {
  std::vector<std::string> words;
  std::wstring text;  // the rest of the line, when the verb takes a text
  std::string rawText;
};

using Step = Failure (*)(const Arguments&, ScenarioState&);

// The tick count in seconds.
double Now();
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
// A text for the log, line breaks written as \r\n.
std::string Quoted(std::wstring_view text);
// Polls done() until it holds or the seconds have passed; whether it held.
bool PollUntil(double seconds, const std::function<bool()>& done);

// A window of the program or a control of the main window, by name; null when not there.
HWND FindTarget(std::string_view name);
Failure CheckName(std::string_view name);
Failure Missing(std::string_view name);
// Acts on a window that must exist now.
Failure ActOn(std::string_view name, const std::function<Failure(HWND)>& act);
Failure Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
Failure Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr);

// Watching: each waits until the program shows it, or holds for the time given.
Failure Shown(const Arguments&, ScenarioState&);
Failure Hidden(const Arguments&, ScenarioState&);
Failure Unseen(const Arguments&, ScenarioState&);
Failure Gone(const Arguments&, ScenarioState&);
Failure Enabled(const Arguments&, ScenarioState&);
Failure Disabled(const Arguments&, ScenarioState&);
Failure Checked(const Arguments&, ScenarioState&);
Failure Unchecked(const Arguments&, ScenarioState&);
Failure Text(const Arguments&, ScenarioState&);
Failure Steady(const Arguments&, ScenarioState&);
Failure StaysUnseen(const Arguments&, ScenarioState&);
Failure ClockNow(const Arguments&, ScenarioState&);
Failure Message(const Arguments&, ScenarioState&);
Failure MenuAtCursor(const Arguments&, ScenarioState&);

// Acting with window messages.
Failure Click(const Arguments&, ScenarioState&);
Failure Close(const Arguments&, ScenarioState&);
Failure Escape(const Arguments&, ScenarioState&);
Failure Set(const Arguments&, ScenarioState&);
Failure Select(const Arguments&, ScenarioState&);
Failure Tray(const Arguments&, ScenarioState&);
Failure MenuItem(const Arguments&, ScenarioState&);
Failure Ok(const Arguments&, ScenarioState&);

// Acting with real input through the X server.
Failure XClickStep(const Arguments&, ScenarioState&);
Failure XDoubleClickStep(const Arguments&, ScenarioState&);
Failure XRightClickStep(const Arguments&, ScenarioState&);
Failure XKeyStep(const Arguments&, ScenarioState&);
Failure XTypeStep(const Arguments&, ScenarioState&);

// Timing the power call.
Failure Mark(const Arguments&, ScenarioState&);
Failure Call(const Arguments&, ScenarioState&);
Failure ClockTarget(const Arguments&, ScenarioState&);

}  // namespace quorvane::e2e
