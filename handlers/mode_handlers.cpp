#include "handlers/mode_handlers.h"

namespace quorvane {

void ModeHandlers::OnRelativeRadioClicked() {}
void ModeHandlers::OnClockRadioClicked() {}
void ModeHandlers::OnFlashOptionClicked() {}
void ModeHandlers::OnClockTick() {}
void ModeHandlers::OnCreated() { setVisualStyle_(1); }

}  // namespace quorvane
