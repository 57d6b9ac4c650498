#include "app/program.h"

#include "forms/about_window.h"
#include "forms/main_window.h"
#include "forms/main_window_bindings.h"
#include "forms/main_window_ids.h"
#include "resources/icons.h"

namespace quorvane {

namespace {
const WindowDesign* const kDesigns[] = {&MainWindowDesign(), &AboutWindowDesign()};
}

Program::Program(const ProgramEnvironment& environment)
    : services(environment.backend, kDesigns, environment.fatal),
      countdown(services, environment.power, environment.fatal),
      startStop(services, countdown, environment.clock),
      fields(services),
      modes(services, environment.clock, environment.setVisualStyle),
      tray(services, TrayIconFile()) {
  services.SetBindings(kMainWindow,
                       MainWindowBindings({countdown, startStop, fields, modes, tray}));
}

}  // namespace quorvane
