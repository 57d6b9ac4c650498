// The start button starts and stops the countdown of the mode whose radio is checked.
#pragma once

#include "countdown/countdown_engine.h"
#include "countdown/date_time.h"
#include "ui/window_services.h"

namespace quorvane {

class StartStopButton {
 public:
  StartStopButton(WindowServices& ui, CountdownEngine& engine, LocalClock clock)
      : ui_(ui), engine_(engine), clock_(std::move(clock)) {}

  void OnClicked();

 private:
  WindowServices& ui_;
  CountdownEngine& engine_;
  LocalClock clock_;
};

}  // namespace quorvane
