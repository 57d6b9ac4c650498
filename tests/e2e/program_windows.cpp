#include "tests/e2e/program_windows.h"

#include "forms/main_window_ids.h"

namespace quorvane::e2e {

namespace {

// The class that the program registers for its top-level windows.
constexpr wchar_t kProgramWindowClass[] = L"QuorvaneWindow";
// The system's classes of dialog boxes (message boxes) and popup menus.
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kMenuClass[] = L"#32768";
// A window that does not answer within this time counts as hung.
constexpr UINT kAnswerMs = 3000;

struct NamedWindow {
  std::string_view name;
  const wchar_t* className;
  const wchar_t* title;  // null: any title
};

constexpr NamedWindow kWindows[] = {
    {"main", kProgramWindowClass, L"Quorvane v3.0"},
    {"about", kProgramWindowClass, L"关于本软件和作者"},
    {"notice", kDialogClass, L"信息："},
    {"warning", kDialogClass, L"警告"},
    {"menu", kMenuClass, nullptr},
    // Wine shows the icons of the notification area in a window of its own when the display
    // has no tray; it is shown while it holds an icon.
    {"notification-area", nullptr, L"Wine System Tray"},
};

struct NamedControl {
  std::string_view role;
  int id;
};

using namespace main_window;
constexpr NamedControl kControls[] = {
    {"action-box", kActionBox},       {"count-field", kCountField},
    {"count-spinner", kCountSpinner}, {"unit-box", kUnitBox},
    {"hour-field", kHourField},       {"hour-spinner", kHourSpinner},
    {"minute-field", kMinuteField},   {"minute-spinner", kMinuteSpinner},
    {"half-day-box", kHalfDayBox},    {"relative-radio", kRelativeRadio},
    {"clock-radio", kClockRadio},     {"flash-option", kFlashOption},
    {"status-box", kStatusBox},       {"clock-field", kClockField},
    {"start-button", kStartButton},   {"about-button", kAboutButton},
};

template <typename Entry, std::size_t kSize>
const Entry* Lookup(const Entry (&table)[kSize], std::string_view Entry::*key,
                    std::string_view name) {
  for (const Entry& entry : table) {
    if (entry.*key == name) return &entry;
  }
  return nullptr;
}

}  // namespace

bool IsProgramWindowName(std::string_view name) {
  return Lookup(kWindows, &NamedWindow::name, name) != nullptr;
}

HWND FindProgramWindow(std::string_view name) {
  const NamedWindow* window = Lookup(kWindows, &NamedWindow::name, name);
  if (!window) return nullptr;
  // A popup menu window may exist hidden between two menus; the one shown is the one wanted.
  HWND found = nullptr;
  while ((found = FindWindowExW(nullptr, found, window->className, window->title))) {
    if (window->title || IsWindowVisible(found)) return found;
  }
  return nullptr;
}

bool IsMainControlName(std::string_view role) {
  return Lookup(kControls, &NamedControl::role, role) != nullptr;
}

HWND FindMainControl(std::string_view role) {
  const NamedControl* control = Lookup(kControls, &NamedControl::role, role);
  HWND main = FindProgramWindow("main");
  if (!control || !main) return nullptr;
  // The controls of the configuration group are the group box's children.
  if (HWND direct = GetDlgItem(main, control->id)) return direct;
  HWND group = GetDlgItem(main, kConfigGroup);
  return group ? GetDlgItem(group, control->id) : nullptr;
}

std::wstring ReadText(HWND window) {
  wchar_t buffer[1024] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, std::size(buffer), LPARAM(buffer), SMTO_ABORTIFHUNG,
                           kAnswerMs, &copied)) {
    return {};
  }
  return std::wstring(buffer, copied);
}

std::wstring MessageBoxText(HWND box) {
  std::wstring text;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, int(std::size(className)));
    if (lstrcmpiW(className, L"Static") != 0) continue;
    const std::wstring part = ReadText(child);
    if (part.empty()) continue;
    if (!text.empty()) text += L"\r\n";
    text += part;
  }
  return text;
}

}  // namespace quorvane::e2e
