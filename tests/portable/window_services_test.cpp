#include "ui/window_services.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tests/support/test_design.h"
#include "ui/headless/headless_backend.h"
#include "ui/spinner_arrow.h"

namespace quorvane {
namespace {

using namespace test;

struct FatalReported : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The services over the headless backend, with both test windows and a log of handler calls.
class WindowServicesTest : public ::testing::Test {
 protected:
  static constexpr const WindowDesign* kDesigns[] = {&kTestMainDesign, &kTestDialogDesign};

  WindowServicesTest()
      : services(backend, kDesigns, [](const Text& message) { throw FatalReported(message); }) {}

  void Bind(int window, int control, int eventNumber, int argCount, Handler handler) {
    tables[window].push_back({control, eventNumber, argCount, std::move(handler)});
    services.SetBindings(window, tables[window]);
  }
  void Log(int window, int control, int eventNumber, const char* what) {
    Bind(window, control, eventNumber, 0, NoResult([this, what] { log.push_back(what); }));
  }
  PropertyValue Read(int control, int number) {
    return services.ReadProperty({kTestMain, control}, number);
  }
  void Write(int control, int number, const PropertyValue& value) {
    services.WriteProperty({kTestMain, control}, number, value);
  }

  HeadlessBackend backend;
  WindowServices services;
  std::map<int, BindingTable> tables;
  std::vector<std::string> log;
};

TEST_F(WindowServicesTest, WritingAnEditBoxRaisesTextChangedOnceEvenForTheSameText) {
  Log(kTestMain, kEdit, event::kTextChanged, "changed");
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  Write(kEdit, property::kText, "42");
  EXPECT_EQ(log.size(), 1u);
  Write(kEdit, property::kText, "42");
  EXPECT_EQ(log.size(), 2u);
  EXPECT_EQ(Read(kEdit, property::kText).AsText(), "42");
}

TEST_F(WindowServicesTest, TextChangedHandlerWritingItsOwnFieldNestsOneLevel) {
  int depth = 0, maxDepth = 0, runs = 0;
  Bind(kTestMain, kEdit, event::kTextChanged, 0, NoResult([&] {
         ++runs;
         maxDepth = std::max(maxDepth, ++depth);
         // A clamp: rewrites only an out-of-range text, so the nested run stops the chain.
         if (Read(kEdit, property::kText).AsText() != "1") Write(kEdit, property::kText, "1");
         --depth;
       }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  ASSERT_TRUE(backend.Type({kTestMain, kEdit}, "0"));
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(maxDepth, 2);
  EXPECT_EQ(Read(kEdit, property::kText).AsText(), "1");
}

TEST_F(WindowServicesTest, TypingIsCutAtTheTextLimitButProgramWritesAreNot) {
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  backend.Type({kTestMain, kEdit}, "1234");
  EXPECT_EQ(Read(kEdit, property::kText).AsText(), "123");
  Write(kEdit, property::kText, "1000");
  EXPECT_EQ(Read(kEdit, property::kText).AsText(), "1000");
}

TEST_F(WindowServicesTest, EmptyEditBoxReadsAsEmptyText) {
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  Write(kEdit, property::kText, "");
  const PropertyValue value = Read(kEdit, property::kText);
  EXPECT_TRUE(value.IsText());
  EXPECT_EQ(value.AsText(), "");
}

TEST_F(WindowServicesTest, TimerTicksOncePerPeriodWhileRunning) {
  std::vector<std::int64_t> ticks;
  Bind(kTestMain, kTimer, event::kPeriodic, 0, NoResult([&] { ticks.push_back(backend.Now()); }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  Write(kTimer, property::kPeriod, 1000);
  backend.Advance(3500);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{1000, 2000, 3000}));
  Write(kTimer, property::kPeriod, 0);
  backend.Advance(5000);
  EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(WindowServicesTest, WritingTheSamePeriodKeepsTheTimersPhase) {
  std::vector<std::int64_t> ticks;
  Bind(kTestMain, kTimer, event::kPeriodic, 0, NoResult([&] { ticks.push_back(backend.Now()); }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  Write(kTimer, property::kPeriod, 1000);
  backend.Advance(1700);
  Write(kTimer, property::kPeriod, 1000);  // no restart: the next tick stays at 2000
  backend.Advance(400);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{1000, 2000}));
  Write(kTimer, property::kPeriod, 500);  // a new period restarts from now (2100)
  backend.Advance(500);
  EXPECT_EQ(ticks.back(), 2600);
}

TEST_F(WindowServicesTest, NegativePeriodStopsTheTimerAndReadsBackZero) {
  int ticks = 0;
  Bind(kTestMain, kTimer, event::kPeriodic, 0, NoResult([&] { ++ticks; }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  Write(kTimer, property::kPeriod, 1000);
  Write(kTimer, property::kPeriod, -5);
  EXPECT_EQ(Read(kTimer, property::kPeriod).AsInt(), 0);
  backend.Advance(3000);
  EXPECT_EQ(ticks, 0);
}

TEST_F(WindowServicesTest, LateHandlersDoNotDelayLaterTicks) {
  std::vector<std::int64_t> ticks;
  Bind(kTestMain, kTimer, event::kPeriodic, 0, NoResult([&] {
         ticks.push_back(backend.Now());
         backend.Block(ticks.size() % 3 == 0 ? 400 : 150);  // the handler keeps the thread busy
       }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  Write(kTimer, property::kPeriod, 1000);
  backend.Advance(20'500);
  ASSERT_EQ(ticks.size(), 20u);
  for (std::size_t n = 0; n < ticks.size(); ++n) EXPECT_EQ(ticks[n], 1000 * (n + 1));
}

TEST_F(WindowServicesTest, TicksMissedWhileAsleepAreDroppedNotBurst) {
  std::vector<std::int64_t> ticks;
  Bind(kTestMain, kTimer, event::kPeriodic, 0, NoResult([&] { ticks.push_back(backend.Now()); }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  Write(kTimer, property::kPeriod, 1000);
  backend.Advance(1000);
  backend.Block(5300);  // asleep: ticks 2 to 6 were due meanwhile
  backend.Advance(2000);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{1000, 6300, 7000, 8000}));
}

TEST(TimerScheduleTest, WakesAreJudgedAgainstTheStartNotTheLastTick) {
  struct Case {
    std::int64_t now;
    bool tickDue;
    std::int64_t delay;
  };
  // Period 1000 from 0; each row wakes the same schedule in turn.
  const Case cases[] = {
      {990, false, 10},                       // early: wait for the rest
      {1000, true, 1000},                     // on time
      {2150, true, 850},                      // late: the next is still due at 3000
      {2999, false, 1},                       // ...
      {3001, true, 999},  {7500, true, 500},  // slept through 4000..7000: one tick, then 8000
      {8000, true, 1000},
  };
  TimerSchedule schedule(0, 1000);
  for (const Case& c : cases) {
    const TimerSchedule::Wake wake = schedule.OnWake(c.now);
    EXPECT_EQ(wake.tickDue, c.tickDue) << "at " << c.now;
    EXPECT_EQ(wake.delayToNext, c.delay) << "at " << c.now;
  }
}

TEST_F(WindowServicesTest, TimerWithAStoredPeriodStartsWithItsWindow) {
  static constexpr std::array<ControlDesign, 2> controls = {{
      {.id = 0, .kind = ControlKind::kWindow, .name = "窗口"},
      {.id = 1, .kind = ControlKind::kTimer, .name = "时钟1", .initial = 1000},
  }};
  static constexpr WindowDesign design = {.id = 7, .controls = controls};
  const WindowDesign* designs[] = {&design};
  HeadlessBackend otherBackend;
  WindowServices other(otherBackend, designs, [](const Text& m) { throw FatalReported(m); });
  int ticks = 0;
  other.SetBindings(7, {{1, event::kPeriodic, 0, NoResult([&] { ++ticks; })}});
  ASSERT_TRUE(other.LoadWindow(7, false));
  otherBackend.Advance(2000);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(other.ReadProperty({7, 1}, property::kPeriod).AsInt(), 1000);
}

TEST_F(WindowServicesTest, ItemValueOutsideTheItemsIsMinusOne) {
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  const ControlRef combo{kTestMain, kCombo};
  EXPECT_EQ(services.ReadProperty(combo, property::kCurrentItem).AsInt(), 0);
  EXPECT_EQ(services.ItemValue(combo, 0), 3600);
  EXPECT_EQ(services.ItemValue(combo, 2), 1);
  EXPECT_EQ(services.ItemValue(combo, -1), -1);
  EXPECT_EQ(services.ItemValue(combo, 3), -1);
}

TEST_F(WindowServicesTest, CheckedReadsOneOrZeroAndRadiosFormOneGroup) {
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  EXPECT_EQ(Read(kRadioA, property::kChecked).AsInt(), 1);
  EXPECT_EQ(Read(kRadioB, property::kChecked).AsInt(), 0);
  backend.Click({kTestMain, kRadioB});
  EXPECT_EQ(Read(kRadioA, property::kChecked).AsInt(), 0);
  EXPECT_EQ(Read(kRadioB, property::kChecked).AsInt(), 1);
  Write(kCheck, property::kChecked, 7);  // only 1 checks
  EXPECT_EQ(Read(kCheck, property::kChecked).AsInt(), 0);
}

TEST_F(WindowServicesTest, BoolPropertiesReadBackAsOneOrZero) {
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  Write(kButton, property::kDisabled, 42);
  EXPECT_EQ(Read(kButton, property::kDisabled).AsInt(), 1);
  EXPECT_FALSE(backend.Click({kTestMain, kButton}));
  Write(kButton, property::kDisabled, 0);
  EXPECT_EQ(Read(kButton, property::kDisabled).AsInt(), 0);
  Write(kGroup, property::kVisible, false);
  EXPECT_EQ(Read(kRadioA, property::kVisible).AsInt(), 0) << "a hidden parent hides its children";
}

TEST_F(WindowServicesTest, CaptionWriteRaisesNothing) {
  int clicks = 0;
  Bind(kTestMain, kButton, event::kClicked, 0, NoResult([&] { ++clicks; }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  EXPECT_EQ(Read(kButton, property::kCaption).AsText(), "启动定时器(&E)");
  Write(kButton, property::kCaption, "停止定时器(&D)");
  EXPECT_EQ(Read(kButton, property::kCaption).AsText(), "停止定时器(&D)");
  EXPECT_EQ(backend.Find({kTestMain, kButton})->text, "停止定时器(&D)");
  EXPECT_EQ(clicks, 0);
}

TEST_F(WindowServicesTest, RadioFocusNotificationIsNotAClick) {
  int clicks = 0;
  Bind(kTestMain, kRadioB, event::kClicked, 0, NoResult([&] { ++clicks; }));
  Bind(kTestMain, kCheck, event::kClicked, 0, NoResult([&] { ++clicks; }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  backend.FocusRadio({kTestMain, kRadioB});
  EXPECT_EQ(clicks, 0);
  backend.Click({kTestMain, kRadioB});
  EXPECT_EQ(clicks, 1);
}

TEST_F(WindowServicesTest, SpinnerArrowsGiveOneUpAndMinusOneDown) {
  std::vector<std::int32_t> args;
  Bind(kTestMain, kSpinner, event::kArrowPressed, 1,
       NoResult([&](std::span<const std::int32_t> a) { args.push_back(a[0]); }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  backend.PressArrow({kTestMain, kSpinner}, true);
  backend.PressArrow({kTestMain, kSpinner}, false);
  EXPECT_EQ(args, (std::vector<std::int32_t>{1, -1}));
  EXPECT_EQ(ArrowArgument(-5), 1) << "an accelerated change still steps by one";
  EXPECT_EQ(ArrowArgument(3), -1);
}

TEST_F(WindowServicesTest, ShowMessageIsTaskModalWithTheDefaultTitleAndTimersKeepTicking) {
  int ticks = 0;
  Bind(kTestMain, kTimer, event::kPeriodic, 0, NoResult([&] { ++ticks; }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  Write(kTimer, property::kPeriod, 1000);
  backend.AnswerNextMessageBox([&] {
    backend.Advance(3000);
    return 1;
  });
  EXPECT_EQ(services.ShowMessage("你好", 64), 0);
  EXPECT_EQ(ticks, 3);
  backend.AnswerNextMessageBox([] { return 7; });  // No
  EXPECT_EQ(services.ShowMessage("你好", 48 | 0x1000, Text("警告")), 6);
  ASSERT_EQ(backend.MessageBoxes().size(), 2u);
  EXPECT_EQ(backend.MessageBoxes()[0].title, "信息：");
  EXPECT_EQ(backend.MessageBoxes()[0].flags, 64u | 0x2000u);
  EXPECT_EQ(backend.MessageBoxes()[1].title, "警告");
  EXPECT_EQ(backend.MessageBoxes()[1].flags, 48u | 0x1000u) << "system-modal stays as asked";
}

TEST_F(WindowServicesTest, CloseIsRefusedOnlyByAReturnedFalse) {
  struct Case {
    const char* what;
    std::optional<std::int32_t> result;
    bool bound;
    bool closes;
  };
  const Case cases[] = {
      {"no handler", std::nullopt, false, true},
      {"handler returning nothing", std::nullopt, true, true},
      {"handler returning true", 1, true, true},
      {"handler returning false", 0, true, false},
  };
  for (const Case& c : cases) {
    HeadlessBackend b;
    WindowServices s(b, kDesigns, [](const Text& m) { throw FatalReported(m); });
    if (c.bound) {
      s.SetBindings(kTestMain, {{0, event::kCanBeClosed, 0,
                                 [&](std::span<const std::int32_t>) { return c.result; }}});
    }
    ASSERT_TRUE(s.LoadWindow(kTestMain, false));
    b.RequestClose(kTestMain);
    EXPECT_EQ(!s.IsLoaded(kTestMain), c.closes) << c.what;
    EXPECT_EQ(b.QueryEndSession(kTestMain), c.closes || !c.bound) << c.what;
  }
}

TEST_F(WindowServicesTest, SessionEndIsRefusedByAReturnedFalse) {
  Bind(kTestMain, 0, event::kCanBeClosed, 0,
       [](std::span<const std::int32_t>) { return std::optional<std::int32_t>(0); });
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  EXPECT_FALSE(backend.QueryEndSession(kTestMain));
  EXPECT_TRUE(services.IsLoaded(kTestMain));
}

TEST_F(WindowServicesTest, ModalLoadDisablesOthersAndClosingRestoresEachPreviousState) {
  static constexpr std::array<ControlDesign, 1> thirdControls = {
      {{.id = 0, .kind = ControlKind::kWindow, .name = "第三"}}};
  static constexpr WindowDesign third = {.id = 3, .controls = thirdControls};
  const WindowDesign* designs[] = {&kTestMainDesign, &kTestDialogDesign, &third};
  HeadlessBackend b;
  WindowServices s(b, designs, [](const Text& m) { throw FatalReported(m); });
  ASSERT_TRUE(s.LoadWindow(kTestMain, false));
  ASSERT_TRUE(s.LoadWindow(3, false));
  s.WriteProperty({3, 0}, property::kDisabled, true);  // disabled before the modal load

  bool sawDisabled = false;
  b.OnNextNestedLoop([&] {
    sawDisabled = s.ReadProperty({kTestMain, 0}, property::kDisabled).AsInt() == 1 &&
                  s.ReadProperty({3, 0}, property::kDisabled).AsInt() == 1;
    EXPECT_TRUE(b.Find({kTestDialog, 0})->ownedByToolWindow);
    b.RequestClose(kTestDialog);
  });
  ASSERT_TRUE(s.LoadWindow(kTestDialog, true));  // returns when the dialog has closed
  EXPECT_TRUE(sawDisabled);
  EXPECT_FALSE(s.IsLoaded(kTestDialog));
  EXPECT_EQ(s.ReadProperty({kTestMain, 0}, property::kDisabled).AsInt(), 0);
  EXPECT_EQ(s.ReadProperty({3, 0}, property::kDisabled).AsInt(), 1);
}

TEST_F(WindowServicesTest, LoadingAnOpenWindowBringsItForwardWithoutASecondWait) {
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  int nestedLoads = 0;
  backend.OnNextNestedLoop([&] {
    // From inside the modal wait, a second load of the same window returns at once.
    EXPECT_TRUE(services.LoadWindow(kTestDialog, true));
    ++nestedLoads;
    backend.RequestClose(kTestDialog);
  });
  EXPECT_TRUE(services.LoadWindow(kTestDialog, true));
  EXPECT_EQ(nestedLoads, 1);
}

TEST_F(WindowServicesTest, UnloadDestroysOnTheNextMessageAndTheLastWindowPostsQuit) {
  Log(kTestMain, 0, event::kAboutToBeDestroyed, "destroying");
  int ticks = 0;
  Bind(kTestMain, kTimer, event::kPeriodic, 0, NoResult([&] { ++ticks; }));
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  Write(kTimer, property::kPeriod, 1000);
  services.UnloadWindow({kTestMain, 0});
  EXPECT_TRUE(services.IsLoaded(kTestMain)) << "destroyed soon after, not at once";
  EXPECT_EQ(services.RunMessageLoop(), 0);
  EXPECT_FALSE(services.IsLoaded(kTestMain));
  EXPECT_EQ(log, (std::vector<std::string>{"destroying"}));
  backend.Advance(5000);
  EXPECT_EQ(ticks, 0) << "the timer died with its window";
}

TEST_F(WindowServicesTest, QuitWaitsForTheLastWindowAndForTheLoop) {
  ASSERT_TRUE(services.LoadWindow(kTestMain, false));
  services.UnloadWindow({kTestMain, 0});
  backend.ProcessPosted();
  EXPECT_FALSE(backend.QuitCode()) << "no quit before the loop has started";

  HeadlessBackend b;
  WindowServices s(b, kDesigns, [](const Text& m) { throw FatalReported(m); });
  ASSERT_TRUE(s.LoadWindow(kTestMain, false));
  ASSERT_TRUE(s.LoadWindow(kTestDialog, false));
  s.UnloadWindow({kTestMain, 0});
  b.ProcessPosted();
  EXPECT_FALSE(b.QuitCode()) << "another window is still loaded";
  s.UnloadWindow({kTestDialog, 0});
  EXPECT_EQ(s.RunMessageLoop(), 0);
  EXPECT_EQ(b.QuitCode(), 0);
}

TEST_F(WindowServicesTest, AccessToAWindowThatIsNotLoadedIsFatal) {
  auto fatalMessage = [](auto&& call) -> std::string {
    try {
      call();
    } catch (const FatalReported& e) {
      return e.what();
    }
    return "no report";
  };
  EXPECT_EQ(fatalMessage([&] { Read(kEdit, property::kText); }), kWindowNotLoaded);
  EXPECT_EQ(fatalMessage([&] { Write(kEdit, property::kText, "1"); }), kWindowNotLoaded);
  EXPECT_EQ(fatalMessage([&] {
              services.ItemValue({kTestMain, kCombo}, 0);
            }),
            kNoSuchWindowOrControl);
  EXPECT_EQ(fatalMessage([&] { services.UnloadWindow({kTestMain, 0}); }), kNoSuchWindowOrControl);
  EXPECT_EQ(fatalMessage([&] {
              services.SetTrayIcon({kTestMain, 0}, {}, "");
            }),
            kNoSuchWindowOrControl);
}

TEST_F(WindowServicesTest, LoadOfAnUnknownDesignFails) {
  EXPECT_FALSE(services.LoadWindow(99, false));
}

}  // namespace
}  // namespace quorvane
