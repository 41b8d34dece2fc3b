// Where the clock window stands, how large it is and whether it stays on top.
#pragma once

#include <windows.h>

#include "shell/clock_state.h"

void PlaceAtDefault(ClockState& state);
void SetNormalRect(ClockState& state, RECT rect);
void FitWindowToFace(ClockState& state);
void ApplyTopmost(ClockState& state);

// The default rectangle for a window of this side: the bottom-right corner of the desktop rectangle
// minus the taskbar rectangle, with SubtractRect's rule (an empty taskbar leaves the desktop).
RECT DefaultPlacementRect(RECT desktop, RECT taskbar, UINT side);

// The square of this side with its top-left corner at (left, top); a corrupt stored position
// near the edge of the number range wraps rather than overflowing.
RECT SquareAt(LONG left, LONG top, UINT side);
