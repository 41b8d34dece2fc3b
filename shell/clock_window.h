// The clock window's procedure and the small rules it applies, exposed for tests.
#pragma once

#include <windows.h>

#include "shell/clock_state.h"

LRESULT CALLBACK ClockWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Whether a timer tick at this minute draws a frame; remembers the minute when it does.
bool TakeRedrawTurn(ClockState& state, WORD minute);

// Moves the window by the cursor's movement since the last anchor, and re-anchors.
void DragTo(ClockState& state, POINT cursor);

// Whether a click on the notification icon opens the popup menu.
bool TrayClickOpensMenu(BOOL window_enabled, int buttons_swapped, LPARAM mouse_message);

// The maker's home page, opened by the Home Page command.
extern const wchar_t kHomePageUrl[];
