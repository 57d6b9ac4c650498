// Ids of the program's windows and of the main window's controls.
#pragma once

#include "ui/types.h"

namespace quorvane {

inline constexpr int kMainWindow = 1;
inline constexpr int kAboutWindow = 2;

// Control ids of the main window, by role (design names beside them).
namespace main_window {
enum Control : int {
  kWindow = kWindowControl,
  kWebBox = 1,      // 超文本浏览框1
  kAboutButton,     // 按钮5
  kClockModeTimer,  // 时钟3
  kRelativeTimer,   // 时钟2
  kMinuteLabel,     // 标签4
  kClockField,      // 编辑框6
  kClockTimer,      // 时钟1
  kMinuteSpinner,   // 调节器3
  kFlashOption,     // 选择框2
  kMinuteField,     // 编辑框4
  kHourLabel,       // 标签2
  kHourSpinner,     // 调节器2
  kHalfDayBox,      // 组合框3
  kHourField,       // 编辑框3
  kClockRadio,      // 单选框2
  kUnitBox,         // 组合框2
  kCountSpinner,    // 调节器1
  kCountField,      // 编辑框2
  kRelativeRadio,   // 单选框1
  kActionBox,       // 组合框1
  kActionLabel,     // 标签1
  kStatusBox,       // 编辑框1
  kStartButton,     // 按钮1
  kConfigGroup,     // 分组框1
  kRemainingGroup,  // 分组框2
  kTrayMenu,        // 托盘菜单
  kExitItem,        // 退出(&X)
  kMenuSeparator,   // -
  kAboutItem,       // 关于(&A)
};

constexpr ControlRef Ref(Control control) {
  return {kMainWindow, control};
}
}  // namespace main_window

}  // namespace quorvane
