// Reads back from live windows what a user would see, and runs the whole program over the real
// backend for Windows tests of the window designs.
#pragma once

#include <windows.h>

#include <ole2.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "power/power_api.h"
#include "tests/support/program_fixture.h"
#include "ui/win32/gbk.h"
#include "ui/win32/win32_backend.h"

namespace quorvane::test {

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The window text as the program's GBK text.
inline Text TextOf(HWND window) {
  std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
  return FromWide(text);
}

struct ThreadWindowSearch {
  const wchar_t* className;
  HWND found;
};

inline BOOL CALLBACK MatchThreadWindow(HWND hwnd, LPARAM data) {
  auto& search = *reinterpret_cast<ThreadWindowSearch*>(data);
  if (ClassOf(hwnd) != search.className || !IsWindowVisible(hwnd)) return TRUE;
  search.found = hwnd;
  return FALSE;
}

// The visible top-level window of this thread with the given class (the message box's
// "#32770", the popup menu's "#32768"), or nullptr.
inline HWND VisibleThreadWindow(const wchar_t* className) {
  ThreadWindowSearch search{className, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchThreadWindow, LPARAM(&search));
  return search.found;
}

inline RECT RectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

inline void ExpectRectInParent(HWND window, const RECT& expected) {
  const RECT rect = RectInParent(window);
  EXPECT_EQ(rect.left, expected.left);
  EXPECT_EQ(rect.top, expected.top);
  EXPECT_EQ(rect.right, expected.right);
  EXPECT_EQ(rect.bottom, expected.bottom);
}

inline DWORD StyleOf(HWND window) {
  return DWORD(GetWindowLongPtrW(window, GWL_STYLE));
}
inline DWORD ExStyleOf(HWND window) {
  return DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

// A top-level window of the given outer size, centred on the screen, with a fixed frame and
// a close box only.
inline void ExpectFixedCentredWindow(HWND window, int width, int height) {
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, width);
  EXPECT_EQ(outer.bottom - outer.top, height);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  const DWORD style = StyleOf(window);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN),
            DWORD(WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN));
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP | WS_CHILD), 0u);
  EXPECT_EQ(ExStyleOf(window) & WS_EX_TOPMOST, 0u);
}

inline HFONT FontHandleOf(HWND window) {
  return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
}
inline bool UsesDefaultGuiFont(HWND window) {
  return FontHandleOf(window) == static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
inline LOGFONTW FontOf(HWND window) {
  LOGFONTW font{};
  GetObjectW(FontHandleOf(window), sizeof font, &font);
  return font;
}

// What the control's parent chooses for drawing it: the answer to the colour message the
// control sends (WM_CTLCOLOREDIT for an enabled edit box, WM_CTLCOLORSTATIC for labels).
struct Colours {
  COLORREF text;
  COLORREF back;
  int backMode;
};
inline Colours ColoursOf(HWND control, UINT message) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkColor(dc, RGB(4, 5, 6));
  SendMessageW(GetParent(control), message, WPARAM(dc), LPARAM(control));
  const Colours colours{GetTextColor(dc), GetBkColor(dc), GetBkMode(dc)};
  DeleteDC(dc);
  return colours;
}

// The child windows of parent, topmost first.
inline std::vector<HWND> ChildrenTopmostFirst(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

// The size of an icon's colour image.
inline SIZE IconSizeOf(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {0, 0};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return {bitmap.bmWidth, bitmap.bmHeight};
}

// Dispatches the queued messages through the backend's loop, with its keyboard handling,
// until none is left.
inline void DispatchQueued(Win32Backend& backend) {
  backend.RunNestedLoop([] {
    MSG message;
    return !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
  });
}

// A key as the user presses it on the focused window, through the backend's keyboard handling.
inline void PressKey(Win32Backend& backend, WPARAM key) {
  PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
  DispatchQueued(backend);
}

// The web boxes' browser control needs OLE on the thread, as the start routine provides.
struct OleSession {
  OleSession() { OleInitialize(nullptr); }
  ~OleSession() { OleUninitialize(); }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
};

// The whole program over the real backend: a clock the test sets, no control skin, and a
// power table that only records (see PowerCalls()).
struct Win32Program {
  HWND Hwnd(ControlRef ref) const { return reinterpret_cast<HWND>(program.services.NativeOf(ref)); }

  LocalTime now = {2012, 12, 28, 20, 0, 0};
  Win32Backend backend{GetModuleHandleW(nullptr)};
  Program program{{backend, [](const std::string& m) { ADD_FAILURE() << "fatal: " << m; },
                   [this] { return now; }, RecordingPowerApi(), [](int) { return 1; }}};
};

// The program with OLE on the thread, as the start routine runs it.
class Win32ProgramTest : public ::testing::Test {
 protected:
  HWND Hwnd(ControlRef ref) const { return app.Hwnd(ref); }

  OleSession ole;
  Win32Program app;
};

}  // namespace quorvane::test
