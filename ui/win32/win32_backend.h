// The real backend: windows, standard controls, timers, message boxes, the notification
// area and popup menus of Win32. Texts cross into Windows as UTF-16 (code page 936).
#pragma once

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <functional>
#include <map>
#include <unordered_map>
#include <vector>

#include "ui/backend.h"
#include "ui/win32/handles.h"

namespace quorvane {

class Win32Backend final : public Backend {
 public:
  // The shell's notification call; tests replace it with a recorder.
  using ShellNotify = std::function<BOOL(DWORD message, NOTIFYICONDATAW* data)>;

  explicit Win32Backend(HINSTANCE instance);
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  void SetShellNotify(ShellNotify notify) { shellNotify_ = std::move(notify); }
  HWND ToolWindow() const { return toolWindow_; }

  void SetListener(BackendListener* listener) override { listener_ = listener; }
  Native CreateTopWindow(const WindowDesign& design, bool ownedByToolWindow) override;
  Native CreateControl(const WindowDesign& design, const ControlDesign& control, Native window,
                       Native parent) override;
  void StackInOrder(std::span<const Native> topmostFirst) override;
  void DestroyTopWindow(Native window) override;
  void PostDestroyRequest(Native window) override;
  void Show(Native handle, bool visible) override;
  bool IsVisible(Native handle) override;
  void Enable(Native handle, bool enabled) override;
  bool IsEnabled(Native handle) override;
  bool IsMinimized(Native window) override;
  void Restore(Native window) override;
  void Activate(Native window) override;
  Text GetText(Native handle) override;
  void SetText(Native handle, const Text& text) override;
  bool IsChecked(Native handle) override;
  void SetChecked(Native handle, bool checked) override;
  int CurrentItem(Native combo) override;
  int ItemCount(Native combo) override;
  std::int32_t ItemData(Native combo, int index) override;
  void ArmTimer(Native timer, int delayMs) override;
  void KillTimer(Native timer) override;
  std::int64_t MonotonicMs() override;
  int ShowMessageBox(const Text& text, const Text& title, std::uint32_t flags) override;
  void RunNestedLoop(const std::function<bool()>& done) override;
  int RunMainLoop() override;
  void PostQuit(int code) override;
  Native CreateIconImage(std::span<const std::uint8_t> image, int width, int height) override;
  void DestroyIconImage(Native icon) override;
  bool NotifyTray(Native window, TrayRequest request, Native icon, const Text& tip) override;
  void PopupMenu(Native window, std::span<const PopupMenuEntry> entries) override;

 private:
  struct TopWindow {
    const WindowDesign* design = nullptr;
    std::vector<UniqueFont> fonts;
    std::map<COLORREF, UniqueBrush> brushes;
    UniqueIcon bigIcon;
    UniqueIcon smallIcon;
    HWND lastFocus = nullptr;
  };
  struct ChildControl {
    int window = 0;
    int control = 0;
    const ControlDesign* design = nullptr;
    bool inFocusChange = false;  // radio boxes: a WM_SETFOCUS or WM_KILLFOCUS is running
  };

  static LRESULT CALLBACK TopWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ForwardingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
  static LRESULT CALLBACK RadioProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);

  LRESULT HandleTopMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnControlColour(HWND hwnd, UINT message, HDC dc, HWND control);
  HBRUSH BrushFor(TopWindow& top, std::uint32_t colour);
  HFONT FontFor(TopWindow& top, const FontSpec& font);
  void SetWindowIcons(HWND hwnd, TopWindow& top);
  // Tab, Esc, Enter and Alt+letter; true when the message was used up.
  bool HandleKeyboard(const MSG& message);
  void MoveFocus(HWND top, bool forward);
  bool PressMnemonic(HWND top, wchar_t letter);
  void FocusFirst(HWND top);
  bool PumpOne(int& quitCode);

  HINSTANCE instance_;
  BackendListener* listener_ = nullptr;
  HWND toolWindow_ = nullptr;
  UINT taskbarCreated_ = 0;
  ShellNotify shellNotify_;
  std::unordered_map<HWND, TopWindow> tops_;
  std::unordered_map<HWND, ChildControl> controls_;
};

}  // namespace quorvane
