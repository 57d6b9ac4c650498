// A countdown of the real main window over the real backend, from the press of the start
// button to the power call, with a power table that only records.
#include <ole2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "tests/support/program_fixture.h"
#include "tests/support/win32_pump.h"
#include "tests/support/win32_window_probe.h"
#include "ui/win32/win32_backend.h"

namespace quorvane {
namespace {

using namespace main_window;
using namespace test;

constexpr int kSecondsItem = 2;  // 秒后

void ReportFatal(const std::string& message) {
  ADD_FAILURE() << "fatal: " << message;
}

LocalTime FixedClock() {
  return {2012, 12, 28, 20, 0, 0};
}

class CountdownWin32Test : public ::testing::Test {
 protected:
  CountdownWin32Test()
      : backend(GetModuleHandleW(nullptr)),
        program({backend, ReportFatal, FixedClock, RecordingPowerApi(), [](int) { return 1; }}) {
    PowerCalls().clear();
  }

  HWND Hwnd(Control control) {
    return reinterpret_cast<HWND>(program.services.NativeOf(Ref(control)));
  }
  Text Status() { return program.services.ReadProperty(Ref(kStatusBox), property::kText).AsText(); }

  test::OleSession ole;
  Win32Backend backend;
  Program program;
};

TEST_F(CountdownWin32Test, OneSecondCountsDownAndCarriesOutTheActionOnTheThirdTick) {
  ASSERT_TRUE(program.LoadStartWindow());
  SetWindowTextW(Hwnd(kCountField), L"1");
  SendMessageW(Hwnd(kUnitBox), CB_SETCURSEL, kSecondsItem, 0);
  SendMessageW(Hwnd(kStartButton), BM_CLICK, 0, 0);
  EXPECT_EQ(program.services.ReadProperty(Ref(kStartButton), property::kCaption).AsText(),
            "停止定时器(&D)");

  // Each step waits for the next tick: about a second, with room for a slow machine.
  ASSERT_TRUE(PumpUntil([&] { return Status() == "剩余时间:0小时0分1秒"; }, 5000)) << Status();
  EXPECT_TRUE(PowerCalls().empty());
  ASSERT_TRUE(PumpUntil([&] { return Status() == "剩余时间:0小时0分0秒"; }, 5000)) << Status();
  EXPECT_TRUE(PowerCalls().empty());
  ASSERT_TRUE(PumpUntil([&] { return !PowerCalls().empty(); }, 5000));
  EXPECT_EQ(PowerCalls(), std::vector<std::string>{"ExitWindowsEx(12)"});
  EXPECT_EQ(Status(), "剩余时间:0小时0分0秒");
  EXPECT_EQ(program.services.ReadProperty(Ref(kRelativeTimer), property::kPeriod).AsInt(), 0);

  PumpFor(1500);  // the timer is stopped: nothing more happens
  EXPECT_EQ(PowerCalls().size(), 1u);
}

}  // namespace
}  // namespace quorvane
