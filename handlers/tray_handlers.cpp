#include "handlers/tray_handlers.h"

#include "forms/main_window_ids.h"

namespace quorvane {

namespace {
constexpr const char* kHideNotice = "程序将会缩小到托盘\r\n要退出请在托盘图标处右键选择";
constexpr const char* kTrayTip = "Quorvane";
constexpr std::uint32_t kInformationIcon = 64;
constexpr std::int32_t kLeftDoubleClick = 2;
constexpr std::int32_t kRightClick = 3;
}  // namespace

std::optional<std::int32_t> TrayHandlers::OnCanBeClosed() {
  using namespace main_window;
  ui_.ShowMessage(kHideNotice, kInformationIcon);
  ui_.SetTrayIcon(Ref(kWindow), trayIcon_, kTrayTip);
  ui_.WriteProperty(Ref(kWindow), property::kVisible, false);
  return std::int32_t{0};  // the window stays loaded: only the exit item ends the program
}

void TrayHandlers::OnTrayEvent(std::int32_t code) {
  using namespace main_window;
  if (code == kLeftDoubleClick) {
    ui_.WriteProperty(Ref(kWindow), property::kVisible, true);
  } else if (code == kRightClick) {
    ui_.PopupTrayMenu(Ref(kWindow), Ref(kTrayMenu));
  }
}

// The window takes its tray icon and timers with it; the last window gone ends the program.
void TrayHandlers::OnExitSelected() {
  ui_.UnloadWindow(main_window::Ref(main_window::kWindow));
}

void TrayHandlers::OnAboutSelected() {
  OpenAboutWindow();
}
void TrayHandlers::OnAboutClicked() {
  OpenAboutWindow();
}

void TrayHandlers::OpenAboutWindow() {
  ui_.LoadWindow(kAboutWindow, true);
}

}  // namespace quorvane
