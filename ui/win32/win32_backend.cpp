#include "ui/win32/win32_backend.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cwctype>

#include "ui/icon_file.h"
#include "ui/spinner_arrow.h"
#include "ui/tab_order.h"
#include "ui/tray_codes.h"
#include "ui/win32/gbk.h"
#include "ui/win32/web_box.h"

namespace quorvane {

namespace {

constexpr wchar_t kTopClass[] = L"QuorvaneWindow";
constexpr wchar_t kTimerClass[] = L"QuorvaneTimer";
constexpr wchar_t kToolClass[] = L"QuorvaneOwner";
constexpr UINT_PTR kSystemTimerId = 1000;
// Private messages: the destroy request that UnloadWindow posts.
constexpr UINT kDestroyRequest = WM_APP + 1;
// Drop-down lists are created this high: it sets the height of the opened list.
constexpr int kComboCreationHeight = 160;
// Menu items have no window of their own; the popup is built from the design when shown.
constexpr Native kMenuEntry = 1;

Win32Backend* self = nullptr;  // the one backend of the GUI thread, for the window procedures

HWND H(Native handle) {
  return reinterpret_cast<HWND>(handle);
}
Native N(HWND hwnd) {
  return reinterpret_cast<Native>(hwnd);
}

COLORREF ResolveColour(std::uint32_t colour) {
  if (colour & 0x80000000u) return GetSysColor(int(colour & 0xFF));
  return COLORREF(colour);
}

struct ClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle = 0;
};

ClassAndStyle ClassFor(const ControlDesign& control) {
  switch (control.kind) {
    case ControlKind::kEdit:
      return {L"EDIT", ES_AUTOHSCROLL};
    case ControlKind::kButton:
      return {L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER};
    case ControlKind::kCheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER};
    case ControlKind::kRadioBox:
      return {L"BUTTON", BS_AUTORADIOBUTTON | BS_LEFT | BS_VCENTER};
    case ControlKind::kComboBox:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL};
    case ControlKind::kSpinner:
      return {UPDOWN_CLASSW, 0};
    case ControlKind::kTimer:
      return {kTimerClass, 0};
    case ControlKind::kTransparentLabel:
      return {L"STATIC", 0, WS_EX_TRANSPARENT};
    case ControlKind::kGroupBox:
      // The group box is the real parent of its controls, and Tab enters it.
      return {L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT};
    default:  // labels and picture boxes
      return {L"STATIC", 0};
  }
}

WNDCLASSEXW WindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = name;
  return windowClass;
}

bool IsButtonKind(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kCheckBox ||
         kind == ControlKind::kRadioBox;
}

}  // namespace

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
  self = this;
  const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX),
                                    ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);

  WNDCLASSEXW top = WindowClass(instance, kTopClass, TopWindowProc);
  top.style = CS_DBLCLKS;
  // Windows without an icon of their own show the executable's.
  top.hIcon = LoadIconW(instance, L"DEFAULT_ICON");
  top.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  top.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  RegisterClassExW(&top);
  const WNDCLASSEXW timer = WindowClass(instance, kTimerClass, TimerWindowProc);
  RegisterClassExW(&timer);
  const WNDCLASSEXW tool = WindowClass(instance, kToolClass, DefWindowProcW);
  RegisterClassExW(&tool);
  // The owner of windows that must not have a taskbar button; never shown.
  toolWindow_ = CreateWindowExW(WS_EX_TOOLWINDOW, kToolClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, instance, nullptr);

  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  shellNotify_ = [](DWORD message, NOTIFYICONDATAW* data) {
    return Shell_NotifyIconW(message, data);
  };
}

Win32Backend::~Win32Backend() {
  std::vector<HWND> windows;
  for (const auto& [hwnd, top] : tops_) windows.push_back(hwnd);
  for (HWND hwnd : windows) DestroyWindow(hwnd);
  tops_.clear();
  controls_.clear();
  DestroyWindow(toolWindow_);
  self = nullptr;
}

// ---- creation ----------------------------------------------------------------------------

Native Win32Backend::CreateTopWindow(const WindowDesign& design, bool ownedByToolWindow) {
  const ControlDesign& entry = design.controls[0];
  const int left = (GetSystemMetrics(SM_CXSCREEN) - entry.width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - entry.height) / 2;
  HWND hwnd = CreateWindowExW(
      entry.exStyle, kTopClass, ToWide(entry.text).c_str(), entry.style, left, top, entry.width,
      entry.height, ownedByToolWindow ? toolWindow_ : nullptr, nullptr, instance_, nullptr);
  if (!hwnd) return 0;
  TopWindow& record = tops_[hwnd];
  record.design = &design;
  controls_[hwnd] = {design.id, entry.id, &entry};
  SendMessageW(hwnd, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  SetWindowIcons(hwnd, record);
  return N(hwnd);
}

void Win32Backend::SetWindowIcons(HWND hwnd, TopWindow& top) {
  // Big and small icons both come from the design's icon file by the tray icon's image
  // choice; a window whose icon cannot be decoded keeps the executable's.
  const std::span<const std::uint8_t> file = top.design->icon;
  const auto make = [this, file](IconSize size) -> UniqueIcon {
    const std::optional<IconImage> image = ChooseIconImage(file, size);
    if (!image) return nullptr;
    return UniqueIcon(
        reinterpret_cast<HICON>(CreateIconImage(image->bytes, image->width, image->height)));
  };
  top.bigIcon = make(IconSize::kLarge);
  top.smallIcon = make(IconSize::kSmall);
  if (top.bigIcon) SendMessageW(hwnd, WM_SETICON, ICON_BIG, LPARAM(top.bigIcon.get()));
  if (top.smallIcon) SendMessageW(hwnd, WM_SETICON, ICON_SMALL, LPARAM(top.smallIcon.get()));
}

Native Win32Backend::CreateControl(const WindowDesign& design, const ControlDesign& control,
                                   Native window, Native parent) {
  if (control.kind == ControlKind::kMenuItem) return kMenuEntry;
  TopWindow& top = tops_.at(H(window));
  const RECT rect{control.left, control.top, control.left + control.width,
                  control.top + control.height};
  HWND hwnd = nullptr;
  if (control.kind == ControlKind::kWebBox) {
    hwnd = CreateWebBox(H(parent), rect, control.text);
  } else {
    const ClassAndStyle kind = ClassFor(control);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style | control.style;
    if (control.tabStop) style |= WS_TABSTOP;
    if (control.disabled) style |= WS_DISABLED;
    const int height =
        control.kind == ControlKind::kComboBox ? kComboCreationHeight : control.height;
    const std::wstring text =
        control.kind == ControlKind::kComboBox ? std::wstring() : ToWide(control.text);
    hwnd = CreateWindowExW(control.exStyle | kind.exStyle, kind.className, text.c_str(), style,
                           control.left, control.top, control.width, height, H(parent),
                           reinterpret_cast<HMENU>(INT_PTR(control.id)), instance_, nullptr);
  }
  if (!hwnd) return 0;
  controls_[hwnd] = {design.id, control.id, &control};

  HFONT font = FontFor(top, control.font);
  SendMessageW(hwnd, WM_SETFONT, WPARAM(font), FALSE);
  switch (control.kind) {
    case ControlKind::kEdit:
      if (control.textLimit > 0) SendMessageW(hwnd, EM_SETLIMITTEXT, control.textLimit, 0);
      break;
    case ControlKind::kComboBox: {
      for (const ComboItem& item : control.items) {
        const LRESULT index =
            SendMessageW(hwnd, CB_ADDSTRING, 0, LPARAM(ToWide(item.text).c_str()));
        SendMessageW(hwnd, CB_SETITEMDATA, WPARAM(index), LPARAM(item.value));
      }
      const LRESULT itemHeight = SendMessageW(hwnd, CB_GETITEMHEIGHT, 0, 0);
      SendMessageW(hwnd, CB_SETITEMHEIGHT, 0, itemHeight + 1);
      SendMessageW(hwnd, CB_SETCURSEL, WPARAM(control.items.empty() ? -1 : control.initial), 0);
      break;
    }
    case ControlKind::kRadioBox:
    case ControlKind::kCheckBox:
      SendMessageW(hwnd, BM_SETCHECK, control.initial ? BST_CHECKED : BST_UNCHECKED, 0);
      if (control.kind == ControlKind::kRadioBox) {
        SetWindowSubclass(hwnd, RadioProc, 0, reinterpret_cast<DWORD_PTR>(this));
      }
      break;
    case ControlKind::kGroupBox:
      // Its controls' notifications go on to the window.
      SetWindowSubclass(hwnd, ForwardingProc, 0, reinterpret_cast<DWORD_PTR>(this));
      break;
    default:
      break;
  }
  // Controls appear with their window: shown now, drawn once the window shows.
  const bool shown = control.visible && control.kind != ControlKind::kTimer;
  if (shown) ShowWindow(hwnd, SW_SHOWNA);
  return N(hwnd);
}

void Win32Backend::StackInOrder(std::span<const Native> topmostFirst) {
  // Each goes beneath those before it; menu entries have no window.
  for (Native handle : topmostFirst) {
    if (handle == kMenuEntry) continue;
    SetWindowPos(H(handle), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

HFONT Win32Backend::FontFor(TopWindow& top, const FontSpec& font) {
  HFONT fallback = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!font.face) return fallback;
  HFONT created = CreateFontW(font.height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              PROOF_QUALITY, DEFAULT_PITCH, ToWide(font.face).c_str());
  if (!created) return fallback;
  top.fonts.emplace_back(created);
  return created;
}

HBRUSH Win32Backend::BrushFor(TopWindow& top, std::uint32_t colour) {
  if (colour & 0x80000000u) return GetSysColorBrush(int(colour & 0xFF));
  UniqueBrush& brush = top.brushes[colour];
  if (!brush) brush.reset(CreateSolidBrush(COLORREF(colour)));
  return brush.get();
}

// ---- destruction -------------------------------------------------------------------------

void Win32Backend::DestroyTopWindow(Native window) {
  DestroyWindow(H(window));
}

void Win32Backend::PostDestroyRequest(Native window) {
  PostMessageW(H(window), kDestroyRequest, 0, 0);
}

// ---- state -------------------------------------------------------------------------------

void Win32Backend::Show(Native handle, bool visible) {
  HWND hwnd = H(handle);
  if (tops_.count(hwnd)) {
    ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
    if (visible) FocusFirst(hwnd);
    return;
  }
  ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32Backend::IsVisible(Native handle) {
  return IsWindowVisible(H(handle));
}
void Win32Backend::Enable(Native handle, bool enabled) {
  EnableWindow(H(handle), enabled);
}
bool Win32Backend::IsEnabled(Native handle) {
  return IsWindowEnabled(H(handle));
}
bool Win32Backend::IsMinimized(Native window) {
  return IsIconic(H(window));
}
void Win32Backend::Restore(Native window) {
  ShowWindow(H(window), SW_RESTORE);
}
void Win32Backend::Activate(Native window) {
  SetForegroundWindow(H(window));
}

Text Win32Backend::GetText(Native handle) {
  HWND hwnd = H(handle);
  std::wstring text(std::size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(std::size_t(GetWindowTextW(hwnd, text.data(), int(text.size()))));
  return FromWide(text);
}

void Win32Backend::SetText(Native handle, const Text& text) {
  SetWindowTextW(H(handle), ToWide(text).c_str());
}

bool Win32Backend::IsChecked(Native handle) {
  return SendMessageW(H(handle), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Backend::SetChecked(Native handle, bool checked) {
  SendMessageW(H(handle), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int Win32Backend::CurrentItem(Native combo) {
  return int(SendMessageW(H(combo), CB_GETCURSEL, 0, 0));
}
int Win32Backend::ItemCount(Native combo) {
  return int(SendMessageW(H(combo), CB_GETCOUNT, 0, 0));
}
std::int32_t Win32Backend::ItemData(Native combo, int index) {
  return std::int32_t(SendMessageW(H(combo), CB_GETITEMDATA, WPARAM(index), 0));
}

// ---- timers ------------------------------------------------------------------------------

void Win32Backend::ArmTimer(Native timer, int delayMs) {
  SetTimer(H(timer), kSystemTimerId, UINT(std::max(delayMs, 1)), nullptr);
}

void Win32Backend::KillTimer(Native timer) {
  ::KillTimer(H(timer), kSystemTimerId);
}

std::int64_t Win32Backend::MonotonicMs() {
  static const LONGLONG countsPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);  // fixed at boot
    return frequency.QuadPart / 1000;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart / countsPerMs;
}

LRESULT CALLBACK Win32Backend::TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message == WM_TIMER && wParam == kSystemTimerId && self) {
    // Each wake is single: the services arm the next one.
    ::KillTimer(hwnd, kSystemTimerId);
    auto control = self->controls_.find(hwnd);
    if (control != self->controls_.end() && self->listener_) {
      self->listener_->OnTimerWake(control->second.window, control->second.control);
    }
    return 0;
  }
  if (message == WM_NCDESTROY && self) self->controls_.erase(hwnd);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// ---- message boxes and loops -------------------------------------------------------------

int Win32Backend::ShowMessageBox(const Text& text, const Text& title, std::uint32_t flags) {
  return MessageBoxW(nullptr, ToWide(text).c_str(), ToWide(title).c_str(), flags);
}

bool Win32Backend::PumpOne(int& quitCode) {
  MSG message;
  if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
    quitCode = int(message.wParam);
    return false;
  }
  if (!HandleKeyboard(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

void Win32Backend::RunNestedLoop(const std::function<bool()>& done) {
  int quitCode = 0;
  while (!done()) {
    if (!PumpOne(quitCode)) {
      PostQuitMessage(quitCode);  // kept for the main loop
      return;
    }
  }
}

int Win32Backend::RunMainLoop() {
  int quitCode = 0;
  while (PumpOne(quitCode)) {
  }
  return quitCode;
}

void Win32Backend::PostQuit(int code) {
  PostQuitMessage(code);
}

// ---- keyboard ----------------------------------------------------------------------------

bool Win32Backend::HandleKeyboard(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSCHAR) return false;
  HWND top = GetAncestor(message.hwnd, GA_ROOT);
  auto record = tops_.find(top);
  if (record == tops_.end()) return false;
  if (message.message == WM_SYSCHAR) return PressMnemonic(top, wchar_t(message.wParam));

  // An open drop-down list keeps its own Enter and Esc.
  HWND focus = GetFocus();
  const bool listOpen = focus && SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0) &&
                        controls_.count(focus) &&
                        controls_[focus].design->kind == ControlKind::kComboBox;
  switch (message.wParam) {
    case VK_TAB:
      MoveFocus(top, GetKeyState(VK_SHIFT) >= 0);
      return true;
    case VK_ESCAPE:
      if (listOpen) return false;
      if (record->second.design->escCloses) SendMessageW(top, WM_CLOSE, 0, 0);
      return true;
    case VK_RETURN:
      return !listOpen;  // no default button: Enter does nothing
    default:
      return false;
  }
}

void Win32Backend::MoveFocus(HWND top, bool forward) {
  std::vector<HWND> order;
  const WindowDesign& design = *tops_.at(top).design;
  for (const ControlDesign* control : TabOrder(design)) {
    for (const auto& [hwnd, info] : controls_) {
      if (info.window == design.id && info.design == control && IsWindowVisible(hwnd) &&
          IsWindowEnabled(hwnd)) {
        order.push_back(hwnd);
      }
    }
  }
  if (order.empty()) return;
  HWND focus = GetFocus();
  // The focus may sit in a part of a control (the edit box of a combo box).
  while (focus && std::find(order.begin(), order.end(), focus) == order.end()) {
    focus = GetParent(focus) == top ? nullptr : GetParent(focus);
  }
  auto at = std::find(order.begin(), order.end(), focus);
  std::size_t index = 0;
  if (at != order.end()) {
    const std::size_t current = std::size_t(at - order.begin());
    index = forward ? (current + 1) % order.size() : (current + order.size() - 1) % order.size();
  } else if (!forward) {
    index = order.size() - 1;
  }
  SetFocus(order[index]);
  if (controls_[order[index]].design->kind == ControlKind::kEdit) {
    SendMessageW(order[index], EM_SETSEL, 0, -1);
  }
}

void Win32Backend::FocusFirst(HWND top) {
  HWND focus = GetFocus();
  // Activation gives the focus to the window itself; a control of it keeps the focus.
  if (focus && focus != top && GetAncestor(focus, GA_ROOT) == top) return;
  MoveFocus(top, true);
}

bool Win32Backend::PressMnemonic(HWND top, wchar_t letter) {
  const wchar_t wanted = wchar_t(std::towlower(wint_t(letter)));
  for (const auto& [hwnd, info] : controls_) {
    if (GetAncestor(hwnd, GA_ROOT) != top || !IsButtonKind(info.design->kind) ||
        !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) {
      continue;
    }
    wchar_t caption[128];
    GetWindowTextW(hwnd, caption, 128);
    for (const wchar_t* c = caption; *c; ++c) {
      if (c[0] == L'&' && c[1] != L'&' && std::towlower(wint_t(c[1])) == wanted) {
        SetFocus(hwnd);
        SendMessageW(hwnd, BM_CLICK, 0, 0);
        return true;
      }
    }
  }
  return false;
}

// ---- window procedures -------------------------------------------------------------------

LRESULT CALLBACK Win32Backend::TopWindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  // Windows destroyed after the services have gone report to no one.
  if (self && self->listener_ && self->tops_.count(hwnd)) {
    return self->HandleTopMessage(hwnd, message, wParam, lParam);
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Win32Backend::HandleTopMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const int windowId = tops_.at(hwnd).design->id;
  switch (message) {
    case WM_CLOSE:
      if (listener_->OnCloseRequest(windowId)) DestroyWindow(hwnd);
      return 0;
    case WM_QUERYENDSESSION:
      DefWindowProcW(hwnd, message, wParam, lParam);
      return listener_->OnQueryEndSession(windowId);
    case kDestroyRequest:
      listener_->OnDestroyRequest(windowId);
      return 0;
    case kTrayCallbackMessage:
      listener_->OnTrayMessage(windowId, std::uint32_t(LOWORD(lParam)));
      return 0;
    case WM_COMMAND:
      OnCommand(hwnd, wParam, lParam);
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColour(hwnd, message, reinterpret_cast<HDC>(wParam),
                             reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        tops_.at(hwnd).lastFocus = GetFocus();
      } else if (HWND last = tops_.at(hwnd).lastFocus; last && IsWindow(last)) {
        SetFocus(last);
        return 0;
      }
      break;
    case WM_DESTROY:
      listener_->OnWindowDestroying(windowId);
      return 0;
    case WM_NCDESTROY: {
      std::erase_if(controls_, [windowId](const auto& c) { return c.second.window == windowId; });
      tops_.erase(hwnd);
      listener_->OnWindowDestroyed(windowId);
      return 0;
    }
    default:
      if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        listener_->OnTaskbarCreated(windowId);
        return 0;
      }
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32Backend::OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  HWND from = reinterpret_cast<HWND>(lParam);
  if (!from) {
    if (HIWORD(wParam) == 0) listener_->OnMenuCommand(tops_.at(hwnd).design->id, LOWORD(wParam));
    return;
  }
  auto control = controls_.find(from);
  if (control == controls_.end()) return;
  const ChildControl& info = control->second;
  switch (HIWORD(wParam)) {
    case EN_CHANGE:
      if (info.design->kind == ControlKind::kEdit)
        listener_->OnEditChanged(info.window, info.control);
      break;
    case BN_CLICKED:
      if (IsButtonKind(info.design->kind)) {
        listener_->OnButtonClicked(info.window, info.control, info.inFocusChange);
      }
      break;
    default:
      break;
  }
}

LRESULT Win32Backend::OnNotify(const NMHDR& header) {
  auto control = controls_.find(header.hwndFrom);
  if (control == controls_.end()) return 0;
  if (header.code == UDN_DELTAPOS && control->second.design->kind == ControlKind::kSpinner) {
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    const std::int32_t argument = ArrowArgument(change.iDelta);
    listener_->OnControlEvent(control->second.window, control->second.control, event::kArrowPressed,
                              std::span(&argument, 1));
  }
  return 0;  // the spinner may always go ahead with its change
}

LRESULT Win32Backend::OnControlColour(HWND hwnd, UINT message, HDC dc, HWND controlHwnd) {
  auto control = controls_.find(controlHwnd);
  if (control != controls_.end()) {
    const ControlDesign& design = *control->second.design;
    TopWindow& top = tops_.at(hwnd);
    if (design.kind == ControlKind::kTransparentLabel) {
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(
          dc, ResolveColour(design.textColour == kDefaultColour ? SystemColour(COLOR_WINDOWTEXT)
                                                                : design.textColour));
      return LRESULT(GetStockObject(NULL_BRUSH));
    }
    if (design.textColour != kDefaultColour || design.backColour != kDefaultColour) {
      const std::uint32_t back =
          design.backColour != kDefaultColour ? design.backColour : SystemColour(COLOR_BTNFACE);
      if (design.textColour != kDefaultColour) SetTextColor(dc, ResolveColour(design.textColour));
      SetBkColor(dc, ResolveColour(back));
      return LRESULT(BrushFor(top, back));
    }
  }
  return DefWindowProcW(hwnd, message, WPARAM(dc), LPARAM(controlHwnd));
}

LRESULT CALLBACK Win32Backend::ForwardingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
    case WM_ERASEBKGND: {
      // A group box paints only its frame; as a real parent its inside must be filled, or
      // the window's WS_CLIPCHILDREN leaves it unpainted.
      RECT inside;
      GetClientRect(hwnd, &inside);
      FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, ForwardingProc, 0);
      if (self) self->controls_.erase(hwnd);
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Win32Backend::RadioProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR) {
  if ((message == WM_SETFOCUS || message == WM_KILLFOCUS) && self) {
    auto control = self->controls_.find(hwnd);
    if (control != self->controls_.end()) {
      // The system checks an automatic radio box that takes the focus, and notifies.
      control->second.inFocusChange = true;
      const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
      if ((control = self->controls_.find(hwnd)) != self->controls_.end()) {
        control->second.inFocusChange = false;
      }
      return result;
    }
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, RadioProc, 0);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

// ---- notification area -------------------------------------------------------------------

Native Win32Backend::CreateIconImage(std::span<const std::uint8_t> image, int width, int height) {
  return reinterpret_cast<Native>(CreateIconFromResourceEx(const_cast<PBYTE>(image.data()),
                                                           DWORD(image.size()), TRUE, 0x00030000,
                                                           width, height, LR_DEFAULTCOLOR));
}

void Win32Backend::DestroyIconImage(Native icon) {
  DestroyIcon(reinterpret_cast<HICON>(icon));
}

bool Win32Backend::NotifyTray(Native window, TrayRequest request, Native icon, const Text& tip) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;  // the shortest form
  data.hWnd = H(window);
  data.uID = kTrayIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = reinterpret_cast<HICON>(icon);
  // At most 62 bytes of the tip, so it always ends in a zero; a character is never split.
  std::size_t length = 0;
  while (length < tip.size()) {
    // 0x80 (the euro sign) and 0xFF stand alone in code page 936.
    const std::size_t width = IsDBCSLeadByteEx(936, BYTE(tip[length])) ? 2 : 1;
    if (length + width > 62 || length + width > tip.size()) break;
    length += width;
  }
  const std::wstring wide = ToWide(std::string_view(tip).substr(0, length));
  std::copy_n(wide.begin(), std::min<std::size_t>(wide.size(), 63), data.szTip);
  const DWORD message = request == TrayRequest::kAdd      ? NIM_ADD
                        : request == TrayRequest::kModify ? NIM_MODIFY
                                                          : NIM_DELETE;
  return shellNotify_(message, &data);
}

void Win32Backend::PopupMenu(Native window, std::span<const PopupMenuEntry> entries) {
  UniqueMenu menu(CreatePopupMenu());
  for (const PopupMenuEntry& entry : entries) {
    if (entry.text.empty()) {
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu.get(), MF_STRING, UINT_PTR(entry.commandId), ToWide(entry.text).c_str());
    }
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  // Foreground first, so the menu closes when the user clicks elsewhere.
  SetForegroundWindow(H(window));
  TrackPopupMenu(menu.get(), TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, cursor.x - 5,
                 cursor.y - 5, 0, H(window), nullptr);
  PostMessageW(H(window), WM_NULL, 0, 0);
}

}  // namespace quorvane
