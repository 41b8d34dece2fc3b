#include "shell/clock_window.h"

#include <shellapi.h>

#include "face/frame.h"
#include "resources/resource_ids.h"
#include "settings/placement.h"
#include "shell/program_folder.h"
#include "shell/setup.h"
#include "ui/dialogs.h"

const wchar_t kHomePageUrl[] = L"https://tavrix.example/velomir/";

bool TakeRedrawTurn(ClockState& state, WORD minute) {
  if (state.show_second_hand) {
    return true;
  }
  if (minute == state.last_minute) {
    return false;
  }
  state.last_minute = minute;
  return true;
}

void DragTo(ClockState& state, POINT cursor) {
  const int dx = cursor.x - drag_anchor.x;
  const int dy = cursor.y - drag_anchor.y;
  drag_anchor = cursor;
  RECT rect;
  GetWindowRect(state.hwnd, &rect);
  OffsetRect(&rect, dx, dy);
  SetNormalRect(state, rect);
}

bool TrayClickOpensMenu(BOOL window_enabled, int buttons_swapped, LPARAM mouse_message) {
  // With swapped buttons the menu opens even while a dialog has the clock disabled.
  if (buttons_swapped) {
    return mouse_message == WM_LBUTTONDOWN;
  }
  return window_enabled == TRUE && mouse_message == WM_RBUTTONDOWN;
}

namespace {

// The mouse messages name logical buttons: with swapped buttons the right one drags.
UINT DragButtonDown(const ClockState& state) {
  return state.buttons_swapped ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
}

WPARAM DragButtonFlag(const ClockState& state) {
  return state.buttons_swapped ? MK_RBUTTON : MK_LBUTTON;
}

void OnTimer(ClockState& state) {
  // After a session end the pictures are gone while the window lives on: draw nothing then.
  if (!state.running) {
    return;
  }
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (TakeRedrawTurn(state, now.wMinute)) {
    RenderClockAt(state, now);
  }
}

void OnButtonDown(const ClockState& state, UINT message) {
  if (message == DragButtonDown(state)) {
    GetCursorPos(&drag_anchor);
  }
}

// The cursor, not the message's client position, so the step is in screen pixels.
void OnMouseMove(ClockState& state, WPARAM keys) {
  if (!(keys & DragButtonFlag(state))) {
    return;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  DragTo(state, cursor);
}

void ShowPopupMenu(const ClockState& state, HWND hwnd) {
  POINT cursor;
  GetCursorPos(&cursor);
  TrackPopupMenu(state.popup_menu, 0, cursor.x, cursor.y, 0, hwnd, nullptr);
}

void OnTrayIcon(const ClockState& state, HWND hwnd, LPARAM mouse_message) {
  if (mouse_message != WM_LBUTTONDOWN && mouse_message != WM_RBUTTONDOWN) {
    return;
  }
  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd);
  if (TrayClickOpensMenu(IsWindowEnabled(hwnd), state.buttons_swapped, mouse_message)) {
    ShowPopupMenu(state, hwnd);
  }
}

// Returns false for commands that are not the clock's own. After a session end the pictures are
// gone: the commands that size or redraw the clock wait for the process to end instead.
bool OnCommand(ClockState& state, HWND hwnd, WORD command) {
  switch (command) {
    case IDM_ABOUT:
      DialogBoxParamW(app_instance, MAKEINTRESOURCEW(IDD_ABOUT), hwnd, AboutDlgProc, 0);
      return true;
    case IDM_EXIT:
      DestroyWindow(hwnd);
      return true;
    case IDM_OPTIONS:
      if (state.running) {
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_OPTIONS), hwnd,
                        OptionsDlgProc, 0);
      }
      return true;
    case IDM_DEFAULT_PLACEMENT:
      if (state.running) {
        PlaceAtDefault(state);
      }
      return true;
    case IDM_HELP:
      OpenReadme(hwnd);
      return true;
    case IDM_HOME_PAGE:
      ShellExecuteW(hwnd, L"open", kHomePageUrl, nullptr, nullptr, SW_SHOWNORMAL);
      return true;
  }
  return false;
}

}  // namespace

LRESULT CALLBACK ClockWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      OnClockCreate(clock_state, hwnd);
      return 0;
    case WM_DESTROY:
    case WM_ENDSESSION:  // also when the session end was called off: the clock has saved and ends
      PostQuitMessage(0);
      OnClockDestroy(clock_state);
      return 0;
    case WM_TIMER:
      OnTimer(clock_state);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      OnButtonDown(clock_state, message);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(clock_state, wparam);
      return 0;
    case WM_CONTEXTMENU:
      ShowPopupMenu(clock_state, hwnd);
      return 0;
    case WM_TRAYICON:
      OnTrayIcon(clock_state, hwnd, lparam);
      return 0;
    case WM_COMMAND:
      if (OnCommand(clock_state, hwnd, LOWORD(wparam))) {
        return 0;
      }
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}
