// The spinners are created without a range, so they keep the system's default one, whose
// maximum (0) lies below its minimum (100): the up arrow proposes a negative change.
#pragma once

#include <cstdint>

namespace quorvane {

// The argument of `arrow pressed` for a proposed position change: 1 up, -1 down. Only the
// sign counts, so an accelerated change still steps by one.
constexpr std::int32_t ArrowArgument(int proposedDelta) {
  return proposedDelta < 0 ? 1 : -1;
}

}  // namespace quorvane
