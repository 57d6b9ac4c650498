// A countdown of the real main window over the real backend, from the press of the start
// button to the power call, with a power table that only records.
#include <ole2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/program_fixture.h"
#include "tests/support/win32_pump.h"
#include "tests/support/win32_window_probe.h"

namespace quorvane {
namespace {

using namespace main_window;
using namespace test;

constexpr int kSecondsItem = 2;  // 秒后

class CountdownWin32Test : public Win32ProgramTest {
 protected:
  CountdownWin32Test() { PowerCalls().clear(); }

  HWND Hwnd(Control control) const { return app.Hwnd(Ref(control)); }
  Text Status() {
    return app.program.services.ReadProperty(Ref(kStatusBox), property::kText).AsText();
  }
};

TEST_F(CountdownWin32Test, OneSecondCountsDownAndCarriesOutTheActionOnTheThirdTick) {
  ASSERT_TRUE(app.program.LoadStartWindow());
  SetWindowTextW(Hwnd(kCountField), L"1");
  SendMessageW(Hwnd(kUnitBox), CB_SETCURSEL, kSecondsItem, 0);
  SendMessageW(Hwnd(kStartButton), BM_CLICK, 0, 0);
  EXPECT_EQ(app.program.services.ReadProperty(Ref(kStartButton), property::kCaption).AsText(),
            "停止定时器(&D)");

  // Each step waits for the next tick: about a second, with room for a slow machine.
  ASSERT_TRUE(PumpUntil([&] { return Status() == "剩余时间:0小时0分1秒"; }, 5000)) << Status();
  EXPECT_TRUE(PowerCalls().empty());
  ASSERT_TRUE(PumpUntil([&] { return Status() == "剩余时间:0小时0分0秒"; }, 5000)) << Status();
  EXPECT_TRUE(PowerCalls().empty());
  ASSERT_TRUE(PumpUntil([&] { return !PowerCalls().empty(); }, 5000));
  EXPECT_EQ(PowerCalls(), std::vector<std::string>{"ExitWindowsEx(12)"});
  EXPECT_EQ(Status(), "剩余时间:0小时0分0秒");
  EXPECT_EQ(app.program.services.ReadProperty(Ref(kRelativeTimer), property::kPeriod).AsInt(), 0);

  PumpFor(1500);  // the timer is stopped: nothing more happens
  EXPECT_EQ(PowerCalls().size(), 1u);
}

}  // namespace
}  // namespace quorvane
