// A clock window made in the test process as program entry makes it.
#pragma once

#include <windows.h>

// Starts a clock from the zeroed record as program entry does: caption and class name from the
// string table, the window class, then the window, whose creation runs the set-up. Returns the
// window, or null when the set-up ended it.
HWND OpenClock(int show_command = SW_SHOWNORMAL);
// Destroys the clock window if it is still there and takes its quit request off the queue.
void CloseClock();
// Takes the quit request that a tear-down posts off this thread's queue; true when there was one.
bool TakeQuitRequest();
