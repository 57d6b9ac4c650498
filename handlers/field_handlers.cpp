#include "handlers/field_handlers.h"

#include <limits>

#include "countdown/values.h"
#include "forms/main_window_ids.h"

namespace quorvane {

namespace {

using namespace main_window;

constexpr std::int32_t kArrowUp = 1;
constexpr std::int32_t kNoUpperBound = std::numeric_limits<std::int32_t>::max();

// The count spinner never steps to a value this close to 0 or below it.
constexpr double kCountStepFloor = 1e-7;

Text FieldText(WindowServices& ui, Control field) {
  return ui.ReadProperty(Ref(field), property::kText).AsText();
}

// The integer at the start of the field's text, or 0: the bounds look at nothing else.
std::int32_t Reading(WindowServices& ui, Control field) {
  return TextToInteger(FieldText(ui, field));
}

void WriteNumber(WindowServices& ui, Control field, double value) {
  ui.WriteProperty(Ref(field), property::kText, NumberToText(value));
}

// A text whose reading is in range stays exactly as it is ("7.9", "12abc", full-width digits);
// only a reading outside is replaced by the nearer bound.
void Clamp(WindowServices& ui, Control field, std::int32_t lower, std::int32_t upper) {
  const std::int32_t reading = Reading(ui, field);
  if (reading < lower) {
    ui.WriteProperty(Ref(field), property::kText, IntegerToText(lower));
  } else if (reading > upper) {
    ui.WriteProperty(Ref(field), property::kText, IntegerToText(upper));
  }
}

}  // namespace

void FieldHandlers::OnCountChanged() {
  Clamp(ui_, kCountField, 1, kNoUpperBound);
}
void FieldHandlers::OnHourChanged() {
  Clamp(ui_, kHourField, 1, 12);
}
void FieldHandlers::OnMinuteChanged() {
  Clamp(ui_, kMinuteField, 0, 59);
}

// The count is read as a number, so "1.5" steps to 2.5 and "1e1" to 11. There is no upper
// end: the three-character limit holds for typing only.
void FieldHandlers::OnCountArrow(std::int32_t argument) {
  const double count = TextToNumber(FieldText(ui_, kCountField));
  if (argument == kArrowUp) {
    WriteNumber(ui_, kCountField, count + 1.0);
  } else if (count - 1.0 > kCountStepFloor) {
    // A result below 1 ("0.5" from "1.5") is turned into "1" by the field's own clamp.
    WriteNumber(ui_, kCountField, count - 1.0);
  }
}

// At either end the hour field is left untouched.
void FieldHandlers::OnHourArrow(std::int32_t argument) {
  const std::int32_t hour = Reading(ui_, kHourField);
  if (argument == kArrowUp) {
    if (hour < 12) WriteNumber(ui_, kHourField, hour + 1.0);
  } else if (hour > 1) {
    WriteNumber(ui_, kHourField, hour - 1.0);
  }
}

// At the top the minute field is written "59" again; at the bottom it is left untouched.
void FieldHandlers::OnMinuteArrow(std::int32_t argument) {
  const std::int32_t minute = Reading(ui_, kMinuteField);
  if (argument == kArrowUp) {
    WriteNumber(ui_, kMinuteField, minute >= 59 ? 59.0 : minute + 1.0);
  } else if (minute > 0) {
    WriteNumber(ui_, kMinuteField, minute - 1.0);
  }
}

}  // namespace quorvane
