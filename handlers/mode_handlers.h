// The mode radios, the flash option box, the clock field, and the main window's creation.
#pragma once

#include <functional>

#include "countdown/date_time.h"
#include "ui/window_services.h"

namespace quorvane {

class ModeHandlers {
 public:
  using SetVisualStyleFn = std::function<int(int style)>;

  ModeHandlers(WindowServices& ui, LocalClock clock, SetVisualStyleFn setVisualStyle)
      : ui_(ui), clock_(std::move(clock)), setVisualStyle_(std::move(setVisualStyle)) {}

  void OnRelativeRadioClicked();
  void OnClockRadioClicked();
  void OnFlashOptionClicked();
  void OnClockTick();
  void OnCreated();

 private:
  WindowServices& ui_;
  LocalClock clock_;
  SetVisualStyleFn setVisualStyle_;
};

}  // namespace quorvane
