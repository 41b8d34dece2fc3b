#include <windows.h>

#include "shell/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  return RunClock(instance, show_command, kSystemServices);
}
