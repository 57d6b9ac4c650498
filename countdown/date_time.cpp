#include "countdown/date_time.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "countdown/values.h"

namespace quorvane {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Day 0 (30 December 1899) counted from 1 March of year 0, where the calendar arithmetic below
// starts its 400-year eras.
constexpr int64_t kDayZero = 693899;

struct CalendarDay {
  int year, month, day;
};

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from day 0 to the given day of the proleptic Gregorian calendar. Years here are 100 or
// later, so every count below is positive. The year is taken to start on 1 March, which puts
// the leap day at its end.
int64_t DayNumber(CalendarDay date) {
  const int64_t year = date.year - (date.month <= 2 ? 1 : 0);
  const int64_t era = year / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear =
      (153 * (date.month > 2 ? date.month - 3 : date.month + 9) + 2) / 5 + date.day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - kDayZero;
}

// The inverse of DayNumber.
CalendarDay CalendarDayOf(int64_t dayNumber) {
  const int64_t days = dayNumber + kDayZero;
  const int64_t era = days / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

// The date-time on a scale that runs forwards through day 0: before it the encoding counts
// the days backwards but the time of day forwards (-1.25 is 29 December 1899, 06:00).
double ContinuousDays(DateTime value) {
  if (value >= 0) return value;
  const double day = std::ceil(value);
  return day + (day - value);
}

}  // namespace

DateTime ClampDateTime(DateTime value) {
  if (std::isnan(value)) return 0;  // not a point in time at all: day 0
  return std::clamp(value, kEarliestDateTime, kLatestDateTime);
}

DateTime CurrentDateTime(const LocalClock& clock) {
  const LocalTime now = clock();
  return MakeDateTime(now.year, now.month, now.day, now.hour, now.minute, now.second);
}

LocalTime SplitDateTime(DateTime value) {
  // Rounded on the continuous scale: a time a hair before midnight of a day before day 0 moves
  // on to that midnight, where rounding the encoded number would move it two days back.
  const auto seconds =
      static_cast<int64_t>(std::floor(ContinuousDays(ClampDateTime(value)) * kSecondsPerDay + 0.5));
  const int64_t dayNumber =
      seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
  const auto secondOfDay = static_cast<int>(seconds - dayNumber * kSecondsPerDay);
  const CalendarDay date = CalendarDayOf(dayNumber);
  return {date.year,       date.month, date.day, secondOfDay / 3600, secondOfDay / 60 % 60,
          secondOfDay % 60};
}

int YearOf(DateTime value) {
  return SplitDateTime(value).year;
}
int MonthOf(DateTime value) {
  return SplitDateTime(value).month;
}
int DayOf(DateTime value) {
  return SplitDateTime(value).day;
}
int HourOf(DateTime value) {
  return SplitDateTime(value).hour;
}
int MinuteOf(DateTime value) {
  return SplitDateTime(value).minute;
}
int SecondOf(DateTime value) {
  return SplitDateTime(value).second;
}

DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
  year = std::clamp(year, 100, 9999);
  month = std::clamp(month, 1, 12);
  day = std::clamp(day, 1, DaysInMonth(year, month));
  hour = std::clamp(hour, 0, 23);
  minute = std::clamp(minute, 0, 59);
  second = std::clamp(second, 0, 59);
  const auto dayNumber = static_cast<double>(DayNumber({year, month, day}));
  const double time = (hour * 3600 + minute * 60 + second) / static_cast<double>(kSecondsPerDay);
  // Before day 0 the fraction counts forwards from midnight while the day counts backwards.
  return dayNumber >= 0 ? dayNumber + time : dayNumber - time;
}

double TimeDifferenceInSeconds(DateTime a, DateTime b) {
  if (a == b) return 0;
  const double days = ContinuousDays(ClampDateTime(a)) - ContinuousDays(ClampDateTime(b));
  // Half a second in days, added to a count of seconds: a tolerance of about 5.8 microseconds
  // against the rounding of the two date-times, which leaves an earlier a one second short.
  const double seconds = std::trunc(days * kSecondsPerDay + 0.5 / kSecondsPerDay);
  return seconds + 0.0;  // a difference just below zero reads 0, not -0
}

std::string DateTimeToText(DateTime value) {
  const LocalTime parts = SplitDateTime(value);
  std::string text = JoinTexts({IntegerToText(parts.year), "年", IntegerToText(parts.month), "月",
                                IntegerToText(parts.day), "日"});
  // Only the zero fields at the end are left out: 8时0分30秒 keeps its zero minute.
  if (parts.hour == 0 && parts.minute == 0 && parts.second == 0) return text;
  text += JoinTexts({IntegerToText(parts.hour), "时"});
  if (parts.minute == 0 && parts.second == 0) return text;
  text += JoinTexts({IntegerToText(parts.minute), "分"});
  if (parts.second == 0) return text;
  return text + JoinTexts({IntegerToText(parts.second), "秒"});
}

}  // namespace quorvane
