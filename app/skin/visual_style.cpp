#include "app/skin/visual_style.h"

namespace quorvane {

int SetVisualStyle(int style) { return style >= 1 && style <= 3 ? 1 : 0; }

}  // namespace quorvane
