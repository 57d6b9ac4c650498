#include "countdown/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <limits>
#include <string_view>

#include "countdown/local_clock.h"

namespace quorvane {

// Internal linkage, yet found by argument-dependent lookup for the failure messages.
static std::ostream& operator<<(std::ostream& out, const LocalTime& t) {
  return out << t.year << '-' << t.month << '-' << t.day << ' ' << t.hour << ':' << t.minute << ':'
             << t.second;
}

namespace {

constexpr double kSecond = 1.0 / 86400;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

DateTime At(const LocalTime& t) {
  return MakeDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

TEST(MakeDateTime, CountsDaysFromThe30thOfDecember1899) {
  const struct {
    LocalTime time;
    DateTime value;
  } cases[] = {
      {{1899, 12, 30, 0, 0, 0}, 0.0},
      {{1899, 12, 31, 0, 0, 0}, 1.0},
      {{1900, 3, 1, 0, 0, 0}, 61.0},  // 1900 has no 29 February
      {{2012, 12, 28, 0, 0, 0}, 41271.0},
      {{2012, 12, 28, 12, 0, 0}, 41271.5},
      {{2012, 12, 28, 21, 30, 0}, 41271.0 + 21.5 / 24},
      {{2013, 1, 5, 0, 0, 0}, 41279.0},
      {{100, 1, 1, 0, 0, 0}, kEarliestDateTime},
      {{9999, 12, 31, 0, 0, 0}, kLatestDateTime},
      // Before day 0 the time of day still counts forwards from midnight.
      {{1899, 12, 29, 6, 0, 0}, -1.25},
      {{1899, 12, 29, 18, 0, 0}, -1.75},
      {{1800, 1, 1, 0, 0, 0}, -36522.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(At(c.time), c.value) << c.time;
  }
}

TEST(MakeDateTime, ClampsEachPartOnItsOwn) {
  const struct {
    LocalTime given, made;
  } cases[] = {
      {{2012, 12, 28, 24, 5, 0}, {2012, 12, 28, 23, 5, 0}},  // no carry into the next day
      {{2012, 2, 31, 8, 0, 0}, {2012, 2, 29, 8, 0, 0}},
      {{2013, 2, 30, 0, 0, 0}, {2013, 2, 28, 0, 0, 0}},
      {{1900, 2, 29, 0, 0, 0}, {1900, 2, 28, 0, 0, 0}},
      {{2000, 2, 30, 0, 0, 0}, {2000, 2, 29, 0, 0, 0}},
      {{2013, 4, 31, 0, 0, 0}, {2013, 4, 30, 0, 0, 0}},
      {{2012, 12, 28, 7, 75, 0}, {2012, 12, 28, 7, 59, 0}},
      {{2012, 12, 28, 7, 0, 60}, {2012, 12, 28, 7, 0, 59}},
      {{2012, 13, 0, -1, -1, -1}, {2012, 12, 1, 0, 0, 0}},
      {{0, 0, 0, 0, 0, 0}, {100, 1, 1, 0, 0, 0}},
      {{-2147483647 - 1, 1, 1, 0, 0, 0}, {100, 1, 1, 0, 0, 0}},
      {{10000, 1, 1, 0, 0, 0}, {9999, 1, 1, 0, 0, 0}},
      {{2147483647, 99, 99, 99, 99, 99}, {9999, 12, 31, 23, 59, 59}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(At(c.given), At(c.made)) << c.given;
  }
}

TEST(SplitDateTime, GivesTheCalendarFields) {
  const struct {
    DateTime value;
    LocalTime time;
  } cases[] = {
      {41271.5, {2012, 12, 28, 12, 0, 0}},
      {61.0, {1900, 3, 1, 0, 0, 0}},
      {60.0, {1900, 2, 28, 0, 0, 0}},
      {36585.0, {2000, 2, 29, 0, 0, 0}},
      {-1.25, {1899, 12, 29, 6, 0, 0}},
      {-0.5, {1899, 12, 30, 12, 0, 0}},  // -0.5 and 0.5 are the same point in time
      {kEarliestDateTime, {100, 1, 1, 0, 0, 0}},
      {kLatestDateTime, {9999, 12, 31, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitDateTime(c.value), c.time) << c.value;
  }
  const DateTime value = At({2013, 1, 5, 8, 0, 30});
  EXPECT_EQ(YearOf(value), 2013);
  EXPECT_EQ(MonthOf(value), 1);
  EXPECT_EQ(DayOf(value), 5);
  EXPECT_EQ(HourOf(value), 8);
  EXPECT_EQ(MinuteOf(value), 0);
  EXPECT_EQ(SecondOf(value), 30);
}

TEST(SplitDateTime, RoundsToTheNearestSecond) {
  const struct {
    DateTime value;
    LocalTime time;
  } cases[] = {
      {41271.0 + 3599.6 * kSecond, {2012, 12, 28, 1, 0, 0}},
      {41271.0 + 3600.4 * kSecond, {2012, 12, 28, 1, 0, 0}},
      {41271.0 + 86399.6 * kSecond, {2012, 12, 29, 0, 0, 0}},
      {41271.0 - 0.4 * kSecond, {2012, 12, 28, 0, 0, 0}},
      {-1.0 - 0.4 * kSecond, {1899, 12, 29, 0, 0, 0}},
      // 23:59:59.6 on 29 December 1899 rounds on to midnight of the 30th.
      {-1.0 - 86399.6 * kSecond, {1899, 12, 30, 0, 0, 0}},
      {-2.0 - 86399.6 * kSecond, {1899, 12, 29, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitDateTime(c.value), c.time) << c.value;
  }
}

TEST(SplitDateTime, ClampsIntoTheValidRange) {
  const struct {
    DateTime value;
    LocalTime time;
  } cases[] = {
      {-1e9, {100, 1, 1, 0, 0, 0}},
      {-kInfinity, {100, 1, 1, 0, 0, 0}},
      {kEarliestDateTime - 0.5, {100, 1, 1, 0, 0, 0}},
      {1e9, {9999, 12, 31, 0, 0, 0}},
      {kInfinity, {9999, 12, 31, 0, 0, 0}},
      {kLatestDateTime + 0.9, {9999, 12, 31, 0, 0, 0}},
      {std::numeric_limits<double>::quiet_NaN(), {1899, 12, 30, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitDateTime(c.value), c.time) << c.value;
  }
}

// Walks every day from 1 January 100 to 31 December 9999 and checks that each one follows the
// one before it in the calendar, and that making it again gives the same day.
TEST(SplitDateTime, FollowsTheCalendarDayByDayOverTheWholeRange) {
  LocalTime expected{100, 1, 1, 0, 0, 0};
  for (auto day = static_cast<int>(kEarliestDateTime); day <= kLatestDateTime; ++day) {
    const LocalTime split = SplitDateTime(day);
    ASSERT_EQ(split, expected) << day;
    ASSERT_EQ(At(split), day);
    const bool leap =
        (expected.year % 4 == 0 && expected.year % 100 != 0) || expected.year % 400 == 0;
    const int monthLength[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (++expected.day > monthLength[expected.month - 1]) {
      expected.day = 1;
      if (++expected.month > 12) {
        expected.month = 1;
        ++expected.year;
      }
    }
  }
}

TEST(TimeDifferenceInSeconds, CountsWholeSecondsWithAToleranceTowardTheLaterTime) {
  const DateTime b = At({2012, 12, 28, 20, 0, 0});
  const struct {
    LocalTime a;
    double seconds;
  } cases[] = {
      {{2012, 12, 28, 21, 30, 0}, 90 * 60},
      {{2012, 12, 28, 23, 0, 0}, 3 * 3600},
      {{2012, 12, 28, 20, 0, 0}, 0},
      {{2012, 12, 28, 20, 0, 1}, 1},
      {{2012, 12, 28, 19, 59, 59}, 0},
      {{2012, 12, 28, 19, 59, 58}, -1},
      {{2012, 12, 28, 8, 0, 0}, -(12 * 3600 - 1)},
      {{2012, 12, 29, 20, 0, 0}, 86400},
      {{2012, 12, 27, 20, 0, 0}, -86399},
  };
  for (const auto& c : cases) {
    const double seconds = TimeDifferenceInSeconds(At(c.a), b);
    EXPECT_EQ(seconds, c.seconds) << c.a;
    EXPECT_EQ(std::signbit(seconds), std::signbit(c.seconds)) << "0, not -0: " << c.a;
  }
}

TEST(TimeDifferenceInSeconds, RunsOnThroughDayZeroAndClampsItsArguments) {
  const struct {
    DateTime a, b;
    double seconds;
  } cases[] = {
      {At({1899, 12, 30, 0, 0, 1}), At({1899, 12, 29, 23, 59, 59}), 2},
      {At({1899, 12, 29, 18, 0, 0}), At({1899, 12, 29, 6, 0, 0}), 12 * 3600},
      {At({1899, 12, 30, 6, 0, 0}), At({1899, 12, 29, 18, 0, 0}), 12 * 3600},
      {At({1800, 1, 1, 0, 0, 0}), At({1800, 1, 2, 0, 0, 0}), -86399},
      {1e9, kLatestDateTime, 0},
      {kInfinity, -kInfinity, (kLatestDateTime - kEarliestDateTime) * 86400},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TimeDifferenceInSeconds(c.a, c.b), c.seconds) << c.a << " - " << c.b;
  }
}

TEST(DateTimeToText, LeavesOutOnlyTheZeroFieldsAtTheEnd) {
  const struct {
    LocalTime time;
    std::string_view text;
  } cases[] = {
      {{2012, 12, 28, 20, 5, 9}, "2012年12月28日20时5分9秒"},
      {{2012, 12, 28, 20, 5, 0}, "2012年12月28日20时5分"},
      {{2012, 12, 28, 20, 0, 0}, "2012年12月28日20时"},
      {{2012, 12, 28, 0, 0, 0}, "2012年12月28日"},
      {{2012, 12, 28, 0, 0, 9}, "2012年12月28日0时0分9秒"},
      {{2013, 1, 5, 8, 0, 30}, "2013年1月5日8时0分30秒"},
      {{2013, 1, 5, 0, 30, 0}, "2013年1月5日0时30分"},
      {{1899, 12, 29, 6, 0, 0}, "1899年12月29日6时"},
      {{100, 1, 1, 0, 0, 0}, "100年1月1日"},
      {{9999, 12, 31, 0, 0, 0}, "9999年12月31日"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DateTimeToText(At(c.time)), c.text) << c.time;
  }
  EXPECT_EQ(DateTimeToText(41271.0 + 59.6 * kSecond), "2012年12月28日0时1分");
}

TEST(CurrentDateTime, ReadsTheGivenClock) {
  const LocalClock clock = [] { return LocalTime{2012, 12, 28, 20, 5, 9}; };
  EXPECT_EQ(DateTimeToText(CurrentDateTime(clock)), "2012年12月28日20时5分9秒");
  // A leap second stays within its minute.
  const LocalClock leapSecond = [] { return LocalTime{2016, 12, 31, 23, 59, 60}; };
  EXPECT_EQ(DateTimeToText(CurrentDateTime(leapSecond)), "2016年12月31日23时59分59秒");
}

TEST(SystemLocalTime, AgreesWithTheCLibrarysLocalTime) {
  const std::time_t now = std::time(nullptr);
  const std::tm library = *std::localtime(&now);
  const DateTime fromLibrary =
      MakeDateTime(library.tm_year + 1900, library.tm_mon + 1, library.tm_mday, library.tm_hour,
                   library.tm_min, library.tm_sec);
  const DateTime fromSystem = CurrentDateTime(SystemLocalTime);
  EXPECT_NEAR(TimeDifferenceInSeconds(fromSystem, fromLibrary), 0, 2)
      << DateTimeToText(fromSystem) << " / " << DateTimeToText(fromLibrary);
}

}  // namespace
}  // namespace quorvane
