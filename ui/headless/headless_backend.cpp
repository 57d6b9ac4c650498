#include "ui/headless/headless_backend.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "ui/spinner_arrow.h"

namespace quorvane {

namespace {
constexpr int kIdOk = 1;

// Characters of a GBK text: a lead byte of 0x80 or above starts a two-byte character.
std::size_t CharacterCount(const Text& text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i, ++count) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) ++i;
  }
  return count;
}

Text FirstCharacters(const Text& text, std::size_t limit) {
  std::size_t i = 0;
  for (std::size_t count = 0; i < text.size() && count < limit; ++i, ++count) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) ++i;
  }
  return text.substr(0, std::min(i, text.size()));
}
}  // namespace

// ---- creation and destruction ----

Native HeadlessBackend::CreateTopWindow(const WindowDesign& design, bool ownedByToolWindow) {
  Node node;
  node.window = design.id;
  node.control = design.controls[0].id;
  node.design = &design.controls[0];
  node.ownedByToolWindow = ownedByToolWindow;
  node.text = design.controls[0].text;
  nodes_.push_back(node);
  return nodes_.size();
}

Native HeadlessBackend::CreateControl(const WindowDesign& design, const ControlDesign& control,
                                      Native /*window*/, Native parent) {
  Node node;
  node.window = design.id;
  node.control = control.id;
  node.design = &control;
  node.parent = parent;
  node.text = control.text;
  node.enabled = !control.disabled;
  // Timers and menu items have no window of their own to show; web boxes are never shown.
  node.visible = control.visible && control.kind != ControlKind::kTimer &&
                 control.kind != ControlKind::kMenuItem;
  if (control.kind == ControlKind::kComboBox) {
    for (const ComboItem& item : control.items) node.itemData.push_back(item.value);
    node.currentItem = control.items.empty() ? -1 : control.initial;
  }
  if (control.kind == ControlKind::kRadioBox || control.kind == ControlKind::kCheckBox) {
    node.checked = control.initial != 0;
  }
  nodes_.push_back(node);
  return nodes_.size();
}

void HeadlessBackend::DestroyTopWindow(Native window) {
  Node& top = Mutable(window);
  if (!top.alive) return;
  const int id = top.window;
  listener_->OnWindowDestroying(id);
  for (Native handle = 1; handle <= nodes_.size(); ++handle) {
    Node& node = Mutable(handle);
    if (node.alive && TopOf(handle) == window) {
      node.alive = false;
      node.timerDue.reset();
    }
  }
  if (active_ == window) active_ = 0;
  listener_->OnWindowDestroyed(id);
}

void HeadlessBackend::PostDestroyRequest(Native window) {
  posted_.push_back([this, window] {
    if (At(window).alive) listener_->OnDestroyRequest(At(window).window);
  });
}

// ---- state ----

void HeadlessBackend::Show(Native handle, bool visible) {
  Node& node = Mutable(handle);
  node.visible = visible;
  if (visible && node.parent == 0) active_ = handle;
}

void HeadlessBackend::Enable(Native handle, bool enabled) {
  Node& node = Mutable(handle);
  node.enabled = enabled;
  enableCalls_.push_back({{node.window, node.control}, enabled});
}

bool HeadlessBackend::IsVisible(Native handle) {
  for (Native h = handle; h != 0; h = At(h).parent) {
    if (!At(h).visible) return false;
  }
  return true;
}

void HeadlessBackend::Restore(Native window) {
  Mutable(window).minimized = false;
  active_ = window;
}

void HeadlessBackend::SetText(Native handle, const Text& text) {
  Node& node = Mutable(handle);
  node.text = text;
  if (node.design->kind == ControlKind::kEdit) listener_->OnEditChanged(node.window, node.control);
}

Native HeadlessBackend::TopOf(Native handle) const {
  while (At(handle).parent != 0) handle = At(handle).parent;
  return handle;
}

Native HeadlessBackend::HandleOf(ControlRef ref) const {
  for (std::size_t i = nodes_.size(); i-- > 0;) {
    const Node& node = nodes_[i];
    if (node.alive && node.window == ref.window && node.control == ref.control) return i + 1;
  }
  return 0;
}

const HeadlessBackend::Node* HeadlessBackend::Find(ControlRef ref) const {
  const Native handle = HandleOf(ref);
  return handle ? &At(handle) : nullptr;
}

bool HeadlessBackend::TakesInput(Native handle) const {
  if (!handle) return false;
  for (Native h = handle; h != 0; h = At(h).parent) {
    if (!At(h).visible || !At(h).enabled) return false;
  }
  return true;
}

// ---- user input ----

bool HeadlessBackend::Type(ControlRef ref, const Text& text) {
  const Native handle = HandleOf(ref);
  if (!TakesInput(handle)) return false;
  const Node& node = At(handle);
  const int limit = node.design->textLimit;
  SetText(handle, limit > 0 && CharacterCount(text) > std::size_t(limit)
                      ? FirstCharacters(text, limit)
                      : text);
  return true;
}

bool HeadlessBackend::Click(ControlRef ref) {
  const Native handle = HandleOf(ref);
  if (!TakesInput(handle)) return false;
  Node& node = Mutable(handle);
  if (node.design->kind == ControlKind::kRadioBox) {
    // Automatic radio boxes: the others of the group (same parent) are unchecked.
    for (Node& other : nodes_) {
      if (other.alive && other.parent == node.parent && other.window == node.window &&
          other.design->kind == ControlKind::kRadioBox) {
        other.checked = false;
      }
    }
    node.checked = true;
  } else if (node.design->kind == ControlKind::kCheckBox) {
    node.checked = !node.checked;
  }
  listener_->OnButtonClicked(node.window, node.control, false);
  ProcessPosted();
  return true;
}

bool HeadlessBackend::FocusRadio(ControlRef ref) {
  const Native handle = HandleOf(ref);
  if (!TakesInput(handle)) return false;
  const Node& node = At(handle);
  listener_->OnButtonClicked(node.window, node.control, true);
  return true;
}

bool HeadlessBackend::PressArrow(ControlRef ref, bool up) {
  const Native handle = HandleOf(ref);
  if (!TakesInput(handle)) return false;
  // The default range runs from 100 down to 0: the up arrow proposes -1.
  const std::int32_t argument = ArrowArgument(up ? -1 : 1);
  listener_->OnControlEvent(ref.window, ref.control, 0, std::span(&argument, 1));
  ProcessPosted();
  return true;
}

bool HeadlessBackend::Select(ControlRef ref, int index) {
  const Native handle = HandleOf(ref);
  if (!TakesInput(handle)) return false;
  Mutable(handle).currentItem = index;
  return true;
}

void HeadlessBackend::RequestClose(int window) {
  const Native handle = HandleOf({window, 0});
  if (!handle || !At(handle).enabled) return;
  if (listener_->OnCloseRequest(window)) DestroyTopWindow(handle);
  ProcessPosted();
}

bool HeadlessBackend::QueryEndSession(int window) {
  return listener_->OnQueryEndSession(window);
}

void HeadlessBackend::TrayMouse(int window, std::uint32_t mouseMessage) {
  listener_->OnTrayMessage(window, mouseMessage);
  ProcessPosted();
}

void HeadlessBackend::ShellRestarted() {
  for (const Node& node : nodes_) {
    if (node.alive && node.parent == 0) listener_->OnTaskbarCreated(node.window);
  }
}

// ---- time and loops ----

void HeadlessBackend::Advance(std::int64_t ms) {
  const std::int64_t target = now_ + ms;
  ProcessPosted();
  for (;;) {
    Node* next = nullptr;
    for (Node& node : nodes_) {
      if (node.alive && node.timerDue && *node.timerDue <= target &&
          (!next || *node.timerDue < *next->timerDue)) {
        next = &node;
      }
    }
    if (!next) break;
    now_ = std::max(now_, *next->timerDue);
    next->timerDue.reset();  // armed for a single wake
    listener_->OnTimerWake(next->window, next->control);
    ProcessPosted();
  }
  now_ = std::max(now_, target);
}

void HeadlessBackend::ProcessPosted() {
  while (!posted_.empty()) {
    auto message = std::move(posted_.front());
    posted_.pop_front();
    message();
  }
}

int HeadlessBackend::ShowMessageBox(const Text& text, const Text& title, std::uint32_t flags) {
  messageBoxes_.push_back({text, title, flags});
  if (boxScripts_.empty()) return kIdOk;
  auto script = std::move(boxScripts_.front());
  boxScripts_.pop_front();
  return script();
}

void HeadlessBackend::RunNestedLoop(const std::function<bool()>& done) {
  for (;;) {
    ProcessPosted();
    if (done() || quitCode_) return;
    if (loopScripts_.empty()) throw std::logic_error("a nested loop would wait forever");
    auto script = std::move(loopScripts_.front());
    loopScripts_.pop_front();
    script();
  }
}

int HeadlessBackend::RunMainLoop() {
  ProcessPosted();
  if (!quitCode_) throw std::logic_error("the main loop would wait forever");
  return *quitCode_;
}

void HeadlessBackend::PostQuit(int code) {
  if (!quitCode_) quitCode_ = code;
}

// ---- notification area ----

Native HeadlessBackend::CreateIconImage(std::span<const std::uint8_t> image, int width,
                                        int height) {
  const bool made = !image.empty() && !(failSizedIcons_ && (width != 0 || height != 0));
  iconRequests_.push_back({width, height, made});
  if (!made) return 0;
  ++liveIcons_;
  return ++nextIcon_;
}

void HeadlessBackend::DestroyIconImage(Native) {
  --liveIcons_;
}

bool HeadlessBackend::NotifyTray(Native, TrayRequest request, Native icon, const Text& tip) {
  trayCalls_.push_back({request, icon, tip});
  return !(failModify_ && request == TrayRequest::kModify);
}

void HeadlessBackend::PopupMenu(Native window, std::span<const PopupMenuEntry> entries) {
  lastMenu_.assign(entries.begin(), entries.end());
  const std::optional<int> choice = std::exchange(menuChoice_, std::nullopt);
  if (!choice) return;
  const int command = entries[std::size_t(*choice)].commandId;
  const int id = At(window).window;
  // The chosen command arrives as a posted message after the menu has closed.
  posted_.push_back([this, id, command] { listener_->OnMenuCommand(id, command); });
}

}  // namespace quorvane
