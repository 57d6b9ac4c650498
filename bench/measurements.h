// One run of each measurement, on programs started afresh for it and ended after it.
#pragma once

#include <vector>

#include "bench/subjects.h"

namespace quorvane::bench {

// Milliseconds from the process start to its main window visible.
double MeasureStartup(const Subject& subject);

struct IdleCost {
  double cpuMs;              // kernel plus user time over the measured span
  double peakWorkingSetKiB;  // since the process started
};

// Starts every subject at once and leaves them alone: the CPU time each uses over `spanMs`,
// counted from `settleMs` after its window shows, and its peak working set at the end.
std::vector<IdleCost> MeasureIdle(const std::vector<Subject>& subjects, double settleMs,
                                  double spanMs);

// Starts every subject at once and sets each ticking; the moments (ms) at which each one's
// ticking text changes, from the first change until `periods` one-second periods later.
std::vector<std::vector<double>> RecordTicks(const std::vector<Subject>& subjects, int periods);

}  // namespace quorvane::bench
