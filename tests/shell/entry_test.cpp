// Program entry: the start-up failures and their boxes, the notification icon record, the
// normal end through the Exit command, and the real program's window as Windows sees it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/program.h"
#include "tests/support/message_box_watch.h"
#include "tests/support/registry_guard.h"

namespace {

std::wstring program_path;

HINSTANCE Self() {
  return GetModuleHandleW(nullptr);
}

// Start each run from the zeroed record the program starts with.
void ResetClock() {
  clock_state = ClockState{};
}

BOOL WINAPI RefuseIcon(DWORD, PNOTIFYICONDATAW) {
  return FALSE;
}

TEST(ProgramEntry, GdiplusThatDoesNotStartEndsWithCodeOne) {
  ResetClock();
  MessageBoxWatch watch;
  // GDI+ refuses a version it does not know, as a broken installation refuses to start.
  const int code = RunClock(Self(), SW_SHOWNORMAL, {3, RefuseIcon});
  EXPECT_EQ(code, 1);
  ASSERT_EQ(watch.seen().size(), 1u);
  const SeenMessageBox& box = watch.seen()[0];
  EXPECT_EQ(box.text, L"Error loading GDI+ library!");
  EXPECT_EQ(box.title, L"Velomir");
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_TRUE(box.error_icon);
  EXPECT_EQ(clock_state.hwnd, nullptr) << "no clock is made";
}

TEST(ProgramEntry, RefusedIconEndsWithCodeOneAndSavesNothing) {
  ResetClock();
  RegistryKeyGuard settings(HKEY_CURRENT_USER, kSettingsKeyPath);
  RegistryValueGuard run(HKEY_CURRENT_USER, kRunKeyPath, L"Velomir");
  RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKeyPath);
  RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKeyPath);
  MessageBoxWatch watch;
  const int code = RunClock(Self(), SW_SHOWNORMAL, {1, RefuseIcon});
  EXPECT_EQ(code, 1);
  ASSERT_EQ(watch.seen().size(), 1u);
  const SeenMessageBox& box = watch.seen()[0];
  EXPECT_EQ(box.text, L"Shell notify icon is not created!");
  EXPECT_EQ(box.title, L"Velomir");
  EXPECT_TRUE(box.error_icon);
  ASSERT_NE(clock_state.hwnd, nullptr);
  EXPECT_EQ(box.owner, clock_state.hwnd);
  EXPECT_TRUE(IsWindowVisible(clock_state.hwnd)) << "the clock stays, drawn once";
  HKEY key;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS)
      << "no tear-down ran, so nothing was saved";
  DestroyWindow(clock_state.hwnd);  // the guards put back what this tear-down saves
}

// Records what the start-up hands to the notification area, and ends the clock through its
// Exit command as soon as the icon is added.
std::vector<std::pair<DWORD, NOTIFYICONDATAW>> icon_calls;

BOOL WINAPI AcceptIconThenExit(DWORD message, PNOTIFYICONDATAW data) {
  icon_calls.emplace_back(message, *data);
  if (message == NIM_ADD) {
    PostMessageW(data->hWnd, WM_COMMAND, IDM_EXIT, 0);
  }
  return TRUE;
}

TEST(ProgramEntry, ExitCommandEndsWithCodeZeroAndRemovesTheSameIcon) {
  ResetClock();
  RegistryKeyGuard settings(HKEY_CURRENT_USER, kSettingsKeyPath);
  RegistryValueGuard run(HKEY_CURRENT_USER, kRunKeyPath, L"Velomir");
  icon_calls.clear();
  EXPECT_EQ(RunClock(Self(), SW_SHOWNORMAL, {1, AcceptIconThenExit}), 0);
  ASSERT_EQ(icon_calls.size(), 2u);
  EXPECT_EQ(icon_calls[0].first, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(icon_calls[1].first, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(std::memcmp(&icon_calls[0].second, &icon_calls[1].second, sizeof(NOTIFYICONDATAW)), 0)
      << "the very record that added the icon removes it";
  EXPECT_FALSE(IsWindow(icon_calls[0].second.hWnd));
}

TEST(TrayIcon, RecordIsTheVersionThreeLayout) {
  ClockState state{};
  state.hwnd = reinterpret_cast<HWND>(0x1234);
  lstrcpyW(state.caption, L"Velomir");
  app_instance = Self();
  const NOTIFYICONDATAW icon = MakeTrayIconData(state);
  // Up to and including guidItem, without hBalloonIcon: 952 bytes in a 32-bit build, 968 in a
  // 64-bit one, where the pointers and the padding before them are wider.
  EXPECT_EQ(icon.cbSize, FIELD_OFFSET(NOTIFYICONDATAW, guidItem) + sizeof(GUID));
  EXPECT_EQ(icon.cbSize, sizeof(void*) == 4 ? 952u : 968u);
  EXPECT_EQ(icon.hWnd, state.hwnd);
  EXPECT_EQ(icon.uID, 1u);
  EXPECT_EQ(icon.uFlags, 7u);
  EXPECT_EQ(icon.uCallbackMessage, 1025u);
  EXPECT_EQ(icon.hIcon, LoadIconW(Self(), MAKEINTRESOURCEW(IDI_SMALL)));
  EXPECT_NE(icon.hIcon, nullptr);
  EXPECT_STREQ(icon.szTip, L"Velomir");
  EXPECT_EQ(icon.dwState, 0u);
  EXPECT_EQ(icon.szInfo[0], L'\0');
}

TEST(TrayIcon, TipIsCutTo127Units) {
  const struct {
    std::size_t caption_length;
    std::size_t tip_length;
  } rows[] = {{0, 0}, {127, 127}, {128, 127}, {200, 127}, {259, 127}};
  for (const auto& row : rows) {
    ClockState state{};
    std::wstring caption(row.caption_length, L'c');
    lstrcpyW(state.caption, caption.c_str());
    const NOTIFYICONDATAW icon = MakeTrayIconData(state);
    EXPECT_EQ(std::wstring(icon.szTip).size(), row.tip_length) << "caption " << row.caption_length;
  }
}

// The shipped program, started as a user starts it, seen from outside.
class RealProgram : public testing::Test {
 protected:
  void SetUp() override {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + program_path + L"\"";
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process_));
    for (int step = 0; step < 100 && !clock_; ++step) {
      Sleep(100);
      clock_ = FindClockOf(process_.dwProcessId);
    }
    ASSERT_NE(clock_, nullptr) << "the clock window did not appear";
  }

  void TearDown() override {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 99);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  static HWND FindClockOf(DWORD process_id) {
    for (HWND hwnd = FindWindowW(L"VELOMIR", nullptr); hwnd;
         hwnd = FindWindowExW(nullptr, hwnd, L"VELOMIR", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(hwnd, &owner);
      if (owner == process_id && IsWindowVisible(hwnd)) {
        return hwnd;
      }
    }
    return nullptr;
  }

  DWORD WaitForExit() {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0) {
      GetExitCodeProcess(process_.hProcess, &code);
    }
    return code;
  }

  RegistryKeyGuard settings_{HKEY_CURRENT_USER, kSettingsKeyPath};
  RegistryValueGuard run_{HKEY_CURRENT_USER, kRunKeyPath, L"Velomir"};
  PROCESS_INFORMATION process_{};
  HWND clock_ = nullptr;
};

TEST_F(RealProgram, WindowIsALayeredToolPopup) {
  wchar_t text[64] = L"";
  GetWindowTextW(clock_, text, 64);
  EXPECT_STREQ(text, L"Velomir");
  const LONG style = GetWindowLongW(clock_, GWL_STYLE);
  EXPECT_EQ(style & ~(WS_VISIBLE | WS_CLIPSIBLINGS), static_cast<LONG>(WS_POPUP));
  const LONG ex_style = GetWindowLongW(clock_, GWL_EXSTYLE);
  EXPECT_EQ(ex_style & ~WS_EX_TOPMOST, WS_EX_LAYERED | WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetClassLongW(clock_, GCL_STYLE), static_cast<DWORD>(CS_HREDRAW | CS_VREDRAW));
  EXPECT_NE(GetMenu(clock_), nullptr) << "the class menu is the window's menu";
  PostMessageW(clock_, WM_COMMAND, IDM_EXIT, 0);
  EXPECT_EQ(WaitForExit(), 0u);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: entry_test PATH_OF_VELOMIR_EXE\n");
    return 2;
  }
  program_path.assign(argv[1], argv[1] + std::strlen(argv[1]));
  return RUN_ALL_TESTS();
}
