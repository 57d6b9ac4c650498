#include "countdown/start_stop.h"

#include <cstdint>
#include <limits>

#include "countdown/values.h"
#include "forms/main_window_ids.h"

namespace quorvane {

namespace {

using namespace main_window;

constexpr const char* kStopCaption = "停止定时器(&D)";
constexpr const char* kStartCaption = "启动定时器(&E)";
constexpr const char* kStoppedStatus = "定时器已停止";

constexpr std::int32_t kAfternoon = 24;  // item value of 下午 in the half-day box
constexpr std::int32_t kHourUnit = 3600;
constexpr std::int32_t kMinuteUnit = 60;
constexpr int kRunningPeriod = 1000;

// The hour given to make date-time for 下午, 12 added without passing the 32-bit bound.
std::int32_t AfternoonHour(std::int32_t hour) {
  constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
  return hour > kLargest - 12 ? kLargest : hour + 12;
}

}  // namespace

void StartStopButton::OnClicked() {
  if (IsChecked(kRelativeRadio)) {
    Toggle(kRelativeTimer);
    // A stop takes the fields' total as well; a restart then continues the count against it.
    engine_.SetTotal(Slot::kRelative, RelativeTotal());
  } else if (IsChecked(kClockRadio)) {
    // The clock countdown counts from the moment it is started: only a start measures the
    // total to the target and counts from 0 again, so a restart never fires early.
    if (!IsRunning(kClockModeTimer)) {
      engine_.SetTotal(Slot::kClock, ClockTotal());
      engine_.RestartCount(Slot::kClock);
    }
    Toggle(kClockModeTimer);
  }
}

bool StartStopButton::IsChecked(Control radio) {
  return ui_.ReadProperty(Ref(radio), property::kChecked).AsInt() != 0;
}

bool StartStopButton::IsRunning(Control timer) {
  return ui_.ReadProperty(Ref(timer), property::kPeriod).AsInt() != 0;
}

void StartStopButton::Toggle(Control timer) {
  const ControlRef button = Ref(kStartButton);
  if (IsRunning(timer)) {
    ui_.WriteProperty(Ref(timer), property::kPeriod, 0);
    ui_.WriteProperty(button, property::kCaption, kStartCaption);
    ui_.WriteProperty(Ref(kStatusBox), property::kText, kStoppedStatus);
  } else {
    // The status box keeps its text until the first tick.
    ui_.WriteProperty(Ref(timer), property::kPeriod, kRunningPeriod);
    ui_.WriteProperty(button, property::kCaption, kStopCaption);
  }
}

std::int32_t StartStopButton::CurrentItemValue(Control combo) {
  const ControlRef box = Ref(combo);
  return ui_.ItemValue(box, ui_.ReadProperty(box, property::kCurrentItem).AsInt());
}

double StartStopButton::FieldNumber(Control field) {
  return TextToNumber(ui_.ReadProperty(Ref(field), property::kText).AsText());
}

std::int32_t StartStopButton::RelativeTotal() {
  const double count = FieldNumber(kCountField);
  switch (CurrentItemValue(kUnitBox)) {
    case kHourUnit:
      return TruncateToInteger(count * kHourUnit);
    case kMinuteUnit:
      return TruncateToInteger(count * kMinuteUnit);
    default:  // 秒后, or no unit chosen
      return TruncateToInteger(count);
  }
}

std::int32_t StartStopButton::ClockTotal() {
  const DateTime today = CurrentDateTime(clock_);
  std::int32_t hour = TruncateToInteger(FieldNumber(kHourField));
  const bool afternoon = CurrentItemValue(kHalfDayBox) == kAfternoon;
  if (afternoon) hour = AfternoonHour(hour);
  const std::int32_t minute = TruncateToInteger(FieldNumber(kMinuteField));

  // 12 下午 is midnight, which begins the next day. Make date-time clamps and never carries,
  // so a day is added to the date-time value itself.
  const bool midnight = afternoon && hour == 24;
  DateTime target =
      MakeDateTime(YearOf(today), MonthOf(today), DayOf(today), midnight ? 0 : hour, minute, 0);
  if (midnight) target += 1.0;

  const DateTime now = CurrentDateTime(clock_);
  double total = TimeDifferenceInSeconds(target, now);
  // A time of day that has already passed means that time tomorrow.
  if (total < 0) total = TimeDifferenceInSeconds(target + 1.0, now);
  return TruncateToInteger(total);
}

}  // namespace quorvane
