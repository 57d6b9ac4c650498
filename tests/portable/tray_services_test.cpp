// The notification-area services over the headless backend: which request reaches the shell
// for each change of a window's icon, who owns the icon images, and which menu pops up.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "resources/icons.h"
#include "tests/support/test_design.h"
#include "ui/headless/headless_backend.h"
#include "ui/window_services.h"

namespace quorvane {
namespace {

using namespace test;

struct FatalReported : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class TrayServicesTest : public ::testing::Test {
 protected:
  static constexpr const WindowDesign* kDesigns[] = {&kTestMainDesign, &kTestDialogDesign};

  TrayServicesTest()
      : services(backend, kDesigns, [](const Text& message) { throw FatalReported(message); }) {}

  void SetUp() override { ASSERT_TRUE(services.LoadWindow(kTestMain, false)); }

  void SetIcon(std::span<const std::uint8_t> iconFile, const Text& tip = "提示") {
    services.SetTrayIcon({kTestMain, 0}, iconFile, tip);
  }
  std::vector<TrayRequest> Requests() const {
    std::vector<TrayRequest> requests;
    for (const auto& call : backend.TrayCalls()) requests.push_back(call.request);
    return requests;
  }

  HeadlessBackend backend;
  WindowServices services;
};

// A header that claims one image, with no directory behind it.
constexpr std::uint8_t kTruncatedIcon[] = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0};

TEST_F(TrayServicesTest, IconFileBecomesOneAddedIconWithItsTip) {
  SetIcon(TrayIconFile(), "Quorvane");
  ASSERT_EQ(Requests(), std::vector{TrayRequest::kAdd});
  EXPECT_NE(backend.TrayCalls()[0].icon, 0u);
  EXPECT_EQ(backend.TrayCalls()[0].tip, "Quorvane");
  EXPECT_EQ(backend.LiveIconImages(), 1);
}

TEST_F(TrayServicesTest, NoIconAndNoneShownSendsNothing) {
  SetIcon({});
  SetIcon(kTruncatedIcon);
  EXPECT_TRUE(backend.TrayCalls().empty());
  EXPECT_EQ(backend.LiveIconImages(), 0);
}

TEST_F(TrayServicesTest, NewIconModifiesAndReleasesTheOldImage) {
  SetIcon(TrayIconFile());
  SetIcon(TrayIconFile(), "新提示");
  ASSERT_EQ(Requests(), (std::vector{TrayRequest::kAdd, TrayRequest::kModify}));
  EXPECT_EQ(backend.TrayCalls()[1].tip, "新提示");
  EXPECT_EQ(backend.LiveIconImages(), 1);
}

TEST_F(TrayServicesTest, IconThatCannotBeMadeRemovesTheShownOne) {
  SetIcon(TrayIconFile());
  SetIcon(kTruncatedIcon);
  EXPECT_EQ(Requests(), (std::vector{TrayRequest::kAdd, TrayRequest::kDelete}));
  EXPECT_EQ(backend.LiveIconImages(), 0);
  // Gone from the shell, so the next one is added, not modified.
  SetIcon(TrayIconFile());
  EXPECT_EQ(Requests().back(), TrayRequest::kAdd);
  // And with no icon left there is nothing for a restarted shell to get back.
  SetIcon({});
  const std::size_t sent = backend.TrayCalls().size();
  backend.ShellRestarted();
  EXPECT_EQ(backend.TrayCalls().size(), sent);
}

TEST_F(TrayServicesTest, IconGoesWithItsWindow) {
  SetIcon(TrayIconFile());
  services.UnloadWindow({kTestMain, 0});
  backend.ProcessPosted();
  EXPECT_EQ(Requests(), (std::vector{TrayRequest::kAdd, TrayRequest::kDelete}));
  EXPECT_EQ(backend.LiveIconImages(), 0);
  backend.ShellRestarted();
  EXPECT_EQ(backend.TrayCalls().size(), 2u);
}

TEST_F(TrayServicesTest, ShellRestartAddsTheSameIconAgain) {
  SetIcon(TrayIconFile(), "Quorvane");
  backend.ShellRestarted();
  ASSERT_EQ(Requests(), (std::vector{TrayRequest::kAdd, TrayRequest::kAdd}));
  EXPECT_EQ(backend.TrayCalls()[1].icon, backend.TrayCalls()[0].icon);
  EXPECT_EQ(backend.TrayCalls()[1].tip, "Quorvane");
  EXPECT_EQ(backend.LiveIconImages(), 1);
}

TEST_F(TrayServicesTest, FailedModifyAddsTheIconInstead) {
  SetIcon(TrayIconFile());
  backend.FailModifyRequests(true);
  SetIcon(TrayIconFile());
  ASSERT_EQ(Requests(), (std::vector{TrayRequest::kAdd, TrayRequest::kModify, TrayRequest::kAdd}));
  EXPECT_EQ(backend.TrayCalls()[2].icon, backend.TrayCalls()[1].icon);
  EXPECT_EQ(backend.LiveIconImages(), 1);
}

// An icon file of one 16 x 16 bitmap image at the given depth, its mask included.
std::vector<std::uint8_t> OneImageIcon(int bitsPerPixel) {
  const auto put = [](std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value,
                      int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
  };
  const std::uint32_t palette = bitsPerPixel <= 8 ? 4u << bitsPerPixel : 0;
  const std::uint32_t colourRows = 16 * ((16 * std::uint32_t(bitsPerPixel) + 31) / 32 * 4);
  const std::uint32_t imageSize = 40 + palette + colourRows + 16 * 4;
  std::vector<std::uint8_t> file(22 + imageSize);
  put(file, 2, 1, 2);  // an icon
  put(file, 4, 1, 2);  // one entry
  file[6] = file[7] = 16;
  put(file, 10, 1, 2);
  put(file, 12, std::uint32_t(bitsPerPixel), 2);
  put(file, 14, imageSize, 4);
  put(file, 18, 22, 4);
  put(file, 22, 40, 4);  // the bitmap header
  put(file, 26, 16, 4);
  put(file, 30, 32, 4);  // colour rows and mask rows
  put(file, 34, 1, 2);
  put(file, 36, std::uint32_t(bitsPerPixel), 2);
  return file;
}

TEST_F(TrayServicesTest, IconIsMadeAtTheImagesWidthAndHalfItsStoredHeight) {
  SetIcon(TrayIconFile());
  ASSERT_EQ(backend.IconRequests().size(), 1u);
  EXPECT_EQ(backend.IconRequests()[0].width, 32);
  EXPECT_EQ(backend.IconRequests()[0].height, 32);
}

TEST_F(TrayServicesTest, RefusedSizeIsTriedAgainWithoutOneUnlessSixteenBitsPerPixel) {
  backend.FailSizedIcons(true);
  SetIcon(OneImageIcon(8));
  ASSERT_EQ(backend.IconRequests().size(), 2u);
  EXPECT_EQ(backend.IconRequests()[0].width, 16);
  EXPECT_EQ(backend.IconRequests()[1].width, 0);
  EXPECT_TRUE(backend.IconRequests()[1].made);
  EXPECT_EQ(Requests(), std::vector{TrayRequest::kAdd});

  // A 16-bit image gets no second try, for the small size nor the large one: no icon at all,
  // so the one shown goes.
  SetIcon(OneImageIcon(16));
  ASSERT_EQ(backend.IconRequests().size(), 4u);
  EXPECT_EQ(backend.IconRequests()[2].width, 16);
  EXPECT_EQ(backend.IconRequests()[3].width, 16);
  EXPECT_EQ(Requests(), (std::vector{TrayRequest::kAdd, TrayRequest::kDelete}));
  EXPECT_EQ(backend.LiveIconImages(), 0);
}

TEST_F(TrayServicesTest, MenuHoldsTheItemsBelowWithIdsByPositionAmongAllMenuItems) {
  services.PopupTrayMenu({kTestMain, 0}, {kTestMain, kTrayMenu});
  const std::vector<PopupMenuEntry>& menu = backend.LastMenu();
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[0].text, "退出(&X)");
  EXPECT_EQ(menu[0].commandId, 20001);
  EXPECT_EQ(menu[1].text, "");
  EXPECT_EQ(menu[1].commandId, 20002);
  EXPECT_EQ(menu[2].text, "关于(&A)");
  EXPECT_EQ(menu[2].commandId, 20003);
}

TEST_F(TrayServicesTest, NoMenuForAnItemWithoutItemsBelowIt) {
  for (int item : {int(kExitItem), int(kAboutItem), int(kEdit), 99}) {
    SCOPED_TRACE(item);
    services.PopupTrayMenu({kTestMain, 0}, {kTestMain, item});
    EXPECT_TRUE(backend.LastMenu().empty());
  }
}

TEST_F(TrayServicesTest, ChosenEntryRaisesSelectedOfItsItem) {
  std::vector<std::string> selected;
  const auto log = [&selected](const char* what) {
    return NoResult([&selected, what] { selected.push_back(what); });
  };
  services.SetBindings(kTestMain, {{kExitItem, event::kSelected, 0, log("exit")},
                                   {kAboutItem, event::kSelected, 0, log("about")}});
  for (int position : {2, 0}) {
    backend.ChooseFromNextMenu(position);
    services.PopupTrayMenu({kTestMain, 0}, {kTestMain, kTrayMenu});
    backend.ProcessPosted();
  }
  EXPECT_EQ(selected, (std::vector<std::string>{"about", "exit"}));
}

TEST_F(TrayServicesTest, TrayMessagesBecomeTrayEventCodes) {
  std::vector<std::int32_t> codes;
  services.SetBindings(
      kTestMain, {{0, event::kTrayEvent, 1, NoResult([&codes](std::span<const std::int32_t> a) {
                     codes.push_back(a[0]);
                   })}});
  // Left down, up, double-click, up; right down, up; context menu; mouse move.
  for (std::uint32_t message :
       {0x0201u, 0x0202u, 0x0203u, 0x0202u, 0x0204u, 0x0205u, 0x007Bu, 0x0200u}) {
    backend.TrayMouse(kTestMain, message);
  }
  EXPECT_EQ(codes, (std::vector<std::int32_t>{1, 2, 1, 3, 3}));
}

TEST_F(TrayServicesTest, WindowThatIsNotLoadedIsFatal) {
  services.UnloadWindow({kTestMain, 0});
  backend.ProcessPosted();
  for (auto call : std::vector<std::function<void()>>{
           [&] { SetIcon(TrayIconFile()); },
           [&] {
             services.PopupTrayMenu({kTestMain, 0}, {kTestMain, kTrayMenu});
           }}) {
    try {
      call();
      ADD_FAILURE() << "no report";
    } catch (const FatalReported& e) {
      EXPECT_STREQ(e.what(), kNoSuchWindowOrControl);
    }
  }
}

}  // namespace
}  // namespace quorvane
