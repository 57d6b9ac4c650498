// Event records and the binding of (control, event) to handlers.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace quorvane {

// What a control hands to the dispatcher.
struct EventRecord {
  int window = 0;
  int control = 0;
  int event = 0;
  int argCount = 0;
  std::array<std::int32_t, 2> args = {};
  bool hasResult = false;
  std::int32_t result = 0;
};

// A handler returns nothing (std::nullopt) or a value; only a window's `can be closed`
// handler returns one.
using Handler = std::function<std::optional<std::int32_t>(std::span<const std::int32_t> args)>;

struct Binding {
  int control;
  int event;
  int argCount;
  Handler handler;
};

// Adapts a handler that returns nothing.
template <typename F>
Handler NoResult(F f) {
  return [f = std::move(f)](std::span<const std::int32_t> args) -> std::optional<std::int32_t> {
    if constexpr (std::is_invocable_v<F, std::span<const std::int32_t>>) {
      f(args);
    } else {
      f();
    }
    return std::nullopt;
  };
}

using BindingTable = std::vector<Binding>;

}  // namespace quorvane
