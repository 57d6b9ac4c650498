#include "countdown/countdown_engine.h"

#include "forms/main_window_ids.h"
#include "power/shut_down.h"

namespace quorvane {

namespace {

ControlRef TimerOf(Slot slot) {
  return main_window::Ref(slot == Slot::kRelative ? main_window::kRelativeTimer
                                                  : main_window::kClockModeTimer);
}

}  // namespace

void CountdownEngine::Tick(Slot slot) {
  State& state = Of(slot);
  if (state.elapsed > state.total) {
    Fire(slot);
    return;
  }
  const std::int32_t remaining = TruncateToInteger(double(state.total) - double(state.elapsed));
  const std::int32_t hours = FloorToInteger(remaining / 3600.0);
  const std::int32_t minutes = FloorToInteger(Modulo(remaining, 3600.0, fatal_) / 60.0);
  const std::int32_t seconds = TruncateToInteger(Modulo(remaining, 60.0, fatal_));
  ++state.elapsed;
  ui_.WriteProperty(main_window::Ref(main_window::kStatusBox), property::kText,
                    JoinTexts({"剩余时间:", IntegerToText(hours), "小时", IntegerToText(minutes),
                               "分", IntegerToText(seconds), "秒"}));
}

void CountdownEngine::Fire(Slot slot) {
  const ControlRef actionBox = main_window::Ref(main_window::kActionBox);
  const std::int32_t item = ui_.ReadProperty(actionBox, property::kCurrentItem).AsInt();
  // Whatever the outcome, the countdown is over: a failed action is not retried.
  ShutDownSystem(power_, ui_.ItemValue(actionBox, item), true);
  // The program is still running after a suspend or hibernate; the next start of this slot
  // must count its full total again.
  RestartCount(slot);
  ui_.WriteProperty(TimerOf(slot), property::kPeriod, 0);
}

std::int32_t CountdownEngine::Total(Slot slot) const {
  return Of(slot).total;
}
void CountdownEngine::SetTotal(Slot slot, std::int32_t total) {
  Of(slot).total = total;
}
void CountdownEngine::RestartCount(Slot slot) {
  Of(slot).elapsed = 0;
}

}  // namespace quorvane
