// A skinned control: its window, its kind and the state its look depends on.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/skin/skin_rules.h"

namespace quorvane::skin {

enum StateBit : std::uint16_t {
  kDisabled = 1 << 0,
  kFocused = 1 << 1,
  kHot = 1 << 2,  // the mouse is over it
  kPressed = 1 << 3,
  kChecked = 1 << 4,
  kIndeterminate = 1 << 5,
  kReadOnly = 1 << 6,
  kDefault = 1 << 7,     // the default push button of its dialog
  kHorizontal = 1 << 8,  // a spinner whose arrows point left and right
};

// The halves of a spinner: the top (or left) one and the bottom (or right) one.
enum class SpinnerPart : std::uint8_t { kNone, kFirst, kSecond };

struct SkinEntry {
  HWND hwnd = nullptr;
  SkinType type = SkinType::kPushButton;
  std::uint16_t state = 0;
  SpinnerPart hotPart = SpinnerPart::kNone;
  SpinnerPart pressedPart = SpinnerPart::kNone;
  bool watchingLeave = false;  // a WM_MOUSELEAVE has been asked for

  bool Has(StateBit bit) const { return (state & bit) != 0; }
};

}  // namespace quorvane::skin
