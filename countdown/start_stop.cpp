#include "countdown/start_stop.h"

namespace quorvane {

void StartStopButton::OnClicked() {}

}  // namespace quorvane
