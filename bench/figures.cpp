#include "bench/figures.h"

#include <algorithm>

namespace quorvane::bench {

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return (values[middle - 1] + values[middle]) / 2;
}

TickFigures WorkOutTicks(const std::vector<double>& changes, double periodMs) {
  TickFigures figures;
  figures.ticks = int(changes.size());
  if (changes.size() < 2) return figures;
  for (std::size_t n = 1; n < changes.size(); ++n) {
    const double due = changes[0] + double(n) * periodMs;
    figures.largestLatenessMs = std::max(figures.largestLatenessMs, changes[n] - due);
  }
  figures.meanPeriodMs = (changes.back() - changes.front()) / double(changes.size() - 1);
  return figures;
}

}  // namespace quorvane::bench
