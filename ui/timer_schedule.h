// When a periodic timer's ticks are due. The n-th tick of a timer started at `start` is due at
// start + n * period on a monotonic clock, so a late tick never delays the ones after it.
// When more than one period has passed (the computer slept, the thread was blocked), one tick
// is delivered and the missed ones are dropped, as the system's own timers do.
#pragma once

#include <cstdint>

namespace quorvane {

class TimerSchedule {
 public:
  TimerSchedule() = default;
  TimerSchedule(std::int64_t start, std::int32_t period) : start_(start), period_(period) {}

  struct Wake {
    bool tickDue;              // deliver one tick now
    std::int64_t delayToNext;  // arm the system timer for this many milliseconds (at least 1)
  };
  // The system timer woke at `now`.
  Wake OnWake(std::int64_t now);

  std::int64_t NextDue() const { return start_ + nextTick_ * period_; }

 private:
  std::int64_t start_ = 0;
  std::int64_t period_ = 1;
  std::int64_t nextTick_ = 1;
};

}  // namespace quorvane
