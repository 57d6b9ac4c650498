// The about window as the user sees it: loaded modally through the real services over the
// Win32 backend, looked at from a timer while its modal wait runs, and closed with Esc.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/about_window.h"
#include "forms/main_window_ids.h"
#include "forms/makers.h"
#include "tests/support/win32_pump.h"
#include "tests/support/win32_window_probe.h"
#include "ui/win32/web_box.h"

namespace quorvane {
namespace {

using namespace about_window;
using namespace test;

constexpr const char* kThankYouText =
    "很感谢您使用我们的软件，Quorvane是由\"Draxen\"开发完成，本程序是为方便广大上网朋友定时关机和"
    "Quorvane所设计的！\r\n\r\nv2.0更新信息：\r\n\r\n软件主页去掉广告，修改精简了代码！在v1.5的"
    "功能基础上，增加了定时关机功能，使之拥有倒计时和定时关机两种功能!对软件功能区进行了重新调整，"
    "看起来更美观！";
constexpr const char* kAppealText = "支持我们的发展，请点击下面的广告（绿色文字）\r\n\r\n↓点↓";

Text ServicesText() {
  return Text("长期承接：网站建设 软件开发 黑客技术培训  \r\n需要的请联系QQ：") +
         kMakersContactNumber + "  网址：" + kMakersWebAddress;
}

// Runs `look` once the modal about window is up, from a thread timer that its modal loop
// dispatches; a window still open five seconds later is closed so the test cannot hang.
class ModalLook {
 public:
  explicit ModalLook(std::function<void()> look) {
    current_ = this;
    look_ = std::move(look);
    lookTimer_ = SetTimer(nullptr, 0, 100, Look);
    rescueTimer_ = SetTimer(nullptr, 0, 5000, Rescue);
  }
  ~ModalLook() {
    KillTimer(nullptr, lookTimer_);
    KillTimer(nullptr, rescueTimer_);
    current_ = nullptr;
  }
  ModalLook(const ModalLook&) = delete;
  ModalLook& operator=(const ModalLook&) = delete;

  bool Rescued() const { return rescued_; }

 private:
  static void CALLBACK Look(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    current_->look_();
  }
  static void CALLBACK Rescue(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    current_->rescued_ = true;
    if (HWND open = FindWindowW(nullptr, L"关于本软件和作者")) {
      PostMessageW(open, WM_CLOSE, 0, 0);
    }
  }

  static inline ModalLook* current_ = nullptr;
  std::function<void()> look_;
  UINT_PTR lookTimer_ = 0;
  UINT_PTR rescueTimer_ = 0;
  bool rescued_ = false;
};

class AboutWindowWin32Test : public Win32ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.program.LoadStartWindow());
    mainWindow = Hwnd(main_window::Ref(main_window::kWindow));
  }

  // Loads the about window modally, runs `look` while it is open, then presses Esc in it.
  void OpenLookAndEscape(const std::function<void()>& look) {
    ModalLook modal([&] {
      look();
      // To the focus, as a key press goes; to the window when the focus went elsewhere (another
      // program on the same Wine desktop may hold the foreground).
      HWND focus = GetFocus();
      PostMessageW(focus ? focus : Of(kWindowControl), WM_KEYDOWN, VK_ESCAPE, 1);
    });
    EXPECT_TRUE(app.program.services.LoadWindow(kAboutWindow, true));
    EXPECT_FALSE(modal.Rescued()) << "Esc did not close the about window";
  }

  HWND Of(int control) const { return Hwnd({kAboutWindow, control}); }

  HWND mainWindow = nullptr;
};

TEST_F(AboutWindowWin32Test, IsAFixedCentredWindowOwnedByTheToolWindowWithoutAnIconOfItsOwn) {
  bool looked = false;
  OpenLookAndEscape([&] {
    looked = true;
    HWND window = Of(kWindowControl);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TextOf(window), "关于本软件和作者");
    EXPECT_TRUE(IsWindowVisible(window));
    ExpectFixedCentredWindow(window, 440, 336);
    EXPECT_EQ(GetWindow(window, GW_OWNER), app.backend.ToolWindow()) << "no taskbar button";
    EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0) << "the executable's icon";
    EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_FALSE(IsWindowEnabled(mainWindow)) << "modal: the main window waits";
  });
  EXPECT_TRUE(looked);
  EXPECT_FALSE(app.program.services.IsLoaded(kAboutWindow));
  EXPECT_TRUE(IsWindowEnabled(mainWindow)) << "usable again once the about window is closed";
  PumpFor(200);
  HWND focus = GetFocus();
  EXPECT_TRUE(focus && GetAncestor(focus, GA_ROOT) == mainWindow) << "the focus comes back";
}

struct AboutLook {
  int control;
  RECT rect;  // in the window's client area
  const char* text;
  DWORD exTransparent;
};

TEST_F(AboutWindowWin32Test, ControlsShowTheirTextsInPlaceStackedInOrder) {
  const Text services = ServicesText();
  const AboutLook looks[] = {
      {kServicesLabel, {32, 272, 416, 312}, services.c_str(), 0},
      {kAppealLabel, {26, 121, 400, 168}, kAppealText, 0},
      {kLeftMask, {3, 150, 27, 278}, "", 0},
      {kTopMask, {8, 152, 440, 168}, "", 0},
      {kAboutText, {16, 8, 424, 128}, kThankYouText, WS_EX_TRANSPARENT},
  };
  OpenLookAndEscape([&] {
    HWND window = Of(kWindowControl);
    for (const AboutLook& look : looks) {
      HWND control = Of(look.control);
      ASSERT_NE(control, nullptr);
      SCOPED_TRACE(look.control);
      EXPECT_EQ(ClassOf(control), L"Static");
      EXPECT_EQ(GetParent(control), window);
      ExpectRectInParent(control, look.rect);
      EXPECT_EQ(TextOf(control), look.text);
      // Left-aligned text that wraps at words, no border.
      EXPECT_EQ(StyleOf(control) & (SS_TYPEMASK | SS_CENTERIMAGE | WS_BORDER), DWORD(SS_LEFT));
      EXPECT_EQ(ExStyleOf(control) & WS_EX_TRANSPARENT, look.exTransparent);
      EXPECT_FALSE(StyleOf(control) & WS_TABSTOP);
      EXPECT_TRUE(IsWindowVisible(control));
      EXPECT_TRUE(IsWindowEnabled(control));
    }
    HWND webBox = Of(kWebBox);
    ASSERT_NE(webBox, nullptr);
    EXPECT_TRUE(IsWindowVisible(webBox));
    ExpectRectInParent(webBox, {16, 175, 16 + 424, 175 + 112});

    const std::vector<HWND> stacking = {Of(kServicesLabel), Of(kAppealLabel), Of(kLeftMask),
                                        Of(kTopMask),       webBox,           Of(kAboutText)};
    EXPECT_EQ(ChildrenTopmostFirst(window), stacking);
  });
}

TEST_F(AboutWindowWin32Test, FontsAndColoursOfTheLabels) {
  OpenLookAndEscape([&] {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const LOGFONTW appealFont = FontOf(Of(kAppealLabel));
    EXPECT_EQ(FromWide(appealFont.lfFaceName), "宋体");
    EXPECT_EQ(appealFont.lfHeight, -16);
    EXPECT_EQ(appealFont.lfWeight, 700);
    EXPECT_EQ(appealFont.lfQuality, PROOF_QUALITY);
    EXPECT_TRUE(UsesDefaultGuiFont(Of(kServicesLabel)));
    EXPECT_TRUE(UsesDefaultGuiFont(Of(kAboutText)));

    const Colours appeal = ColoursOf(Of(kAppealLabel), WM_CTLCOLORSTATIC);
    EXPECT_EQ(appeal.text, RGB(255, 0, 0));
    EXPECT_EQ(appeal.back, face);
    const Colours services = ColoursOf(Of(kServicesLabel), WM_CTLCOLORSTATIC);
    EXPECT_EQ(services.text, RGB(0, 0, 0));
    EXPECT_EQ(services.back, face);
    for (int mask : {kLeftMask, kTopMask}) {
      EXPECT_EQ(ColoursOf(Of(mask), WM_CTLCOLORSTATIC).back, face);
    }
    // Only the text of the about label is drawn, over whatever lies beneath it.
    const Colours about = ColoursOf(Of(kAboutText), WM_CTLCOLORSTATIC);
    EXPECT_EQ(about.text, RGB(0, 0, 0));
    EXPECT_EQ(about.backMode, TRANSPARENT);
  });
}

TEST_F(AboutWindowWin32Test, WebBoxHasTheFocusAndAsksForTheProductPageAtEveryOpening) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring page = std::wstring(L"res://") + self + L"/ABOUT.HTML";
  for (int opening = 1; opening <= 2; ++opening) {
    SCOPED_TRACE(opening);
    std::wstring navigated;
    OpenLookAndEscape([&] {
      HWND webBox = Of(kWebBox);
      ASSERT_NE(webBox, nullptr);
      navigated = NavigatedAddress(webBox);
      HWND focus = GetFocus();
      EXPECT_TRUE(focus == webBox || IsChild(webBox, focus))
          << "the only control that Tab visits has the focus";
      PressKey(app.backend, VK_TAB);
      focus = GetFocus();
      EXPECT_TRUE(focus == webBox || IsChild(webBox, focus)) << "and keeps it";
    });
    EXPECT_EQ(navigated, page);
  }
}

TEST(AboutWindowWithoutBrowserTest, LoadReturnsFalseWhenTheBrowserCannotBeCreated) {
  // Without OLE on the thread the browser control cannot be created.
  Win32Program app;
  EXPECT_FALSE(app.program.services.LoadWindow(kAboutWindow, true));
  EXPECT_FALSE(app.program.services.IsLoaded(kAboutWindow));
}

}  // namespace
}  // namespace quorvane
