#include "app/skin/skin_rules.h"

#include <algorithm>

namespace quorvane {

namespace {

// Window-style bits, as numbers: this file is built where <windows.h> does not exist.
constexpr std::uint32_t kChild = 0x40000000;
constexpr std::uint32_t kTabStop = 0x00010000;
constexpr std::uint32_t kButtonTypeMask = 0x0000000F;
constexpr std::uint32_t kPushLike = 0x00001000;
constexpr std::uint32_t kButtonIcon = 0x00000040;
constexpr std::uint32_t kButtonBitmap = 0x00000080;
constexpr std::uint32_t kComboTypeMask = 0x00000003;
constexpr std::uint32_t kComboSimple = 0x00000001;

enum ButtonType : std::uint32_t {
  kPush = 0,
  kDefaultPush = 1,
  kCheck = 2,
  kAutoCheck = 3,
  kRadio = 4,
  kThreeState = 5,
  kAutoThreeState = 6,
  kGroup = 7,
  kAutoRadio = 9,
};

// Class names are compared as Windows does: without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<SkinType> ButtonSkin(std::uint32_t style, bool hasText) {
  // Bitmap and icon buttons show an image the flat face would hide.
  if (style & (kButtonBitmap | kButtonIcon)) return std::nullopt;
  const bool pushLike = (style & kPushLike) != 0;
  switch (style & kButtonTypeMask) {
    case kPush:
    case kDefaultPush:
      // A bare push button of exactly this style is a placeholder that is never seen.
      if (!hasText && style == (kChild | kTabStop)) return std::nullopt;
      return SkinType::kPushButton;
    case kCheck:
    case kAutoCheck:
    case kThreeState:
    case kAutoThreeState:
      return pushLike ? SkinType::kPushButton : SkinType::kCheckBox;
    case kRadio:
    case kAutoRadio:
      return pushLike ? SkinType::kPushButton : SkinType::kRadioBox;
    case kGroup:
      return SkinType::kGroupBox;
    default:
      return std::nullopt;  // owner-drawn, user and split buttons, command links
  }
}

}  // namespace

std::optional<SkinType> SkinTypeFor(const WindowTraits& window) {
  const std::string_view name = window.className;
  if (SameName(name, "Button")) return ButtonSkin(window.style, window.hasText);
  if (SameName(name, "Edit")) {
    if (SameName(window.parentClassName, "SysIPAddress32")) return std::nullopt;
    return SkinType::kEditBox;
  }
  if (SameName(name, "ComboBox")) {
    if ((window.style & kComboTypeMask) == kComboSimple) return std::nullopt;
    return SkinType::kComboBox;
  }
  if (SameName(name, "ComboLBox")) return SkinType::kComboList;
  if (SameName(name, "msctls_updown32")) return SkinType::kSpinner;
  return std::nullopt;
}

}  // namespace quorvane
