// An in-memory backend for tests: windows and controls are records, time is a virtual
// clock, message boxes and nested loops run scripts that a test queues. It calls the services
// back where Windows would: an edit box's change notification inside SetText, a timer when the
// clock passes its due time, a destroy request when posted messages are processed.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/backend.h"

namespace quorvane {

class HeadlessBackend final : public Backend {
 public:
  struct Node {
    int window = 0;
    int control = 0;
    const ControlDesign* design = nullptr;
    Native parent = 0;  // 0 for a top-level window
    bool alive = true;
    bool ownedByToolWindow = false;
    Text text;
    bool visible = false;
    bool enabled = true;
    bool checked = false;
    bool minimized = false;
    int currentItem = -1;
    std::vector<std::int32_t> itemData;
    std::optional<std::int64_t> timerDue;
  };
  struct MessageBoxCall {
    Text text;
    Text title;
    std::uint32_t flags;
  };
  struct TrayCall {
    TrayRequest request;
    Native icon;
    Text tip;
  };
  // An icon image asked for: the size (0 for the image's own) and whether it was made.
  struct IconRequest {
    int width;
    int height;
    bool made;
  };
  struct EnableCall {
    ControlRef ref;
    bool enabled;
  };

  // ---- the test's side ----
  // Moves the virtual clock, waking each timer when its due time comes, in order, and
  // processing posted messages after every wake.
  void Advance(std::int64_t ms);
  // The thread is busy for ms (a long handler): time passes, nothing is dispatched.
  void Block(std::int64_t ms) { now_ += ms; }
  void ProcessPosted();

  // User input; each returns false, doing nothing, when the control cannot take input
  // (disabled or hidden, or its window disabled).
  bool Type(ControlRef ref, const Text& text);
  bool Click(ControlRef ref);
  bool FocusRadio(ControlRef ref);  // the system's focus notification of a radio box
  bool PressArrow(ControlRef ref, bool up);
  bool Select(ControlRef ref, int index);
  void RequestClose(int window);
  bool QueryEndSession(int window);
  void TrayMouse(int window, std::uint32_t mouseMessage);
  void ShellRestarted();
  // The next popup menu chooses this entry (by position among its entries), or nothing.
  void ChooseFromNextMenu(std::optional<int> position) { menuChoice_ = position; }

  // Runs while the next message box is up; returns the id of the button pressed.
  void AnswerNextMessageBox(std::function<int()> script) { boxScripts_.push_back(script); }
  // Runs inside the next nested loop (a modal window waiting).
  void OnNextNestedLoop(std::function<void()> script) { loopScripts_.push_back(script); }
  void FailModifyRequests(bool fail) { failModify_ = fail; }
  // Icon images asked for with a size are not made (as the system may refuse a size).
  void FailSizedIcons(bool fail) { failSizedIcons_ = fail; }

  const Node* Find(ControlRef ref) const;
  const Node& At(Native handle) const { return nodes_.at(handle - 1); }
  Native ActiveWindow() const { return active_; }
  std::int64_t Now() const { return now_; }
  const std::vector<MessageBoxCall>& MessageBoxes() const { return messageBoxes_; }
  const std::vector<TrayCall>& TrayCalls() const { return trayCalls_; }
  const std::vector<EnableCall>& EnableCalls() const { return enableCalls_; }
  const std::vector<PopupMenuEntry>& LastMenu() const { return lastMenu_; }
  std::optional<int> QuitCode() const { return quitCode_; }
  int LiveIconImages() const { return liveIcons_; }
  const std::vector<IconRequest>& IconRequests() const { return iconRequests_; }

  // ---- Backend ----
  void SetListener(BackendListener* listener) override { listener_ = listener; }
  Native CreateTopWindow(const WindowDesign& design, bool ownedByToolWindow) override;
  Native CreateControl(const WindowDesign& design, const ControlDesign& control, Native window,
                       Native parent) override;
  void StackInOrder(std::span<const Native>) override {}
  void DestroyTopWindow(Native window) override;
  void PostDestroyRequest(Native window) override;
  void Show(Native handle, bool visible) override;
  bool IsVisible(Native handle) override;
  void Enable(Native handle, bool enabled) override;
  bool IsEnabled(Native handle) override { return At(handle).enabled; }
  bool IsMinimized(Native window) override { return At(window).minimized; }
  void Restore(Native window) override;
  void Activate(Native window) override { active_ = window; }
  Text GetText(Native handle) override { return At(handle).text; }
  void SetText(Native handle, const Text& text) override;
  bool IsChecked(Native handle) override { return At(handle).checked; }
  void SetChecked(Native handle, bool checked) override { Mutable(handle).checked = checked; }
  int CurrentItem(Native combo) override { return At(combo).currentItem; }
  int ItemCount(Native combo) override { return int(At(combo).itemData.size()); }
  std::int32_t ItemData(Native combo, int index) override { return At(combo).itemData.at(index); }
  void ArmTimer(Native timer, int delayMs) override { Mutable(timer).timerDue = now_ + delayMs; }
  void KillTimer(Native timer) override { Mutable(timer).timerDue.reset(); }
  std::int64_t MonotonicMs() override { return now_; }
  int ShowMessageBox(const Text& text, const Text& title, std::uint32_t flags) override;
  void RunNestedLoop(const std::function<bool()>& done) override;
  int RunMainLoop() override;
  void PostQuit(int code) override;
  Native CreateIconImage(std::span<const std::uint8_t> image, int width, int height) override;
  void DestroyIconImage(Native icon) override;
  bool NotifyTray(Native window, TrayRequest request, Native icon, const Text& tip) override;
  void PopupMenu(Native window, std::span<const PopupMenuEntry> entries) override;

 private:
  Node& Mutable(Native handle) { return nodes_.at(handle - 1); }
  Native HandleOf(ControlRef ref) const;
  bool TakesInput(Native handle) const;
  Native TopOf(Native handle) const;

  BackendListener* listener_ = nullptr;
  std::deque<Node> nodes_;  // a deque: references stay valid while handlers create windows
  std::int64_t now_ = 0;
  Native active_ = 0;
  std::deque<std::function<void()>> posted_;
  std::optional<int> quitCode_;
  std::deque<std::function<int()>> boxScripts_;
  std::deque<std::function<void()>> loopScripts_;
  std::vector<MessageBoxCall> messageBoxes_;
  std::vector<TrayCall> trayCalls_;
  std::vector<EnableCall> enableCalls_;
  std::vector<PopupMenuEntry> lastMenu_;
  std::optional<int> menuChoice_;
  bool failModify_ = false;
  bool failSizedIcons_ = false;
  std::vector<IconRequest> iconRequests_;
  Native nextIcon_ = 0x10000;
  int liveIcons_ = 0;
};

}  // namespace quorvane
