// The back buffer and the composition of one frame into the layered window.
#pragma once

#include <windows.h>

#include "shell/clock_state.h"

// Side of the back buffer, the largest face the window can show.
constexpr int kBackBufferSide = 255;

void CreateBackBuffer(ClockState& state);
// Does nothing when there is no buffer, so a second tear-down is harmless.
void ReleaseBackBuffer(ClockState& state);

// Composes the frame for the local time and hands it to the window.
void RenderClock(ClockState& state);
// The same for a given time, so tests can fix the hands.
void RenderClockAt(ClockState& state, const SYSTEMTIME& time);
