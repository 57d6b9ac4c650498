// The narrow interface between the window services and the platform. The Win32 backend
// implements it with real windows; the headless backend in memory, calling the listener back
// exactly where Windows would (an edit box's change notification arrives inside SetText, a
// timer wakes when the clock passes its due time).
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "ui/design.h"
#include "ui/types.h"

namespace quorvane {

// A window, control or icon of the backend; 0 is none.
using Native = std::uintptr_t;

// What the backend reports; implemented by the window services.
class BackendListener {
 public:
  virtual ~BackendListener() = default;
  // An event that needs no rule of the services (spinner arrows, focus, shown, hidden).
  virtual void OnControlEvent(int window, int control, int event,
                              std::span<const std::int32_t> args) = 0;
  // The edit box's change notification, also the one the system sends while a text is set.
  virtual void OnEditChanged(int window, int control) = 0;
  // The click notification of a button, check box or radio box; duringFocusChange is set when
  // it arrives while the control is taking or losing the keyboard focus.
  virtual void OnButtonClicked(int window, int control, bool duringFocusChange) = 0;
  virtual void OnTimerWake(int window, int control) = 0;
  // A close request (close box, system menu, Alt+F4, Esc): true lets the default close
  // destroy the window.
  virtual bool OnCloseRequest(int window) = 0;
  // The system asks whether the session may end: true means it may.
  virtual bool OnQueryEndSession(int window) = 0;
  virtual void OnDestroyRequest(int window) = 0;
  // Destruction starts: before any control is destroyed.
  virtual void OnWindowDestroying(int window) = 0;
  // The window's last message has been handled.
  virtual void OnWindowDestroyed(int window) = 0;
  // A command of a popup menu (see PopupMenu).
  virtual void OnMenuCommand(int window, int commandId) = 0;
  // A mouse message from the window's notification-area icon, and the shell's restart.
  virtual void OnTrayMessage(int window, std::uint32_t mouseMessage) = 0;
  virtual void OnTaskbarCreated(int window) = 0;
};

// One entry of a popup menu: a separator when text is empty.
struct PopupMenuEntry {
  Text text;
  int commandId = 0;
};

enum class TrayRequest { kAdd, kModify, kDelete };

class Backend {
 public:
  virtual ~Backend() = default;
  virtual void SetListener(BackendListener* listener) = 0;

  // Windows and controls. Creation never shows anything; 0 means the creation failed.
  // ownedByToolWindow: owned by the hidden tool window, so no taskbar button of its own.
  virtual Native CreateTopWindow(const WindowDesign& design, bool ownedByToolWindow) = 0;
  virtual Native CreateControl(const WindowDesign& design, const ControlDesign& control,
                               Native window, Native parent) = 0;
  // Orders sibling controls as given, topmost first (controls of different parents keep
  // their own order among their siblings).
  virtual void StackInOrder(std::span<const Native> topmostFirst) = 0;
  // Destroys a window and its controls at once, reporting OnWindowDestroying and, after the
  // last message, OnWindowDestroyed.
  virtual void DestroyTopWindow(Native window) = 0;
  // Posts the private destroy request; OnDestroyRequest follows from a message loop.
  virtual void PostDestroyRequest(Native window) = 0;

  virtual void Show(Native handle, bool visible) = 0;  // a window shown is also activated
  virtual bool IsVisible(Native handle) = 0;           // also needs its parents visible
  virtual void Enable(Native handle, bool enabled) = 0;
  virtual bool IsEnabled(Native handle) = 0;
  virtual bool IsMinimized(Native window) = 0;
  virtual void Restore(Native window) = 0;
  virtual void Activate(Native window) = 0;

  virtual Text GetText(Native handle) = 0;
  virtual void SetText(Native handle, const Text& text) = 0;
  virtual bool IsChecked(Native handle) = 0;  // an indeterminate check box is not checked
  virtual void SetChecked(Native handle, bool checked) = 0;
  virtual int CurrentItem(Native combo) = 0;  // -1 when none
  virtual int ItemCount(Native combo) = 0;
  virtual std::int32_t ItemData(Native combo, int index) = 0;

  // Timers: one system timer per timer control, armed for a single wake after delayMs.
  virtual void ArmTimer(Native timer, int delayMs) = 0;
  virtual void KillTimer(Native timer) = 0;
  virtual std::int64_t MonotonicMs() = 0;

  // The system message box, no owner; returns the pressed button's id (IDOK 1, IDCANCEL 2, ...).
  virtual int ShowMessageBox(const Text& text, const Text& title, std::uint32_t flags) = 0;
  // Dispatches messages until done() holds or the quit message arrives (which is kept for
  // the main loop).
  virtual void RunNestedLoop(const std::function<bool()>& done) = 0;
  // The main message loop with the keyboard handling; returns the quit message's code.
  virtual int RunMainLoop() = 0;
  virtual void PostQuit(int code) = 0;

  // Notification area. An icon image made from an icon file's image; 0 when it cannot be made.
  virtual Native CreateIconImage(std::span<const std::uint8_t> image, int width, int height) = 0;
  virtual void DestroyIconImage(Native icon) = 0;
  // Returns the shell's answer.
  virtual bool NotifyTray(Native window, TrayRequest request, Native icon, const Text& tip) = 0;
  // Pops up a menu at the cursor, waits, and returns; the chosen item arrives as OnMenuCommand.
  virtual void PopupMenu(Native window, std::span<const PopupMenuEntry> entries) = 0;
};

}  // namespace quorvane
