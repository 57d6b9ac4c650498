// The window and control services every handler works through: properties by number, item
// values, message boxes, loading and unloading windows, and event dispatch. All the rules
// about what a read or write does live here; the platform sits behind a Backend.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "ui/backend.h"
#include "ui/design.h"
#include "ui/events.h"
#include "ui/timer_schedule.h"
#include "ui/types.h"

namespace quorvane {

// The fatal run-time report; it never returns.
using FatalErrorFn = std::function<void(const Text& message)>;

// Messages of the fatal report for services asked about windows that are not there.
inline constexpr const char* kWindowNotLoaded = "未载入欲访问窗口组件所在的窗口";
inline constexpr const char* kControlWindowMissing = "指定窗口尚未载入";
inline constexpr const char* kNoSuchWindowOrControl = "指定窗口或窗口组件不存在或尚未载入";

class WindowServices final : private BackendListener {
 public:
  WindowServices(Backend& backend, std::span<const WindowDesign* const> designs,
                 FatalErrorFn fatal);
  ~WindowServices() override;
  WindowServices(const WindowServices&) = delete;
  WindowServices& operator=(const WindowServices&) = delete;

  void SetBindings(int windowId, BindingTable bindings);

  PropertyValue ReadProperty(ControlRef ref, int property);
  void WriteProperty(ControlRef ref, int property, const PropertyValue& value);
  std::int32_t ItemValue(ControlRef combo, int index);
  // Returns the pressed button less one: OK 0, Cancel 1, ... No title gives "信息：".
  int ShowMessage(const Text& text, std::uint32_t flags,
                  const std::optional<Text>& title = std::nullopt);
  bool LoadWindow(int windowId, bool modal);
  void UnloadWindow(ControlRef window);
  bool RaiseEvent(EventRecord& record);

  // Notification area: the icon given as icon-file bytes; empty bytes mean no icon.
  void SetTrayIcon(ControlRef window, std::span<const std::uint8_t> iconFile, const Text& tip);
  void PopupTrayMenu(ControlRef window, ControlRef menuItem);

  // The message loop of the start routine: returns the quit code, or 0 at once when no window
  // is loaded. From here on, the last window to leave ends the program.
  int RunMessageLoop();

  bool IsLoaded(int windowId) const;
  Native NativeOf(ControlRef ref) const;  // 0 when not loaded or not created

 private:
  struct Control;
  struct Window;

  [[noreturn]] void Fail(const char* message) const;
  Window* FindWindow(int windowId) const;
  Window& LoadedWindow(int windowId) const;  // fatal when not loaded
  static Control* FindControl(Window& window, int controlId);
  Control& ControlOf(Window& window, int controlId) const;  // fatal when there is none

  Native CreateWindowAndControls(Window& window, bool ownedByToolWindow);
  void DisableOtherWindows(Window& modal);
  void RestoreDisabledWindows(Window& window);
  void RaiseSimple(int windowId, int controlId, int eventNumber);
  void WriteTimerPeriod(Control& timer, std::int32_t period);
  void RemoveTrayIcon(Window& window);

  // BackendListener
  void OnControlEvent(int window, int control, int event,
                      std::span<const std::int32_t> args) override;
  void OnEditChanged(int window, int control) override;
  void OnButtonClicked(int window, int control, bool duringFocusChange) override;
  void OnTimerWake(int window, int control) override;
  bool OnCloseRequest(int window) override;
  bool OnQueryEndSession(int window) override;
  void OnDestroyRequest(int window) override;
  void OnWindowDestroying(int window) override;
  void OnWindowDestroyed(int window) override;
  void OnMenuCommand(int window, int commandId) override;
  void OnTrayMessage(int window, std::uint32_t mouseMessage) override;
  void OnTaskbarCreated(int window) override;

  Backend& backend_;
  std::map<int, const WindowDesign*> designs_;
  std::map<int, BindingTable> bindings_;
  FatalErrorFn fatal_;
  // The loaded-window registry, in load order.
  std::vector<std::unique_ptr<Window>> loaded_;
  bool loopStarted_ = false;
};

}  // namespace quorvane
