// Drives the running program from outside, step by step, as its user would:
//   e2e_driver SCENARIO-FILE TRACE-FILE
// Lines of the scenario file are steps (scenario_steps.h); "#" starts a comment and "@" a line
// for the runner. Prints one line per step and stops at the first that fails; exit code 0 when
// every step passed.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/e2e/scenario_steps.h"

int wmain(int argc, wchar_t** argv) {
  using namespace quorvane::e2e;
  if (argc != 3) {
    std::fputs("usage: e2e_driver SCENARIO-FILE TRACE-FILE\n", stderr);
    return 2;
  }
  std::ifstream scenario(argv[1]);
  if (!scenario) {
    std::fputs("cannot read the scenario\n", stderr);
    return 2;
  }
  ScenarioState state;
  state.tracePath = argv[2];
  const ULONGLONG start = GetTickCount64();
  std::string line;
  while (std::getline(scenario, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#' || line[0] == '@') continue;
    const auto failure = RunStep(line, state);
    const std::string detail = failure              ? ": " + *failure
                               : state.note.empty() ? std::string()
                                                    : " (" + state.note + ")";
    std::printf("%6.1f %s %s%s\n", double(GetTickCount64() - start) / 1000.0,
                failure ? "FAIL" : "ok  ", line.c_str(), detail.c_str());
    std::fflush(stdout);
    if (failure) return 1;
  }
  return 0;
}
