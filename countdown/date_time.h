// Points in time as OLE Automation dates: days since 30 December 1899, the fraction being the
// time of day. Before that day the whole part counts backwards while the fraction still counts
// forwards from midnight. Every operation clamps the date-times it reads into 1 January 100 to
// 31 December 9999.
#pragma once

#include <functional>
#include <string>

namespace quorvane {

using DateTime = double;

inline constexpr DateTime kEarliestDateTime = -657434.0;  // 1 January 100, 00:00:00
inline constexpr DateTime kLatestDateTime = 2958465.0;    // 31 December 9999, 00:00:00

// A wall-clock reading: calendar date (month and day from 1) and time of day in whole seconds.
struct LocalTime {
  int year, month, day, hour, minute, second;
  bool operator==(const LocalTime&) const = default;
};

// Where the current local time comes from: the computer's clock, or a test's.
using LocalClock = std::function<LocalTime()>;

DateTime ClampDateTime(DateTime value);

// The clock's reading as a date-time.
DateTime CurrentDateTime(const LocalClock& clock);

// The calendar fields of the clamped date-time rounded to the nearest whole second.
LocalTime SplitDateTime(DateTime value);
int YearOf(DateTime value);
int MonthOf(DateTime value);
int DayOf(DateTime value);
int HourOf(DateTime value);
int MinuteOf(DateTime value);
int SecondOf(DateTime value);

// Each part is clamped into its own range, the day into the length of its month; nothing
// carries into the next larger part, so hour 24 is 23 o'clock of the same day.
DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second);

// Whole seconds from b to a, positive when a is later. The count carries a tolerance of a few
// microseconds toward a, so a date-time k whole seconds earlier than b gives -(k - 1).
double TimeDifferenceInSeconds(DateTime a, DateTime b);

// "2012年12月28日20时5分9秒"; zero fields at the end of the time are left out, and with them
// the whole time at midnight ("2012年12月28日").
std::string DateTimeToText(DateTime value);

}  // namespace quorvane
