// Options and position in the per-user settings key, start-with-Windows in the Run key.
#pragma once

#include <windows.h>

#include <string>

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

// The Run value for a program at program_path started with command_line: the full path, quoted,
// then the arguments exactly as received, so sign-in starts this program whatever the current
// folder and however the program was started.
std::wstring AutorunCommand(const wchar_t* command_line, const std::wstring& program_path);
