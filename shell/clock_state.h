// The one record the running clock keeps between messages, and the globals beside it.
#pragma once

#include <windows.h>

namespace Gdiplus {
class Bitmap;
}

// The notification icon's callback message and id, and the clock's one timer.
constexpr UINT WM_TRAYICON = WM_USER + 1;
constexpr UINT TRAY_ICON_ID = 1;
constexpr UINT_PTR CLOCK_TIMER_ID = 1;
constexpr UINT CLOCK_TIMER_MS = 1000;

// Caption, class name and registry path buffers, in UTF-16 units with the terminator.
constexpr int kTextUnits = 260;

struct ClockState {
  HWND hwnd;
  wchar_t caption[kTextUnits];
  HMENU popup_menu;
  int buttons_swapped;
  int last_minute;
  Gdiplus::Bitmap* face_image;
  Gdiplus::Bitmap* overlay_image;
  int topmost;
  int scale;
  int autorun;
  int show_second_hand;
  HDC back_dc;
  HGDIOBJ back_bitmap;  // whichever bitmap is not selected into back_dc right now
  HMODULE resource_module;
  // 1 from a finished set-up until the tear-down: only then may frames be drawn and settings
  // saved. A set-up that stopped early, or a second tear-down, must not overwrite what the
  // user had stored.
  int running;
};

extern ClockState clock_state;
extern wchar_t class_name[kTextUnits];
extern HINSTANCE app_instance;
extern int scale_at_open;
extern POINT drag_anchor;

// A record with the four options at their defaults and everything else zero; the set-up starts
// from these values and the Options dialog's "Set to default" shows them.
ClockState DefaultClockState();
