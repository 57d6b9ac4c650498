// Window designs are data: a table of entries, one per control (the window itself first),
// built by one loop in the window services. Bindings of events to handlers live apart from
// the designs (see events.h) so the designs stay constant tables.
#pragma once

#include <cstdint>
#include <span>

namespace quorvane {

enum class ControlKind : std::uint8_t {
  kWindow,
  kEdit,
  kButton,
  kCheckBox,
  kRadioBox,
  kComboBox,
  kSpinner,
  kTimer,
  kLabel,
  kTransparentLabel,
  kGroupBox,
  kPictureBox,
  kWebBox,
  kMenuItem,
};

// Colours: 0x00BBGGRR, a system colour (SystemColour(COLOR_...)), or the kind's default.
inline constexpr std::uint32_t kDefaultColour = 0xFFFFFFFFu;
constexpr std::uint32_t SystemColour(int index) {
  return 0x80000000u | std::uint32_t(index);
}
constexpr std::uint32_t Rgb(int r, int g, int b) {
  return std::uint32_t(r) | std::uint32_t(g) << 8 | std::uint32_t(b) << 16;
}

// A font of the design; no face means the system's default GUI font.
struct FontSpec {
  const char* face = nullptr;
  int height = 0;
  int weight = 0;
};

struct ComboItem {
  const char* text;
  std::int32_t value;
};

struct ControlDesign {
  int id = 0;
  ControlKind kind = ControlKind::kLabel;
  const char* name = "";  // the design name, such as 编辑框2
  int parent = 0;         // control id of the parent; 0 is the window
  int left = 0, top = 0, width = 0, height = 0;
  const char* text = "";  // text, caption, or a web box's address
  std::span<const ComboItem> items = {};
  int initial = 0;  // combo box: selected item; radio or check box: checked; timer: period
  bool visible = true;
  bool disabled = false;
  bool tabStop = false;
  std::uint32_t style = 0;    // window styles beyond those the kind implies
  std::uint32_t exStyle = 0;  // extended window styles
  FontSpec font = {};
  std::uint32_t textColour = kDefaultColour;
  std::uint32_t backColour = kDefaultColour;
  int textLimit = 0;  // edit box: most characters the user may type; 0 means no limit
  int menuLevel = 0;  // menu item: depth in the menu tree, 0 for a top-level item
};

struct WindowDesign {
  int id = 0;
  // controls[0] is the window itself (kind kWindow, id kWindowControl); the rest follow in
  // stacking order, the topmost first.
  std::span<const ControlDesign> controls;
  bool escCloses = false;
  bool showInTaskbar = true;
  std::span<const std::uint8_t> icon = {};  // icon-file bytes; empty: the executable's icon
};

}  // namespace quorvane
