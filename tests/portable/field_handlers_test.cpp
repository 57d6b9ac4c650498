// The count, hour and minute fields over the whole program on the headless backend: what the
// clamps make of the texts that reach each field, and how the spinners step them.
#include "handlers/field_handlers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "forms/main_window_bindings.h"
#include "tests/support/program_fixture.h"

namespace quorvane {
namespace {

using namespace main_window;

constexpr std::array<Control, 3> kFields = {kCountField, kHourField, kMinuteField};
const std::array<std::string, 4> kBoundTexts = {"1", "12", "0", "59"};

const char* NameOf(Control field) {
  switch (field) {
    case kCountField:
      return "count field";
    case kHourField:
      return "hour field";
    default:
      return "minute field";
  }
}

// Counts the `text changed` runs of the three fields and how deeply they nest.
class FieldHandlersTest : public test::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    BindingTable bindings = MainWindowBindings(
        {program.countdown, program.startStop, program.fields, program.modes, program.tray});
    for (Binding& binding : bindings) {
      const bool fieldChange =
          binding.event == event::kTextChanged && std::ranges::count(kFields, binding.control) > 0;
      if (!fieldChange) continue;
      binding.handler = [this, inner = binding.handler](std::span<const std::int32_t> args) {
        ++runs;
        maxDepth = std::max(maxDepth, ++depth);
        auto result = inner(args);
        --depth;
        return result;
      };
    }
    program.services.SetBindings(kMainWindow, bindings);
  }

  // Clicks the radio of the field's mode, so that the user can reach the field.
  void ChooseModeOf(Control field) {
    ASSERT_TRUE(backend.Click(Ref(field == kCountField ? kRelativeRadio : kClockRadio)));
  }
  void ResetRuns() { runs = maxDepth = 0; }

  int depth = 0;
  int runs = 0;
  int maxDepth = 0;
};

TEST_F(FieldHandlersTest, OutOfRangeReadingsBecomeTheBoundAndOtherTextsStayAsTyped) {
  constexpr const char* kStays = nullptr;
  const struct {
    const char* typed;
    std::array<const char*, 3> result;  // count, hour, minute field
  } cases[] = {
      {"0", {"1", "1", kStays}},          {"-5", {"1", "1", "0"}},
      {"-", {"1", "1", kStays}},          {"abc", {"1", "1", kStays}},
      {"75", {kStays, "12", "59"}},       {"13", {kStays, "12", kStays}},
      {"", {"1", "1", kStays}},           {"1.5", {kStays, kStays, kStays}},
      {"0.9", {"1", "1", kStays}},        {"12", {kStays, kStays, kStays}},
      {"59", {kStays, "12", kStays}},     {"60", {kStays, "12", "59"}},
      {"7.9", {kStays, kStays, kStays}},  {"1e1", {kStays, kStays, kStays}},
      {"12abc", {"12a", kStays, kStays}},  // typing stops at three characters in the count field
      {"１２", {kStays, kStays, kStays}},  // full-width digits read as 12
      {"－５", {"1", "1", "0"}},           // and a full-width minus as a minus
  };
  for (const auto& c : cases) {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
      const Control field = kFields[i];
      ChooseModeOf(field);
      ResetRuns();
      ASSERT_TRUE(backend.Type(Ref(field), c.typed));
      // The clamps write nothing but their bounds.
      const bool replaced =
          c.result[i] != kStays && std::ranges::count(kBoundTexts, std::string(c.result[i])) > 0;
      EXPECT_EQ(TextOf(field), c.result[i] ? c.result[i] : c.typed)
          << "typed \"" << c.typed << "\" into the " << NameOf(field);
      // A replacement runs the clamp once more on the bound, and that run ends the chain.
      EXPECT_EQ(runs, replaced ? 2 : 1) << c.typed << " into the " << NameOf(field);
      EXPECT_EQ(maxDepth, runs) << c.typed << " into the " << NameOf(field);
    }
  }
}

TEST_F(FieldHandlersTest, ReadingsBeyondTheIntegerRangeAreClampedToo) {
  ChooseModeOf(kHourField);
  Write(kHourField, "99999999999");
  EXPECT_EQ(TextOf(kHourField), "12");
  Write(kMinuteField, "-99999999999");
  EXPECT_EQ(TextOf(kMinuteField), "0");
  ChooseModeOf(kCountField);
  Write(kCountField, "-99999999999");
  EXPECT_EQ(TextOf(kCountField), "1");
}

TEST_F(FieldHandlersTest, SpinnersStepTheirFieldByOneUpToTheirOwnEnds) {
  constexpr bool kUp = true, kDown = false;
  const struct {
    Control field;
    Control spinner;
    const char* before;
    bool up;
    const char* after;
    int runs;  // `text changed` runs: 0 when nothing was written
  } cases[] = {
      {kCountField, kCountSpinner, "1", kDown, "1", 0},
      {kCountField, kCountSpinner, "1", kUp, "2", 1},
      {kCountField, kCountSpinner, "2", kDown, "1", 1},
      {kCountField, kCountSpinner, "1.5", kUp, "2.5", 1},
      // 0.5 is written, and its own clamp turns it into 1.
      {kCountField, kCountSpinner, "1.5", kDown, "1", 2},
      {kCountField, kCountSpinner, "2.5", kDown, "1.5", 1},
      // Read as the number 10, although the clamps read 1.
      {kCountField, kCountSpinner, "1e1", kUp, "11", 1},
      {kCountField, kCountSpinner, "1e1", kDown, "9", 1},
      // The three-character limit holds for typing only.
      {kCountField, kCountSpinner, "999", kUp, "1000", 1},
      {kHourField, kHourSpinner, "12", kUp, "12", 0},
      {kHourField, kHourSpinner, "11", kUp, "12", 1},
      {kHourField, kHourSpinner, "1", kDown, "1", 0},
      {kHourField, kHourSpinner, "2", kDown, "1", 1},
      {kHourField, kHourSpinner, "5.7", kUp, "6", 1},
      {kHourField, kHourSpinner, "5.7", kDown, "4", 1},
      {kHourField, kHourSpinner, "１２", kUp, "１２", 0},
      {kMinuteField, kMinuteSpinner, "59", kUp, "59", 1},  // written again
      {kMinuteField, kMinuteSpinner, "58", kUp, "59", 1},
      {kMinuteField, kMinuteSpinner, "0", kDown, "0", 0},
      {kMinuteField, kMinuteSpinner, "1", kDown, "0", 1},
      {kMinuteField, kMinuteSpinner, "abc", kUp, "1", 1},
      {kMinuteField, kMinuteSpinner, "abc", kDown, "abc", 0},
      {kMinuteField, kMinuteSpinner, "30.9", kDown, "29", 1},
  };
  for (const auto& c : cases) {
    ChooseModeOf(c.field);
    ASSERT_TRUE(backend.Type(Ref(c.field), c.before));
    ASSERT_EQ(TextOf(c.field), c.before) << "the clamp kept what was typed";
    ResetRuns();
    ASSERT_TRUE(backend.PressArrow(Ref(c.spinner), c.up));
    EXPECT_EQ(TextOf(c.field), c.after)
        << NameOf(c.field) << " holding " << c.before << (c.up ? ", up" : ", down");
    EXPECT_EQ(runs, c.runs) << NameOf(c.field) << " holding " << c.before
                            << (c.up ? ", up" : ", down");
    EXPECT_EQ(maxDepth, c.runs) << "each run nests inside the write before it";
  }
}

TEST_F(FieldHandlersTest, EveryArgumentButOneStepsDown) {
  for (const std::int32_t argument : {-1, 0, 2, -2147483647 - 1}) {
    Write(kCountField, "5");
    program.fields.OnCountArrow(argument);
    EXPECT_EQ(TextOf(kCountField), "4") << argument;
  }
}

TEST_F(FieldHandlersTest, RepeatedPressesStepOnePerPress) {
  for (int i = 0; i < 12; ++i) ASSERT_TRUE(backend.PressArrow(Ref(kCountSpinner), true));
  EXPECT_EQ(TextOf(kCountField), "13");
  ChooseModeOf(kHourField);
  for (int i = 0; i < 15; ++i) ASSERT_TRUE(backend.PressArrow(Ref(kHourSpinner), true));
  EXPECT_EQ(TextOf(kHourField), "12");
  for (int i = 0; i < 70; ++i) ASSERT_TRUE(backend.PressArrow(Ref(kMinuteSpinner), true));
  EXPECT_EQ(TextOf(kMinuteField), "59");
  for (int i = 0; i < 70; ++i) ASSERT_TRUE(backend.PressArrow(Ref(kMinuteSpinner), false));
  EXPECT_EQ(TextOf(kMinuteField), "0");
}

TEST_F(FieldHandlersTest, TheSpinnersOfTheOtherModeCannotBePressed) {
  EXPECT_FALSE(backend.PressArrow(Ref(kHourSpinner), true));
  EXPECT_FALSE(backend.PressArrow(Ref(kMinuteSpinner), true));
  EXPECT_EQ(TextOf(kHourField), "1");
  EXPECT_EQ(TextOf(kMinuteField), "0");

  ASSERT_TRUE(backend.Click(Ref(kClockRadio)));
  EXPECT_FALSE(backend.PressArrow(Ref(kCountSpinner), true));
  EXPECT_FALSE(backend.Type(Ref(kCountField), "5"));
  EXPECT_EQ(TextOf(kCountField), "1");

  ASSERT_TRUE(backend.Click(Ref(kRelativeRadio)));
  EXPECT_TRUE(backend.PressArrow(Ref(kCountSpinner), true));
  EXPECT_EQ(TextOf(kCountField), "2");
}

}  // namespace
}  // namespace quorvane
