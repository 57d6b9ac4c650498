// The main window as a tray utility: closing hides it to the notification area, the icon
// brings it back or opens its menu, the exit item ends the program, the about item and the
// about button open the about window. The whole program runs over the headless backend.
#include "handlers/tray_handlers.h"

#include <gtest/gtest.h>

#include <vector>

#include "forms/main_window_ids.h"
#include "tests/support/program_fixture.h"
#include "ui/headless/headless_backend.h"

namespace quorvane {
namespace {

using namespace main_window;

constexpr std::uint32_t kLeftUp = 0x0202;
constexpr std::uint32_t kLeftDoubleClick = 0x0203;
constexpr std::uint32_t kRightUp = 0x0205;
constexpr std::uint32_t kContextMenu = 0x007B;
constexpr std::uint32_t kMouseMove = 0x0200;

// Positions of the tray menu's entries: exit, separator, about.
constexpr int kExitEntry = 0;
constexpr int kAboutEntry = 2;

const char* const kNotice = "程序将会缩小到托盘\r\n要退出请在托盘图标处右键选择";

class TrayHandlersTest : public test::ProgramFixture {
 protected:
  const HeadlessBackend::Node* Main() const { return backend.Find(Ref(kWindow)); }
  const HeadlessBackend::Node* About() const { return backend.Find({kAboutWindow, 0}); }
  bool MainVisible() {
    return program.services.ReadProperty(Ref(kWindow), property::kVisible).AsInt() == 1;
  }
  std::vector<TrayRequest> Requests() const {
    std::vector<TrayRequest> requests;
    for (const auto& call : backend.TrayCalls()) requests.push_back(call.request);
    return requests;
  }
};

TEST_F(TrayHandlersTest, CloseShowsTheNoticeThenPutsUpTheIconThenHidesAndRefuses) {
  bool checkedWhileNoticeUp = false;
  backend.AnswerNextMessageBox([&] {
    // The notice comes first: no icon yet, the window still on screen.
    EXPECT_TRUE(backend.TrayCalls().empty());
    EXPECT_TRUE(MainVisible());
    checkedWhileNoticeUp = true;
    return 1;
  });
  backend.RequestClose(kMainWindow);

  EXPECT_TRUE(checkedWhileNoticeUp);
  ASSERT_EQ(backend.MessageBoxes().size(), 1u);
  EXPECT_EQ(backend.MessageBoxes()[0].text, kNotice);
  EXPECT_EQ(backend.MessageBoxes()[0].title, "信息：");
  EXPECT_EQ(backend.MessageBoxes()[0].flags, 64u | 0x2000u);  // information icon, task-modal
  ASSERT_EQ(backend.TrayCalls().size(), 1u);
  EXPECT_EQ(backend.TrayCalls()[0].request, TrayRequest::kAdd);
  EXPECT_NE(backend.TrayCalls()[0].icon, 0u);
  EXPECT_EQ(backend.TrayCalls()[0].tip, "Quorvane");
  EXPECT_FALSE(MainVisible());
  // Refused: still loaded, the program goes on.
  ASSERT_NE(Main(), nullptr);
  EXPECT_TRUE(program.services.IsLoaded(kMainWindow));
  EXPECT_FALSE(backend.QuitCode());
}

TEST_F(TrayHandlersTest, CountdownRunsOutWhileHidden) {
  program.countdown.SetTotal(Slot::kRelative, 1);
  program.services.WriteProperty(Ref(kRelativeTimer), property::kPeriod, 1000);
  backend.RequestClose(kMainWindow);
  ASSERT_FALSE(MainVisible());
  backend.Advance(3000);
  EXPECT_FALSE(test::PowerCalls().empty());
}

TEST_F(TrayHandlersTest, SessionEndIsRefusedAndHidesToTheTray) {
  EXPECT_FALSE(backend.QueryEndSession(kMainWindow));
  EXPECT_EQ(backend.MessageBoxes().size(), 1u);
  EXPECT_EQ(Requests(), std::vector{TrayRequest::kAdd});
  EXPECT_FALSE(MainVisible());
  EXPECT_TRUE(program.services.IsLoaded(kMainWindow));
}

TEST_F(TrayHandlersTest, SecondCloseAfterARestoreModifiesTheOneIcon) {
  backend.RequestClose(kMainWindow);
  backend.TrayMouse(kMainWindow, kLeftDoubleClick);
  ASSERT_TRUE(MainVisible());
  backend.RequestClose(kMainWindow);

  EXPECT_EQ(backend.MessageBoxes().size(), 2u);
  EXPECT_EQ(Requests(), (std::vector{TrayRequest::kAdd, TrayRequest::kModify}));
  // The new image replaced the old one, which is gone.
  EXPECT_NE(backend.TrayCalls()[1].icon, backend.TrayCalls()[0].icon);
  EXPECT_EQ(backend.LiveIconImages(), 1);
  EXPECT_FALSE(MainVisible());
}

struct MouseCase {
  const char* name;
  std::uint32_t mouseMessage;
  bool shows;
  bool opensMenu;
};

class TrayMouseTest : public TrayHandlersTest, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(TrayMouseTest, EachMouseMessageOfTheIconDoesItsOwnThing) {
  backend.RequestClose(kMainWindow);
  backend.TrayMouse(kMainWindow, GetParam().mouseMessage);
  EXPECT_EQ(MainVisible(), GetParam().shows);
  if (GetParam().shows) {
    EXPECT_EQ(backend.ActiveWindow(), program.services.NativeOf(Ref(kWindow)));
  }
  EXPECT_EQ(!backend.LastMenu().empty(), GetParam().opensMenu);
  // Showing the window leaves the icon in place.
  EXPECT_EQ(Requests(), std::vector{TrayRequest::kAdd});
}

INSTANTIATE_TEST_SUITE_P(MouseMessages, TrayMouseTest,
                         ::testing::Values(MouseCase{"LeftUp", kLeftUp, false, false},
                                           MouseCase{"LeftDoubleClick", kLeftDoubleClick, true,
                                                     false},
                                           MouseCase{"RightUp", kRightUp, false, true},
                                           MouseCase{"ContextMenu", kContextMenu, false, true},
                                           MouseCase{"MouseMove", kMouseMove, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrayHandlersTest, RightClickPopsUpExitSeparatorAbout) {
  backend.RequestClose(kMainWindow);
  backend.TrayMouse(kMainWindow, kRightUp);
  const std::vector<PopupMenuEntry>& menu = backend.LastMenu();
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[0].text, "退出(&X)");
  EXPECT_EQ(menu[0].commandId, 20001);
  EXPECT_EQ(menu[1].text, "");  // the separator
  EXPECT_EQ(menu[2].text, "关于(&A)");
  EXPECT_EQ(menu[2].commandId, 20003);
}

TEST_F(TrayHandlersTest, DismissedMenuDoesNothing) {
  backend.RequestClose(kMainWindow);
  backend.ChooseFromNextMenu(std::nullopt);
  backend.TrayMouse(kMainWindow, kRightUp);
  EXPECT_TRUE(program.services.IsLoaded(kMainWindow));
  EXPECT_FALSE(program.services.IsLoaded(kAboutWindow));
  EXPECT_FALSE(MainVisible());
}

TEST_F(TrayHandlersTest, ExitItemRemovesTheIconStopsTheCountdownAndEndsWithZero) {
  program.services.WriteProperty(Ref(kRelativeTimer), property::kPeriod, 1000);
  program.countdown.SetTotal(Slot::kRelative, 1);
  backend.RequestClose(kMainWindow);
  backend.ChooseFromNextMenu(kExitEntry);
  // The right-click comes from inside the main loop, so the last window gone ends it.
  program.tray.OnTrayEvent(3);
  EXPECT_EQ(program.services.RunMessageLoop(), 0);

  EXPECT_EQ(backend.QuitCode(), 0);
  EXPECT_EQ(Main(), nullptr);
  EXPECT_EQ(Requests(), (std::vector{TrayRequest::kAdd, TrayRequest::kDelete}));
  EXPECT_EQ(backend.LiveIconImages(), 0);
  EXPECT_EQ(backend.MessageBoxes().size(), 1u);  // no notice on the way out
  backend.Advance(5000);
  EXPECT_TRUE(test::PowerCalls().empty());
}

TEST_F(TrayHandlersTest, ExitWhileTheAboutWindowIsOpenEndsOnceItCloses) {
  backend.RequestClose(kMainWindow);
  backend.ChooseFromNextMenu(kAboutEntry);
  program.tray.OnTrayEvent(3);
  backend.OnNextNestedLoop([&] {
    ASSERT_NE(About(), nullptr);
    EXPECT_FALSE(Main()->enabled);
    backend.ChooseFromNextMenu(kExitEntry);
    backend.TrayMouse(kMainWindow, kRightUp);
    // The main window and its icon go at once; the about window stays.
    EXPECT_EQ(Main(), nullptr);
    EXPECT_EQ(Requests(), (std::vector{TrayRequest::kAdd, TrayRequest::kDelete}));
    EXPECT_NE(About(), nullptr);
    EXPECT_FALSE(backend.QuitCode());
  });
  backend.OnNextNestedLoop([&] { backend.RequestClose(kAboutWindow); });

  EXPECT_EQ(program.services.RunMessageLoop(), 0);
  EXPECT_EQ(About(), nullptr);
}

TEST_F(TrayHandlersTest, AboutButtonOpensTheAboutWindowModally) {
  backend.OnNextNestedLoop([&] {
    ASSERT_NE(About(), nullptr);
    EXPECT_TRUE(About()->visible);
    EXPECT_TRUE(About()->ownedByToolWindow);
    EXPECT_FALSE(Main()->enabled);
    backend.RequestClose(kAboutWindow);
  });
  ASSERT_TRUE(backend.Click(Ref(kAboutButton)));
  EXPECT_EQ(About(), nullptr);
  EXPECT_TRUE(Main()->enabled);
}

TEST_F(TrayHandlersTest, AboutWhileTheAboutWindowIsOpenBringsItForward) {
  backend.OnNextNestedLoop([&] {
    const Native about = program.services.NativeOf({kAboutWindow, 0});
    backend.Activate(program.services.NativeOf(Ref(kWindow)));
    backend.ChooseFromNextMenu(kAboutEntry);
    backend.TrayMouse(kMainWindow, kRightUp);
    // Returned at once, without a second wait (which would have closed it): the same window.
    EXPECT_EQ(program.services.NativeOf({kAboutWindow, 0}), about);
    EXPECT_EQ(backend.ActiveWindow(), about);
  });
  backend.OnNextNestedLoop([&] { backend.RequestClose(kAboutWindow); });
  ASSERT_TRUE(backend.Click(Ref(kAboutButton)));
  EXPECT_FALSE(program.services.IsLoaded(kAboutWindow));
}

TEST_F(TrayHandlersTest, AboutItemOpensAFreshAboutWindowEachTime) {
  for (int opening = 0; opening < 2; ++opening) {
    backend.OnNextNestedLoop([&] { backend.RequestClose(kAboutWindow); });
    backend.ChooseFromNextMenu(kAboutEntry);
    backend.TrayMouse(kMainWindow, kRightUp);
    EXPECT_FALSE(program.services.IsLoaded(kAboutWindow));
  }
  EXPECT_TRUE(Main()->enabled);
}

// The shell restarting loses every icon; the one of a window hidden to the tray comes back.
TEST_F(TrayHandlersTest, ShellRestartPutsTheIconBack) {
  backend.ShellRestarted();
  EXPECT_TRUE(backend.TrayCalls().empty());  // no icon yet, none to put back

  backend.RequestClose(kMainWindow);
  backend.ShellRestarted();
  ASSERT_EQ(Requests(), (std::vector{TrayRequest::kAdd, TrayRequest::kAdd}));
  EXPECT_EQ(backend.TrayCalls()[1].icon, backend.TrayCalls()[0].icon);
  EXPECT_EQ(backend.TrayCalls()[1].tip, "Quorvane");
}

TEST_F(TrayHandlersTest, FailedModifyIsFollowedByAnAdd) {
  backend.RequestClose(kMainWindow);
  backend.TrayMouse(kMainWindow, kLeftDoubleClick);
  backend.FailModifyRequests(true);  // the shell restarted unseen and lost the icon
  backend.RequestClose(kMainWindow);
  EXPECT_EQ(Requests(), (std::vector{TrayRequest::kAdd, TrayRequest::kModify, TrayRequest::kAdd}));
  EXPECT_EQ(backend.TrayCalls()[2].icon, backend.TrayCalls()[1].icon);
  EXPECT_EQ(backend.LiveIconImages(), 1);
}

}  // namespace
}  // namespace quorvane
