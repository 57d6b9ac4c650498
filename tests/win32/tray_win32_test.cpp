// The tray behaviour over the real backend: the records sent to the shell, the popup menu,
// the session-end answer, and the exit code of the program itself after its exit item.
#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/program.h"
#include "forms/main_window_ids.h"
#include "resources/icons.h"
#include "tests/support/program_fixture.h"
#include "tests/support/win32_pump.h"
#include "tests/support/win32_window_probe.h"
#include "ui/win32/gbk.h"
#include "ui/win32/win32_backend.h"

namespace quorvane {
namespace {

using namespace main_window;

constexpr UINT kTrayCallback = 0x8064;
constexpr WPARAM kExitCommand = 20001;
constexpr DWORD kWaitMs = 10000;

// What the shell was asked, and whether the window was on screen at that moment.
struct NotifyRecord {
  DWORD message;
  DWORD size;
  HWND window;
  UINT id;
  UINT flags;
  UINT callback;
  HICON icon;
  std::wstring tip;
  bool windowVisible;
};

std::wstring WindowText(HWND hwnd) {
  wchar_t text[512] = {};
  GetWindowTextW(hwnd, text, 512);
  return text;
}

// The notice: presses OK on this thread's message box as soon as it is up, keeping its title
// and text. Runs as a thread timer, which the box's own loop dispatches.
struct Notices {
  int count = 0;
  std::wstring title;
  std::wstring text;
} notices;

BOOL CALLBACK KeepLongestStaticText(HWND child, LPARAM longest) {
  wchar_t className[16] = {};
  GetClassNameW(child, className, 16);
  auto& text = *reinterpret_cast<std::wstring*>(longest);
  if (lstrcmpiW(className, L"Static") == 0 && WindowText(child).size() > text.size()) {
    text = WindowText(child);
  }
  return TRUE;
}

void CALLBACK PressOkOnNotice(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = test::VisibleThreadWindow(L"#32770");
  if (!box) return;
  ++notices.count;
  notices.title = WindowText(box);
  notices.text.clear();
  EnumChildWindows(box, KeepLongestStaticText, LPARAM(&notices.text));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// The popup menu as it is on screen, read from inside its own loop, then dismissed.
struct PopupSeen {
  bool seen = false;
  HMENU menu = nullptr;
  RECT rect = {};
  HWND foreground = nullptr;
  std::vector<std::pair<UINT, std::wstring>> items;  // (id, text); a separator is (0, "")
} popup;

void CALLBACK ReadAndDismissMenu(HWND, UINT, UINT_PTR, DWORD) {
  HWND window = test::VisibleThreadWindow(L"#32768");
  if (!window || popup.seen) return;
  popup.seen = true;
  popup.menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
  GetWindowRect(window, &popup.rect);
  popup.foreground = GetForegroundWindow();
  for (int i = 0; i < GetMenuItemCount(popup.menu); ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(popup.menu, UINT(i), text, 64, MF_BYPOSITION);
    popup.items.emplace_back(GetMenuItemID(popup.menu, i), text);
  }
  EndMenu();
}

// The whole program in this process over the real backend, with the shell call spied on.
class TrayWin32Test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { OleInitialize(nullptr); }
  static void TearDownTestSuite() { OleUninitialize(); }

  TrayWin32Test()
      : backend(GetModuleHandleW(nullptr)),
        program({backend, [](const std::string& m) { throw test::FatalReported(m); },
                 [] { return LocalTime{2024, 5, 17, 12, 0, 0}; }, test::RecordingPowerApi(),
                 [](int) { return 1; }}) {}

  void SetUp() override {
    notices = {};
    popup = {};
    test::PowerCalls().clear();
    backend.SetShellNotify([this](DWORD message, NOTIFYICONDATAW* data) {
      records.push_back({message, data->cbSize, data->hWnd, data->uID, data->uFlags,
                         data->uCallbackMessage, data->hIcon, data->szTip,
                         bool(IsWindowVisible(data->hWnd))});
      return !(failModify && message == NIM_MODIFY);
    });
    ASSERT_TRUE(program.LoadStartWindow());
    main = reinterpret_cast<HWND>(program.services.NativeOf(Ref(kWindow)));
    noticeTimer = SetTimer(nullptr, 0, 50, PressOkOnNotice);
  }
  void TearDown() override { KillTimer(nullptr, noticeTimer); }

  // A close request as the close box sends it; true once the window is hidden.
  bool CloseToTray() {
    PostMessageW(main, WM_CLOSE, 0, 0);
    return test::PumpUntil([&] { return !IsWindowVisible(main); }, kWaitMs);
  }
  std::vector<DWORD> Messages() const {
    std::vector<DWORD> messages;
    for (const NotifyRecord& record : records) messages.push_back(record.message);
    return messages;
  }

  Win32Backend backend;
  Program program;
  HWND main = nullptr;
  UINT_PTR noticeTimer = 0;
  std::vector<NotifyRecord> records;
  bool failModify = false;
};

TEST_F(TrayWin32Test, CloseShowsTheNoticeAddsTheIconWhileStillShownThenHides) {
  ASSERT_TRUE(IsWindowVisible(main));
  ASSERT_TRUE(CloseToTray());
  EXPECT_TRUE(IsWindow(main));  // refused: hidden, not destroyed
  EXPECT_EQ(notices.count, 1);
  EXPECT_EQ(FromWide(notices.title), "信息：");
  EXPECT_EQ(FromWide(notices.text), "程序将会缩小到托盘\r\n要退出请在托盘图标处右键选择");

  ASSERT_EQ(records.size(), 1u);
  const NotifyRecord& add = records[0];
  EXPECT_EQ(add.message, DWORD(NIM_ADD));
  EXPECT_EQ(add.size, DWORD(NOTIFYICONDATAW_V1_SIZE));
  EXPECT_EQ(add.window, main);
  EXPECT_EQ(add.id, 100u);
  EXPECT_EQ(add.flags, 7u);
  EXPECT_EQ(add.callback, kTrayCallback);
  EXPECT_NE(add.icon, nullptr);
  EXPECT_EQ(add.tip, L"Quorvane");
  EXPECT_TRUE(add.windowVisible);  // the icon is up before the window goes
}

TEST_F(TrayWin32Test, DoubleClickRestoresAndTheNextCloseModifiesThenExitDeletes) {
  ASSERT_TRUE(CloseToTray());
  PostMessageW(main, kTrayCallback, 100, WM_LBUTTONUP);
  PostMessageW(main, kTrayCallback, 100, WM_LBUTTONDBLCLK);
  ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(main) != FALSE; }, kWaitMs));
  ASSERT_TRUE(CloseToTray());
  EXPECT_EQ(notices.count, 2);
  ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));
  EXPECT_EQ(records[1].id, 100u);
  EXPECT_NE(records[1].icon, records[0].icon);  // a new image of the same picture

  PostMessageW(main, WM_COMMAND, kExitCommand, 0);
  ASSERT_TRUE(test::PumpUntil([&] { return !IsWindow(main); }, kWaitMs));
  ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_DELETE}));
  EXPECT_EQ(records[2].window, main);
  EXPECT_EQ(records[2].id, 100u);
  EXPECT_EQ(notices.count, 2);  // no notice on the way out
  EXPECT_FALSE(program.services.IsLoaded(kMainWindow));
  EXPECT_TRUE(test::PowerCalls().empty());
}

TEST_F(TrayWin32Test, ShellRestartAddsTheIconAgain) {
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  SendMessageW(main, taskbarCreated, 0, 0);
  EXPECT_TRUE(records.empty());  // nothing to put back yet
  ASSERT_TRUE(CloseToTray());
  SendMessageW(main, taskbarCreated, 0, 0);
  ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_ADD}));
  EXPECT_EQ(records[1].icon, records[0].icon);
  EXPECT_EQ(records[1].tip, L"Quorvane");
}

TEST_F(TrayWin32Test, FailedModifyIsFollowedByAnAdd) {
  ASSERT_TRUE(CloseToTray());
  program.services.WriteProperty(Ref(kWindow), property::kVisible, true);
  failModify = true;
  ASSERT_TRUE(CloseToTray());
  EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_ADD}));
}

TEST_F(TrayWin32Test, SessionEndIsRefusedWithTheWindowHidden) {
  EXPECT_EQ(SendMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
  EXPECT_FALSE(IsWindowVisible(main));
  EXPECT_TRUE(IsWindow(main));
  EXPECT_EQ(notices.count, 1);
  EXPECT_EQ(Messages(), std::vector<DWORD>{NIM_ADD});
}

TEST_F(TrayWin32Test, TipIsCutToSixtyTwoBytesWithoutSplittingACharacter) {
  struct Case {
    Text tip;
    std::size_t expectedBytes;
  };
  Text padlocks;
  for (int i = 0; i < 40; ++i) padlocks += "锁";
  const Case cases[] = {
      {std::string(70, 'a'), 62},
      {std::string(62, 'b'), 62},
      {std::string(61, 'c') + "钟", 61},  // the 63rd byte would split the character
      {padlocks, 62},
      {std::string(60, 'd') + "\x80" + "钟", 61},  // the euro sign stands alone
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tip.size());
    records.clear();
    program.services.SetTrayIcon(Ref(kWindow), TrayIconFile(), c.tip);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(FromWide(records[0].tip), c.tip.substr(0, c.expectedBytes));
  }
}

TEST_F(TrayWin32Test, RightClickPopsUpTheMenuAtTheCursorWithItsIds) {
  ASSERT_TRUE(CloseToTray());
  SetCursorPos(400, 300);
  POINT cursor{};
  GetCursorPos(&cursor);
  const UINT_PTR menuTimer = SetTimer(nullptr, 0, 50, ReadAndDismissMenu);
  SendMessageW(main, kTrayCallback, 100, WM_RBUTTONUP);
  KillTimer(nullptr, menuTimer);

  ASSERT_TRUE(popup.seen);
  using Item = std::pair<UINT, std::wstring>;
  ASSERT_EQ(popup.items.size(), 3u);
  EXPECT_EQ(popup.items[0], (Item{20001, ToWide("退出(&X)")}));
  EXPECT_EQ(popup.items[1], (Item{0, L""}));
  EXPECT_EQ(popup.items[2], (Item{20003, ToWide("关于(&A)")}));
  // The window asked for the foreground; only another process's window may keep it then.
  DWORD foregroundProcess = 0;
  GetWindowThreadProcessId(popup.foreground, &foregroundProcess);
  EXPECT_TRUE(popup.foreground == main ||
              (popup.foreground && foregroundProcess != GetCurrentProcessId()));
  EXPECT_EQ(popup.rect.right, cursor.x - 5);
  EXPECT_EQ(popup.rect.top, cursor.y - 5);
  EXPECT_FALSE(IsMenu(popup.menu));  // destroyed once the menu has closed
  // Dismissed: nothing chosen, the window stays hidden and loaded.
  test::PumpFor(200);
  EXPECT_TRUE(IsWindow(main));
  EXPECT_FALSE(IsWindowVisible(main));
}

// Steps run from a timer inside the about window's modal wait: the tray menu pops up over the
// disabled main window, the exit item takes the main window at once, then the about window
// is closed.
struct AboutScript {
  WindowServices* services = nullptr;
  HWND main = nullptr;
  int step = 0;
  int ticks = 0;
  bool mainDisabled = false;
  bool aboutOutlivedMain = false;
} aboutScript;

void CALLBACK RunAboutScript(HWND, UINT, UINT_PTR, DWORD) {
  AboutScript& s = aboutScript;
  HWND about = reinterpret_cast<HWND>(s.services->NativeOf({kAboutWindow, 0}));
  if (!about) return;
  if (++s.ticks > 200) {  // a step that never comes to pass: end the wait, the test fails
    PostMessageW(about, WM_CLOSE, 0, 0);
    return;
  }
  switch (s.step) {
    case 0:
      s.mainDisabled = !IsWindowEnabled(s.main);
      PostMessageW(s.main, kTrayCallback, 100, WM_RBUTTONUP);
      s.step = 1;
      break;
    case 1:
      if (!popup.seen) break;
      PostMessageW(s.main, WM_COMMAND, kExitCommand, 0);
      s.step = 2;
      break;
    case 2:
      if (IsWindow(s.main)) break;
      s.aboutOutlivedMain = IsWindowVisible(about) != FALSE;
      PostMessageW(about, WM_CLOSE, 0, 0);
      s.step = 3;
      break;
  }
}

TEST_F(TrayWin32Test, ExitWhileTheAboutWindowIsOpenTakesTheMainWindowAtOnce) {
  ASSERT_TRUE(CloseToTray());
  aboutScript = {&program.services, main};
  const UINT_PTR scriptTimer = SetTimer(nullptr, 0, 50, RunAboutScript);
  const UINT_PTR menuTimer = SetTimer(nullptr, 0, 50, ReadAndDismissMenu);
  SendMessageW(main, WM_COMMAND, 20003, 0);  // the about item: returns when it is closed
  KillTimer(nullptr, menuTimer);
  KillTimer(nullptr, scriptTimer);

  EXPECT_TRUE(aboutScript.mainDisabled);
  EXPECT_EQ(popup.items.size(), 3u);
  EXPECT_EQ(aboutScript.step, 3);
  EXPECT_TRUE(aboutScript.aboutOutlivedMain);
  EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));
  EXPECT_FALSE(program.services.IsLoaded(kMainWindow));
  EXPECT_FALSE(program.services.IsLoaded(kAboutWindow));
}

// ---- the program itself, as a separate process -----------------------------------------

// The suites run in build/<config>/tests; the executable is built in build/<config>/app.
constexpr wchar_t kExecutable[] = L"..\\app\\quorvane.exe";

struct WindowSearch {
  DWORD process;
  const wchar_t* className;
  HWND found = nullptr;
};

BOOL CALLBACK FindProcessWindow(HWND hwnd, LPARAM search) {
  auto& s = *reinterpret_cast<WindowSearch*>(search);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t className[32] = {};
  GetClassNameW(hwnd, className, 32);
  if (process != s.process || lstrcmpW(className, s.className) != 0) return TRUE;
  if (!IsWindowVisible(hwnd) && lstrcmpW(s.className, L"QuorvaneWindow") != 0) return TRUE;
  s.found = hwnd;
  return FALSE;
}

// Polls another process's state: this thread has no windows of its own to pump for.
bool WaitFor(const std::function<bool()>& done) {
  for (DWORD waited = 0; !done(); waited += 50) {
    if (waited >= kWaitMs) return false;
    Sleep(50);
  }
  return true;
}

HWND WaitForWindow(DWORD process, const wchar_t* className) {
  WindowSearch search{process, className};
  WaitFor([&] {
    EnumWindows(FindProcessWindow, LPARAM(&search));
    return search.found != nullptr;
  });
  return search.found;
}

// The program run as a child process; ended by force if a test leaves it running.
struct ChildProcess {
  PROCESS_INFORMATION info{};
  ~ChildProcess() {
    if (!info.hProcess) return;
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 99);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
};

TEST(TrayProgramTest, ExitItemEndsTheProcessWithZero) {
  if (GetFileAttributesW(kExecutable) == INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "quorvane.exe has not been built beside the tests";
  }
  std::wstring command = std::wstring(L"\"") + kExecutable + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ChildProcess child;
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &child.info));
  const PROCESS_INFORMATION& process = child.info;

  HWND main = WaitForWindow(process.dwProcessId, L"QuorvaneWindow");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(FromWide(WindowText(main)), "Quorvane v3.0");
  WaitFor([&] { return IsWindowVisible(main) != FALSE; });

  // A close request shows the notice; its OK hides the window, which stays.
  const auto closeToTray = [&](UINT message, WPARAM wParam) {
    PostMessageW(main, message, wParam, 0);
    HWND notice = WaitForWindow(process.dwProcessId, L"#32770");
    EXPECT_NE(notice, nullptr);
    if (notice) PostMessageW(notice, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }));
    EXPECT_TRUE(IsWindow(main));
  };
  closeToTray(WM_KEYDOWN, VK_ESCAPE);
  PostMessageW(main, kTrayCallback, 100, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));
  closeToTray(WM_CLOSE, 0);

  // The right-click's menu, dismissed with Esc; then its exit item's command.
  PostMessageW(main, kTrayCallback, 100, WM_RBUTTONUP);
  HWND menu = WaitForWindow(process.dwProcessId, L"#32768");
  EXPECT_NE(menu, nullptr);
  if (menu) {
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));
  }
  EXPECT_NE(WaitForSingleObject(process.hProcess, 500), WAIT_OBJECT_0);  // Esc chose nothing
  PostMessageW(main, WM_COMMAND, kExitCommand, 0);

  ASSERT_EQ(WaitForSingleObject(process.hProcess, kWaitMs), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace quorvane
