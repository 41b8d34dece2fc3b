// A clock window made in the test process as the program makes it, and the things around it
// that its tests look at and put back: the settings key, the Run value, the quit request and
// the back buffer.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "shell/clock_state.h"
#include "tests/support/clock_window.h"
#include "tests/support/registry_guard.h"

inline bool operator==(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}

inline void PrintTo(const RECT& rect, std::ostream* out) {
  *out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

// Sides of the installed pictures for the scales 0 "50%" to 3 "100%".
constexpr UINT kFaceSides[4] = {128, 166, 204, 255};

RECT WindowRect(HWND hwnd);
// Where a clock of this side stands by default: the bottom-right corner of the screen, just
// above the taskbar at the bottom of the test desktop.
RECT DefaultCorner(UINT side);
void MoveWindowTo(HWND hwnd, LONG x, LONG y);

// The pixels of the back buffer: wiped, and whether a frame has put anything into them since.
void ClearBackBuffer(const ClockState& state);
bool BackBufferHoldsAFrame(const ClockState& state);

// The settings key and the clock's Run value.
void ForgetSettings();
void KeepEmptySettings();
void WriteSetting(const wchar_t* name, DWORD value);
struct StoredValue {
  bool present;
  DWORD type;
  DWORD size;
  DWORD data;         // the first four bytes
  std::wstring text;  // the whole value, for a string
};
StoredValue ReadSetting(const wchar_t* name);
void WriteRunValue(DWORD type, const void* data, DWORD size);
void DeleteRunValue();
StoredValue ReadRunValue();

// Every clock test leaves the settings key and the Run value as it found them and no clock open.
class ClockTest : public testing::Test {
 protected:
  void TearDown() override {
    CloseClock();
  }

  RegistryKeyGuard settings_{HKEY_CURRENT_USER, kSettingsKeyPath};
  RegistryValueGuard run_{HKEY_CURRENT_USER, kRunKeyPath, L"Velomir"};
};
