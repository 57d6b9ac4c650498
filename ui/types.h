// Names shared by the window services, the designs and the handlers: control references,
// property numbers, event numbers and property values.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace quorvane {

// GBK bytes; an empty string is "no text".
using Text = std::string;

// Names a control of a loaded window, or the window itself (control kWindowControl).
struct ControlRef {
  int window = 0;
  int control = 0;
  friend bool operator==(const ControlRef&, const ControlRef&) = default;
};

inline constexpr int kWindowControl = 0;

// Property numbers. 0..7 are common to every kind; a kind's own properties follow from 8.
namespace property {
inline constexpr int kVisible = 5;
inline constexpr int kDisabled = 6;
inline constexpr int kText = 8;          // edit box
inline constexpr int kPeriod = 8;        // timer, milliseconds; 0 means stopped
inline constexpr int kCaption = 10;      // button
inline constexpr int kChecked = 18;      // radio box, check box
inline constexpr int kCurrentItem = 19;  // combo box; -1 when none
}  // namespace property

// Event numbers, the key of a design's binding table (per kind of control).
namespace event {
inline constexpr int kCreated = 0;      // window
inline constexpr int kCanBeClosed = 1;  // window; a returned false refuses the close
inline constexpr int kAboutToBeDestroyed = 2;
inline constexpr int kMoved = 3;
inline constexpr int kResized = 4;
inline constexpr int kTrayEvent = 9;  // window; one argument, the tray event code
inline constexpr int kShown = 10;
inline constexpr int kHidden = 11;
inline constexpr int kSelected = 0;      // menu item
inline constexpr int kTextChanged = 0;   // edit box
inline constexpr int kClicked = 0;       // button, check box, radio box
inline constexpr int kPeriodic = 0;      // timer
inline constexpr int kArrowPressed = 0;  // spinner; one argument, 1 up or -1 down
inline constexpr int kGotFocus = -7;
inline constexpr int kLostFocus = -8;
}  // namespace event

// An integer (bools are written as any integer and read back as 1 or 0) or a text.
class PropertyValue {
 public:
  PropertyValue(std::int32_t value) : value_(value) {}                // NOLINT: implicit on purpose
  PropertyValue(bool value) : value_(std::int32_t{value ? 1 : 0}) {}  // NOLINT
  PropertyValue(Text value) : value_(std::move(value)) {}             // NOLINT
  PropertyValue(const char* value) : value_(Text(value ? value : "")) {}  // NOLINT

  bool IsText() const { return std::holds_alternative<Text>(value_); }
  // A text read as an integer, or an integer read as a text, gives 0 or the empty text.
  std::int32_t AsInt() const {
    const auto* v = std::get_if<std::int32_t>(&value_);
    return v ? *v : 0;
  }
  const Text& AsText() const {
    static const Text kEmpty;
    const auto* v = std::get_if<Text>(&value_);
    return v ? *v : kEmpty;
  }

 private:
  std::variant<std::int32_t, Text> value_;
};

}  // namespace quorvane
