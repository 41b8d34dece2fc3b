// Options and position in the per-user settings key, start-with-Windows in the Run key.
#pragma once

#include <windows.h>

#include "shell/clock_state.h"

struct StoredPosition {
  bool key_opened;
  LONG x;  // 0 where no value was read
  LONG y;
};

StoredPosition LoadSettings(ClockState& state);
void LoadAutorun(ClockState& state);
void SaveSettings(ClockState& state);
void SaveAutorun(ClockState& state);
