// The count, hour and minute fields keep their readings within bounds, and their spinners
// step them by one.
#pragma once

#include <cstdint>

#include "ui/window_services.h"

namespace quorvane {

class FieldHandlers {
 public:
  explicit FieldHandlers(WindowServices& ui) : ui_(ui) {}

  void OnCountChanged();
  void OnHourChanged();
  void OnMinuteChanged();
  // argument: 1 for the up arrow, anything else for the down arrow
  void OnCountArrow(std::int32_t argument);
  void OnHourArrow(std::int32_t argument);
  void OnMinuteArrow(std::int32_t argument);

 private:
  WindowServices& ui_;
};

}  // namespace quorvane
