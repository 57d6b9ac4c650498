// The about window's design; no event of it is bound.
#pragma once

#include "ui/design.h"

namespace quorvane {

const WindowDesign& AboutWindowDesign();

}  // namespace quorvane
