#include "ui/window_services.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "ui/icon_file.h"
#include "ui/tray_codes.h"

namespace quorvane {

struct WindowServices::Control {
  const ControlDesign* design = nullptr;
  Native handle = 0;
  // Stored state: what a read gives while the control has no live window.
  bool visible = true;
  bool disabled = false;
  Text caption = {};
  // Timers: the stored period, and the schedule while it runs.
  std::int32_t period = 0;
  TimerSchedule schedule = {};
  // Edit boxes: set while the services write the text, to swallow the system's notification.
  bool writeGuard = false;
};

struct WindowServices::Window {
  const WindowDesign* design;
  Native handle = 0;
  std::vector<Control> controls;  // in design order; controls[0] is the window itself
  bool destroyPending = false;
  bool modal = false;
  std::vector<std::pair<Native, bool>> disabledWindows;  // (window, enabled before)
  Native trayImage = 0;
  Text trayTip;
  int id() const { return design->id; }
};

namespace {
constexpr int kFirstMenuCommand = 20000;
constexpr std::uint32_t kSystemModal = 0x1000;
constexpr std::uint32_t kTaskModal = 0x2000;
}  // namespace

WindowServices::WindowServices(Backend& backend, std::span<const WindowDesign* const> designs,
                               FatalErrorFn fatal)
    : backend_(backend), fatal_(std::move(fatal)) {
  for (const WindowDesign* design : designs) designs_[design->id] = design;
  backend_.SetListener(this);
}

WindowServices::~WindowServices() {
  backend_.SetListener(nullptr);
}

void WindowServices::SetBindings(int windowId, BindingTable bindings) {
  bindings_[windowId] = std::move(bindings);
}

void WindowServices::Fail(const char* message) const {
  fatal_(message);
  std::abort();  // the report never returns
}

WindowServices::Window* WindowServices::FindWindow(int windowId) const {
  for (const auto& window : loaded_) {
    if (window->id() == windowId) return window.get();
  }
  return nullptr;
}

WindowServices::Window& WindowServices::LoadedWindow(int windowId) const {
  Window* window = FindWindow(windowId);
  if (!window) Fail(kWindowNotLoaded);
  return *window;
}

WindowServices::Control* WindowServices::FindControl(Window& window, int controlId) {
  for (Control& control : window.controls) {
    if (control.design->id == controlId) return &control;
  }
  return nullptr;
}

WindowServices::Control& WindowServices::ControlOf(Window& window, int controlId) const {
  Control* control = FindControl(window, controlId);
  if (!control) Fail(kNoSuchWindowOrControl);
  return *control;
}

bool WindowServices::IsLoaded(int windowId) const {
  return FindWindow(windowId) != nullptr;
}

Native WindowServices::NativeOf(ControlRef ref) const {
  Window* window = FindWindow(ref.window);
  const Control* control = window ? FindControl(*window, ref.control) : nullptr;
  return control ? control->handle : 0;
}

// ---- properties -------------------------------------------------------------------------

PropertyValue WindowServices::ReadProperty(ControlRef ref, int number) {
  Window& window = LoadedWindow(ref.window);
  Control& control = ControlOf(window, ref.control);
  if (number == property::kVisible) {
    return control.handle ? backend_.IsVisible(control.handle) : control.visible;
  }
  if (number == property::kDisabled) {
    return control.handle ? !backend_.IsEnabled(control.handle) : control.disabled;
  }
  if (number < property::kText) return std::int32_t{0};  // position, tag, pointer: unused
  if (!control.handle) Fail(kControlWindowMissing);
  switch (control.design->kind) {
    case ControlKind::kEdit:
      if (number == property::kText) return backend_.GetText(control.handle);
      break;
    case ControlKind::kButton:
      if (number == property::kCaption) return control.caption;
      break;
    case ControlKind::kTimer:
      if (number == property::kPeriod) return control.period;
      break;
    case ControlKind::kRadioBox:
    case ControlKind::kCheckBox:
      if (number == property::kChecked) return backend_.IsChecked(control.handle);
      break;
    case ControlKind::kComboBox:
      if (number == property::kCurrentItem)
        return std::int32_t{backend_.CurrentItem(control.handle)};
      break;
    default:
      break;
  }
  return std::int32_t{0};
}

void WindowServices::WriteProperty(ControlRef ref, int number, const PropertyValue& value) {
  Window& window = LoadedWindow(ref.window);
  Control& control = ControlOf(window, ref.control);
  if (number == property::kVisible) {
    control.visible = value.AsInt() != 0;
    if (control.handle) backend_.Show(control.handle, control.visible);
    return;
  }
  if (number == property::kDisabled) {
    control.disabled = value.AsInt() != 0;
    if (control.handle) backend_.Enable(control.handle, !control.disabled);
    return;
  }
  if (number < property::kText) return;
  if (!control.handle) Fail(kControlWindowMissing);
  switch (control.design->kind) {
    case ControlKind::kEdit:
      if (number != property::kText) return;
      control.writeGuard = true;
      backend_.SetText(control.handle, value.AsText());
      control.writeGuard = false;
      // Exactly one `text changed` per write, whether or not the text differs.
      RaiseSimple(window.id(), control.design->id, event::kTextChanged);
      return;
    case ControlKind::kButton:
      if (number != property::kCaption) return;
      control.caption = value.AsText();
      backend_.SetText(control.handle, control.caption);
      return;
    case ControlKind::kTimer:
      if (number == property::kPeriod) WriteTimerPeriod(control, value.AsInt());
      return;
    case ControlKind::kRadioBox:
    case ControlKind::kCheckBox:
      if (number == property::kChecked) backend_.SetChecked(control.handle, value.AsInt() == 1);
      return;
    default:
      return;
  }
}

void WindowServices::WriteTimerPeriod(Control& timer, std::int32_t period) {
  period = std::max(period, 0);
  // The same period leaves a running timer alone: no restart, no shift of its ticks.
  if (period == timer.period) return;
  if (timer.period > 0) backend_.KillTimer(timer.handle);
  timer.period = period;
  if (period > 0) {
    timer.schedule = TimerSchedule(backend_.MonotonicMs(), period);
    backend_.ArmTimer(timer.handle, period);
  }
}

std::int32_t WindowServices::ItemValue(ControlRef combo, int index) {
  Window* window = FindWindow(combo.window);
  if (!window) Fail(kNoSuchWindowOrControl);
  Control& control = ControlOf(*window, combo.control);
  if (!control.handle) Fail(kNoSuchWindowOrControl);
  if (index < 0 || index >= backend_.ItemCount(control.handle)) return -1;
  return backend_.ItemData(control.handle, index);
}

// ---- message boxes ----------------------------------------------------------------------

int WindowServices::ShowMessage(const Text& text, std::uint32_t flags,
                                const std::optional<Text>& title) {
  if (!(flags & kSystemModal)) flags |= kTaskModal;
  return backend_.ShowMessageBox(text, title.value_or("信息："), flags) - 1;
}

// ---- loading and unloading --------------------------------------------------------------

bool WindowServices::LoadWindow(int windowId, bool modal) {
  if (Window* existing = FindWindow(windowId)) {
    if (!existing->destroyPending) {
      if (backend_.IsMinimized(existing->handle)) {
        backend_.Restore(existing->handle);
      } else {
        backend_.Activate(existing->handle);
      }
      return true;
    }
    existing->destroyPending = false;
    RestoreDisabledWindows(*existing);
    backend_.DestroyTopWindow(existing->handle);
  }
  auto design = designs_.find(windowId);
  if (design == designs_.end()) return false;

  auto owned = std::make_unique<Window>();
  Window& window = *owned;
  window.design = design->second;
  window.modal = modal;
  for (const ControlDesign& entry : window.design->controls) {
    Control control{.design = &entry, .visible = entry.visible, .disabled = entry.disabled};
    if (entry.kind == ControlKind::kButton) control.caption = entry.text;
    window.controls.push_back(control);
  }
  loaded_.push_back(std::move(owned));

  const Native handle = CreateWindowAndControls(window, modal || !window.design->showInTaskbar);
  if (!handle) return false;

  for (int created : {event::kCreated, event::kMoved, event::kResized}) {
    if (FindWindow(windowId) != &window) return true;  // a handler destroyed it
    RaiseSimple(windowId, kWindowControl, created);
  }
  if (FindWindow(windowId) != &window) return true;

  const bool shown = window.controls[0].visible;
  if (shown) backend_.Show(handle, true);
  if (modal) {
    DisableOtherWindows(window);
    if (shown) {
      backend_.RunNestedLoop([this, handle] {
        return std::none_of(loaded_.begin(), loaded_.end(),
                            [handle](const auto& w) { return w->handle == handle; });
      });
    }
  }
  return true;
}

Native WindowServices::CreateWindowAndControls(Window& window, bool ownedByToolWindow) {
  window.handle = backend_.CreateTopWindow(*window.design, ownedByToolWindow);
  window.controls[0].handle = window.handle;
  bool failed = !window.handle;
  // A container is listed beneath its controls, so each round creates the controls whose
  // parent exists by then.
  for (bool progress = true; progress && !failed;) {
    progress = false;
    for (Control& control : window.controls) {
      if (control.handle || failed) continue;
      const int parentId = control.design->parent;
      const Native parent =
          parentId == kWindowControl ? window.handle : NativeOf({window.id(), parentId});
      if (!parent) continue;
      control.handle =
          backend_.CreateControl(*window.design, *control.design, window.handle, parent);
      failed = !control.handle;
      progress = true;
    }
  }
  failed = failed || std::any_of(window.controls.begin(), window.controls.end(),
                                 [](const Control& c) { return !c.handle; });
  if (!failed) {
    std::vector<Native> stacking;
    for (const Control& control : window.controls) stacking.push_back(control.handle);
    backend_.StackInOrder(std::span(stacking).subspan(1));
    for (Control& control : window.controls) {
      // A timer with a stored period starts with its window.
      if (control.design->kind == ControlKind::kTimer)
        WriteTimerPeriod(control, control.design->initial);
    }
    return window.handle;
  }
  // A control that cannot be created fails the whole load; the half-built window leaves the
  // registry first, so its destruction raises nothing.
  const Native handle = window.handle;
  std::erase_if(loaded_, [&window](const auto& w) { return w.get() == &window; });
  if (handle) backend_.DestroyTopWindow(handle);
  return 0;
}

void WindowServices::DisableOtherWindows(Window& modal) {
  for (const auto& other : loaded_) {
    if (other.get() == &modal || !other->handle) continue;
    modal.disabledWindows.emplace_back(other->handle, backend_.IsEnabled(other->handle));
    backend_.Enable(other->handle, false);
  }
}

void WindowServices::RestoreDisabledWindows(Window& window) {
  for (const auto& [handle, enabledBefore] : window.disabledWindows) {
    const bool stillLoaded = std::any_of(loaded_.begin(), loaded_.end(),
                                         [h = handle](const auto& w) { return w->handle == h; });
    if (stillLoaded) backend_.Enable(handle, enabledBefore);
  }
  window.disabledWindows.clear();
}

void WindowServices::UnloadWindow(ControlRef ref) {
  Window* window = FindWindow(ref.window);
  if (!window) Fail(kNoSuchWindowOrControl);
  window->destroyPending = true;
  backend_.PostDestroyRequest(window->handle);
}

int WindowServices::RunMessageLoop() {
  loopStarted_ = true;
  if (loaded_.empty()) return 0;
  return backend_.RunMainLoop();
}

// ---- events -----------------------------------------------------------------------------

bool WindowServices::RaiseEvent(EventRecord& record) {
  auto table = bindings_.find(record.window);
  if (table == bindings_.end()) return false;
  for (const Binding& binding : table->second) {
    if (binding.control != record.control || binding.event != record.event ||
        binding.argCount != record.argCount) {
      continue;
    }
    const std::optional<std::int32_t> result =
        binding.handler(std::span(record.args.data(), std::size_t(record.argCount)));
    if (result) {
      record.hasResult = true;
      record.result = *result;
    }
    return true;
  }
  return false;
}

void WindowServices::RaiseSimple(int windowId, int controlId, int eventNumber) {
  EventRecord record{windowId, controlId, eventNumber};
  RaiseEvent(record);
}

void WindowServices::OnControlEvent(int window, int control, int eventNumber,
                                    std::span<const std::int32_t> args) {
  EventRecord record{window, control, eventNumber, int(std::min<std::size_t>(args.size(), 2))};
  std::copy_n(args.begin(), record.argCount, record.args.begin());
  RaiseEvent(record);
}

void WindowServices::OnEditChanged(int windowId, int controlId) {
  Window* window = FindWindow(windowId);
  if (!window) return;
  if (ControlOf(*window, controlId).writeGuard) return;
  RaiseSimple(windowId, controlId, event::kTextChanged);
}

void WindowServices::OnButtonClicked(int windowId, int controlId, bool duringFocusChange) {
  Window* window = FindWindow(windowId);
  if (!window) return;
  // The system checks an automatic radio box that gets the focus and notifies: not a click.
  if (duringFocusChange && ControlOf(*window, controlId).design->kind == ControlKind::kRadioBox) {
    return;
  }
  RaiseSimple(windowId, controlId, event::kClicked);
}

void WindowServices::OnTimerWake(int windowId, int controlId) {
  Window* window = FindWindow(windowId);
  if (!window) return;
  Control& timer = ControlOf(*window, controlId);
  if (timer.period <= 0) return;
  const TimerSchedule::Wake wake = timer.schedule.OnWake(backend_.MonotonicMs());
  // Re-armed before the handler runs: a handler that stops or changes the timer wins.
  backend_.ArmTimer(timer.handle, int(wake.delayToNext));
  if (wake.tickDue) RaiseSimple(windowId, controlId, event::kPeriodic);
}

bool WindowServices::OnCloseRequest(int windowId) {
  EventRecord record{windowId, kWindowControl, event::kCanBeClosed};
  RaiseEvent(record);
  Window* window = FindWindow(windowId);
  if (!window || window->destroyPending) return false;  // a handler already unloaded it
  if (record.hasResult && record.result == 0) return false;
  if (window->modal) RestoreDisabledWindows(*window);
  return true;
}

bool WindowServices::OnQueryEndSession(int windowId) {
  EventRecord record{windowId, kWindowControl, event::kCanBeClosed};
  RaiseEvent(record);
  return !(record.hasResult && record.result == 0);
}

void WindowServices::OnDestroyRequest(int windowId) {
  Window* window = FindWindow(windowId);
  if (!window || !window->destroyPending) return;
  window->destroyPending = false;
  RestoreDisabledWindows(*window);
  backend_.DestroyTopWindow(window->handle);
}

void WindowServices::OnWindowDestroying(int windowId) {
  Window* window = FindWindow(windowId);
  if (!window) return;
  RaiseSimple(windowId, kWindowControl, event::kAboutToBeDestroyed);
  if ((window = FindWindow(windowId)) == nullptr) return;
  RemoveTrayIcon(*window);
  for (Control& control : window->controls) {
    if (control.design->kind == ControlKind::kTimer && control.period > 0) {
      backend_.KillTimer(control.handle);
      control.period = 0;
    }
  }
}

void WindowServices::OnWindowDestroyed(int windowId) {
  Window* window = FindWindow(windowId);
  if (!window) return;
  std::erase_if(loaded_, [window](const auto& w) { return w.get() == window; });
  if (loaded_.empty() && loopStarted_) backend_.PostQuit(0);
}

// ---- notification area ------------------------------------------------------------------

void WindowServices::SetTrayIcon(ControlRef ref, std::span<const std::uint8_t> iconFile,
                                 const Text& tip) {
  Window* window = FindWindow(ref.window);
  if (!window) Fail(kNoSuchWindowOrControl);
  Native image = 0;
  for (IconSize size : {IconSize::kSmall, IconSize::kLarge}) {
    const std::optional<IconImage> chosen = ChooseIconImage(iconFile, size);
    if (!chosen) continue;
    image = backend_.CreateIconImage(chosen->bytes, chosen->width, chosen->height);
    if (!image && chosen->bitsPerPixel != 16) {
      image = backend_.CreateIconImage(chosen->bytes, 0, 0);
    }
    if (image) break;
  }
  window->trayTip = tip;
  const Native old = window->trayImage;
  if (old) {
    if (image) {
      // The shell lost the icon (it restarted): put it back.
      if (!backend_.NotifyTray(window->handle, TrayRequest::kModify, image, tip)) {
        backend_.NotifyTray(window->handle, TrayRequest::kAdd, image, tip);
      }
    } else {
      backend_.NotifyTray(window->handle, TrayRequest::kDelete, 0, tip);
    }
    backend_.DestroyIconImage(old);
  } else if (image) {
    backend_.NotifyTray(window->handle, TrayRequest::kAdd, image, tip);
  }
  window->trayImage = image;
}

void WindowServices::RemoveTrayIcon(Window& window) {
  if (!window.trayImage) return;
  backend_.NotifyTray(window.handle, TrayRequest::kDelete, 0, window.trayTip);
  backend_.DestroyIconImage(window.trayImage);
  window.trayImage = 0;
}

void WindowServices::OnTaskbarCreated(int windowId) {
  Window* window = FindWindow(windowId);
  if (!window || !window->trayImage) return;
  backend_.NotifyTray(window->handle, TrayRequest::kAdd, window->trayImage, window->trayTip);
}

void WindowServices::OnTrayMessage(int windowId, std::uint32_t mouseMessage) {
  const std::optional<std::int32_t> code = TrayEventCode(mouseMessage);
  if (!code) return;
  OnControlEvent(windowId, kWindowControl, event::kTrayEvent, std::span(&*code, 1));
}

void WindowServices::PopupTrayMenu(ControlRef ref, ControlRef menuItem) {
  Window* window = FindWindow(ref.window);
  if (!window) Fail(kNoSuchWindowOrControl);
  std::vector<const ControlDesign*> items;
  for (const ControlDesign& entry : window->design->controls) {
    if (entry.kind == ControlKind::kMenuItem) items.push_back(&entry);
  }
  const auto at = std::find_if(items.begin(), items.end(), [&](const ControlDesign* item) {
    return item->id == menuItem.control;
  });
  if (at == items.end() || at + 1 == items.end() || (*(at + 1))->menuLevel <= (*at)->menuLevel) {
    return;
  }
  std::vector<PopupMenuEntry> entries;
  const int level = (*at)->menuLevel;
  for (auto it = at + 1; it != items.end() && (*it)->menuLevel > level; ++it) {
    // Deeper items would form submenus; the program's menus have none.
    if ((*it)->menuLevel != level + 1) continue;
    const Text text = std::string_view((*it)->text) == "-" ? Text() : Text((*it)->text);
    entries.push_back({text, kFirstMenuCommand + int(it - items.begin())});
  }
  backend_.PopupMenu(window->handle, entries);
}

void WindowServices::OnMenuCommand(int windowId, int commandId) {
  Window* window = FindWindow(windowId);
  if (!window || commandId < kFirstMenuCommand) return;
  int index = commandId - kFirstMenuCommand;
  for (const ControlDesign& entry : window->design->controls) {
    if (entry.kind != ControlKind::kMenuItem) continue;
    if (index-- == 0) {
      RaiseSimple(windowId, entry.id, event::kSelected);
      return;
    }
  }
}

}  // namespace quorvane
