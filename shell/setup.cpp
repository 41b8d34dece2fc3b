#include "shell/setup.h"

#include "face/face_images.h"
#include "face/frame.h"
#include "resources/resource_ids.h"
#include "settings/placement.h"
#include "settings/settings_store.h"

namespace {

void LoadPopupMenu(ClockState& state) {
  // Only the submenu is kept; the menu lives until the process ends.
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_POPUP_MENU));
  state.popup_menu = GetSubMenu(menu, 0);
}

void SetDefaultOptions(ClockState& state) {
  const ClockState defaults = DefaultClockState();
  state.scale = defaults.scale;
  state.topmost = defaults.topmost;
  state.show_second_hand = defaults.show_second_hand;
  state.autorun = defaults.autorun;
}

void Place(ClockState& state, const StoredPosition& stored) {
  if (!stored.key_opened) {
    PlaceAtDefault(state);  // first run: the Run key is not read, autorun stays on
    return;
  }
  SetNormalRect(state, SquareAt(stored.x, stored.y, FaceWidth(state)));
  LoadAutorun(state);
}

}  // namespace

void OnClockCreate(ClockState& state, HWND hwnd) {
  state.hwnd = hwnd;
  CreateBackBuffer(state);
  LoadPopupMenu(state);
  // Read the arrangement; swapping the buttons to probe it would change the whole system's mouse.
  state.buttons_swapped = GetSystemMetrics(SM_SWAPBUTTON) ? 1 : 0;
  SetDefaultOptions(state);
  const StoredPosition stored = LoadSettings(state);

  // Either failure has told the user and destroyed the window, tear-down included.
  if (!LoadResourceModule(state) || !LoadFaceImages(state)) {
    return;
  }
  Place(state, stored);
  ApplyTopmost(state);
  state.running = 1;
  RenderClock(state);
  SetTimer(hwnd, CLOCK_TIMER_ID, CLOCK_TIMER_MS, nullptr);
}

void OnClockDestroy(ClockState& state) {
  ReleaseFaceImages(state);
  ReleaseBackBuffer(state);
  // Only a clock that finished its set-up saves, and only once: a set-up stopped by a missing
  // picture must not overwrite the stored position with (0, 0) or turn autorun back on, and a
  // WM_DESTROY after WM_ENDSESSION finds nothing left to do.
  if (!state.running) {
    return;
  }
  state.running = 0;
  KillTimer(state.hwnd, CLOCK_TIMER_ID);
  SaveSettings(state);
  SaveAutorun(state);
}
