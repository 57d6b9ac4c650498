// The about window's design; no event of it is bound.
#pragma once

#include "ui/design.h"

namespace quorvane {

const WindowDesign& AboutWindowDesign();

// Control ids of the about window (design names beside them).
namespace about_window {
enum Control : int {
  kServicesLabel = 1,  // 标签2
  kAppealLabel,        // 标签1
  kLeftMask,           // 图片框3
  kTopMask,            // 图片框1
  kWebBox,             // 超文本浏览框1
  kAboutText,          // 透明标签1
};
}  // namespace about_window

}  // namespace quorvane
