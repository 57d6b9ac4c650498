// Which windows the skin draws: a pure rule over a window's class, style, text and parent's
// class, so it can be checked on any machine.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane {

enum class SkinType : std::uint8_t {
  kPushButton,
  kCheckBox,
  kRadioBox,
  kGroupBox,
  kEditBox,
  kComboBox,
  kComboList,  // the drop-down list of a combo box
  kSpinner,
};

struct WindowTraits {
  std::string_view className;
  std::uint32_t style = 0;
  bool hasText = false;
  std::string_view parentClassName;
};

// The skin type of a window, or nothing for a window the skin leaves alone.
std::optional<SkinType> SkinTypeFor(const WindowTraits& window);

}  // namespace quorvane
