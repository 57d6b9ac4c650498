#include "handlers/mode_handlers.h"

#include <array>

#include "forms/main_window_ids.h"

namespace quorvane {

namespace {

using namespace main_window;

constexpr const char* kUnsupportedWarning = "您的系统不支持，此项功能未完成";
constexpr const char* kWarningTitle = "警告";
constexpr std::uint32_t kExclamationOk = 48;

// The inputs of each mode, in the order they are switched.
constexpr std::array<Control, 3> kRelativeInputs = {kCountField, kCountSpinner, kUnitBox};
constexpr std::array<Control, 5> kClockInputs = {kHourField, kHourSpinner, kMinuteField,
                                                 kMinuteSpinner, kHalfDayBox};

bool IsChecked(WindowServices& ui, Control box) {
  return ui.ReadProperty(Ref(box), property::kChecked).AsInt() == 1;
}

// Enables the chosen mode's inputs and disables the other mode's; nothing else is touched.
void SwitchInputs(WindowServices& ui, bool relativeMode) {
  for (Control input : kRelativeInputs) {
    ui.WriteProperty(Ref(input), property::kDisabled, !relativeMode);
  }
  for (Control input : kClockInputs) {
    ui.WriteProperty(Ref(input), property::kDisabled, relativeMode);
  }
}

}  // namespace

void ModeHandlers::OnRelativeRadioClicked() {
  if (IsChecked(ui_, kRelativeRadio)) SwitchInputs(ui_, true);
}

void ModeHandlers::OnClockRadioClicked() {
  if (IsChecked(ui_, kClockRadio)) SwitchInputs(ui_, false);
}

// The flashing tray icon was never built: checking the box only says so, and the box stays
// checked.
void ModeHandlers::OnFlashOptionClicked() {
  if (!IsChecked(ui_, kFlashOption)) return;
  ui_.ShowMessage(kUnsupportedWarning, kExclamationOk, kWarningTitle);
}

void ModeHandlers::OnClockTick() {
  ui_.WriteProperty(Ref(kClockField), property::kText, DateTimeToText(CurrentDateTime(clock_)));
}

void ModeHandlers::OnCreated() {
  setVisualStyle_(1);
}

}  // namespace quorvane
