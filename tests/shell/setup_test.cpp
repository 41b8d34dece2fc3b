// The clock's set-up and tear-down on real windows: what a new clock reads and where it stands,
// what an ending clock saves, and what a clock that could not start leaves alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource_ids.h"
#include "settings/settings_store.h"
#include "shell/clock_state.h"
#include "shell/program_folder.h"
#include "tests/shell/clock_fixture.h"
#include "tests/support/message_box_watch.h"

namespace {

// Puts the system's mouse-button arrangement back as it was, whatever the test did to it.
class MouseButtonsGuard {
 public:
  MouseButtonsGuard() : swapped_(GetSystemMetrics(SM_SWAPBUTTON) != 0) {}
  ~MouseButtonsGuard() {
    SwapMouseButton(swapped_);
  }
  MouseButtonsGuard(const MouseButtonsGuard&) = delete;
  MouseButtonsGuard& operator=(const MouseButtonsGuard&) = delete;

 private:
  BOOL swapped_;
};

// Takes the picture module out of the system folder, and puts it back when it goes.
class PictureModuleAway {
 public:
  PictureModuleAway() {
    wchar_t folder[MAX_PATH] = L"";
    GetSystemDirectoryW(folder, MAX_PATH);
    path_ = std::wstring(folder) + L"\\timedate.cpl";
    away_ = path_ + L".away";
    moved_ = MoveFileW(path_.c_str(), away_.c_str()) != FALSE;
  }
  ~PictureModuleAway() {
    if (moved_) {
      MoveFileExW(away_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
  }
  PictureModuleAway(const PictureModuleAway&) = delete;
  PictureModuleAway& operator=(const PictureModuleAway&) = delete;

  bool moved() const {
    return moved_;
  }

 private:
  std::wstring path_;
  std::wstring away_;
  bool moved_;
};

bool IsTopmost(HWND hwnd) {
  return (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

const wchar_t kSomeCommand[] = L"\"C:\\elsewhere\\velomir.exe\"";

using ClockSetup = ClockTest;

TEST_F(ClockSetup, FirstRunTakesTheDefaultsAndTheCornerWithoutReadingTheRunKey) {
  ForgetSettings();
  // Not a string: had the set-up read it, autorun would be off.
  const DWORD not_a_string = 1;
  WriteRunValue(REG_DWORD, &not_a_string, sizeof not_a_string);

  const HWND hwnd = OpenClock();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(clock_state.scale, 1);
  EXPECT_EQ(clock_state.topmost, 1);
  EXPECT_EQ(clock_state.show_second_hand, 1);
  EXPECT_EQ(clock_state.autorun, 1) << "the Run key is read only once settings were stored";
  EXPECT_EQ(WindowRect(hwnd), DefaultCorner(kFaceSides[1]));
  EXPECT_TRUE(IsTopmost(hwnd));
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_TRUE(BackBufferHoldsAFrame(clock_state)) << "the first frame";
  EXPECT_TRUE(KillTimer(hwnd, CLOCK_TIMER_ID)) << "the clock's timer runs";
  EXPECT_EQ(GetMenuItemID(clock_state.popup_menu, 0), static_cast<UINT>(IDM_DEFAULT_PLACEMENT))
      << "the popup menu is the program's own";
}

TEST_F(ClockSetup, EmptySettingsKeyPlacesAtTheOriginAndReadsTheRunKey) {
  KeepEmptySettings();
  DeleteRunValue();

  const HWND hwnd = OpenClock();
  ASSERT_NE(hwnd, nullptr);
  const LONG side = kFaceSides[1];
  EXPECT_EQ(WindowRect(hwnd), (RECT{0, 0, side, side}));
  EXPECT_EQ(clock_state.autorun, 0) << "no Run value: autorun is off";
  EXPECT_EQ(clock_state.scale, 1);
  EXPECT_EQ(clock_state.topmost, 1);
  EXPECT_EQ(clock_state.show_second_hand, 1);
  EXPECT_TRUE(IsTopmost(hwnd));
}

TEST_F(ClockSetup, StoredSettingsPlaceSizeAndLayerTheClock) {
  const struct {
    const char* name;
    LONG x;
    LONG y;
    DWORD scale;
    DWORD topmost;
    DWORD show_second_hand;
    bool run_value;
    LONG side;
  } rows[] = {
      {"left of and above the screen, largest, not on top", -40, -25, 3, 0, 0, true, 255},
      {"on the screen, smallest, on top", 300, 200, 0, 1, 1, false, 128},
      {"past the bottom right, 80%, on top", 1000, 700, 2, 1, 0, true, 204},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    KeepEmptySettings();
    WriteSetting(L"x_win", static_cast<DWORD>(row.x));
    WriteSetting(L"y_win", static_cast<DWORD>(row.y));
    WriteSetting(L"scale", row.scale);
    WriteSetting(L"topmost", row.topmost);
    WriteSetting(L"show.second_hand", row.show_second_hand);
    DeleteRunValue();
    if (row.run_value) {
      WriteRunValue(REG_SZ, kSomeCommand, sizeof kSomeCommand);
    }

    const HWND hwnd = OpenClock();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowRect(hwnd), (RECT{row.x, row.y, row.x + row.side, row.y + row.side}));
    EXPECT_EQ(clock_state.scale, static_cast<int>(row.scale));
    EXPECT_EQ(clock_state.topmost, static_cast<int>(row.topmost));
    EXPECT_EQ(IsTopmost(hwnd), row.topmost != 0);
    EXPECT_EQ(clock_state.show_second_hand, static_cast<int>(row.show_second_hand));
    EXPECT_EQ(clock_state.autorun, row.run_value ? 1 : 0);
    EXPECT_TRUE(BackBufferHoldsAFrame(clock_state));
    CloseClock();
  }
}

TEST_F(ClockSetup, ButtonArrangementIsReadAndLeftAsTheUserHasIt) {
  MouseButtonsGuard buttons;
  const struct {
    BOOL swap;
    int buttons_swapped;
  } rows[] = {{FALSE, 0}, {TRUE, 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.swap ? "swapped" : "not swapped");
    ForgetSettings();
    SwapMouseButton(row.swap);
    ASSERT_EQ(GetSystemMetrics(SM_SWAPBUTTON) != 0, row.swap != FALSE);
    ASSERT_NE(OpenClock(), nullptr);
    EXPECT_EQ(clock_state.buttons_swapped, row.buttons_swapped);
    EXPECT_EQ(GetSystemMetrics(SM_SWAPBUTTON) != 0, row.swap != FALSE)
        << "the system's buttons are as the user set them";
    CloseClock();
  }
}

TEST_F(ClockSetup, PicturesThatCannotLoadEndTheClockAndSaveNothing) {
  KeepEmptySettings();
  WriteSetting(L"x_win", 123);
  WriteSetting(L"y_win", 45);
  DeleteRunValue();
  PictureModuleAway away;
  ASSERT_TRUE(away.moved()) << "the picture module could not be taken away";

  MessageBoxWatch watch;
  EXPECT_EQ(OpenClock(), nullptr);
  ASSERT_EQ(watch.seen().size(), 1u);
  EXPECT_EQ(watch.seen()[0].text, L"Error load image files.");
  EXPECT_EQ(watch.seen()[0].title, L"Velomir");
  EXPECT_TRUE(watch.seen()[0].error_icon);
  EXPECT_FALSE(IsWindow(clock_state.hwnd));
  EXPECT_EQ(clock_state.running, 0);
  EXPECT_EQ(clock_state.back_dc, nullptr) << "the tear-down inside the set-up released it";

  EXPECT_EQ(ReadSetting(L"x_win").data, 123u) << "the stored position stays";
  EXPECT_EQ(ReadSetting(L"y_win").data, 45u);
  EXPECT_FALSE(ReadSetting(L"scale").present) << "no options were saved";
  EXPECT_FALSE(ReadRunValue().present) << "autorun was not turned on";
}

using ClockTeardown = ClockTest;

TEST_F(ClockTeardown, DestroySavesPositionOptionsAndAutorun) {
  const struct {
    const char* name;
    LONG x;
    LONG y;
    int scale;
    int show_second_hand;
    int topmost;
    int autorun;
    bool run_value_before;
  } rows[] = {
      {"left of and above the screen, autorun on", -40, -25, 2, 0, 0, 1, false},
      {"on the screen, autorun off", 500, 300, 0, 1, 1, 0, true},
      {"autorun on over an old Run value", 10, 20, 3, 1, 0, 1, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ForgetSettings();
    DeleteRunValue();
    if (row.run_value_before) {
      WriteRunValue(REG_SZ, kSomeCommand, sizeof kSomeCommand);
    }
    const HWND hwnd = OpenClock();
    ASSERT_NE(hwnd, nullptr);
    // As a drag and the Options dialog leave them.
    MoveWindowTo(hwnd, row.x, row.y);
    clock_state.scale = row.scale;
    clock_state.show_second_hand = row.show_second_hand;
    clock_state.topmost = row.topmost;
    clock_state.autorun = row.autorun;
    const RECT rect = WindowRect(hwnd);
    ASSERT_EQ(rect.left, row.x);

    DestroyWindow(hwnd);
    EXPECT_TRUE(TakeQuitRequest());
    const struct {
      const wchar_t* name;
      LONG value;
    } saved[] = {{L"x_win", rect.left},
                 {L"y_win", rect.top},
                 {L"scale", row.scale},
                 {L"show.second_hand", row.show_second_hand},
                 {L"topmost", row.topmost}};
    for (const auto& value : saved) {
      const StoredValue stored = ReadSetting(value.name);
      EXPECT_TRUE(stored.present && stored.type == REG_DWORD && stored.size == 4)
          << testing::PrintToString(value.name);
      EXPECT_EQ(static_cast<LONG>(stored.data), value.value) << testing::PrintToString(value.name);
    }
    const StoredValue run = ReadRunValue();
    EXPECT_EQ(run.present, row.autorun != 0);
    if (row.autorun) {
      EXPECT_EQ(run.type, static_cast<DWORD>(REG_SZ));
      EXPECT_EQ(run.text, AutorunCommand(GetCommandLineW(), ProgramPath()))
          << "the present command line replaces the old one";
    }
  }
}

TEST_F(ClockTeardown, SessionEndSavesAndReleasesOnceAndTheClockDrawsNoMore) {
  for (const WPARAM ending : {TRUE, FALSE}) {
    SCOPED_TRACE(ending ? "session ends" : "session end called off");
    ForgetSettings();
    DeleteRunValue();
    const HWND hwnd = OpenClock();
    ASSERT_NE(hwnd, nullptr);
    MoveWindowTo(hwnd, 250, 150);

    EXPECT_EQ(SendMessageW(hwnd, WM_ENDSESSION, ending, 0), 0);
    EXPECT_TRUE(TakeQuitRequest());
    EXPECT_TRUE(IsWindow(hwnd)) << "the window lives on until the process ends";
    EXPECT_EQ(ReadSetting(L"x_win").data, 250u);
    EXPECT_EQ(ReadSetting(L"y_win").data, 150u);
    EXPECT_TRUE(ReadRunValue().present);
    EXPECT_EQ(clock_state.face_image, nullptr);
    EXPECT_EQ(clock_state.overlay_image, nullptr);
    EXPECT_EQ(clock_state.back_dc, nullptr);

    // A tick, or a placement command already queued, after the session end finds nothing to
    // draw or measure with, and must not try.
    EXPECT_EQ(SendMessageW(hwnd, WM_TIMER, CLOCK_TIMER_ID, 0), 0);
    RECT before;
    GetWindowRect(hwnd, &before);
    EXPECT_EQ(SendMessageW(hwnd, WM_COMMAND, IDM_DEFAULT_PLACEMENT, 0), 0);
    RECT after;
    GetWindowRect(hwnd, &after);
    EXPECT_TRUE(EqualRect(&before, &after));

    // What changes after the first tear-down is not overwritten by the second.
    WriteSetting(L"x_win", 7);
    WriteSetting(L"y_win", 8);
    DeleteRunValue();
    DestroyWindow(hwnd);
    EXPECT_TRUE(TakeQuitRequest());
    EXPECT_EQ(ReadSetting(L"x_win").data, 7u);
    EXPECT_EQ(ReadSetting(L"y_win").data, 8u);
    EXPECT_FALSE(ReadRunValue().present);
  }
}

}  // namespace
