#include "app/skin/visual_style.h"

#include "app/skin/skin_hook.h"
#include "app/skin/skin_windows.h"

namespace quorvane {

namespace {

int RemoveSkin() {
  skin::ReleaseAll();
  return skin::RemoveCreationHook();
}

}  // namespace

int SetVisualStyle(int style) {
  skin::SetStyle(style);
  if (style < 1 || style > 3) return RemoveSkin();
  RemoveSkin();
  skin::OfferThreadWindows();
  skin::InstallCreationHook();
  return 1;
}

}  // namespace quorvane
