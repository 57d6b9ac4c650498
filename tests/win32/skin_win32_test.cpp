// The control skin over the real program and the real backend: frame colours read back from
// the screen, skinning at creation, giving the controls back, and the skin's GDI objects.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/skin/gdi_objects.h"
#include "app/skin/skin_windows.h"
#include "app/skin/visual_style.h"
#include "forms/main_window_ids.h"
#include "tests/support/win32_pump.h"
#include "tests/support/win32_window_probe.h"
#include "ui/win32/win32_backend.h"

namespace quorvane {
namespace {

using namespace main_window;
using test::PumpFor;
using test::PumpUntil;

// The pixels of a window, frame included, as they are on the screen.
class WindowPixels {
 public:
  explicit WindowPixels(HWND hwnd) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetWindowDC(hwnd);
    // What of the window shows: siblings stacked above it hide parts of it.
    visible_ = CreateRectRgn(0, 0, 0, 0);
    if (GetRandomRgn(screen, visible_, SYSRGN) == 1) {
      OffsetRgn(visible_, -rect.left, -rect.top);
    } else {
      SetRectRgn(visible_, 0, 0, width_, height_);
    }
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(pixels, pixels + std::size_t(width_) * std::size_t(height_));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, screen);
  }

  ~WindowPixels() { DeleteObject(visible_); }
  WindowPixels(const WindowPixels&) = delete;
  WindowPixels& operator=(const WindowPixels&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // 0x00BBGGRR, as COLORREF.
  COLORREF At(int x, int y) const {
    const std::uint32_t pixel = pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
    return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
  }
  // Every pixel that shows of the ring `inset` pixels in from the edge has this colour (and
  // nearly all of the ring shows).
  ::testing::AssertionResult RingIs(int inset, COLORREF colour) const {
    int shown = 0, total = 0;
    const auto check = [&](int x, int y) {
      ++total;
      if (!PtInRegion(visible_, x, y)) return true;
      ++shown;
      return At(x, y) == colour;
    };
    for (int x = inset; x < width_ - inset; ++x) {
      for (int y : {inset, height_ - 1 - inset}) {
        if (!check(x, y)) return Mismatch(x, y, colour);
      }
    }
    for (int y = inset; y < height_ - inset; ++y) {
      for (int x : {inset, width_ - 1 - inset}) {
        if (!check(x, y)) return Mismatch(x, y, colour);
      }
    }
    if (shown * 10 < total * 9) {
      return ::testing::AssertionFailure() << "only " << shown << " of " << total << " show";
    }
    return ::testing::AssertionSuccess();
  }
  // Writes a 24-bit BMP file.
  void Save(const std::string& path) const {
    const int stride = (width_ * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width_;
    info.biHeight = height_;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + DWORD(stride * height_);
    std::vector<unsigned char> rows(std::size_t(stride) * std::size_t(height_));
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        const COLORREF c = At(x, y);
        unsigned char* p = &rows[std::size_t(height_ - 1 - y) * stride + std::size_t(x) * 3];
        p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
      }
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(rows.data(), 1, rows.size(), out);
    std::fclose(out);
  }

 private:
  ::testing::AssertionResult Mismatch(int x, int y, COLORREF wanted) const {
    char text[96];
    std::snprintf(text, sizeof text, "pixel (%d,%d) is %06lX, not %06lX", x, y,
                  static_cast<unsigned long>(At(x, y)), static_cast<unsigned long>(wanted));
    return ::testing::AssertionFailure() << text;
  }

  int width_ = 0;
  int height_ = 0;
  HRGN visible_ = nullptr;
  std::vector<std::uint32_t> pixels_;
};

// A power table that reaches nothing.
const PowerApi& InertPowerApi() {
  static const PowerApi api{
      .getVersionEx = [](OsVersionInfo&) {},
      .openProcessToken = [](std::uint32_t, TokenHandle&) { return false; },
      .lookupPrivilegeValue = [](const char*, Luid&) { return false; },
      .adjustTokenPrivileges = [](TokenHandle, const TokenPrivileges&) { return false; },
      .getLastError = [] { return std::uint32_t{0}; },
      .closeHandle = [](TokenHandle) { return true; },
      .exitWindowsEx = [](std::uint32_t, std::uint32_t) { return false; },
      .setSystemPowerState = [](bool, bool) { return false; },
  };
  return api;
}

// The real program over the real backend, its main window loaded (which switches the skin
// on); the skin is switched off after each test.
class SkinTest : public ::testing::Test {
 protected:
  SkinTest()
      : backend(GetModuleHandleW(nullptr)),
        program({backend, [](const std::string& m) { FAIL() << "fatal: " << m; },
                 [] { return LocalTime{2012, 12, 28, 20, 0, 0}; }, InertPowerApi(),
                 SetVisualStyle}) {}
  ~SkinTest() override { SetVisualStyle(0); }
  // The web boxes need OLE on the thread.
  static void SetUpTestSuite() { OleInitialize(nullptr); }
  static void TearDownTestSuite() { OleUninitialize(); }

  void SetUp() override {
    ASSERT_TRUE(program.LoadStartWindow());
    Settle();
  }

  HWND Hwnd(Control control) {
    return reinterpret_cast<HWND>(program.services.NativeOf(Ref(control)));
  }
  void Settle() {
    PumpFor(50);
    RedrawWindow(Hwnd(kWindow), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(50);
  }

  Win32Backend backend;
  Program program;
};

// Colours the tests expect, from the system's own.
COLORREF Face() {
  return GetSysColor(COLOR_BTNFACE);
}
COLORREF WindowColour() {
  return GetSysColor(COLOR_WINDOW);
}
COLORREF DisabledFrame() {
  const auto less = [](int channel) { return channel > 0x20 ? channel - 0x20 : 0; };
  return RGB(less(GetRValue(Face())), less(GetGValue(Face())), less(GetBValue(Face())));
}
constexpr COLORREF kStyle1 = RGB(123, 158, 189);
constexpr COLORREF kStyle2 = RGB(164, 185, 127);

struct FrameCase {
  const char* role;
  Control control;
  COLORREF (*outer)();
  COLORREF (*inner)();  // nullptr: no inner frame to check
};
COLORREF Style1() {
  return kStyle1;
}

TEST_F(SkinTest, OuterAndInnerFramesOfEnabledAndDisabledControls) {
  const FrameCase cases[] = {
      {"count field (enabled edit box)", kCountField, Style1, WindowColour},
      {"minute field (disabled edit box)", kMinuteField, DisabledFrame, Face},
      {"clock field (one-pixel border)", kClockField, Style1, nullptr},
      {"action box (enabled combo box)", kActionBox, Style1, nullptr},
      {"half-day box (disabled combo box)", kHalfDayBox, DisabledFrame, nullptr},
      {"count spinner (enabled)", kCountSpinner, Style1, nullptr},
  };
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(c.role);
    HWND hwnd = Hwnd(c.control);
    ASSERT_TRUE(skin::IsSkinned(hwnd));
    const WindowPixels pixels(hwnd);
    EXPECT_TRUE(pixels.RingIs(0, c.outer()));
    if (c.inner) {
      EXPECT_TRUE(pixels.RingIs(1, c.inner()));
    }
  }
}

TEST_F(SkinTest, FramesFollowReadOnlyAndEnabledChanges) {
  HWND count = Hwnd(kCountField);
  SendMessageW(count, EM_SETREADONLY, TRUE, 0);
  PumpFor(50);
  EXPECT_TRUE(WindowPixels(count).RingIs(1, Face())) << "read-only: the inner frame is the face";
  EXPECT_TRUE(WindowPixels(count).RingIs(0, kStyle1));
  SendMessageW(count, EM_SETREADONLY, FALSE, 0);
  PumpFor(50);
  EXPECT_TRUE(WindowPixels(count).RingIs(1, WindowColour()));

  program.services.WriteProperty(Ref(kMinuteField), property::kDisabled, 0);
  program.services.WriteProperty(Ref(kHalfDayBox), property::kDisabled, 0);
  PumpFor(50);
  EXPECT_TRUE(WindowPixels(Hwnd(kMinuteField)).RingIs(0, kStyle1));
  EXPECT_TRUE(WindowPixels(Hwnd(kMinuteField)).RingIs(1, WindowColour()));
  EXPECT_TRUE(WindowPixels(Hwnd(kHalfDayBox)).RingIs(0, kStyle1));
  program.services.WriteProperty(Ref(kCountField), property::kDisabled, 1);
  program.services.WriteProperty(Ref(kCountSpinner), property::kDisabled, 1);
  PumpFor(50);
  EXPECT_TRUE(WindowPixels(count).RingIs(0, DisabledFrame()));
  EXPECT_TRUE(WindowPixels(count).RingIs(1, Face()));
  // (The hour and minute spinners are partly under their labels; the count spinner shows.)
  EXPECT_TRUE(WindowPixels(Hwnd(kCountSpinner)).RingIs(0, DisabledFrame()));
}

TEST_F(SkinTest, DropDownListHasBothFrames) {
  HWND box = Hwnd(kActionBox);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(box, &info));
  EXPECT_TRUE(skin::IsSkinned(info.hwndList));
  SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
  PumpUntil([&] { return IsWindowVisible(info.hwndList) != FALSE; }, 1000);
  PumpFor(100);
  const WindowPixels list(info.hwndList);
  EXPECT_TRUE(list.RingIs(0, kStyle1));
  EXPECT_TRUE(list.RingIs(1, WindowColour()));
  SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
}

// The colour just inside a push button's frame, where its face shows.
COLORREF FaceOf(HWND button) {
  return WindowPixels(button).At(2, 2);
}

TEST_F(SkinTest, ButtonsRedrawOnHoverPressAndCheck) {
  HWND start = Hwnd(kStartButton);
  SendMessageW(start, WM_MOUSELEAVE, 0, 0);
  PumpFor(20);
  EXPECT_TRUE(WindowPixels(start).RingIs(0, kStyle1));
  const COLORREF normal = FaceOf(start);
  EXPECT_EQ(normal, Face());
  SendMessageW(start, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  const COLORREF hot = FaceOf(start);
  EXPECT_NE(hot, normal);
  SendMessageW(start, BM_SETSTATE, TRUE, 0);
  const COLORREF pressed = FaceOf(start);
  EXPECT_NE(pressed, hot);
  SendMessageW(start, BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(FaceOf(start), hot);
  SendMessageW(start, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(FaceOf(start), normal);

  // A spinner lights the half under the mouse and darkens the half pressed.
  HWND spinner = Hwnd(kCountSpinner);
  RECT client;
  GetClientRect(spinner, &client);
  const LPARAM lowerHalf = MAKELPARAM(2, client.bottom - 3);
  const auto upper = [spinner] { return WindowPixels(spinner).At(1, 1); };
  const auto lower = [spinner, &client] { return WindowPixels(spinner).At(1, client.bottom - 2); };
  SendMessageW(spinner, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(upper(), Face());
  EXPECT_EQ(lower(), Face());
  SendMessageW(spinner, WM_MOUSEMOVE, 0, lowerHalf);
  UpdateWindow(spinner);
  EXPECT_EQ(upper(), Face());
  const COLORREF lowerHot = lower();
  EXPECT_NE(lowerHot, Face());
  SendMessageW(spinner, WM_LBUTTONDOWN, MK_LBUTTON, lowerHalf);
  UpdateWindow(spinner);
  EXPECT_NE(lower(), lowerHot);
  SendMessageW(spinner, WM_LBUTTONUP, 0, lowerHalf);
  UpdateWindow(spinner);
  EXPECT_EQ(lower(), lowerHot);
  SendMessageW(spinner, WM_MOUSELEAVE, 0, 0);
  UpdateWindow(spinner);
  EXPECT_EQ(lower(), Face());

  // A combo box's arrow lights up under the mouse.
  HWND box = Hwnd(kActionBox);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(box, &info));
  const auto arrowFace = [box, &info] { return WindowPixels(box).At(info.rcButton.left + 2, 2); };
  SendMessageW(box, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(arrowFace(), Face());
  SendMessageW(box, WM_MOUSEMOVE, 0, MAKELPARAM(info.rcButton.left + 2, 5));
  EXPECT_NE(arrowFace(), Face());
  SendMessageW(box, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(arrowFace(), Face());

  // The flash option's box shows its mark once checked, and loses it again.
  HWND option = Hwnd(kFlashOption);
  SendMessageW(option, WM_MOUSELEAVE, 0, 0);
  const auto darkPixels = [option] {
    const WindowPixels pixels(option);
    int dark = 0;
    for (int y = 0; y < pixels.Height(); ++y) {
      for (int x = 1; x < 12; ++x) dark += pixels.At(x, y) == GetSysColor(COLOR_BTNTEXT);
    }
    return dark;
  };
  EXPECT_EQ(darkPixels(), 0);
  program.services.WriteProperty(Ref(kFlashOption), property::kChecked, 1);
  EXPECT_EQ(darkPixels(), 21) << "seven columns of three pixels";
  program.services.WriteProperty(Ref(kFlashOption), property::kChecked, 0);
  EXPECT_EQ(darkPixels(), 0);
}

// How many pixels of the window are of a kind.
int CountPixels(HWND hwnd, bool (*kind)(COLORREF)) {
  const WindowPixels pixels(hwnd);
  int count = 0;
  for (int y = 0; y < pixels.Height(); ++y) {
    for (int x = 0; x < pixels.Width(); ++x) count += kind(pixels.At(x, y));
  }
  return count;
}
// Smoothed text edges blend into the background: judge by the strongest pixels.
bool Red(COLORREF c) {
  return GetRValue(c) > 0xC0 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60;
}
bool Black(COLORREF c) {
  return GetRValue(c) < 0x40 && GetGValue(c) < 0x40 && GetBValue(c) < 0x40;
}

TEST_F(SkinTest, TextsKeepTheirColours) {
  program.services.WriteProperty(Ref(kClockField), property::kText, "2012年12月28日20时00分00秒");
  PumpFor(50);
  EXPECT_GT(CountPixels(Hwnd(kClockField), Red), 50) << "the clock stays red";
  EXPECT_GT(CountPixels(Hwnd(kStatusBox), Black), 50) << "the status stays black";
}

// What the message box test saw of the box while it was up.
struct SeenInBox {
  int buttons = 0;
  int skinned = 0;
  bool framed = false;
};
SeenInBox seenInBox;

// A timer of this thread, running inside the message box's own loop: looks at the box's
// buttons, then presses one.
void CALLBACK LookAtMessageBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = test::VisibleThreadWindow(L"#32770");
  if (!box) return;
  KillTimer(nullptr, id);
  HWND button = nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[16];
    GetClassNameW(child, name, 16);
    if (std::wstring(name) != L"Button") continue;
    ++seenInBox.buttons;
    seenInBox.skinned += skin::IsSkinned(child);
    button = child;
  }
  if (button) {
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    seenInBox.framed = WindowPixels(button).RingIs(0, kStyle1);
    PostMessageW(button, BM_CLICK, 0, 0);
  } else {
    PostMessageW(box, WM_CLOSE, 0, 0);
  }
}

TEST_F(SkinTest, MessageBoxButtonsAreSkinned) {
  seenInBox = {};
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, LookAtMessageBox);
  program.services.ShowMessage("关闭窗口后程序将在托盘继续运行", 0);
  KillTimer(nullptr, timer);
  EXPECT_GE(seenInBox.buttons, 1);
  EXPECT_EQ(seenInBox.skinned, seenInBox.buttons);
  EXPECT_TRUE(seenInBox.framed);
}

// A window of the test's own, made after the skin was switched on.
struct OwnWindow {
  OwnWindow()
      : top(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 400, 300, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr)) {}
  ~OwnWindow() { DestroyWindow(top); }
  HWND Add(const wchar_t* className, DWORD style, const wchar_t* text = L"x") {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 80, 24, top,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  HWND top;
};

TEST_F(SkinTest, WindowsCreatedLaterAreOfferedAtCreation) {
  const INITCOMMONCONTROLSEX common{sizeof common, ICC_INTERNET_CLASSES};
  InitCommonControlsEx(&common);
  OwnWindow own;
  struct Case {
    const char* what;
    const wchar_t* className;
    DWORD style;
    const wchar_t* text;
    bool skinned;
  };
  const Case cases[] = {
      {"push button", L"BUTTON", BS_PUSHBUTTON, L"x", true},
      {"default push button", L"BUTTON", BS_DEFPUSHBUTTON, L"x", true},
      {"three-state box", L"BUTTON", BS_AUTO3STATE, L"x", true},
      {"push-like radio box", L"BUTTON", BS_AUTORADIOBUTTON | BS_PUSHLIKE, L"x", true},
      {"group box", L"BUTTON", BS_GROUPBOX, L"x", true},
      {"owner-drawn button", L"BUTTON", BS_OWNERDRAW, L"x", false},
      {"bitmap button", L"BUTTON", BS_PUSHBUTTON | BS_BITMAP, L"x", false},
      {"edit box", L"EDIT", WS_BORDER, L"x", true},
      {"drop-down combo box", L"COMBOBOX", CBS_DROPDOWNLIST, L"", true},
      {"simple combo box", L"COMBOBOX", CBS_SIMPLE, L"", false},
      {"spinner", UPDOWN_CLASSW, UDS_HORZ, L"", true},
      {"list box", L"LISTBOX", WS_BORDER, L"", false},
      {"scroll bar", L"SCROLLBAR", SBS_HORZ, L"", false},
      {"label", L"STATIC", 0, L"x", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HWND hwnd = own.Add(c.className, c.style, c.text);
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(skin::IsSkinned(hwnd), c.skinned);
    // A declined control keeps its class's own procedure.
    if (!c.skinned) {
      EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), GetClassLongPtrW(hwnd, GCLP_WNDPROC));
    }
  }
  // The edit boxes inside an address box are its own parts.
  HWND address = own.Add(WC_IPADDRESSW, 0, L"");
  ASSERT_TRUE(address);
  int parts = 0;
  for (HWND part = GetWindow(address, GW_CHILD); part; part = GetWindow(part, GW_HWNDNEXT)) {
    ++parts;
    EXPECT_FALSE(skin::IsSkinned(part));
  }
  EXPECT_EQ(parts, 4);

  // A skinned control leaves the skin's list when it is destroyed.
  HWND button = own.Add(L"BUTTON", BS_PUSHBUTTON);
  const std::size_t before = skin::SkinnedCount();
  DestroyWindow(button);
  EXPECT_FALSE(skin::IsSkinned(button));
  EXPECT_EQ(skin::SkinnedCount(), before - 1);
}

TEST_F(SkinTest, StyleZeroGivesEveryControlItsOwnProcedureAndRemovesTheHook) {
  HWND count = Hwnd(kCountField);
  ASSERT_TRUE(skin::IsSkinned(count));
  const LONG_PTR edit = GetClassLongPtrW(count, GCLP_WNDPROC);
  EXPECT_NE(GetWindowLongPtrW(count, GWLP_WNDPROC), edit);
  std::vector<HWND> skinned;
  for (Control c : {kActionBox, kCountSpinner, kStartButton, kRelativeRadio, kFlashOption,
                    kConfigGroup, kMinuteField}) {
    skinned.push_back(Hwnd(c));
    EXPECT_TRUE(skin::IsSkinned(skinned.back()));
  }

  EXPECT_EQ(SetVisualStyle(0), 1);
  EXPECT_EQ(skin::SkinnedCount(), 0u);
  for (HWND hwnd : skinned) EXPECT_FALSE(skin::IsSkinned(hwnd));
  EXPECT_EQ(GetWindowLongPtrW(count, GWLP_WNDPROC), edit);
  PumpFor(50);
  EXPECT_FALSE(WindowPixels(count).RingIs(0, kStyle1));
  {
    OwnWindow own;
    EXPECT_FALSE(skin::IsSkinned(own.Add(L"BUTTON", BS_PUSHBUTTON))) << "the hook is gone";
  }
  EXPECT_EQ(SetVisualStyle(0), 0) << "no skin was on";

  // Switched on again, in another colour, and the radio boxes still work.
  EXPECT_EQ(SetVisualStyle(2), 1);
  Settle();
  EXPECT_TRUE(skin::IsSkinned(count));
  EXPECT_TRUE(WindowPixels(count).RingIs(0, kStyle2));
  SendMessageW(Hwnd(kClockRadio), BM_CLICK, 0, 0);
  EXPECT_EQ(program.services.ReadProperty(Ref(kClockRadio), property::kChecked).AsInt(), 1);
  EXPECT_EQ(SetVisualStyle(1), 1) << "switching on again first removes the skin";
}

TEST_F(SkinTest, DrawingGivesBackEveryObjectItMakes) {
  HWND main = Hwnd(kWindow);
  HWND start = Hwnd(kStartButton);
  HWND spinner = Hwnd(kCountSpinner);
  HWND box = Hwnd(kActionBox);
  const int liveBefore = skin::LiveGdiObjects();
  const long madeBefore = skin::GdiObjectsMade();
  for (int i = 0; i < 1000; ++i) {
    RedrawWindow(main, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  for (int i = 0; i < 1000; ++i) {
    SendMessageW(start, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(start, BM_SETSTATE, TRUE, 0);
    SendMessageW(start, BM_SETSTATE, FALSE, 0);
    SendMessageW(start, WM_MOUSELEAVE, 0, 0);
    SendMessageW(spinner, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageW(spinner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    UpdateWindow(spinner);
    SendMessageW(spinner, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    SendMessageW(spinner, WM_MOUSELEAVE, 0, 0);
    UpdateWindow(spinner);
    SendMessageW(box, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(box, WM_MOUSELEAVE, 0, 0);
  }
  const long made = skin::GdiObjectsMade() - madeBefore;
  std::printf("[ skin     ] live GDI objects before %d, after %d; %ld made and freed\n", liveBefore,
              skin::LiveGdiObjects(), made);
  EXPECT_EQ(skin::LiveGdiObjects(), liveBefore);
  EXPECT_EQ(liveBefore, 0) << "nothing is held between frames";
  EXPECT_GT(made, 10000) << "the repaints did draw";
}

// Pictures for the documentation, not a check: run by scripts/skin-screenshots.sh, which
// names the folder in SKIN_SCREENSHOTS.
std::string screenshotPath;

void CALLBACK SaveMessageBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = test::VisibleThreadWindow(L"#32770");
  if (!box) return;
  KillTimer(nullptr, id);
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  WindowPixels(box).Save(screenshotPath);
  PostMessageW(box, WM_CLOSE, 0, 0);
}

TEST_F(SkinTest, DISABLED_Screenshots) {
  const char* folder = std::getenv("SKIN_SCREENSHOTS");
  ASSERT_TRUE(folder) << "SKIN_SCREENSHOTS names the folder for the pictures";
  ASSERT_TRUE(program.services.LoadWindow(kAboutWindow, false));
  HWND about = reinterpret_cast<HWND>(program.services.NativeOf({kAboutWindow, kWindowControl}));
  SetCursorPos(0, 0);  // nothing hovered
  for (const char* look : {"skinned", "plain"}) {
    if (std::string(look) == "plain") SetVisualStyle(0);
    Settle();
    SetForegroundWindow(Hwnd(kWindow));
    PumpFor(100);
    WindowPixels(Hwnd(kWindow)).Save(std::string(folder) + "/main_window_" + look + ".bmp");
    SetForegroundWindow(about);
    RedrawWindow(about, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(100);
    WindowPixels(about).Save(std::string(folder) + "/about_window_" + look + ".bmp");
    // The action box with its list open, list and box in one picture.
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof combo;
    GetComboBoxInfo(Hwnd(kActionBox), &combo);
    SetForegroundWindow(Hwnd(kWindow));
    SendMessageW(Hwnd(kActionBox), CB_SHOWDROPDOWN, TRUE, 0);
    PumpFor(200);
    WindowPixels(combo.hwndList).Save(std::string(folder) + "/action_list_" + look + ".bmp");
    SendMessageW(Hwnd(kActionBox), CB_SHOWDROPDOWN, FALSE, 0);
    screenshotPath = std::string(folder) + "/message_box_" + look + ".bmp";
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, SaveMessageBox);
    program.services.ShowMessage("关闭窗口后程序将在托盘继续运行", 0);
    KillTimer(nullptr, timer);
  }
}

}  // namespace
}  // namespace quorvane
