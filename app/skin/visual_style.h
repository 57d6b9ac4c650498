// The control skin: a flat look with a coloured one-pixel frame for the standard controls of
// every window of the GUI thread, message boxes included.
#pragma once

namespace quorvane {

// 1 to 3 switch the skin on with that colour set and return 1; any other number switches it
// off and returns the result of removing the hook (0 when no skin was on).
int SetVisualStyle(int style);

}  // namespace quorvane
