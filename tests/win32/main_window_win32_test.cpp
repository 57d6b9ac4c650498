// The main window as the user sees it, read back from the live windows after the real start-up
// load over the Win32 backend.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "forms/main_window_ids.h"
#include "forms/product_page.h"
#include "tests/support/win32_window_probe.h"
#include "ui/win32/web_box.h"

namespace quorvane {
namespace {

using namespace main_window;
using namespace test;

class MainWindowWin32Test : public Win32ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.program.LoadStartWindow());
    window = Hwnd(Ref(kWindow));
  }
  HWND Of(Control control) const { return Hwnd(Ref(control)); }

  HWND window = nullptr;
};

TEST_F(MainWindowWin32Test, WindowIsAFixedCentredTopLevelWindowWithACloseBoxOnly) {
  EXPECT_EQ(TextOf(window), "Quorvane v3.0");
  EXPECT_TRUE(IsWindowVisible(window));
  ExpectFixedCentredWindow(window, 295, 378);
  EXPECT_EQ(ExStyleOf(window) & (WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE), 0u);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr) << "an ordinary window with a taskbar button";
  EXPECT_EQ(GetMenu(window), nullptr) << "the tray menu is never a menu bar";
  HMENU system = GetSystemMenu(window, FALSE);
  EXPECT_NE(GetMenuState(system, SC_MOVE, MF_BYCOMMAND), UINT(-1)) << "it can be moved";
}

TEST_F(MainWindowWin32Test, BigAndSmallIconsAreBothTheOwnIconsSmallestImage) {
  const auto big = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  const auto small = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  ASSERT_NE(big, nullptr);
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(IconSizeOf(big).cx, 16);
  EXPECT_EQ(IconSizeOf(big).cy, 16);
  EXPECT_EQ(IconSizeOf(small).cx, 16);
  EXPECT_EQ(IconSizeOf(small).cy, 16);
}

// Every visible control: class, place in its parent, text, the styles of its kind, state.
struct ControlLook {
  Control control;
  const wchar_t* className;
  bool inConfigGroup;
  RECT rect;  // left, top, right, bottom in the parent's client area
  const char* text;
  DWORD kindStyle;  // the low 16 bits of the style: the kind's own style bits
  DWORD exEdges;    // WS_EX_CLIENTEDGE or 0
  bool enabled;
  bool tabStop;
};

constexpr DWORD kPush = BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER;
constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_CENTERIMAGE;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON | BS_LEFT | BS_VCENTER;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER;
constexpr DWORD kField = ES_AUTOHSCROLL;
constexpr DWORD kCentred = ES_CENTER | ES_AUTOHSCROLL;
constexpr DWORD kSunken = WS_EX_CLIENTEDGE;

// clang-format off
const ControlLook kLooks[] = {
    {kAboutButton, L"Button", false, {24, 288, 120, 320}, "关于软件和作者", kPush, 0, true, true},
    {kMinuteLabel, L"Static", true, {151, 95, 164, 110}, "分", kLabel, 0, true, false},
    {kClockField, L"Edit", true, {21, 123, 215, 143}, "", kCentred, 0, true, true},
    {kFlashOption, L"Button", true, {20, 156, 198, 180}, "托盘图标闪烁，在执行动作前", kCheck, 0,
     true, true},
    {kMinuteField, L"Edit", true, {116, 91, 133, 111}, "0", kField, kSunken, false, true},
    {kHourLabel, L"Static", true, {101, 95, 112, 110}, "时", kLabel, 0, true, false},
    {kHourField, L"Edit", true, {65, 91, 85, 111}, "1", kField, kSunken, false, true},
    // The system keeps WS_TABSTOP on the checked radio box only; Tab visits both all the same.
    {kClockRadio, L"Button", true, {17, 94, 51, 111}, "于", kRadio, 0, true, false},
    {kCountField, L"Edit", true, {65, 60, 97, 80}, "1", kField, kSunken, true, true},
    {kRelativeRadio, L"Button", true, {17, 64, 47, 78}, "在", kRadio, 0, true, true},
    {kActionLabel, L"Static", true, {14, 30, 38, 46}, "动作", kLabel, 0, true, false},
    {kStatusBox, L"Edit", false, {32, 224, 256, 254}, "定时器已停止", kCentred, 0, true, true},
    {kStartButton, L"Button", false, {130, 288, 264, 320}, "启动定时器(&E)", kPush, 0, true, true},
    {kConfigGroup, L"Button", false, {24, 5, 262, 200}, "配置", BS_GROUPBOX, 0, true, false},
    {kRemainingGroup, L"Button", false, {22, 209, 262, 264}, "剩余倒计时", BS_GROUPBOX, 0, true,
     false},
};
// clang-format on

TEST_F(MainWindowWin32Test, EveryControlHasItsClassPlaceTextStylesAndState) {
  for (const ControlLook& look : kLooks) {
    SCOPED_TRACE(look.text);
    HWND control = Of(look.control);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClassOf(control), look.className);
    EXPECT_EQ(GetParent(control), look.inConfigGroup ? Of(kConfigGroup) : window);
    ExpectRectInParent(control, look.rect);
    EXPECT_EQ(TextOf(control), look.text);
    const DWORD style = StyleOf(control);
    EXPECT_EQ(style & 0xFFFF, look.kindStyle);
    EXPECT_EQ(style & WS_BORDER, 0u) << "an edit box draws a border of its own";
    EXPECT_EQ(ExStyleOf(control) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), look.exEdges);
    EXPECT_EQ(bool(style & WS_TABSTOP), look.tabStop);
    EXPECT_TRUE(IsWindowVisible(control));
    EXPECT_EQ(bool(IsWindowEnabled(control)), look.enabled);
  }
}

// The formatting rectangle of an edit box, which a border of its own narrows.
RECT FormatRect(HWND edit) {
  RECT rect{};
  SendMessageW(edit, EM_GETRECT, 0, LPARAM(&rect));
  return rect;
}

TEST_F(MainWindowWin32Test, ClockFieldAloneHasAThinBorder) {
  // The edit control takes WS_BORDER out of its style and draws the line itself, inside the
  // box: a box of the same size without it has a wider formatting rectangle.
  HWND plain = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_CENTER | ES_AUTOHSCROLL, 0, 0, 194,
                               20, window, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(plain, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  const RECT unbordered = FormatRect(plain);
  DestroyWindow(plain);
  const RECT clock = FormatRect(Of(kClockField));
  EXPECT_GT(clock.left, unbordered.left);
  EXPECT_LT(clock.right, unbordered.right);
  for (Control sunken : {kCountField, kHourField, kMinuteField}) {
    RECT outer, inner;
    GetWindowRect(Of(sunken), &outer);
    GetClientRect(Of(sunken), &inner);
    EXPECT_EQ(inner.right, outer.right - outer.left - 2 * GetSystemMetrics(SM_CXEDGE))
        << "sunken 3-D edge outside the client area";
  }
  RECT status, statusClient;
  GetWindowRect(Of(kStatusBox), &status);
  GetClientRect(Of(kStatusBox), &statusClient);
  EXPECT_EQ(statusClient.right, status.right - status.left) << "the status box has no edge";
}

TEST_F(MainWindowWin32Test, SpinnersStandBesideTheirFieldsWithoutBuddyOrRange) {
  struct Spinner {
    Control control;
    int left, top, width, height;
    bool enabled;
  };
  const Spinner spinners[] = {{kCountSpinner, 99, 59, 11, 20, true},
                              {kHourSpinner, 87, 90, 11, 20, false},
                              {kMinuteSpinner, 137, 90, 12, 20, false}};
  for (const Spinner& spinner : spinners) {
    HWND control = Of(spinner.control);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClassOf(control), UPDOWN_CLASSW);
    EXPECT_EQ(GetParent(control), Of(kConfigGroup));
    const RECT rect = RectInParent(control);
    EXPECT_EQ(rect.left, spinner.left);
    EXPECT_EQ(rect.top, spinner.top);
    EXPECT_EQ(rect.bottom - rect.top, spinner.height);
    // Wine widens an up-down control narrower than 16 pixels to 16.
    EXPECT_GE(rect.right - rect.left, spinner.width);
    EXPECT_LE(rect.right - rect.left, 16);
    EXPECT_EQ(StyleOf(control) & (UDS_HORZ | UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_WRAP), 0u);
    EXPECT_EQ(SendMessageW(control, UDM_GETBUDDY, 0, 0), 0);
    int minimum = 0, maximum = 0;
    SendMessageW(control, UDM_GETRANGE32, WPARAM(&minimum), LPARAM(&maximum));
    EXPECT_EQ(minimum, 100) << "the system's default range: maximum below minimum";
    EXPECT_EQ(maximum, 0);
    EXPECT_TRUE(IsWindowVisible(control));
    EXPECT_EQ(bool(IsWindowEnabled(control)), spinner.enabled);
  }
}

TEST_F(MainWindowWin32Test, FontsAreTheDesignsOrTheDefaultGuiFont) {
  const LOGFONTW status = FontOf(Of(kStatusBox));
  EXPECT_EQ(FromWide(status.lfFaceName), "新宋体");
  EXPECT_EQ(status.lfHeight, -14);
  EXPECT_EQ(status.lfWeight, 700);
  const LOGFONTW about = FontOf(Of(kAboutButton));
  EXPECT_EQ(FromWide(about.lfFaceName), "宋体");
  EXPECT_EQ(about.lfHeight, -12);
  EXPECT_EQ(about.lfWeight, 400);
  for (const LOGFONTW& font : {status, about}) {
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(font.lfOutPrecision, OUT_DEFAULT_PRECIS);
    EXPECT_EQ(font.lfClipPrecision, CLIP_DEFAULT_PRECIS);
    EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(font.lfPitchAndFamily, DEFAULT_PITCH);
  }
  for (const ControlLook& look : kLooks) {
    if (look.control == kStatusBox || look.control == kAboutButton) continue;
    EXPECT_TRUE(UsesDefaultGuiFont(Of(look.control))) << look.text;
  }
  for (Control box : {kActionBox, kUnitBox, kHalfDayBox}) {
    EXPECT_TRUE(UsesDefaultGuiFont(Of(box)));
  }
}

TEST_F(MainWindowWin32Test, ColoursOfTheClockFieldStatusBoxAndLabels) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const Colours clock = ColoursOf(Of(kClockField), WM_CTLCOLOREDIT);
  EXPECT_EQ(clock.text, RGB(255, 0, 0));
  EXPECT_EQ(clock.back, face);
  const Colours status = ColoursOf(Of(kStatusBox), WM_CTLCOLOREDIT);
  EXPECT_EQ(status.text, RGB(0, 0, 0));
  EXPECT_EQ(status.back, face);
  for (Control label : {kActionLabel, kHourLabel, kMinuteLabel, kConfigGroup, kRemainingGroup}) {
    const Colours colours = ColoursOf(Of(label), WM_CTLCOLORSTATIC);
    EXPECT_EQ(colours.text, RGB(0, 0, 0)) << label;
    EXPECT_EQ(colours.back, face) << label;
  }
}

TEST_F(MainWindowWin32Test, SelectionBoxesHoldTheirItemsAndValuesWithTheFirstSelected) {
  struct Box {
    Control control;
    std::vector<std::pair<Text, int>> items;
  };
  const Box boxes[] = {
      {kActionBox, {{"关机", 1}, {"重启", 2}, {"注销", 3}, {"休眠", 4}, {"冬眠", 5}}},
      {kUnitBox, {{"小时后", 3600}, {"分钟后", 60}, {"秒后", 1}}},
      {kHalfDayBox, {{"上午", 12}, {"下午", 24}}},
  };
  for (const Box& box : boxes) {
    HWND combo = Of(box.control);
    ASSERT_EQ(ClassOf(combo), L"ComboBox");
    EXPECT_EQ(StyleOf(combo) & (CBS_SORT | 0x3), DWORD(CBS_DROPDOWNLIST)) << "unsorted list";
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), LRESULT(box.items.size()));
    for (std::size_t i = 0; i < box.items.size(); ++i) {
      wchar_t text[32] = {};
      SendMessageW(combo, CB_GETLBTEXT, i, LPARAM(text));
      EXPECT_EQ(FromWide(text), box.items[i].first);
      EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, i, 0), box.items[i].second);
      EXPECT_EQ(app.program.services.ItemValue(Ref(box.control), int(i)), box.items[i].second);
    }
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(app.program.services.ReadProperty(Ref(box.control), property::kCurrentItem).AsInt(),
              0);
  }
  EXPECT_FALSE(IsWindowEnabled(Of(kHalfDayBox)));
  EXPECT_TRUE(IsWindowEnabled(Of(kActionBox)));
  EXPECT_TRUE(IsWindowEnabled(Of(kUnitBox)));
}

bool RunningUnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

TEST_F(MainWindowWin32Test, SelectionBoxesDropDown160PixelsWithItemsOnePixelHigher) {
  // A plain drop-down list created 160 high with the same font: the system's item height, and
  // how the system reports the opened list of such a box.
  HWND plain = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 50, 160,
                               window, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(plain, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  const LRESULT systemItemHeight = SendMessageW(plain, CB_GETITEMHEIGHT, 0, 0);
  RECT plainDropped{};
  SendMessageW(plain, CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&plainDropped));
  DestroyWindow(plain);

  const struct {
    Control control;
    int left, top, width;
  } boxes[] = {{kActionBox, 65, 28, 151}, {kUnitBox, 119, 60, 97}, {kHalfDayBox, 166, 92, 50}};
  for (const auto& box : boxes) {
    HWND combo = Of(box.control);
    EXPECT_EQ(GetParent(combo), Of(kConfigGroup));
    const RECT rect = RectInParent(combo);
    EXPECT_EQ(rect.left, box.left);
    EXPECT_EQ(rect.top, box.top);
    EXPECT_EQ(rect.right - rect.left, box.width);
    RECT dropped{};
    SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&dropped));
    EXPECT_EQ(dropped.bottom - dropped.top, plainDropped.bottom - plainDropped.top);
    // Wine reports only the list below the selection field, and ignores a new item height
    // for a list that is not owner-drawn.
    if (!RunningUnderWine()) {
      EXPECT_EQ(dropped.bottom - dropped.top, 160);
      EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), systemItemHeight + 1);
    }
  }
}

TEST_F(MainWindowWin32Test, InitialStateIsRelativeModeWithTheClockFieldEmpty) {
  EXPECT_EQ(SendMessageW(Of(kRelativeRadio), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Of(kClockRadio), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(Of(kFlashOption), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(Of(kCountField), EM_GETLIMITTEXT, 0, 0), 3);
  for (Control edit : {kClockField, kStatusBox, kCountField, kHourField, kMinuteField}) {
    EXPECT_EQ(StyleOf(Of(edit)) & (ES_MULTILINE | ES_PASSWORD | ES_READONLY | ES_NUMBER |
                                   ES_UPPERCASE | ES_LOWERCASE),
              0u);
  }
  EXPECT_EQ(TextOf(Of(kClockField)), "") << "filled by the first clock tick, a second later";
  const auto period = [this](Control timer) {
    return app.program.services.ReadProperty(Ref(timer), property::kPeriod).AsInt();
  };
  EXPECT_EQ(period(kClockTimer), 1000);
  EXPECT_EQ(period(kRelativeTimer), 0);
  EXPECT_EQ(period(kClockModeTimer), 0);
  for (Control timer : {kClockTimer, kRelativeTimer, kClockModeTimer}) {
    EXPECT_FALSE(IsWindowVisible(Of(timer)));
  }
}

TEST_F(MainWindowWin32Test, WebBoxIsHiddenAndHasAskedForTheProductPage) {
  HWND webBox = Of(kWebBox);
  ASSERT_NE(webBox, nullptr);
  EXPECT_EQ(GetParent(webBox), window);
  EXPECT_FALSE(IsWindowVisible(webBox));
  ExpectRectInParent(webBox, {272, 280, 272 + 100, 280 + 100});
  EXPECT_NE(GetWindow(webBox, GW_CHILD), nullptr) << "the browser runs in place inside it";

  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(NavigatedAddress(webBox), std::wstring(L"res://") + self + L"/ABOUT.HTML");
}

TEST_F(MainWindowWin32Test, ControlsAreStackedInTheDesignsOrder) {
  const std::vector<Control> inWindow = {kWebBox,      kAboutButton, kStatusBox,
                                         kStartButton, kConfigGroup, kRemainingGroup};
  const std::vector<Control> inGroup = {
      kClockModeTimer, kRelativeTimer, kMinuteLabel, kClockField, kClockTimer,
      kMinuteSpinner,  kFlashOption,   kMinuteField, kHourLabel,  kHourSpinner,
      kHalfDayBox,     kHourField,     kClockRadio,  kUnitBox,    kCountSpinner,
      kCountField,     kRelativeRadio, kActionBox,   kActionLabel};
  const auto expect = [this](HWND parent, const std::vector<Control>& order) {
    std::vector<HWND> wanted;
    for (Control control : order) wanted.push_back(Of(control));
    EXPECT_EQ(ChildrenTopmostFirst(parent), wanted);
  };
  expect(window, inWindow);
  expect(Of(kConfigGroup), inGroup);
}

TEST_F(MainWindowWin32Test, TabVisitsTheEnabledControlsInOrderAndShiftTabGoesBack) {
  // Relative mode: the hour field, half-day box and minute field are disabled and skipped.
  const std::vector<Control> order = {kStartButton, kStatusBox,  kActionBox,  kRelativeRadio,
                                      kCountField,  kUnitBox,    kClockRadio, kFlashOption,
                                      kClockField,  kAboutButton};
  ASSERT_EQ(GetFocus(), Of(kStartButton)) << "the first control has the focus when shown";
  for (std::size_t step = 1; step <= order.size(); ++step) {
    PressKey(app.backend, VK_TAB);
    EXPECT_EQ(GetFocus(), Of(order[step % order.size()])) << "after Tab " << step;
  }
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  PressKey(app.backend, VK_TAB);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(GetFocus(), Of(kAboutButton)) << "Shift+Tab from the start button wraps back";
}

// Counts the start button's click notifications that reach the window.
LRESULT CALLBACK CountStartClicks(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR clicks) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kStartButton) {
    ++*reinterpret_cast<int*>(clicks);
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

TEST_F(MainWindowWin32Test, EnterPressesNothingAndAltEPressesTheStartButton) {
  int clicks = 0;
  SetWindowSubclass(window, CountStartClicks, 1, reinterpret_cast<DWORD_PTR>(&clicks));
  SetFocus(Of(kStartButton));
  PressKey(app.backend, VK_RETURN);
  EXPECT_EQ(clicks, 0) << "no default button";
  SetFocus(Of(kCountField));
  PressKey(app.backend, VK_RETURN);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(GetFocus(), Of(kCountField)) << "Enter does not move the focus";
  PostMessageW(GetFocus(), WM_SYSCHAR, L'e', 1 << 29);
  DispatchQueued(app.backend);
  EXPECT_EQ(clicks, 1);
  RemoveWindowSubclass(window, CountStartClicks, 1);
}

BOOL CALLBACK CountMainWindows(HWND hwnd, LPARAM count) {
  if (TextOf(hwnd) == "Quorvane v3.0") ++*reinterpret_cast<int*>(count);
  return TRUE;
}

TEST(MainWindowWithoutBrowserTest, LoadFailsAndLeavesNoWindowWhenTheBrowserCannotBeCreated) {
  // Without OLE on the thread the browser control cannot be created.
  test::Win32Program app;
  EXPECT_FALSE(app.program.LoadStartWindow());
  EXPECT_FALSE(app.program.services.IsLoaded(kMainWindow));
  int windowsLeft = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountMainWindows, LPARAM(&windowsLeft));
  EXPECT_EQ(windowsLeft, 0);
}

}  // namespace
}  // namespace quorvane
