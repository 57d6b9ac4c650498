#include "forms/about_window.h"

#include <array>

#include "forms/main_window_ids.h"
#include "forms/makers.h"
#include "forms/product_page.h"
#include "ui/window_styles.h"

namespace quorvane {

namespace {

using namespace about_window;
using namespace style;

constexpr std::uint32_t kButtonFace = SystemColour(kColourButtonFace);
constexpr std::uint32_t kBlack = Rgb(0, 0, 0);

constexpr const char* kAboutTextContent =
    "很感谢您使用我们的软件，Quorvane是由\"Draxen\"开发完成，本程序是为方便广大上网朋友定时关机和"
    "Quorvane所设计的！\r\n\r\nv2.0更新信息：\r\n\r\n软件主页去掉广告，修改精简了代码！在v1.5的"
    "功能基础上，增加了定时关机功能，使之拥有倒计时和定时关机两种功能!对软件功能区进行了重新调整，"
    "看起来更美观！";

constexpr const char* kAppeal = "支持我们的发展，请点击下面的广告（绿色文字）\r\n\r\n↓点↓";

const std::string& ServicesText() {
  static const std::string text = std::string("长期承接：网站建设 软件开发 黑客技术培训  \r\n") +
                                  "需要的请联系QQ：" + kMakersContactNumber + "  网址：" +
                                  kMakersWebAddress;
  return text;
}

}  // namespace

const WindowDesign& AboutWindowDesign() {
  // clang-format off
  static const std::array<ControlDesign, 7> controls = {{
      {.id = kWindowControl, .kind = ControlKind::kWindow, .name = "关于窗口", .width = 440,
       .height = 336, .text = "关于本软件和作者",
       .style = kOverlapped | kCaption | kSysMenu | kClipChildren},
      {.id = kServicesLabel, .kind = ControlKind::kLabel, .name = "标签2", .left = 32,
       .top = 272, .width = 384, .height = 40, .text = ServicesText().c_str(),
       .style = kStaticLeft, .textColour = kBlack, .backColour = kButtonFace},
      {.id = kAppealLabel, .kind = ControlKind::kLabel, .name = "标签1", .left = 26, .top = 121,
       .width = 374, .height = 47, .text = kAppeal, .style = kStaticLeft,
       .font = {"宋体", -16, 700}, .textColour = Rgb(255, 0, 0), .backColour = kButtonFace},
      {.id = kLeftMask, .kind = ControlKind::kPictureBox, .name = "图片框3", .left = 3,
       .top = 150, .width = 24, .height = 128, .backColour = kButtonFace},
      {.id = kTopMask, .kind = ControlKind::kPictureBox, .name = "图片框1", .left = 8, .top = 152,
       .width = 432, .height = 16, .backColour = kButtonFace},
      {.id = kWebBox, .kind = ControlKind::kWebBox, .name = "超文本浏览框1", .left = 16,
       .top = 175, .width = 424, .height = 112, .text = kProductPage, .tabStop = true},
      {.id = kAboutText, .kind = ControlKind::kTransparentLabel, .name = "透明标签1", .left = 16,
       .top = 8, .width = 408, .height = 120, .text = kAboutTextContent, .style = kStaticLeft,
       .textColour = kBlack},
  }};
  // clang-format on
  static const WindowDesign design = {
      .id = kAboutWindow, .controls = controls, .escCloses = true, .showInTaskbar = false};
  return design;
}

}  // namespace quorvane
