// The figures of a benchmark run, worked out from what was measured.
#pragma once

#include <vector>

namespace quorvane::bench {

// The middle value, or the mean of the two middle ones for an even count; 0 for no values.
double Median(std::vector<double> values);

struct TickFigures {
  int ticks = 0;                 // changes of the ticking text that were seen
  double largestLatenessMs = 0;  // the latest tick against its due time; 0 for one tick or none
  double meanPeriodMs = 0;       // 0 for fewer than two ticks
};

// `changes`: the moments (ms, ascending) at which a ticking text was seen to change. The first
// change sets the pace: tick n is due at changes[0] + (n - 1) * periodMs.
TickFigures WorkOutTicks(const std::vector<double>& changes, double periodMs);

}  // namespace quorvane::bench
