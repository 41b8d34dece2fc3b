// Turning a new clock window into a running clock, and back.
#pragma once

#include <windows.h>

#include "shell/clock_state.h"

void OnClockCreate(ClockState& state, HWND hwnd);
void OnClockDestroy(ClockState& state);
