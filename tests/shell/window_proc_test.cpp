// The clock window's procedure on a real clock window: when a tick draws, how the window is
// dragged with either button arrangement, what a click on the notification icon does, and the
// commands that need no dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "shell/clock_state.h"
#include "shell/clock_window.h"
#include "tests/shell/clock_fixture.h"

namespace {

bool operator==(const POINT& a, const POINT& b) {
  return a.x == b.x && a.y == b.y;
}

TEST(RedrawRule, SecondHandShownDrawsEveryTickHiddenOncePerMinute) {
  const struct {
    const char* name;
    int show_second_hand;
    int last_minute;
    WORD minute;
    bool redraw;
    int last_minute_after;
  } rows[] = {
      {"shown, same minute", 1, 5, 5, true, 5},
      {"shown, new minute: the minute is not kept", 1, 5, 6, true, 5},
      {"hidden, first minute of the hour at start", 0, 0, 0, false, 0},
      {"hidden, new minute", 0, 0, 5, true, 5},
      {"hidden, same minute again", 0, 5, 5, false, 5},
      {"hidden, into a new hour", 0, 59, 0, true, 0},
  };
  for (const auto& row : rows) {
    ClockState state{};
    state.show_second_hand = row.show_second_hand;
    state.last_minute = row.last_minute;
    EXPECT_EQ(TakeRedrawTurn(state, row.minute), row.redraw) << row.name;
    EXPECT_EQ(state.last_minute, row.last_minute_after) << row.name;
  }
}

// With swapped buttons the menu opens even while a dialog keeps the clock disabled.
TEST(TrayIconRule, MenuOpensForTheButtonThatDoesNotDrag) {
  const struct {
    BOOL enabled;
    int buttons_swapped;
    LPARAM mouse_message;
    bool menu;
  } rows[] = {
      {TRUE, 0, WM_LBUTTONDOWN, false},   {TRUE, 0, WM_RBUTTONDOWN, true},
      {TRUE, 1, WM_LBUTTONDOWN, true},    {TRUE, 1, WM_RBUTTONDOWN, false},
      {FALSE, 0, WM_LBUTTONDOWN, false},  {FALSE, 0, WM_RBUTTONDOWN, false},
      {FALSE, 1, WM_LBUTTONDOWN, true},   {FALSE, 1, WM_RBUTTONDOWN, false},
      {2, 0, WM_RBUTTONDOWN, false},      {2, 1, WM_LBUTTONDOWN, true},
      {TRUE, 0, WM_RBUTTONUP, false},     {TRUE, 1, WM_LBUTTONUP, false},
      {TRUE, 0, WM_MOUSEMOVE, false},     {TRUE, 1, WM_MOUSEMOVE, false},
      {TRUE, 0, WM_RBUTTONDBLCLK, false}, {TRUE, 1, WM_LBUTTONDBLCLK, false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(TrayClickOpensMenu(row.enabled, row.buttons_swapped, row.mouse_message), row.menu)
        << "enabled " << row.enabled << ", swapped " << row.buttons_swapped << ", message "
        << row.mouse_message;
  }
}

// Notices a popup menu that the clock opens and shuts it again, so the test goes on instead of
// waiting in the menu. A thread timer ticks only inside a message loop, and while the clock
// handles a sent message the only loop that can run is a menu's.
HMENU shown_menu;

BOOL CALLBACK NoteShownMenu(HWND hwnd, LPARAM) {
  wchar_t name[16] = L"";
  GetClassNameW(hwnd, name, ARRAYSIZE(name));
  if (lstrcmpW(name, L"#32768") == 0 && IsWindowVisible(hwnd) &&
      GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) {
    shown_menu = reinterpret_cast<HMENU>(SendMessageW(hwnd, MN_GETHMENU, 0, 0));
  }
  return TRUE;
}

void CALLBACK ShutMenu(HWND, UINT, UINT_PTR, DWORD) {
  EnumWindows(NoteShownMenu, 0);
  EndMenu();
}

class MenuWatch {
 public:
  MenuWatch() : timer_(SetTimer(nullptr, 0, 50, ShutMenu)) {
    shown_menu = nullptr;
  }
  ~MenuWatch() {
    KillTimer(nullptr, timer_);
  }
  MenuWatch(const MenuWatch&) = delete;
  MenuWatch& operator=(const MenuWatch&) = delete;

  // The menu that was open, null when none was.
  HMENU shown() const {
    return shown_menu;
  }

 private:
  UINT_PTR timer_;
};

class WindowProc : public ClockTest {
 protected:
  void SetUp() override {
    ForgetSettings();
    hwnd_ = OpenClock();
    ASSERT_NE(hwnd_, nullptr);
    ASSERT_NE(clock_state.popup_menu, nullptr);
  }

  LRESULT Send(UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessageW(hwnd_, message, wparam, lparam);
  }

  HWND hwnd_ = nullptr;
};

TEST_F(WindowProc, TickDrawsByTheRedrawRuleAtTheLocalMinute) {
  const struct {
    const char* name;
    int show_second_hand;
    bool last_minute_is_now;
    bool drawn;
  } rows[] = {
      {"second hand shown, same minute", 1, true, true},
      {"second hand shown, other minute", 1, false, true},
      {"second hand hidden, same minute", 0, true, false},
      {"second hand hidden, new minute", 0, false, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    clock_state.show_second_hand = row.show_second_hand;
    // A minute that turns during the tick would change the answer: try that row again.
    for (int attempt = 0; attempt < 3; ++attempt) {
      SYSTEMTIME before;
      GetLocalTime(&before);
      const int other = (before.wMinute + 1) % 60;
      clock_state.last_minute = row.last_minute_is_now ? before.wMinute : other;
      ClearBackBuffer(clock_state);
      EXPECT_EQ(Send(WM_TIMER, CLOCK_TIMER_ID, 0), 0);
      SYSTEMTIME after;
      GetLocalTime(&after);
      if (after.wMinute != before.wMinute) {
        continue;
      }
      EXPECT_EQ(BackBufferHoldsAFrame(clock_state), row.drawn);
      const bool minute_taken = !row.show_second_hand && row.drawn;
      EXPECT_EQ(clock_state.last_minute,
                minute_taken || row.last_minute_is_now ? static_cast<int>(before.wMinute) : other);
      break;
    }
  }
}

TEST_F(WindowProc, DragMovesTheWindowByTheCursorsMovementSinceTheAnchor) {
  const struct {
    const char* name;
    POINT anchor;
    POINT cursor;
    LONG dx;
    LONG dy;
  } rows[] = {
      {"from a press at (100, 100)", {100, 100}, {110, 95}, 10, -5},
      {"no press ever: from (0, 0)", {0, 0}, {30, 40}, 30, 40},
      {"back to the anchor", {250, 250}, {250, 250}, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    MoveWindowTo(hwnd_, 400, 300);
    RECT expected = WindowRect(hwnd_);
    OffsetRect(&expected, row.dx, row.dy);
    drag_anchor = row.anchor;
    DragTo(clock_state, row.cursor);
    EXPECT_EQ(WindowRect(hwnd_), expected);
    EXPECT_TRUE(drag_anchor == row.cursor);
  }
}

TEST_F(WindowProc, DragButtonFollowsTheButtonArrangement) {
  const struct {
    int buttons_swapped;
    UINT drag_down;
    WPARAM drag_flag;
    UINT other_down;
    WPARAM other_flag;
  } rows[] = {
      {0, WM_LBUTTONDOWN, MK_LBUTTON, WM_RBUTTONDOWN, MK_RBUTTON},
      {1, WM_RBUTTONDOWN, MK_RBUTTON, WM_LBUTTONDOWN, MK_LBUTTON},
  };
  // Positions the message carries, which are client coordinates and must not be used.
  const LPARAM client_position = MAKELPARAM(3, 4);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.buttons_swapped ? "swapped buttons" : "usual buttons");
    clock_state.buttons_swapped = row.buttons_swapped;
    MoveWindowTo(hwnd_, 400, 300);
    const RECT start = WindowRect(hwnd_);
    drag_anchor = POINT{0, 0};
    ASSERT_TRUE(SetCursorPos(100, 100));

    EXPECT_EQ(Send(row.other_down, row.other_flag, client_position), 0);
    EXPECT_TRUE(drag_anchor == (POINT{0, 0})) << "the other button stores nothing";
    EXPECT_EQ(Send(row.drag_down, row.drag_flag, client_position), 0);
    EXPECT_TRUE(drag_anchor == (POINT{100, 100}));

    ASSERT_TRUE(SetCursorPos(110, 95));
    EXPECT_EQ(Send(WM_MOUSEMOVE, row.other_flag, client_position), 0);
    EXPECT_EQ(WindowRect(hwnd_), start) << "a move with only the other button does not drag";
    EXPECT_EQ(Send(WM_MOUSEMOVE, row.drag_flag | MK_SHIFT, client_position), 0);
    RECT moved = start;
    OffsetRect(&moved, 10, -5);
    EXPECT_EQ(WindowRect(hwnd_), moved);
    EXPECT_TRUE(drag_anchor == (POINT{110, 95}));
  }
}

TEST_F(WindowProc, IconClickShowsTheClockAndOpensTheMenuForTheOtherButton) {
  const struct {
    int buttons_swapped;
    LPARAM mouse_message;
    bool shown;
    bool menu;
  } rows[] = {
      {0, WM_LBUTTONDOWN, true, false},    {0, WM_RBUTTONDOWN, true, true},
      {1, WM_LBUTTONDOWN, true, true},     {1, WM_RBUTTONDOWN, true, false},
      {0, WM_LBUTTONUP, false, false},     {0, WM_RBUTTONUP, false, false},
      {0, WM_MOUSEMOVE, false, false},     {0, WM_LBUTTONDBLCLK, false, false},
      {1, WM_RBUTTONDBLCLK, false, false}, {1, WM_MOUSEMOVE, false, false},
  };
  // Another window of this program has the foreground before each click.
  const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                     nullptr, nullptr, nullptr, nullptr);
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message()
                 << "swapped " << row.buttons_swapped << ", message " << row.mouse_message);
    clock_state.buttons_swapped = row.buttons_swapped;
    ShowWindow(hwnd_, SW_HIDE);
    SetForegroundWindow(other);
    ASSERT_EQ(GetForegroundWindow(), other);
    MenuWatch menu;
    EXPECT_EQ(Send(WM_TRAYICON, TRAY_ICON_ID, row.mouse_message), 0);
    EXPECT_EQ(IsWindowVisible(hwnd_) != FALSE, row.shown);
    EXPECT_EQ(GetForegroundWindow() == hwnd_, row.shown);
    EXPECT_EQ(menu.shown(), row.menu ? clock_state.popup_menu : nullptr);
  }
  DestroyWindow(other);
}

TEST_F(WindowProc, ContextMenuOpensThePopupMenu) {
  MenuWatch menu;
  EXPECT_EQ(Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd_), MAKELPARAM(-1, -1)), 0);
  EXPECT_EQ(menu.shown(), clock_state.popup_menu);
}

TEST_F(WindowProc, CommandsOutsideTheClocksOwnGoToTheDefaultProcedure) {
  MoveWindowTo(hwnd_, 100, 100);
  const RECT start = WindowRect(hwnd_);
  const WPARAM commands[] = {
      0, 1, 106, IDM_OPTIONS - 1, IDM_HOME_PAGE + 1, 0xFFFF, MAKEWPARAM(0, IDM_EXIT)};
  for (const WPARAM command : commands) {
    SCOPED_TRACE(testing::Message() << "command " << command);
    EXPECT_EQ(Send(WM_COMMAND, command, 0), DefWindowProcW(hwnd_, WM_COMMAND, command, 0));
    EXPECT_TRUE(IsWindow(hwnd_));
    EXPECT_EQ(WindowRect(hwnd_), start);
    EXPECT_FALSE(TakeQuitRequest());
  }
}

TEST_F(WindowProc, DefaultPlacementPutsTheClockBackInTheCorner) {
  // From the menu the high word is 0, from an accelerator 1; only the low word names the command.
  for (const WORD source : {0, 1}) {
    SCOPED_TRACE(testing::Message() << "source " << source);
    MoveWindowTo(hwnd_, 20, 30);
    EXPECT_EQ(Send(WM_COMMAND, MAKEWPARAM(IDM_DEFAULT_PLACEMENT, source), 0), 0);
    EXPECT_EQ(WindowRect(hwnd_), DefaultCorner(kFaceSides[1]));
  }
}

TEST_F(WindowProc, ExitDestroysTheClockAndRequestsTheQuit) {
  EXPECT_EQ(Send(WM_COMMAND, MAKEWPARAM(IDM_EXIT, 1), 0), 0);
  EXPECT_FALSE(IsWindow(hwnd_));
  EXPECT_TRUE(TakeQuitRequest());
}

}  // namespace
