// The two countdowns of the main window: a count of timer ticks against a total in seconds.
// Each tick shows the remaining time in the status box, or, once the count has run out,
// carries out the selected power action and stops its timer.
#pragma once

#include <cstdint>

#include "countdown/values.h"
#include "power/power_api.h"
#include "ui/window_services.h"

namespace quorvane {

enum class Slot { kRelative, kClock };

class CountdownEngine {
 public:
  CountdownEngine(WindowServices& ui, const PowerApi& power, FatalReport fatal)
      : ui_(ui), power_(power), fatal_(fatal) {}

  // The `periodic event` of the slot's timer.
  void Tick(Slot slot);

  std::int32_t Total(Slot slot) const;
  void SetTotal(Slot slot, std::int32_t total);
  // Starts the slot's count of elapsed ticks again from 0.
  void RestartCount(Slot slot);

 private:
  void Fire(Slot slot);

  struct State {
    std::int32_t total = 0;
    std::int32_t elapsed = 0;
  };
  State& Of(Slot slot) { return slot == Slot::kRelative ? relative_ : clock_; }
  const State& Of(Slot slot) const { return slot == Slot::kRelative ? relative_ : clock_; }

  WindowServices& ui_;
  const PowerApi& power_;
  FatalReport fatal_;
  State relative_;
  State clock_;
};

}  // namespace quorvane
