// The Options and About dialogs.
#pragma once

#include <windows.h>

#include "shell/clock_state.h"

INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Moves the four options between a record and the Options dialog's controls.
void FillOptionControls(HWND dialog, ClockState values);
void ReadOptionControls(ClockState& state, HWND dialog);
