#include "forms/main_window_bindings.h"

#include "forms/main_window_ids.h"

namespace quorvane {

BindingTable MainWindowBindings(const MainWindowHandlers& h) {
  using namespace main_window;
  // Handlers with one integer argument.
  const auto withArgument = [](auto method, auto& object) {
    return NoResult(
        [method, &object](std::span<const std::int32_t> args) { (object.*method)(args[0]); });
  };
  return {
      {kWindow, event::kCreated, 0, NoResult([h] { h.modes.OnCreated(); })},
      {kWindow, event::kCanBeClosed, 0,
       [h](std::span<const std::int32_t>) { return h.tray.OnCanBeClosed(); }},
      {kWindow, event::kTrayEvent, 1, withArgument(&TrayHandlers::OnTrayEvent, h.tray)},
      {kExitItem, event::kSelected, 0, NoResult([h] { h.tray.OnExitSelected(); })},
      {kAboutItem, event::kSelected, 0, NoResult([h] { h.tray.OnAboutSelected(); })},
      {kAboutButton, event::kClicked, 0, NoResult([h] { h.tray.OnAboutClicked(); })},
      {kStartButton, event::kClicked, 0, NoResult([h] { h.startStop.OnClicked(); })},
      {kRelativeTimer, event::kPeriodic, 0, NoResult([h] { h.countdown.Tick(Slot::kRelative); })},
      {kClockModeTimer, event::kPeriodic, 0, NoResult([h] { h.countdown.Tick(Slot::kClock); })},
      {kClockTimer, event::kPeriodic, 0, NoResult([h] { h.modes.OnClockTick(); })},
      {kRelativeRadio, event::kClicked, 0, NoResult([h] { h.modes.OnRelativeRadioClicked(); })},
      {kClockRadio, event::kClicked, 0, NoResult([h] { h.modes.OnClockRadioClicked(); })},
      {kFlashOption, event::kClicked, 0, NoResult([h] { h.modes.OnFlashOptionClicked(); })},
      {kCountField, event::kTextChanged, 0, NoResult([h] { h.fields.OnCountChanged(); })},
      {kHourField, event::kTextChanged, 0, NoResult([h] { h.fields.OnHourChanged(); })},
      {kMinuteField, event::kTextChanged, 0, NoResult([h] { h.fields.OnMinuteChanged(); })},
      {kCountSpinner, event::kArrowPressed, 1,
       withArgument(&FieldHandlers::OnCountArrow, h.fields)},
      {kHourSpinner, event::kArrowPressed, 1, withArgument(&FieldHandlers::OnHourArrow, h.fields)},
      {kMinuteSpinner, event::kArrowPressed, 1,
       withArgument(&FieldHandlers::OnMinuteArrow, h.fields)},
  };
}

}  // namespace quorvane
