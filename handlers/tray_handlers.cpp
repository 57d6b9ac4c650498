#include "handlers/tray_handlers.h"

namespace quorvane {

std::optional<std::int32_t> TrayHandlers::OnCanBeClosed() { return std::nullopt; }
void TrayHandlers::OnTrayEvent(std::int32_t) {}
void TrayHandlers::OnExitSelected() {}
void TrayHandlers::OnAboutSelected() {}
void TrayHandlers::OnAboutClicked() {}

}  // namespace quorvane
