#include "forms/main_window.h"

#include <array>

#include "forms/main_window_ids.h"
#include "forms/product_page.h"
#include "resources/icons.h"
#include "ui/window_styles.h"

namespace quorvane {

namespace {

using namespace main_window;
using namespace style;

constexpr std::array<ComboItem, 5> kActions = {
    {{"关机", 1}, {"重启", 2}, {"注销", 3}, {"休眠", 4}, {"冬眠", 5}}};
constexpr std::array<ComboItem, 3> kUnits = {{{"小时后", 3600}, {"分钟后", 60}, {"秒后", 1}}};
constexpr std::array<ComboItem, 2> kHalfDays = {{{"上午", 12}, {"下午", 24}}};

constexpr std::uint32_t kButtonFace = SystemColour(kColourButtonFace);
constexpr std::uint32_t kBlack = Rgb(0, 0, 0);
constexpr std::uint32_t kLabelStyle = kStaticOneLine | kStaticCentreImage;
constexpr FontSpec kStatusFont = {"新宋体", -14, 700};
constexpr FontSpec kAboutButtonFont = {"宋体", -12, 400};

// Topmost first; the two group boxes lie beneath everything. Children of 分组框1 are placed
// relative to it.
// clang-format off
constexpr std::array<ControlDesign, 30> kControls = {{
    {.id = kWindow, .kind = ControlKind::kWindow, .name = "窗口1", .width = 295, .height = 378,
     .text = "Quorvane v3.0", .style = kOverlapped | kCaption | kSysMenu | kClipChildren},
    {.id = kWebBox, .kind = ControlKind::kWebBox, .name = "超文本浏览框1", .left = 272,
     .top = 280, .width = 100, .height = 100, .text = kProductPage, .visible = false,
     .tabStop = true},
    {.id = kAboutButton, .kind = ControlKind::kButton, .name = "按钮5", .left = 24, .top = 288,
     .width = 96, .height = 32, .text = "关于软件和作者", .tabStop = true,
     .font = kAboutButtonFont},
    {.id = kClockModeTimer, .kind = ControlKind::kTimer, .name = "时钟3", .parent = kConfigGroup,
     .visible = false},
    {.id = kRelativeTimer, .kind = ControlKind::kTimer, .name = "时钟2", .parent = kConfigGroup,
     .visible = false},
    {.id = kMinuteLabel, .kind = ControlKind::kLabel, .name = "标签4", .parent = kConfigGroup,
     .left = 151, .top = 95, .width = 13, .height = 15, .text = "分", .style = kLabelStyle,
     .textColour = kBlack, .backColour = kButtonFace},
    {.id = kClockField, .kind = ControlKind::kEdit, .name = "编辑框6", .parent = kConfigGroup,
     .left = 21, .top = 123, .width = 194, .height = 20, .tabStop = true,
     .style = kEditCentre | kBorder, .textColour = Rgb(255, 0, 0), .backColour = kButtonFace},
    {.id = kClockTimer, .kind = ControlKind::kTimer, .name = "时钟1", .parent = kConfigGroup,
     .initial = 1000, .visible = false},
    {.id = kMinuteSpinner, .kind = ControlKind::kSpinner, .name = "调节器3",
     .parent = kConfigGroup, .left = 137, .top = 90, .width = 12, .height = 20,
     .disabled = true},
    {.id = kFlashOption, .kind = ControlKind::kCheckBox, .name = "选择框2",
     .parent = kConfigGroup, .left = 20, .top = 156, .width = 178, .height = 24,
     .text = "托盘图标闪烁，在执行动作前", .tabStop = true},
    {.id = kMinuteField, .kind = ControlKind::kEdit, .name = "编辑框4", .parent = kConfigGroup,
     .left = 116, .top = 91, .width = 17, .height = 20, .text = "0", .disabled = true,
     .tabStop = true, .exStyle = kExClientEdge},
    {.id = kHourLabel, .kind = ControlKind::kLabel, .name = "标签2", .parent = kConfigGroup,
     .left = 101, .top = 95, .width = 11, .height = 15, .text = "时", .style = kLabelStyle,
     .textColour = kBlack, .backColour = kButtonFace},
    {.id = kHourSpinner, .kind = ControlKind::kSpinner, .name = "调节器2", .parent = kConfigGroup,
     .left = 87, .top = 90, .width = 11, .height = 20, .disabled = true},
    {.id = kHalfDayBox, .kind = ControlKind::kComboBox, .name = "组合框3", .parent = kConfigGroup,
     .left = 166, .top = 92, .width = 50, .height = 20, .items = kHalfDays, .disabled = true,
     .tabStop = true},
    {.id = kHourField, .kind = ControlKind::kEdit, .name = "编辑框3", .parent = kConfigGroup,
     .left = 65, .top = 91, .width = 20, .height = 20, .text = "1", .disabled = true,
     .tabStop = true, .exStyle = kExClientEdge},
    {.id = kClockRadio, .kind = ControlKind::kRadioBox, .name = "单选框2", .parent = kConfigGroup,
     .left = 17, .top = 94, .width = 34, .height = 17, .text = "于", .tabStop = true},
    {.id = kUnitBox, .kind = ControlKind::kComboBox, .name = "组合框2", .parent = kConfigGroup,
     .left = 119, .top = 60, .width = 97, .height = 20, .items = kUnits, .tabStop = true},
    {.id = kCountSpinner, .kind = ControlKind::kSpinner, .name = "调节器1",
     .parent = kConfigGroup, .left = 99, .top = 59, .width = 11, .height = 20},
    {.id = kCountField, .kind = ControlKind::kEdit, .name = "编辑框2", .parent = kConfigGroup,
     .left = 65, .top = 60, .width = 32, .height = 20, .text = "1", .tabStop = true,
     .exStyle = kExClientEdge, .textLimit = 3},
    {.id = kRelativeRadio, .kind = ControlKind::kRadioBox, .name = "单选框1",
     .parent = kConfigGroup, .left = 17, .top = 64, .width = 30, .height = 14, .text = "在",
     .initial = 1, .tabStop = true},
    {.id = kActionBox, .kind = ControlKind::kComboBox, .name = "组合框1", .parent = kConfigGroup,
     .left = 65, .top = 28, .width = 151, .height = 20, .items = kActions, .tabStop = true},
    {.id = kActionLabel, .kind = ControlKind::kLabel, .name = "标签1", .parent = kConfigGroup,
     .left = 14, .top = 30, .width = 24, .height = 16, .text = "动作", .style = kLabelStyle,
     .textColour = kBlack, .backColour = kButtonFace},
    {.id = kStatusBox, .kind = ControlKind::kEdit, .name = "编辑框1", .left = 32, .top = 224,
     .width = 224, .height = 30, .text = "定时器已停止", .tabStop = true, .style = kEditCentre,
     .font = kStatusFont, .textColour = kBlack, .backColour = kButtonFace},
    {.id = kStartButton, .kind = ControlKind::kButton, .name = "按钮1", .left = 130, .top = 288,
     .width = 134, .height = 32, .text = "启动定时器(&E)", .tabStop = true},
    {.id = kConfigGroup, .kind = ControlKind::kGroupBox, .name = "分组框1", .left = 24, .top = 5,
     .width = 238, .height = 195, .text = "配置", .textColour = kBlack,
     .backColour = kButtonFace},
    {.id = kRemainingGroup, .kind = ControlKind::kGroupBox, .name = "分组框2", .left = 22,
     .top = 209, .width = 240, .height = 55, .text = "剩余倒计时", .textColour = kBlack,
     .backColour = kButtonFace},
    // The tray menu: a hidden top-level item whose items pop up from the tray icon.
    {.id = kTrayMenu, .kind = ControlKind::kMenuItem, .name = "托盘菜单", .text = "托盘菜单",
     .visible = false},
    {.id = kExitItem, .kind = ControlKind::kMenuItem, .name = "退出", .text = "退出(&X)",
     .menuLevel = 1},
    {.id = kMenuSeparator, .kind = ControlKind::kMenuItem, .name = "分隔线", .text = "-",
     .menuLevel = 1},
    {.id = kAboutItem, .kind = ControlKind::kMenuItem, .name = "关于", .text = "关于(&A)",
     .menuLevel = 1},
}};
// clang-format on

}  // namespace

const WindowDesign& MainWindowDesign() {
  static const WindowDesign design = {.id = kMainWindow,
                                      .controls = kControls,
                                      .escCloses = true,
                                      .showInTaskbar = true,
                                      .icon = MainWindowIconFile()};
  return design;
}

}  // namespace quorvane
