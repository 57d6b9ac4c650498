// Which windows the skin draws, and its colours.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "app/skin/skin_colours.h"
#include "app/skin/skin_rules.h"

namespace quorvane {
namespace {

// Window-style numbers, as Windows defines them.
constexpr std::uint32_t kChild = 0x40000000, kVisible = 0x10000000, kTabStop = 0x00010000;
constexpr std::uint32_t kPushLike = 0x1000, kBitmap = 0x80, kIcon = 0x40;

struct RuleCase {
  const char* what;
  WindowTraits window;
  std::optional<SkinType> expected;
};

class SkinRulesTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(SkinRulesTest, GivesTheSkinTypeOrDeclines) {
  EXPECT_EQ(SkinTypeFor(GetParam().window), GetParam().expected) << GetParam().what;
}

constexpr std::uint32_t kChildStyle = kChild | kVisible | kTabStop;

INSTANTIATE_TEST_SUITE_P(
    Buttons, SkinRulesTest,
    ::testing::Values(
        RuleCase{
            "push button", {"Button", kChildStyle | 0x0, true, "#32770"}, SkinType::kPushButton},
        RuleCase{
            "default push button", {"Button", kChildStyle | 0x1, true, ""}, SkinType::kPushButton},
        RuleCase{
            "class name in any case", {"BUTTON", kChildStyle, true, ""}, SkinType::kPushButton},
        RuleCase{"bare push button of child and tab stop only",
                 {"Button", kChild | kTabStop, false, ""},
                 std::nullopt},
        RuleCase{"the same with a caption",
                 {"Button", kChild | kTabStop, true, ""},
                 SkinType::kPushButton},
        RuleCase{"bare but visible", {"Button", kChildStyle, false, ""}, SkinType::kPushButton},
        RuleCase{"check box", {"Button", kChildStyle | 0x2, true, ""}, SkinType::kCheckBox},
        RuleCase{
            "automatic check box", {"Button", kChildStyle | 0x3, true, ""}, SkinType::kCheckBox},
        RuleCase{"three-state box", {"Button", kChildStyle | 0x5, true, ""}, SkinType::kCheckBox},
        RuleCase{"automatic three-state box",
                 {"Button", kChildStyle | 0x6, true, ""},
                 SkinType::kCheckBox},
        RuleCase{"push-like check box",
                 {"Button", kChildStyle | 0x3 | kPushLike, true, ""},
                 SkinType::kPushButton},
        RuleCase{"radio box", {"Button", kChildStyle | 0x4, true, ""}, SkinType::kRadioBox},
        RuleCase{
            "automatic radio box", {"Button", kChildStyle | 0x9, true, ""}, SkinType::kRadioBox},
        RuleCase{"push-like radio box",
                 {"Button", kChildStyle | 0x9 | kPushLike, true, ""},
                 SkinType::kPushButton},
        RuleCase{"group box", {"Button", kChild | kVisible | 0x7, true, ""}, SkinType::kGroupBox},
        RuleCase{"user button", {"Button", kChildStyle | 0x8, true, ""}, std::nullopt},
        RuleCase{"owner-drawn button", {"Button", kChildStyle | 0xB, true, ""}, std::nullopt},
        RuleCase{"split button", {"Button", kChildStyle | 0xC, true, ""}, std::nullopt},
        RuleCase{"command link", {"Button", kChildStyle | 0xE, true, ""}, std::nullopt},
        RuleCase{"bitmap push button", {"Button", kChildStyle | kBitmap, true, ""}, std::nullopt},
        RuleCase{
            "bitmap check box", {"Button", kChildStyle | 0x3 | kBitmap, true, ""}, std::nullopt},
        RuleCase{"icon push button", {"Button", kChildStyle | kIcon, true, ""}, std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    OtherClasses, SkinRulesTest,
    ::testing::Values(
        RuleCase{"edit box", {"Edit", kChildStyle, false, "QuorvaneWindow"}, SkinType::kEditBox},
        RuleCase{"edit box of a combo box",
                 {"Edit", kChildStyle, false, "ComboBox"},
                 SkinType::kEditBox},
        RuleCase{
            "part of an address box", {"Edit", kChildStyle, false, "SysIPAddress32"}, std::nullopt},
        RuleCase{"address box part, other case",
                 {"edit", kChildStyle, false, "sysipaddress32"},
                 std::nullopt},
        RuleCase{
            "drop-down list box", {"ComboBox", kChildStyle | 0x3, false, ""}, SkinType::kComboBox},
        RuleCase{"drop-down box", {"ComboBox", kChildStyle | 0x2, false, ""}, SkinType::kComboBox},
        RuleCase{"simple combo box", {"ComboBox", kChildStyle | 0x1, false, ""}, std::nullopt},
        RuleCase{"drop-down list", {"ComboLBox", 0x80000000, false, ""}, SkinType::kComboList},
        RuleCase{"spinner", {"msctls_updown32", kChild | kVisible, false, ""}, SkinType::kSpinner},
        RuleCase{"hot-key box", {"msctls_hotkey32", kChildStyle, false, ""}, std::nullopt},
        RuleCase{"list box", {"ListBox", kChildStyle, false, ""}, std::nullopt},
        RuleCase{"list view", {"SysListView32", kChildStyle, false, ""}, std::nullopt},
        RuleCase{"tree view", {"SysTreeView32", kChildStyle, false, ""}, std::nullopt},
        RuleCase{"date picker", {"SysDateTimePick32", kChildStyle, false, ""}, std::nullopt},
        RuleCase{"scroll bar", {"ScrollBar", kChildStyle, false, ""}, std::nullopt},
        RuleCase{"calendar", {"SysMonthCal32", kChildStyle, false, ""}, std::nullopt},
        RuleCase{"tabs", {"SysTabControl32", kChildStyle, false, ""}, std::nullopt},
        RuleCase{"progress bar", {"msctls_progress32", kChildStyle, false, ""}, std::nullopt},
        RuleCase{"track bar", {"msctls_trackbar32", kChildStyle, false, ""}, std::nullopt},
        RuleCase{"label", {"Static", kChildStyle, true, ""}, std::nullopt},
        RuleCase{
            "a name that only starts like one", {"Buttons", kChildStyle, true, ""}, std::nullopt},
        RuleCase{"no class name", {"", kChildStyle, true, ""}, std::nullopt}));

constexpr Colour Rgb(int r, int g, int b) {
  return Colour(r) | Colour(g) << 8 | Colour(b) << 16;
}

constexpr SystemColours kClassic = {.buttonFace = Rgb(212, 208, 200),
                                    .window = Rgb(255, 255, 255),
                                    .buttonText = Rgb(0, 0, 0),
                                    .grayText = Rgb(128, 128, 128)};

TEST(SkinColoursTest, FramesOfEachStyleAndState) {
  struct Case {
    int style;
    bool enabled, readOnly;
    Colour outer, inner;
  };
  const Case cases[] = {
      {1, true, false, Rgb(123, 158, 189), kClassic.window},
      {2, true, false, Rgb(164, 185, 127), kClassic.window},
      {3, true, false, Rgb(198, 197, 215), kClassic.window},
      {1, true, true, Rgb(123, 158, 189), kClassic.buttonFace},
      // Disabled: the face less 0x20 in each channel, whatever the style.
      {1, false, false, Rgb(180, 176, 168), kClassic.buttonFace},
      {3, false, true, Rgb(180, 176, 168), kClassic.buttonFace},
  };
  for (const Case& c : cases) {
    const FrameColours frame = FrameColoursFor(c.style, c.enabled, c.readOnly, kClassic);
    EXPECT_EQ(frame.outer, c.outer) << "style " << c.style << " enabled " << c.enabled;
    EXPECT_EQ(frame.inner, c.inner) << "style " << c.style << " read-only " << c.readOnly;
  }
}

TEST(SkinColoursTest, DisabledFrameStopsAtBlackInEachChannel) {
  SystemColours dark = kClassic;
  dark.buttonFace = Rgb(0x10, 0x20, 0x80);
  EXPECT_EQ(FrameColoursFor(1, false, false, dark).outer, Rgb(0x00, 0x00, 0x60));
  dark.buttonFace = Rgb(0x1F, 0x21, 0xFF);
  EXPECT_EQ(FrameColoursFor(2, false, false, dark).outer, Rgb(0x00, 0x01, 0xDF));
}

TEST(SkinColoursTest, BlendMovesEachChannelOnItsOwn) {
  EXPECT_EQ(Blend(Rgb(0, 100, 255), Rgb(255, 100, 0), 0), Rgb(0, 100, 255));
  EXPECT_EQ(Blend(Rgb(0, 100, 255), Rgb(255, 100, 0), 255), Rgb(255, 100, 0));
  EXPECT_EQ(Blend(Rgb(0, 100, 255), Rgb(255, 100, 0), 51), Rgb(51, 100, 204));
}

TEST(SkinColoursTest, PartsDarkenTowardTheStyleAsTheyAreHoveredAndPressed) {
  for (const Surface surface : {Surface::kFace, Surface::kBox}) {
    const Colour base = surface == Surface::kFace ? kClassic.buttonFace : kClassic.window;
    const PartColours normal = PartColoursFor(1, surface, {}, kClassic);
    const PartColours hot = PartColoursFor(1, surface, {.hot = true}, kClassic);
    const PartColours pressed =
        PartColoursFor(1, surface, {.hot = true, .pressed = true}, kClassic);
    EXPECT_EQ(normal.fill, base);
    EXPECT_NE(hot.fill, normal.fill);
    EXPECT_NE(pressed.fill, hot.fill);
    // Each step lies nearer the style colour in every channel that differs.
    const Colour style = StyleColour(1);
    for (int shift : {0, 8, 16}) {
      const auto distance = [&](Colour c) {
        return std::abs(int(c >> shift & 0xFF) - int(style >> shift & 0xFF));
      };
      EXPECT_LE(distance(hot.fill), distance(normal.fill));
      EXPECT_LE(distance(pressed.fill), distance(hot.fill));
    }
    EXPECT_EQ(normal.edge, style);
    EXPECT_EQ(normal.mark, kClassic.buttonText);
  }
}

TEST(SkinColoursTest, DisabledPartsIgnoreHoverAndPress) {
  const PartColours disabled =
      PartColoursFor(2, Surface::kBox, {.enabled = false, .hot = true, .pressed = true}, kClassic);
  EXPECT_EQ(disabled.fill, kClassic.buttonFace);
  EXPECT_EQ(disabled.edge, FrameColoursFor(2, false, false, kClassic).outer);
  EXPECT_EQ(disabled.mark, kClassic.grayText);
}

}  // namespace
}  // namespace quorvane
