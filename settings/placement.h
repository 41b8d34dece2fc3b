// Where the clock window stands, how large it is and whether it stays on top.
#pragma once

#include <windows.h>

#include "shell/clock_state.h"

void PlaceAtDefault(ClockState& state);
void SetNormalRect(ClockState& state, RECT rect);
void FitWindowToFace(ClockState& state);
void ApplyTopmost(ClockState& state);
