// The main window's fields, spinners and radios over the real backend: the program as it runs,
// driven with the messages a user's typing, pasting, clicking and focus moves produce.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/program_fixture.h"
#include "tests/support/win32_pump.h"
#include "tests/support/win32_window_probe.h"

namespace quorvane {
namespace {

using namespace main_window;

// What a control's parent hears from its children, seen before the program sees it.
class NotificationRecorder {
 public:
  struct Notification {
    HWND from;
    UINT code;  // the WM_COMMAND notification code or the WM_NOTIFY code
    int delta;  // UDN_DELTAPOS: the proposed change of position
  };

  explicit NotificationRecorder(HWND parent) : parent_(parent) {
    SetWindowSubclass(parent_, Record, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  ~NotificationRecorder() { RemoveWindowSubclass(parent_, Record, 0); }
  NotificationRecorder(const NotificationRecorder&) = delete;
  NotificationRecorder& operator=(const NotificationRecorder&) = delete;

  std::vector<int> Deltas(HWND spinner) const {
    std::vector<int> deltas;
    for (const Notification& n : seen_) {
      if (n.from == spinner && n.code == UDN_DELTAPOS) deltas.push_back(n.delta);
    }
    return deltas;
  }
  int Count(HWND from, UINT code) const {
    int count = 0;
    for (const Notification& n : seen_) count += n.from == from && n.code == code;
    return count;
  }

 private:
  static LRESULT CALLBACK Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR self) {
    auto& recorder = *reinterpret_cast<NotificationRecorder*>(self);
    if (message == WM_NOTIFY) {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      const int delta =
          header.code == UDN_DELTAPOS ? reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta : 0;
      recorder.seen_.push_back({header.hwndFrom, header.code, delta});
    } else if (message == WM_COMMAND && lParam) {
      recorder.seen_.push_back({reinterpret_cast<HWND>(lParam), HIWORD(wParam), 0});
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }

  HWND parent_;
  std::vector<Notification> seen_;
};

class FieldsWin32Test : public test::Win32ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.program.LoadStartWindow());
    recorder.emplace(Hwnd(kConfigGroup));
  }
  void TearDown() override { recorder.reset(); }

  HWND Hwnd(Control control) const { return app.Hwnd(Ref(control)); }
  std::wstring WindowText(Control control) {
    wchar_t text[64] = {};
    GetWindowTextW(Hwnd(control), text, 64);
    return text;
  }
  bool Enabled(Control control) { return IsWindowEnabled(Hwnd(control)); }

  void Type(Control field, const wchar_t* keys) {
    for (const wchar_t* key = keys; *key; ++key) {
      SendMessageW(Hwnd(field), WM_CHAR, WPARAM(*key), 1);
    }
  }
  void SelectAll(Control field) { SendMessageW(Hwnd(field), EM_SETSEL, 0, -1); }
  void Click(Control button) { SendMessageW(Hwnd(button), BM_CLICK, 0, 0); }

  // Where a press of one arrow of an up-down control lands: the upper half is the up arrow.
  POINT ArrowPoint(Control spinner, bool up) {
    RECT client;
    GetClientRect(Hwnd(spinner), &client);
    return {client.right / 2, up ? client.bottom / 4 : client.bottom * 3 / 4};
  }
  void PressArrow(Control spinner, bool up) {
    const POINT at = ArrowPoint(spinner, up);
    SendMessageW(Hwnd(spinner), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(Hwnd(spinner), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }

  std::optional<NotificationRecorder> recorder;
};

bool PutOnClipboard(HWND owner, const wchar_t* text) {
  const std::size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  std::memcpy(GlobalLock(memory), text, bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  // The clipboard owns the memory once it has taken it.
  const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!placed) GlobalFree(memory);
  CloseClipboard();
  return placed;
}

TEST_F(FieldsWin32Test, TypingIntoTheCountFieldStopsAtThreeCharacters) {
  SelectAll(kCountField);
  Type(kCountField, L"2345");
  EXPECT_EQ(WindowText(kCountField), L"234");
  SelectAll(kCountField);
  Type(kCountField, L"0");
  EXPECT_EQ(WindowText(kCountField), L"1") << "a reading below 1 becomes 1";
  SelectAll(kCountField);
  Type(kCountField, L"-");
  EXPECT_EQ(WindowText(kCountField), L"1");
}

TEST_F(FieldsWin32Test, PastingIntoTheMinuteFieldIsClampedToo) {
  Click(kClockRadio);
  ASSERT_TRUE(Enabled(kMinuteField));
  const struct {
    const wchar_t* pasted;
    const wchar_t* result;
  } cases[] = {{L"75", L"59"}, {L"-5", L"0"}, {L"12abc", L"12abc"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(PutOnClipboard(Hwnd(kWindow), c.pasted));
    SelectAll(kMinuteField);
    SendMessageW(Hwnd(kMinuteField), WM_PASTE, 0, 0);
    EXPECT_EQ(WindowText(kMinuteField), c.result);
  }
}

TEST_F(FieldsWin32Test, SpinnersHaveTheDefaultRangeAndNoBuddy) {
  for (Control spinner : {kCountSpinner, kHourSpinner, kMinuteSpinner}) {
    int minimum = 0, maximum = 0;
    SendMessageW(Hwnd(spinner), UDM_GETRANGE32, WPARAM(&minimum), LPARAM(&maximum));
    EXPECT_EQ(minimum, 100);
    EXPECT_EQ(maximum, 0);
    EXPECT_EQ(SendMessageW(Hwnd(spinner), UDM_GETBUDDY, 0, 0), 0);
  }
}

TEST_F(FieldsWin32Test, EachArrowOfEachSpinnerStepsByOne) {
  PressArrow(kCountSpinner, true);
  EXPECT_EQ(WindowText(kCountField), L"2");
  // The default range runs backwards, so the up arrow proposes a negative change.
  EXPECT_EQ(recorder->Deltas(Hwnd(kCountSpinner)), std::vector{-1});
  PressArrow(kCountSpinner, false);
  EXPECT_EQ(WindowText(kCountField), L"1");
  EXPECT_EQ(recorder->Deltas(Hwnd(kCountSpinner)), (std::vector{-1, 1}));

  Click(kClockRadio);
  PressArrow(kHourSpinner, true);
  EXPECT_EQ(WindowText(kHourField), L"2");
  PressArrow(kMinuteSpinner, true);
  EXPECT_EQ(WindowText(kMinuteField), L"1");
  PressArrow(kHourSpinner, false);
  EXPECT_EQ(WindowText(kHourField), L"1");
  PressArrow(kMinuteSpinner, false);
  EXPECT_EQ(WindowText(kMinuteField), L"0");
}

TEST_F(FieldsWin32Test, OnlyTheSignOfTheProposedChangeCountsAndTheChangeIsAllowed) {
  const struct {
    int delta;
    const wchar_t* result;
  } cases[] = {{-5, L"2"}, {-20, L"3"}, {7, L"2"}, {1, L"1"}};
  for (const auto& c : cases) {
    NMUPDOWN change{};
    change.hdr.hwndFrom = Hwnd(kCountSpinner);
    change.hdr.idFrom = UINT_PTR(GetDlgCtrlID(Hwnd(kCountSpinner)));
    change.hdr.code = UDN_DELTAPOS;
    change.iDelta = c.delta;
    const LRESULT answer =
        SendMessageW(GetParent(Hwnd(kCountSpinner)), WM_NOTIFY, change.hdr.idFrom, LPARAM(&change));
    EXPECT_EQ(answer, 0) << "the spinner may always go ahead";
    EXPECT_EQ(WindowText(kCountField), c.result) << c.delta;
  }
}

TEST_F(FieldsWin32Test, HoldingAnArrowRepeatsOneStepAtATime) {
  const POINT at = ArrowPoint(kCountSpinner, true);
  POINT onScreen = at;
  ClientToScreen(Hwnd(kCountSpinner), &onScreen);
  SetCursorPos(onScreen.x, onScreen.y);  // the repeat looks where the mouse is
  SendMessageW(Hwnd(kCountSpinner), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  test::PumpFor(1500);
  SendMessageW(Hwnd(kCountSpinner), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  const std::vector<int> deltas = recorder->Deltas(Hwnd(kCountSpinner));
  EXPECT_GT(deltas.size(), 2u) << "the press repeats while the button is held";
  EXPECT_EQ(WindowText(kCountField), std::to_wstring(1 + deltas.size()));
}

// Windows checks an automatic radio box that takes the focus other than by a mouse press, and
// notifies a click; Wine's buttons do neither. While this lives, buttons created from then on
// do as Windows does, from inside their focus message.
class WindowsRadioFocus {
 public:
  WindowsRadioFocus() { original_ = SwapButtonProcedure(FocusNotifying); }
  ~WindowsRadioFocus() { SwapButtonProcedure(original_); }
  WindowsRadioFocus(const WindowsRadioFocus&) = delete;
  WindowsRadioFocus& operator=(const WindowsRadioFocus&) = delete;

 private:
  static WNDPROC SwapButtonProcedure(WNDPROC procedure) {
    HWND probe = CreateWindowW(L"BUTTON", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const auto previous = reinterpret_cast<WNDPROC>(
        SetClassLongPtrW(probe, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    DestroyWindow(probe);
    return previous;
  }
  // Checks the radio box and unchecks the other automatic radio boxes beside it.
  static void CheckAlone(HWND radio) {
    for (HWND other = GetWindow(GetParent(radio), GW_CHILD); other;
         other = GetWindow(other, GW_HWNDNEXT)) {
      if ((GetWindowLongW(other, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
        SendMessageW(other, BM_SETCHECK, other == radio ? BST_CHECKED : BST_UNCHECKED, 0);
      }
    }
  }
  static LRESULT CALLBACK FocusNotifying(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(original_, hwnd, message, wParam, lParam);
    const bool autoRadio = (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
    if (message == WM_SETFOCUS && autoRadio && GetCapture() != hwnd &&
        SendMessageW(hwnd, BM_GETCHECK, 0, 0) != BST_CHECKED) {
      CheckAlone(hwnd);
      SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                   reinterpret_cast<LPARAM>(hwnd));
    }
    return result;
  }
  static inline WNDPROC original_ = nullptr;
};

class RadioFocusWin32Test : public FieldsWin32Test {
 protected:
  WindowsRadioFocus windowsButtons;  // in place before the window is loaded
};

TEST_F(RadioFocusWin32Test, ARadioTakingTheFocusIsNotAClick) {
  SetFocus(Hwnd(kClockRadio));
  ASSERT_EQ(GetFocus(), Hwnd(kClockRadio));
  ASSERT_EQ(recorder->Count(Hwnd(kClockRadio), BN_CLICKED), 1) << "the system's notification";
  // The box is checked now, so a click handler run for it would switch modes.
  EXPECT_TRUE(Enabled(kCountField)) << "the mode did not switch";
  EXPECT_FALSE(Enabled(kHourField));

  SetFocus(Hwnd(kRelativeRadio));
  Click(kClockRadio);
  EXPECT_EQ(recorder->Count(Hwnd(kClockRadio), BN_CLICKED), 2);
  EXPECT_FALSE(Enabled(kCountField)) << "a real click still switches";
  EXPECT_TRUE(Enabled(kHourField));
}

TEST_F(FieldsWin32Test, TheClockFieldIsWrittenEachSecond) {
  EXPECT_TRUE(test::PumpUntil(
      [&] { return WindowText(kClockField) == L"2012\u5E7412\u670828\u65E520\u65F6"; }, 3000))
      << "2012年12月28日20时 with the injected clock";
}

}  // namespace
}  // namespace quorvane
