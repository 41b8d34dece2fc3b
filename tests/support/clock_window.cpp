#include "tests/support/clock_window.h"

#include "resources/resource_ids.h"
#include "shell/clock_state.h"
#include "shell/program.h"

HWND OpenClock(int show_command) {
  clock_state = ClockState{};
  drag_anchor = POINT{0, 0};
  const HINSTANCE self = GetModuleHandleW(nullptr);
  LoadStringW(self, IDS_APP_TITLE, clock_state.caption, kTextUnits);
  LoadStringW(self, IDS_CLASS_NAME, class_name, kTextUnits);
  RegisterClockClass(self);  // the second and later registrations fail harmlessly
  return CreateClockWindow(self, show_command) ? clock_state.hwnd : nullptr;
}

void CloseClock() {
  if (clock_state.hwnd && IsWindow(clock_state.hwnd)) {
    DestroyWindow(clock_state.hwnd);
  }
  TakeQuitRequest();
}

bool TakeQuitRequest() {
  MSG msg;
  return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}
