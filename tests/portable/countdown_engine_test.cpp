// The countdown ticks of the real program over the headless backend, one virtual second at a
// time. Totals are set straight on the slots here; the start button has its own tests.
#include "countdown/countdown_engine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/program_fixture.h"

namespace quorvane {
namespace {

using namespace test;
using namespace main_window;

constexpr int kIdOk = 1;

class CountdownEngineTest : public ProgramFixture {
 protected:
  static Control TimerOf(Slot slot) {
    return slot == Slot::kRelative ? kRelativeTimer : kClockModeTimer;
  }
  void Start(Slot slot, std::int32_t total) {
    program.countdown.SetTotal(slot, total);
    program.services.WriteProperty(Ref(TimerOf(slot)), property::kPeriod, 1000);
  }
  std::int32_t PeriodOf(Slot slot) {
    return program.services.ReadProperty(Ref(TimerOf(slot)), property::kPeriod).AsInt();
  }
  // Lets one more period pass and returns what the status box then shows.
  Text NextTick() {
    backend.Advance(1000);
    return TextOf(kStatusBox);
  }
  void SelectAction(int index) { ASSERT_TRUE(backend.Select(Ref(kActionBox), index)); }
};

struct StatusCase {
  std::int32_t remaining;
  const char* text;
};

class CountdownEngineStatusTest : public CountdownEngineTest,
                                  public ::testing::WithParamInterface<StatusCase> {};

TEST_P(CountdownEngineStatusTest, FirstTickShowsTheWholeTotal) {
  Start(Slot::kRelative, GetParam().remaining);
  EXPECT_EQ(NextTick(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Remaining, CountdownEngineStatusTest,
                         ::testing::Values(StatusCase{3661, "剩余时间:1小时1分1秒"},
                                           StatusCase{3600, "剩余时间:1小时0分0秒"},
                                           StatusCase{3599, "剩余时间:0小时59分59秒"},
                                           StatusCase{59, "剩余时间:0小时0分59秒"},
                                           StatusCase{0, "剩余时间:0小时0分0秒"},
                                           // Hours are never folded into days.
                                           StatusCase{100 * 3600, "剩余时间:100小时0分0秒"},
                                           StatusCase{2147483647, "剩余时间:596523小时14分7秒"}));

TEST_F(CountdownEngineTest, StatusBoxKeepsItsTextUntilTheFirstTick) {
  Start(Slot::kRelative, 5);
  backend.Advance(999);
  EXPECT_EQ(TextOf(kStatusBox), "定时器已停止");
  EXPECT_EQ(NextTick(), "剩余时间:0小时0分5秒");
}

TEST_F(CountdownEngineTest, SixtySecondsShowOnTicksOneToSixtyOneAndFireOnSixtyTwo) {
  Start(Slot::kRelative, 60);
  std::vector<Text> shown;
  for (int tick = 1; tick <= 61; ++tick) shown.push_back(NextTick());
  EXPECT_EQ(shown[0], "剩余时间:0小时1分0秒");
  EXPECT_EQ(shown[1], "剩余时间:0小时0分59秒");
  EXPECT_EQ(shown[10], "剩余时间:0小时0分50秒");
  EXPECT_EQ(shown[60], "剩余时间:0小时0分0秒");
  EXPECT_TRUE(PowerCalls().empty());
  EXPECT_EQ(PeriodOf(Slot::kRelative), 1000);

  EXPECT_EQ(NextTick(), "剩余时间:0小时0分0秒");  // the firing leaves the last text
  EXPECT_EQ(PowerCalls(), std::vector<std::string>{"ExitWindowsEx(12)"});
  EXPECT_EQ(PeriodOf(Slot::kRelative), 0);
  EXPECT_EQ(program.countdown.Total(Slot::kRelative), 60);

  backend.Advance(10000);
  EXPECT_EQ(PowerCalls().size(), 1u);
}

TEST_F(CountdownEngineTest, TotalZeroShowsZeroOnceThenFires) {
  Start(Slot::kClock, 0);
  EXPECT_EQ(NextTick(), "剩余时间:0小时0分0秒");
  EXPECT_TRUE(PowerCalls().empty());
  NextTick();
  EXPECT_EQ(PowerCalls().size(), 1u);
  EXPECT_EQ(PeriodOf(Slot::kClock), 0);
}

TEST_F(CountdownEngineTest, NegativeTotalFiresOnTheFirstTickShowingNothing) {
  for (const std::int32_t total : {-1, -86400, INT32_MIN}) {
    PowerCalls().clear();
    Start(Slot::kClock, total);
    EXPECT_EQ(NextTick(), "定时器已停止") << total;
    EXPECT_EQ(PowerCalls().size(), 1u) << total;
    EXPECT_EQ(PeriodOf(Slot::kClock), 0) << total;
  }
}

TEST_F(CountdownEngineTest, AnHourCountsDownAcrossTheHourBoundary) {
  Start(Slot::kRelative, 3600);
  EXPECT_EQ(NextTick(), "剩余时间:1小时0分0秒");
  EXPECT_EQ(NextTick(), "剩余时间:0小时59分59秒");
}

TEST_F(CountdownEngineTest, EachItemOfTheActionBoxCarriesOutItsActionWithForce) {
  const struct {
    int item;
    const char* call;
  } kCases[] = {{0, "ExitWindowsEx(12)"},           // 关机: power off on an NT-family system
                {1, "ExitWindowsEx(6)"},            // 重启
                {2, "ExitWindowsEx(4)"},            // 注销
                {3, "SetSystemPowerState(1, 1)"},   // 休眠
                {4, "SetSystemPowerState(0, 1)"}};  // 冬眠
  for (const auto& c : kCases) {
    PowerCalls().clear();
    SelectAction(c.item);
    Start(Slot::kRelative, -1);
    NextTick();
    EXPECT_EQ(PowerCalls(), std::vector<std::string>{c.call}) << c.item;
  }
}

TEST_F(CountdownEngineTest, WithoutACurrentActionNothingIsCarriedOutButTheTimerStops) {
  SelectAction(-1);
  Start(Slot::kRelative, 0);
  NextTick();
  NextTick();
  EXPECT_TRUE(PowerCalls().empty());
  EXPECT_EQ(PeriodOf(Slot::kRelative), 0);
}

TEST_F(CountdownEngineTest, TheActionSelectedAtTheFiringTickIsCarriedOut) {
  Start(Slot::kRelative, 2);
  NextTick();
  SelectAction(1);  // 重启
  NextTick();
  NextTick();
  SelectAction(4);  // 冬眠, just before the firing tick
  NextTick();
  EXPECT_EQ(PowerCalls(), std::vector<std::string>{"SetSystemPowerState(0, 1)"});
}

TEST_F(CountdownEngineTest, AFiringCountsTheNextStartInFull) {
  // After a suspend or hibernate the program runs on; starting again must not fire at once.
  Start(Slot::kRelative, 60);
  backend.Advance(62000);
  ASSERT_EQ(PowerCalls().size(), 1u);
  Start(Slot::kRelative, 60);
  EXPECT_EQ(NextTick(), "剩余时间:0小时1分0秒");
  backend.Advance(61000);
  EXPECT_EQ(PowerCalls().size(), 2u);
}

TEST_F(CountdownEngineTest, BothSlotsRunAtOnceEachOnItsOwnCount) {
  Start(Slot::kRelative, 2);  // ticks at 1000, 2000, ...
  backend.Advance(500);
  Start(Slot::kClock, 4);  // ticks at 1500, 2500, ...
  const auto next = [this] {
    backend.Advance(500);
    return TextOf(kStatusBox);
  };
  EXPECT_EQ(next(), "剩余时间:0小时0分2秒");
  EXPECT_EQ(next(), "剩余时间:0小时0分4秒");
  EXPECT_EQ(next(), "剩余时间:0小时0分1秒");
  EXPECT_EQ(next(), "剩余时间:0小时0分3秒");
  EXPECT_EQ(next(), "剩余时间:0小时0分0秒");
  EXPECT_EQ(next(), "剩余时间:0小时0分2秒");
  SelectAction(2);                            // 注销 for the relative countdown
  EXPECT_EQ(next(), "剩余时间:0小时0分2秒");  // the relative slot fires at 4000
  EXPECT_EQ(PowerCalls(), std::vector<std::string>{"ExitWindowsEx(4)"});
  EXPECT_EQ(PeriodOf(Slot::kRelative), 0);
  EXPECT_EQ(PeriodOf(Slot::kClock), 1000);
  EXPECT_EQ(next(), "剩余时间:0小时0分1秒");
  SelectAction(3);  // 休眠 for the clock countdown
  backend.Advance(1000);
  EXPECT_EQ(TextOf(kStatusBox), "剩余时间:0小时0分0秒");
  EXPECT_EQ(PowerCalls().size(), 1u);
  backend.Advance(1000);  // 6500: the clock slot fires
  EXPECT_EQ(PowerCalls(),
            (std::vector<std::string>{"ExitWindowsEx(4)", "SetSystemPowerState(1, 1)"}));
  EXPECT_EQ(PeriodOf(Slot::kClock), 0);
}

TEST_F(CountdownEngineTest, FiresWhileAMessageBoxIsUp) {
  Start(Slot::kRelative, 0);
  std::size_t callsWhileUp = 0;
  backend.AnswerNextMessageBox([&] {
    backend.Advance(2000);
    callsWhileUp = PowerCalls().size();
    return kIdOk;
  });
  program.services.ShowMessage("提示", 48);
  EXPECT_EQ(callsWhileUp, 1u);
  EXPECT_EQ(PeriodOf(Slot::kRelative), 0);
  EXPECT_EQ(TextOf(kStatusBox), "剩余时间:0小时0分0秒");
}

}  // namespace
}  // namespace quorvane
