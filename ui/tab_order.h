// Keyboard focus order of a window: the controls marked as tab stops, from the bottom of the
// stacking order up (the design lists the topmost control first).
#pragma once

#include <vector>

#include "ui/design.h"

namespace quorvane {

std::vector<const ControlDesign*> TabOrder(const WindowDesign& design);

}  // namespace quorvane
