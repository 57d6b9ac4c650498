// The start button of the real program over the headless backend: what a press starts, stops
// and writes, the totals it gives each mode, and the countdowns that follow.
#include "countdown/start_stop.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "countdown/date_time.h"
#include "tests/support/program_fixture.h"

namespace quorvane {
namespace {

using namespace test;
using namespace main_window;

constexpr const char* kStopCaption = "停止定时器(&D)";
constexpr const char* kStartCaption = "启动定时器(&E)";
constexpr const char* kStopped = "定时器已停止";

enum Unit { kHours = 0, kMinutes = 1, kSeconds = 2 };
enum HalfDay { kMorning = 0, kAfternoon = 1 };

class StartStopTest : public ProgramFixture {
 protected:
  void Press() { ASSERT_TRUE(backend.Click(Ref(kStartButton))); }
  void ChooseRelativeMode() { ASSERT_TRUE(backend.Click(Ref(kRelativeRadio))); }
  void ChooseClockMode() { ASSERT_TRUE(backend.Click(Ref(kClockRadio))); }
  // The box is enabled first: which boxes a mode enables is not this button's business.
  void Choose(Control combo, int index) {
    program.services.WriteProperty(Ref(combo), property::kDisabled, 0);
    ASSERT_TRUE(backend.Select(Ref(combo), index));
  }
  void SetRelative(const Text& count, Unit unit) {
    Write(kCountField, count);
    Choose(kUnitBox, unit);
  }
  void SetClock(const Text& hour, const Text& minute, HalfDay half) {
    Write(kHourField, hour);
    Write(kMinuteField, minute);
    Choose(kHalfDayBox, half);
  }
  std::int32_t PeriodOf(Control timer) {
    return program.services.ReadProperty(Ref(timer), property::kPeriod).AsInt();
  }
  Text Caption() {
    return program.services.ReadProperty(Ref(kStartButton), property::kCaption).AsText();
  }
  std::int32_t ClockTotal() { return program.countdown.Total(Slot::kClock); }
  std::int32_t RelativeTotal() { return program.countdown.Total(Slot::kRelative); }
  // The clock-mode total after one press that starts the clock countdown.
  std::int32_t StartClock(const Text& hour, const Text& minute, HalfDay half) {
    ChooseClockMode();
    SetClock(hour, minute, half);
    Press();
    return ClockTotal();
  }
  Text NextTick() {
    backend.Advance(1000);
    return TextOf(kStatusBox);
  }
};

TEST_F(StartStopTest, PressStartsThenStopsTheRelativeCountdown) {
  SetRelative("2", kHours);
  Press();
  EXPECT_EQ(PeriodOf(kRelativeTimer), 1000);
  EXPECT_EQ(PeriodOf(kClockModeTimer), 0);
  EXPECT_EQ(Caption(), kStopCaption);
  EXPECT_EQ(TextOf(kStatusBox), kStopped);  // untouched until the first tick
  EXPECT_EQ(RelativeTotal(), 7200);

  NextTick();
  SetRelative("5", kSeconds);
  Press();
  EXPECT_EQ(PeriodOf(kRelativeTimer), 0);
  EXPECT_EQ(Caption(), kStartCaption);
  EXPECT_EQ(TextOf(kStatusBox), kStopped);
  EXPECT_EQ(RelativeTotal(), 5);  // a stop still takes the fields' total
  backend.Advance(5000);
  EXPECT_EQ(TextOf(kStatusBox), kStopped);
}

TEST_F(StartStopTest, RelativeTotalIsTheCountTimesTheUnit) {
  const struct {
    const char* count;
    Unit unit;
    std::int32_t total;
  } kCases[] = {
      {"2", kHours, 7200},
      {"1.5", kHours, 5400},
      {"90", kSeconds, 90},
      {"1e3", kSeconds, 1000},
      {"2.5", kMinutes, 150},
      {"1e-5", kSeconds, 0},
      // Too long a count stays at the largest total instead of wrapping.
      {"9e9", kSeconds, 2147483647},
      {"9e9", kHours, 2147483647},
  };
  for (const auto& c : kCases) {
    SetRelative(c.count, c.unit);
    Press();  // the total is taken on a start and on a stop alike
    EXPECT_EQ(RelativeTotal(), c.total) << c.count << " unit " << c.unit;
  }
}

TEST_F(StartStopTest, UnitBoxWithoutCurrentItemCountsSeconds) {
  Write(kCountField, "7");
  Choose(kUnitBox, -1);
  Press();
  EXPECT_EQ(RelativeTotal(), 7);
}

TEST_F(StartStopTest, OneSecondShowsOneThenZeroAndFiresOnTheThirdTick) {
  SetRelative("1", kSeconds);
  Press();
  EXPECT_EQ(NextTick(), "剩余时间:0小时0分1秒");
  EXPECT_EQ(NextTick(), "剩余时间:0小时0分0秒");
  EXPECT_TRUE(PowerCalls().empty());
  EXPECT_EQ(NextTick(), "剩余时间:0小时0分0秒");
  EXPECT_EQ(PowerCalls(), std::vector<std::string>{"ExitWindowsEx(12)"});
  EXPECT_EQ(PeriodOf(kRelativeTimer), 0);
  EXPECT_EQ(Caption(), kStopCaption);  // the firing leaves the caption alone

  // The next press starts again (the timer is stopped) and counts the whole total.
  Press();
  EXPECT_EQ(PeriodOf(kRelativeTimer), 1000);
  EXPECT_EQ(NextTick(), "剩余时间:0小时0分1秒");
}

TEST_F(StartStopTest, RelativeRestartContinuesTheCount) {
  SetRelative("1", kMinutes);
  Press();
  backend.Advance(10000);
  Press();
  EXPECT_EQ(TextOf(kStatusBox), kStopped);
  Press();
  EXPECT_EQ(NextTick(), "剩余时间:0小时0分50秒");
  backend.Advance(50000);
  EXPECT_EQ(TextOf(kStatusBox), "剩余时间:0小时0分0秒");
  EXPECT_TRUE(PowerCalls().empty());
  NextTick();
  EXPECT_EQ(PowerCalls().size(), 1u);
}

TEST_F(StartStopTest, ClockTotalLeadsToTheNextSuchTimeOfDay) {
  // Today is 28 December 2012; every press is at 20:00:00.
  const struct {
    const char* hour;
    const char* minute;
    HalfDay half;
    std::int32_t total;
    const char* target;
  } kCases[] = {
      {"9", "30", kAfternoon, 5400, "2012年12月28日21时30分"},
      {"8", "0", kAfternoon, 0, "2012年12月28日20时"},
      {"8", "1", kAfternoon, 60, "2012年12月28日20时1分"},
      // Earlier today means tomorrow.
      {"8", "0", kMorning, 43200, "2012年12月29日8时"},
      {"7", "59", kAfternoon, 86340, "2012年12月29日19时59分"},
      {"12", "0", kMorning, 57600, "2012年12月29日12时"},  // noon
      // 12 下午 is the midnight that ends today.
      {"12", "0", kAfternoon, 14400, "2012年12月29日"},
      {"12", "30", kAfternoon, 16200, "2012年12月29日0时30分"},
      // Hours beyond the day are clamped to 23 by make date-time.
      {"1e2", "0", kMorning, 10800, "2012年12月28日23时"},
      {"1e2", "0", kAfternoon, 10800, "2012年12月28日23时"},
      {"9e9", "0", kAfternoon, 10800, "2012年12月28日23时"},
      // Texts read by text to number: 1e-5 is hour 0, which 下午 makes noon.
      {"1e-5", "0", kAfternoon, 57600, "2012年12月29日12时"},
      {"9", "abc", kAfternoon, 3600, "2012年12月28日21时"},
  };
  for (const auto& c : kCases) {
    const std::int32_t total = StartClock(c.hour, c.minute, c.half);
    EXPECT_EQ(total, c.total) << c.hour << ":" << c.minute << " half " << c.half;
    EXPECT_EQ(DateTimeToText(CurrentDateTime([this] { return now; }) + total / 86400.0), c.target)
        << c.hour << ":" << c.minute << " half " << c.half;
    Press();  // stop, ready for the next case
  }
}

TEST_F(StartStopTest, ATargetThisSecondOrOneSecondPastGivesZero) {
  for (const int second : {0, 1}) {
    now = {2012, 12, 28, 20, 0, second};
    EXPECT_EQ(StartClock("8", "0", kAfternoon), 0) << second;
    Press();
  }
  now = {2012, 12, 28, 20, 0, 2};
  EXPECT_EQ(StartClock("8", "0", kAfternoon), 86398);
}

TEST_F(StartStopTest, TomorrowRollsOverMonthsAndYears) {
  const struct {
    LocalTime now;
    const char* hour;
    const char* minute;
    HalfDay half;
    std::int32_t total;
    const char* target;
  } kCases[] = {
      {{2012, 12, 31, 23, 59, 30}, "12", "0", kAfternoon, 30, "2013年1月1日"},
      {{2012, 12, 31, 23, 59, 30}, "11", "59", kAfternoon, 86370, "2013年1月1日23时59分"},
      {{2012, 12, 31, 23, 59, 30}, "9", "0", kMorning, 32430, "2013年1月1日9时"},
      {{2013, 2, 28, 23, 59, 30}, "12", "0", kAfternoon, 30, "2013年3月1日"},
      {{2013, 2, 28, 23, 59, 30}, "11", "59", kAfternoon, 86370, "2013年3月1日23时59分"},
      {{2012, 2, 28, 23, 59, 30}, "12", "0", kAfternoon, 30, "2012年2月29日"},
      {{2012, 2, 29, 23, 59, 30}, "12", "0", kAfternoon, 30, "2012年3月1日"},
      {{2012, 2, 29, 23, 59, 30}, "11", "59", kAfternoon, 86370, "2012年3月1日23时59分"},
  };
  for (const auto& c : kCases) {
    now = c.now;
    const std::int32_t total = StartClock(c.hour, c.minute, c.half);
    EXPECT_EQ(total, c.total) << c.target;
    EXPECT_EQ(DateTimeToText(CurrentDateTime([this] { return now; }) + total / 86400.0), c.target);
    Press();
  }
}

TEST_F(StartStopTest, ClockCountdownFiresTwoSecondsAfterTheTarget) {
  now = {2012, 12, 28, 21, 29, 0};
  StartClock("9", "30", kAfternoon);
  EXPECT_EQ(Caption(), kStopCaption);
  EXPECT_EQ(PeriodOf(kClockModeTimer), 1000);
  EXPECT_EQ(PeriodOf(kRelativeTimer), 0);
  EXPECT_EQ(NextTick(), "剩余时间:0小时1分0秒");
  backend.Advance(60000);
  EXPECT_EQ(TextOf(kStatusBox), "剩余时间:0小时0分0秒");
  EXPECT_TRUE(PowerCalls().empty());
  NextTick();
  EXPECT_EQ(PowerCalls().size(), 1u);
  EXPECT_EQ(PeriodOf(kClockModeTimer), 0);
}

TEST_F(StartStopTest, ClockRestartCountsFromTheTargetAgain) {
  StartClock("8", "1", kAfternoon);  // 20:01, 60 s away
  backend.Advance(10000);
  Press();
  EXPECT_EQ(PeriodOf(kClockModeTimer), 0);
  EXPECT_EQ(Caption(), kStartCaption);
  EXPECT_EQ(TextOf(kStatusBox), kStopped);
  EXPECT_EQ(ClockTotal(), 60);  // a stop leaves the total alone

  now = {2012, 12, 28, 20, 0, 30};
  Press();
  EXPECT_EQ(ClockTotal(), 30);
  EXPECT_EQ(NextTick(), "剩余时间:0小时0分30秒");
  backend.Advance(30000);
  EXPECT_TRUE(PowerCalls().empty());
  NextTick();
  EXPECT_EQ(PowerCalls().size(), 1u);
}

TEST_F(StartStopTest, RelativePressLeavesTheRunningClockCountdownAlone) {
  StartClock("8", "1", kAfternoon);  // ticks at 1000, 2000, ...
  backend.Advance(10500);
  now = {2012, 12, 28, 20, 0, 10};
  ChooseRelativeMode();
  SetRelative("1", kHours);
  Press();  // starts the relative countdown; ticks at 11500, 12500, ...
  EXPECT_EQ(PeriodOf(kClockModeTimer), 1000);
  EXPECT_EQ(PeriodOf(kRelativeTimer), 1000);
  EXPECT_EQ(ClockTotal(), 60);
  backend.Advance(500);
  EXPECT_EQ(TextOf(kStatusBox), "剩余时间:0小时0分50秒");  // the clock slot's 11th tick
  backend.Advance(500);
  EXPECT_EQ(TextOf(kStatusBox), "剩余时间:1小时0分0秒");
  backend.Advance(50000);  // the clock slot shows 0 on its 61st tick, at 61000
  EXPECT_TRUE(PowerCalls().empty());
  backend.Advance(1000);
  EXPECT_EQ(PowerCalls().size(), 1u);
  EXPECT_EQ(PeriodOf(kClockModeTimer), 0);
  EXPECT_EQ(PeriodOf(kRelativeTimer), 1000);
}

TEST_F(StartStopTest, ClockPressLeavesTheRelativeSlotAlone) {
  SetRelative("1", kMinutes);
  Press();
  backend.Advance(10000);
  ChooseClockMode();
  SetClock("9", "0", kAfternoon);
  Press();  // starts the clock countdown as well
  EXPECT_EQ(RelativeTotal(), 60);
  EXPECT_EQ(PeriodOf(kRelativeTimer), 1000);
  EXPECT_EQ(PeriodOf(kClockModeTimer), 1000);
  ChooseRelativeMode();
  Press();  // stops the relative countdown only
  EXPECT_EQ(PeriodOf(kRelativeTimer), 0);
  EXPECT_EQ(PeriodOf(kClockModeTimer), 1000);
  EXPECT_EQ(ClockTotal(), 3600);
}

TEST_F(StartStopTest, NeitherRadioCheckedChangesNothing) {
  program.services.WriteProperty(Ref(kRelativeRadio), property::kChecked, 0);
  SetRelative("5", kSeconds);
  SetClock("9", "0", kAfternoon);
  Press();
  EXPECT_EQ(PeriodOf(kRelativeTimer), 0);
  EXPECT_EQ(PeriodOf(kClockModeTimer), 0);
  EXPECT_EQ(Caption(), kStartCaption);
  EXPECT_EQ(TextOf(kStatusBox), kStopped);
  EXPECT_EQ(RelativeTotal(), 0);
  EXPECT_EQ(ClockTotal(), 0);
}

}  // namespace
}  // namespace quorvane
