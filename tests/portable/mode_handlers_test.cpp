// The mode radios, the flash option box, the clock field and the main window's creation, over
// the whole program on the headless backend.
#include "handlers/mode_handlers.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "tests/support/program_fixture.h"

namespace quorvane {
namespace {

using namespace main_window;

constexpr std::uint32_t kTaskModal = 0x2000;  // added by the services to every message box

// The eight inputs the radios switch, in the order they are written.
constexpr std::array<Control, 8> kModeInputs = {kCountField,    kCountSpinner, kUnitBox,
                                                kHourField,     kHourSpinner,  kMinuteField,
                                                kMinuteSpinner, kHalfDayBox};
// Controls the radios never touch.
constexpr std::array<Control, 8> kOtherControls = {kActionBox,   kClockField, kFlashOption,
                                                   kStartButton, kStatusBox,  kRelativeRadio,
                                                   kClockRadio,  kAboutButton};

using EnableCalls = std::vector<std::pair<int, bool>>;  // (control, enabled)

class ModeHandlersTest : public test::ProgramFixture {
 protected:
  // The enable and disable calls the backend has seen since the last call.
  EnableCalls NewEnableCalls() {
    EnableCalls calls;
    const auto& all = backend.EnableCalls();
    for (std::size_t i = seen_; i < all.size(); ++i) {
      EXPECT_EQ(all[i].ref.window, kMainWindow);
      calls.emplace_back(all[i].ref.control, all[i].enabled);
    }
    seen_ = all.size();
    return calls;
  }
  static EnableCalls ModeSwitch(bool relativeMode) {
    EnableCalls calls;
    for (std::size_t i = 0; i < kModeInputs.size(); ++i) {
      calls.emplace_back(kModeInputs[i], (i < 3) == relativeMode);
    }
    return calls;
  }
  // Which of the eight inputs are enabled, in their order.
  std::vector<bool> EnabledInputs() {
    std::vector<bool> enabled;
    for (Control input : kModeInputs) enabled.push_back(!IsDisabled(input));
    return enabled;
  }
  std::vector<bool> EnabledOthers() {
    std::vector<bool> enabled;
    for (Control control : kOtherControls) enabled.push_back(!IsDisabled(control));
    return enabled;
  }
  // Starts the relative countdown's timer with a total of a minute, as the start button would.
  void RunRelativeCountdown() {
    program.countdown.SetTotal(Slot::kRelative, 60);
    program.services.WriteProperty(Ref(kRelativeTimer), property::kPeriod, 1000);
  }

 private:
  std::size_t seen_ = 0;
};

const std::vector<bool> kRelativeModeInputs = {true, true, true, false, false, false, false, false};
const std::vector<bool> kClockModeInputs = {false, false, false, true, true, true, true, true};

TEST_F(ModeHandlersTest, CreationSwitchesTheSkinOn) {
  EXPECT_EQ(visualStyles, std::vector{1});
}

TEST_F(ModeHandlersTest, TheWindowOpensInRelativeMode) {
  EXPECT_TRUE(IsChecked(kRelativeRadio));
  EXPECT_FALSE(IsChecked(kClockRadio));
  EXPECT_EQ(EnabledInputs(), kRelativeModeInputs);
}

TEST_F(ModeHandlersTest, RadiosWriteTheEightInputsInOrderAndNothingElse) {
  const std::vector<bool> others = EnabledOthers();
  NewEnableCalls();

  ASSERT_TRUE(backend.Click(Ref(kClockRadio)));
  EXPECT_TRUE(IsChecked(kClockRadio));
  EXPECT_FALSE(IsChecked(kRelativeRadio));
  EXPECT_EQ(NewEnableCalls(), ModeSwitch(false));
  EXPECT_EQ(EnabledInputs(), kClockModeInputs);
  EXPECT_EQ(EnabledOthers(), others);

  ASSERT_TRUE(backend.Click(Ref(kRelativeRadio)));
  EXPECT_EQ(NewEnableCalls(), ModeSwitch(true));
  EXPECT_EQ(EnabledInputs(), kRelativeModeInputs);
  EXPECT_EQ(EnabledOthers(), others);
}

TEST_F(ModeHandlersTest, ClickingTheCheckedRadioAgainWritesTheSameStateAgain) {
  NewEnableCalls();
  ASSERT_TRUE(backend.Click(Ref(kRelativeRadio)));
  EXPECT_EQ(NewEnableCalls(), ModeSwitch(true));
  EXPECT_EQ(EnabledInputs(), kRelativeModeInputs);

  ASSERT_TRUE(backend.Click(Ref(kClockRadio)));
  ASSERT_TRUE(backend.Click(Ref(kClockRadio)));
  EXPECT_EQ(NewEnableCalls(), [] {
    EnableCalls twice = ModeSwitch(false);
    twice.insert(twice.end(), twice.begin(), twice.end());
    return twice;
  }());
  EXPECT_EQ(EnabledInputs(), kClockModeInputs);
}

TEST_F(ModeHandlersTest, AClickOnARadioThatIsNotCheckedChangesNothing) {
  NewEnableCalls();
  for (Control radio : {kClockRadio, kRelativeRadio}) {
    program.services.WriteProperty(Ref(radio), property::kChecked, 0);
    EventRecord click{kMainWindow, radio, event::kClicked};
    ASSERT_TRUE(program.services.RaiseEvent(click));
  }
  EXPECT_TRUE(NewEnableCalls().empty());
  EXPECT_EQ(EnabledInputs(), kRelativeModeInputs);
}

TEST_F(ModeHandlersTest, ARadioTakingTheFocusIsNotAClick) {
  NewEnableCalls();
  ASSERT_TRUE(backend.FocusRadio(Ref(kClockRadio)));
  EXPECT_TRUE(NewEnableCalls().empty());
  EXPECT_EQ(EnabledInputs(), kRelativeModeInputs);
}

TEST_F(ModeHandlersTest, SwitchingModesLeavesARunningCountdownRunning) {
  RunRelativeCountdown();
  backend.Advance(1000);
  const Text before = TextOf(kStatusBox);
  ASSERT_TRUE(backend.Click(Ref(kClockRadio)));
  EXPECT_EQ(program.services.ReadProperty(Ref(kRelativeTimer), property::kPeriod).AsInt(), 1000);
  backend.Advance(1000);
  EXPECT_NE(TextOf(kStatusBox), before) << "the status box goes on counting down";
}

TEST_F(ModeHandlersTest, CheckingTheFlashOptionWarnsEachTimeAndUncheckingDoesNot) {
  ASSERT_TRUE(backend.Click(Ref(kFlashOption)));
  ASSERT_EQ(backend.MessageBoxes().size(), 1u);
  const auto& warning = backend.MessageBoxes()[0];
  EXPECT_EQ(warning.text, "您的系统不支持，此项功能未完成");
  EXPECT_EQ(warning.title, "警告");
  EXPECT_EQ(warning.flags & ~kTaskModal, 48u) << "an exclamation icon and one OK button";
  EXPECT_TRUE(IsChecked(kFlashOption)) << "the box stays checked";

  ASSERT_TRUE(backend.Click(Ref(kFlashOption)));
  EXPECT_FALSE(IsChecked(kFlashOption));
  EXPECT_EQ(backend.MessageBoxes().size(), 1u);

  ASSERT_TRUE(backend.Click(Ref(kFlashOption)));
  EXPECT_EQ(backend.MessageBoxes().size(), 2u);
  EXPECT_TRUE(IsChecked(kFlashOption));
}

TEST_F(ModeHandlersTest, TimersGoOnWhileTheWarningWaitsForOk) {
  RunRelativeCountdown();
  backend.Advance(1000);
  const Text statusBefore = TextOf(kStatusBox);
  Text statusInside, clockInside;
  backend.AnswerNextMessageBox([&] {
    now = {2012, 12, 28, 20, 5, 9};
    backend.Advance(1000);
    statusInside = TextOf(kStatusBox);
    clockInside = TextOf(kClockField);
    return 1;
  });
  ASSERT_TRUE(backend.Click(Ref(kFlashOption)));
  ASSERT_EQ(backend.MessageBoxes().size(), 1u);
  EXPECT_NE(statusInside, statusBefore) << "the countdown ticked behind the warning";
  EXPECT_EQ(clockInside, "2012年12月28日20时5分9秒");
  EXPECT_TRUE(test::PowerCalls().empty());
}

TEST_F(ModeHandlersTest, TheClockFieldShowsTheDateAndTimeEachSecond) {
  EXPECT_EQ(TextOf(kClockField), "") << "empty until the first tick";
  backend.Advance(999);
  EXPECT_EQ(TextOf(kClockField), "");
  const struct {
    LocalTime time;
    const char* text;
  } cases[] = {
      {{2012, 12, 28, 20, 0, 0}, "2012年12月28日20时"},
      {{2012, 12, 28, 0, 0, 0}, "2012年12月28日"},
      {{2012, 12, 28, 0, 0, 9}, "2012年12月28日0时0分9秒"},
      {{2012, 12, 28, 20, 5, 0}, "2012年12月28日20时5分"},
  };
  for (const auto& c : cases) {
    now = c.time;
    backend.Advance(1000);
    EXPECT_EQ(TextOf(kClockField), c.text);
  }
}

TEST_F(ModeHandlersTest, TextTypedIntoTheClockFieldLastsUntilTheNextTick) {
  backend.Advance(1000);
  ASSERT_TRUE(backend.Type(Ref(kClockField), "abc"));
  backend.Advance(999);
  EXPECT_EQ(TextOf(kClockField), "abc");
  backend.Advance(1);
  EXPECT_EQ(TextOf(kClockField), "2012年12月28日20时");
}

}  // namespace
}  // namespace quorvane
