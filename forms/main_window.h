// The main window's design.
#pragma once

#include "ui/design.h"

namespace quorvane {

const WindowDesign& MainWindowDesign();

}  // namespace quorvane
