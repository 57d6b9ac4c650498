// Closing hides the main window to the notification area; the icon brings it back and its
// menu ends the program or opens the about window.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "ui/window_services.h"

namespace quorvane {

class TrayHandlers {
 public:
  TrayHandlers(WindowServices& ui, std::span<const std::uint8_t> trayIcon)
      : ui_(ui), trayIcon_(trayIcon) {}

  // `can be closed` of the main window: hides it to the tray and refuses the close.
  std::optional<std::int32_t> OnCanBeClosed();
  void OnTrayEvent(std::int32_t code);
  void OnExitSelected();
  void OnAboutSelected();
  void OnAboutClicked();

 private:
  // Modal; an about window already open is brought forward instead.
  void OpenAboutWindow();

  WindowServices& ui_;
  std::span<const std::uint8_t> trayIcon_;
};

}  // namespace quorvane
