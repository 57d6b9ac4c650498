// The start button starts and stops the countdown of the mode whose radio is checked.
#pragma once

#include <cstdint>
#include <utility>

#include "countdown/countdown_engine.h"
#include "countdown/date_time.h"
#include "forms/main_window_ids.h"
#include "ui/window_services.h"

namespace quorvane {

class StartStopButton {
 public:
  StartStopButton(WindowServices& ui, CountdownEngine& engine, LocalClock clock)
      : ui_(ui), engine_(engine), clock_(std::move(clock)) {}

  // The `clicked` event of the start button.
  void OnClicked();

 private:
  using Control = main_window::Control;

  bool IsChecked(Control radio);
  bool IsRunning(Control timer);
  // Starts a stopped timer or stops a running one, with the caption and status that go with it.
  void Toggle(Control timer);
  std::int32_t CurrentItemValue(Control combo);
  double FieldNumber(Control field);
  // Seconds of the relative countdown: the count times the unit.
  std::int32_t RelativeTotal();
  // Seconds from now to the next time of day the clock fields name.
  std::int32_t ClockTotal();

  WindowServices& ui_;
  CountdownEngine& engine_;
  LocalClock clock_;
};

}  // namespace quorvane
