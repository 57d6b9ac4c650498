#include "handlers/field_handlers.h"

namespace quorvane {

void FieldHandlers::OnCountChanged() {}
void FieldHandlers::OnHourChanged() {}
void FieldHandlers::OnMinuteChanged() {}
void FieldHandlers::OnCountArrow(std::int32_t) {}
void FieldHandlers::OnHourArrow(std::int32_t) {}
void FieldHandlers::OnMinuteArrow(std::int32_t) {}

}  // namespace quorvane
