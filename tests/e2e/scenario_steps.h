// One step of a scenario: a line "verb arguments..." that acts on the running program as a
// user would, or waits until the program shows what the user should see.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane::e2e {

struct ScenarioState {
  std::wstring tracePath;               // the program's relay trace
  std::map<std::string, double> marks;  // named moments, in seconds of the tick count
  std::string note;                     // what the last step measured, for the log
};

// Carries out one step; the reason when it failed. An unknown verb or a malformed line fails.
std::optional<std::string> RunStep(std::string_view line, ScenarioState& state);

}  // namespace quorvane::e2e
