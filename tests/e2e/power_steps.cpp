#include <cmath>
#include <sstream>

#include "tests/e2e/power_trace.h"
#include "tests/e2e/steps.h"

namespace quorvane::e2e {

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

}  // namespace quorvane::e2e
