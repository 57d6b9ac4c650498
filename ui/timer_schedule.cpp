#include "ui/timer_schedule.h"

#include <algorithm>

namespace quorvane {

TimerSchedule::Wake TimerSchedule::OnWake(std::int64_t now) {
  if (now < NextDue()) return {false, NextDue() - now};  // woke early: wait for the rest
  const std::int64_t ticksPassed = (now - start_) / period_;
  nextTick_ = std::max(nextTick_ + 1, ticksPassed + 1);
  return {true, std::max<std::int64_t>(1, NextDue() - now)};
}

}  // namespace quorvane
