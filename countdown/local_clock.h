// The computer's own clock.
#pragma once

#include "countdown/date_time.h"

namespace quorvane {

// The local wall-clock time now, fractions of a second dropped.
LocalTime SystemLocalTime();

}  // namespace quorvane
