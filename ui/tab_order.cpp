#include "ui/tab_order.h"

namespace quorvane {

std::vector<const ControlDesign*> TabOrder(const WindowDesign& design) {
  std::vector<const ControlDesign*> order;
  for (auto it = design.controls.rbegin(); it != design.controls.rend(); ++it) {
    if (it->tabStop) order.push_back(&*it);
  }
  return order;
}

}  // namespace quorvane
