#include "shell/clock_state.h"

ClockState clock_state;
wchar_t class_name[kTextUnits];
HINSTANCE app_instance;
int scale_at_open;
POINT drag_anchor;

ClockState DefaultClockState() {
  ClockState defaults{};
  defaults.topmost = 1;
  defaults.scale = 1;
  defaults.autorun = 1;
  defaults.show_second_hand = 1;
  return defaults;
}
