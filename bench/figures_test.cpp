#include "bench/figures.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane::bench {
namespace {

TEST(Median, MiddleValueOfUnsortedRuns) {
  EXPECT_DOUBLE_EQ(Median({30, 10, 20}), 20);
  EXPECT_DOUBLE_EQ(Median({40, 10, 30, 20}), 25);
  EXPECT_DOUBLE_EQ(Median({7}), 7);
  EXPECT_DOUBLE_EQ(Median({}), 0);
}

// Moments of n ticks, tick k (from 0) at start + k * period + offsets[k].
std::vector<double> Ticks(int count, double period, std::vector<double> offsets = {}) {
  std::vector<double> moments;
  for (int k = 0; k < count; ++k) {
    moments.push_back(5000 + k * period + (k < int(offsets.size()) ? offsets[k] : 0));
  }
  return moments;
}

TEST(WorkOutTicks, FiguresOfTypicalRecords) {
  struct Case {
    const char* what;
    std::vector<double> changes;
    int ticks;
    double lateness;
    double period;
  };
  const Case cases[] = {
      {"on time", Ticks(121, 1000), 121, 0, 1000},
      {"one late tick, the pace kept", Ticks(121, 1000, {0, 0, 0, 37}), 121, 37, 1000},
      {"a slow timer drifts: lateness grows", Ticks(121, 1001), 121, 120, 1001},
      {"early ticks are not late", Ticks(11, 999), 11, 0, 999},
      {"a missed tick counts a period late", {0, 1000, 3000}, 3, 1000, 1500},
      {"the first tick sets the pace", {0, 1040, 2000}, 3, 40, 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TickFigures figures = WorkOutTicks(c.changes, 1000);
    EXPECT_EQ(figures.ticks, c.ticks);
    EXPECT_NEAR(figures.largestLatenessMs, c.lateness, 1e-6);
    EXPECT_NEAR(figures.meanPeriodMs, c.period, 1e-6);
  }
}

TEST(WorkOutTicks, TooFewTicksGiveNoFigures) {
  for (const std::vector<double>& changes : {std::vector<double>{}, std::vector<double>{1234}}) {
    const TickFigures figures = WorkOutTicks(changes, 1000);
    EXPECT_EQ(figures.ticks, int(changes.size()));
    EXPECT_EQ(figures.largestLatenessMs, 0);
    EXPECT_EQ(figures.meanPeriodMs, 0);
  }
}

}  // namespace
}  // namespace quorvane::bench
