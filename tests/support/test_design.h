// A small window design for the window services' tests: one control of each kind the
// services treat specially, and a second window to load modally.
#pragma once

#include <array>

#include "ui/design.h"

namespace quorvane::test {

enum TestWindow { kTestMain = 1, kTestDialog = 2 };
enum TestControl {
  kEdit = 1,
  kButton,
  kTimer,
  kCombo,
  kRadioA,
  kRadioB,
  kCheck,
  kGroup,
  kSpinner,
  kTrayMenu,
  kExitItem,
  kSeparator,
  kAboutItem,
};

inline constexpr std::array<ComboItem, 3> kComboItems = {{{"小时后", 3600}, {"分钟后", 60}, {"秒后", 1}}};

inline constexpr std::array<ControlDesign, 14> kTestMainControls = {{
    {.id = 0, .kind = ControlKind::kWindow, .name = "窗口", .width = 300, .height = 200,
     .text = "测试窗口"},
    {.id = kEdit, .kind = ControlKind::kEdit, .name = "编辑框1", .left = 10, .top = 10,
     .width = 100, .height = 20, .text = "1", .tabStop = true, .textLimit = 3},
    {.id = kButton, .kind = ControlKind::kButton, .name = "按钮1", .left = 10, .top = 40,
     .width = 100, .height = 30, .text = "启动定时器(&E)", .tabStop = true},
    {.id = kTimer, .kind = ControlKind::kTimer, .name = "时钟1", .parent = kGroup},
    {.id = kCombo, .kind = ControlKind::kComboBox, .name = "组合框1", .parent = kGroup, .left = 10,
     .top = 20, .width = 80, .height = 20, .items = kComboItems, .tabStop = true},
    {.id = kRadioA, .kind = ControlKind::kRadioBox, .name = "单选框1", .parent = kGroup,
     .left = 10, .top = 50, .width = 40, .height = 16, .text = "在", .initial = 1,
     .tabStop = true},
    {.id = kRadioB, .kind = ControlKind::kRadioBox, .name = "单选框2", .parent = kGroup,
     .left = 60, .top = 50, .width = 40, .height = 16, .text = "于", .tabStop = true},
    {.id = kCheck, .kind = ControlKind::kCheckBox, .name = "选择框1", .parent = kGroup, .left = 10,
     .top = 70, .width = 80, .height = 16, .text = "选项", .tabStop = true},
    {.id = kSpinner, .kind = ControlKind::kSpinner, .name = "调节器1", .parent = kGroup,
     .left = 95, .top = 20, .width = 12, .height = 20},
    {.id = kGroup, .kind = ControlKind::kGroupBox, .name = "分组框1", .left = 120, .top = 5,
     .width = 160, .height = 150, .text = "配置"},
    {.id = kTrayMenu, .kind = ControlKind::kMenuItem, .name = "托盘菜单", .text = "托盘菜单",
     .visible = false},
    {.id = kExitItem, .kind = ControlKind::kMenuItem, .name = "退出", .text = "退出(&X)",
     .menuLevel = 1},
    {.id = kSeparator, .kind = ControlKind::kMenuItem, .name = "分隔", .text = "-", .menuLevel = 1},
    {.id = kAboutItem, .kind = ControlKind::kMenuItem, .name = "关于", .text = "关于(&A)",
     .menuLevel = 1},
}};

inline constexpr std::array<ControlDesign, 2> kTestDialogControls = {{
    {.id = 0, .kind = ControlKind::kWindow, .name = "对话框", .width = 200, .height = 100,
     .text = "对话框"},
    {.id = 1, .kind = ControlKind::kLabel, .name = "标签1", .left = 10, .top = 10, .width = 100,
     .height = 20, .text = "你好"},
}};

inline constexpr WindowDesign kTestMainDesign = {
    .id = kTestMain, .controls = kTestMainControls, .escCloses = true};
inline constexpr WindowDesign kTestDialogDesign = {
    .id = kTestDialog, .controls = kTestDialogControls, .escCloses = true, .showInTaskbar = false};

}  // namespace quorvane::test
