// Program entry: the clock window's class and window, the notification icon, the message loop.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "shell/clock_state.h"

void RegisterClockClass(HINSTANCE instance);
// 1 when the window exists and is shown, 0 when its creation (and with it the set-up) failed.
int CreateClockWindow(HINSTANCE instance, int show_command);

// The one record that adds the clock's icon and later removes it.
NOTIFYICONDATAW MakeTrayIconData(const ClockState& state);

// What the start-up hands to the system; tests swap these to make start-up fail on purpose.
using NotifyIconFunction = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);
struct StartupServices {
  UINT32 gdiplus_version;
  NotifyIconFunction notify_icon;
};
constexpr StartupServices kSystemServices = {1, Shell_NotifyIconW};

// The whole life of the program; the result is its exit code.
int RunClock(HINSTANCE instance, int show_command, const StartupServices& services);
