#include "tests/e2e/scenario_steps.h"

#include <sstream>

#include "tests/e2e/steps.h"

namespace quorvane::e2e {

namespace {

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

struct Verb {
  std::string_view name;
  std::size_t words;  // words before the text
  bool text;          // takes the rest of the line as a text
  Step run;
};

// NAME is a window (main, about, notice, warning, menu, notification-area) or a control of the
// main window by its role (count-field, start-button, ...); TEXT is the rest of the line.
// clang-format off
constexpr Verb kVerbs[] = {
    // Watching what the user sees; each waits until it is so.
    {"shown", 1, false, Shown},                // shown NAME
    {"hidden", 1, false, Hidden},              // hidden NAME: there, not visible
    {"unseen", 1, false, Unseen},              // unseen NAME: not visible or not there
    {"gone", 1, false, Gone},                  // gone NAME: not there
    {"enabled", 1, false, Enabled},            // enabled NAME
    {"disabled", 1, false, Disabled},          // disabled NAME
    {"checked", 1, false, Checked},            // checked NAME
    {"unchecked", 1, false, Unchecked},        // unchecked NAME
    {"text", 1, true, Text},                   // text NAME TEXT
    {"message", 1, true, Message},             // message NAME TEXT: a message box's text
    {"clock-now", 1, false, ClockNow},         // clock-now NAME: the local date and time
    {"menu-at-cursor", 0, false, MenuAtCursor},
    // ... or that it stays so for a while.
    {"steady", 2, true, Steady},               // steady NAME SECONDS TEXT
    {"stays-unseen", 2, false, StaysUnseen},   // stays-unseen NAME SECONDS
    // Acting with window messages.
    {"set", 1, true, Set},                     // set NAME TEXT
    {"select", 1, true, Select},               // select NAME ITEM
    {"click", 1, false, Click},                // click NAME
    {"close", 1, false, Close},                // close NAME
    {"esc", 1, false, Escape},                 // esc NAME
    {"ok", 1, false, Ok},                      // ok NAME: the message box's OK button
    {"tray", 1, false, Tray},                  // tray click | double-click | right-click
    {"menu-item", 1, false, MenuItem},         // menu-item exit | about
    // Acting with real input through the X server.
    {"x-click", 1, false, XClickStep},         // x-click NAME
    {"x-double-click", 1, false, XDoubleClickStep},
    {"x-right-click", 1, false, XRightClickStep},
    {"x-key", 0, true, XKeyStep},              // x-key KEY...: xdotool's key names
    {"x-type", 0, true, XTypeStep},            // x-type TEXT
    // Timing the power call.
    {"mark", 1, false, Mark},                  // mark MARK: now
    {"call", 3, true, Call},                   // call MARK SECONDS TOLERANCE FUNCTION(ARGS)
    {"clock-target", 1, false, ClockTarget},   // clock-target LEAD-SECONDS: marks "target"
};
// clang-format on

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
