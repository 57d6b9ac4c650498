// The whole program over a backend: the window services, the designs, every handler and
// their bindings. The Windows start routine runs it over the real backend; tests over the
// headless one.
#pragma once

#include <functional>

#include "countdown/countdown_engine.h"
#include "countdown/date_time.h"
#include "countdown/start_stop.h"
#include "countdown/values.h"
#include "forms/main_window_ids.h"
#include "handlers/field_handlers.h"
#include "handlers/mode_handlers.h"
#include "handlers/tray_handlers.h"
#include "power/power_api.h"
#include "ui/window_services.h"

namespace quorvane {

struct ProgramEnvironment {
  Backend& backend;
  FatalReport fatal;  // the fatal run-time report; never returns
  LocalClock clock;
  const PowerApi& power;
  ModeHandlers::SetVisualStyleFn setVisualStyle;
};

class Program {
 public:
  explicit Program(const ProgramEnvironment& environment);

  // Loads the start window (the main window); false when it cannot be loaded.
  bool LoadStartWindow() { return services.LoadWindow(kMainWindow, false); }

  WindowServices services;
  CountdownEngine countdown;
  StartStopButton startStop;
  FieldHandlers fields;
  ModeHandlers modes;
  TrayHandlers tray;
};

}  // namespace quorvane
