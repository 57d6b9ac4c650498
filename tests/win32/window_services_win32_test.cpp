// The window services over the real Win32 backend, with the tests' small window design.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/fatal_report.h"
#include "tests/support/test_design.h"
#include "tests/support/win32_pump.h"
#include "ui/win32/gbk.h"
#include "ui/win32/win32_backend.h"
#include "ui/window_services.h"

namespace quorvane {
namespace {

using namespace test;

class Win32ServicesTest : public ::testing::Test {
 protected:
  static constexpr const WindowDesign* kDesigns[] = {&kTestMainDesign, &kTestDialogDesign};

  Win32ServicesTest()
      : backend(GetModuleHandleW(nullptr)),
        services(backend, kDesigns, [](const Text& m) { FAIL() << "fatal: " << m; }) {}

  void Bind(int window, int control, int eventNumber, Handler handler) {
    tables[window].push_back({control, eventNumber, 0, std::move(handler)});
    services.SetBindings(window, tables[window]);
  }
  HWND Hwnd(int window, int control) {
    return reinterpret_cast<HWND>(services.NativeOf({window, control}));
  }

  Win32Backend backend;
  WindowServices services;
  std::map<int, BindingTable> tables;
};

TEST_F(Win32ServicesTest, EditWriteRaisesTextChangedExactlyOnce) {
  int changes = 0;
  Bind(kTestMain, kEdit, event::kTextChanged, NoResult([&] { ++changes; }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  services.WriteProperty({kTestMain, kEdit}, property::kText, "12");
  EXPECT_EQ(changes, 1);
  services.WriteProperty({kTestMain, kEdit}, property::kText, "12");
  EXPECT_EQ(changes, 2);
  wchar_t text[16];
  GetWindowTextW(Hwnd(kTestMain, kEdit), text, 16);
  EXPECT_STREQ(text, L"12");
  // The user's typing raises it once per change, and the limit of 3 characters holds.
  SendMessageW(Hwnd(kTestMain, kEdit), WM_SETTEXT, 0, LPARAM(L""));  // a change "by the user"
  EXPECT_EQ(changes, 3);
}

TEST_F(Win32ServicesTest, ControlsGetTheirTextsInGbkRoundTrip) {
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  wchar_t caption[64];
  GetWindowTextW(Hwnd(kTestMain, kButton), caption, 64);
  EXPECT_STREQ(caption, L"\u542F\u52A8\u5B9A\u65F6\u5668(&E)");  // 启动定时器(&E)
  services.WriteProperty({kTestMain, kEdit}, property::kText, "时钟");
  EXPECT_EQ(services.ReadProperty({kTestMain, kEdit}, property::kText).AsText(), "时钟");
}

TEST_F(Win32ServicesTest, TimerTicksOnItsWindow) {
  int ticks = 0;
  Bind(kTestMain, kTimer, event::kPeriodic, NoResult([&] { ++ticks; }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  services.WriteProperty({kTestMain, kTimer}, property::kPeriod, 100);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000));
  services.WriteProperty({kTestMain, kTimer}, property::kPeriod, 0);
  const int stoppedAt = ticks;
  PumpFor(300);
  EXPECT_EQ(ticks, stoppedAt);
}

TEST_F(Win32ServicesTest, CloseRequestGoesThroughCanBeClosed) {
  int asked = 0;
  bool refuse = true;
  Bind(kTestMain, 0, event::kCanBeClosed, [&](std::span<const std::int32_t>) {
    ++asked;
    return std::optional<std::int32_t>(refuse ? 0 : 1);
  });
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  SendMessageW(Hwnd(kTestMain, 0), WM_CLOSE, 0, 0);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(services.IsLoaded(kTestMain));
  EXPECT_FALSE(SendMessageW(Hwnd(kTestMain, 0), WM_QUERYENDSESSION, 0, 0))
      << "a refused close refuses the end of the session";
  refuse = false;
  SendMessageW(Hwnd(kTestMain, 0), WM_CLOSE, 0, 0);
  EXPECT_FALSE(services.IsLoaded(kTestMain));
}

TEST_F(Win32ServicesTest, ModalLoadDisablesOtherWindowsAndClosingRestoresThem) {
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  HWND main = Hwnd(kTestMain, 0);
  bool mainDisabledWhileOpen = false;
  bool ownedByToolWindow = false;
  // The modal wait runs inside LoadWindow: the main window's timer looks and closes it.
  Bind(kTestMain, kTimer, event::kPeriodic, NoResult([&] {
         HWND dialog = Hwnd(kTestDialog, 0);
         if (!dialog) return;
         mainDisabledWhileOpen = !IsWindowEnabled(main);
         ownedByToolWindow = GetWindow(dialog, GW_OWNER) == backend.ToolWindow();
         services.WriteProperty({kTestMain, kTimer}, property::kPeriod, 0);
         PostMessageW(dialog, WM_CLOSE, 0, 0);
       }));
  services.WriteProperty({kTestMain, kTimer}, property::kPeriod, 100);
  ASSERT_TRUE(services.LoadWindow(kTestDialog, true));
  EXPECT_TRUE(mainDisabledWhileOpen);
  EXPECT_TRUE(ownedByToolWindow);
  EXPECT_FALSE(services.IsLoaded(kTestDialog));
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(Win32ServicesTest, TicksStayOnTheirSecondsWhileHandlersAreSlow) {
  std::vector<std::int64_t> arrivals;
  std::int64_t start = 0;
  Bind(kTestMain, kTimer, event::kPeriodic, NoResult([&] {
         arrivals.push_back(backend.MonotonicMs() - start);
         if (arrivals.size() % 2 == 0) Sleep(150);
       }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  start = backend.MonotonicMs();
  services.WriteProperty({kTestMain, kTimer}, property::kPeriod, 1000);
  ASSERT_TRUE(PumpUntil([&] { return arrivals.size() >= 20; }, 25000));
  for (std::size_t n = 0; n < arrivals.size(); ++n) {
    const std::int64_t due = 1000 * std::int64_t(n + 1);
    EXPECT_GE(arrivals[n], due - 2) << "tick " << n + 1;
    EXPECT_LT(arrivals[n], due + 50) << "tick " << n + 1;
  }
}

TEST(FatalReportTest, ComposesTheReportAndTheAllocationMessage) {
  EXPECT_EQ(ComposeFatalReport("载入启动窗口失败", 0),
            "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(ComposeFatalReport("", 0), "运行时出错!\r\n\r\n");
  EXPECT_EQ(ComposeFatalReport("x", 7), "运行时出错!\r\n\r\n错误代码：7\r\n\r\n错误信息：x\r\n");
  EXPECT_EQ(AllocationFailureMessage(4096), "分配 4096 字节内存失败!");
}

TEST(FatalReportTest, ProcessEndsWithMinusOne) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --fatal-child";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(code, DWORD(-1));
}

}  // namespace
}  // namespace quorvane
