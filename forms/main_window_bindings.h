// Which handler each event of the main window reaches.
#pragma once

#include "countdown/countdown_engine.h"
#include "countdown/start_stop.h"
#include "handlers/field_handlers.h"
#include "handlers/mode_handlers.h"
#include "handlers/tray_handlers.h"
#include "ui/events.h"

namespace quorvane {

struct MainWindowHandlers {
  CountdownEngine& countdown;
  StartStopButton& startStop;
  FieldHandlers& fields;
  ModeHandlers& modes;
  TrayHandlers& tray;
};

// The handlers must outlive the bindings.
BindingTable MainWindowBindings(const MainWindowHandlers& handlers);

}  // namespace quorvane
