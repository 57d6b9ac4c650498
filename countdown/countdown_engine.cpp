#include "countdown/countdown_engine.h"

namespace quorvane {

void CountdownEngine::Tick(Slot) {}
std::int32_t CountdownEngine::Total(Slot slot) const { return Of(slot).total; }
void CountdownEngine::SetTotal(Slot slot, std::int32_t total) { Of(slot).total = total; }
void CountdownEngine::RestartCount(Slot slot) { Of(slot).elapsed = 0; }

}  // namespace quorvane
