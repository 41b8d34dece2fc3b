#include "shell/program.h"

#include <gdiplus.h>

#include "resources/resource_ids.h"
#include "shell/clock_window.h"

void RegisterClockClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ClockWndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_CLOCK));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszMenuName = MAKEINTRESOURCEW(IDR_CLASS_MENU);
  wc.lpszClassName = class_name;
  wc.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL));
  RegisterClassExW(&wc);
}

int CreateClockWindow(HINSTANCE instance, int show_command) {
  app_instance = instance;
  // A tool window stays off the taskbar. Position and size come from the set-up, which runs
  // inside this call (WM_CREATE) and may destroy the window again.
  HWND hwnd =
      CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, class_name, clock_state.caption, WS_POPUP,
                      CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
  if (!hwnd) {
    return 0;
  }
  ShowWindow(hwnd, show_command);
  UpdateWindow(hwnd);
  return 1;
}

NOTIFYICONDATAW MakeTrayIconData(const ClockState& state) {
  NOTIFYICONDATAW icon{};
  // The version 3 layout, without the balloon icon, is what every shell since XP accepts.
  icon.cbSize = NOTIFYICONDATAW_V3_SIZE;
  icon.hWnd = state.hwnd;
  icon.uID = TRAY_ICON_ID;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = WM_TRAYICON;
  icon.hIcon = LoadIconW(app_instance, MAKEINTRESOURCEW(IDI_SMALL));
  lstrcpynW(icon.szTip, state.caption, ARRAYSIZE(icon.szTip));
  return icon;
}

namespace {

void ShowStartupError(HWND owner, const wchar_t* text) {
  MessageBoxW(owner, text, clock_state.caption, MB_OK | MB_ICONERROR);
}

// Accelerators go to the window each message is addressed to, so they work whichever of the
// clock's windows has the keyboard.
WPARAM RunMessageLoop(HACCEL accelerators) {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) {
    if (!TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return msg.wParam;
}

}  // namespace

int RunClock(HINSTANCE instance, int show_command, const StartupServices& services) {
  LoadStringW(instance, IDS_APP_TITLE, clock_state.caption, kTextUnits);
  LoadStringW(instance, IDS_CLASS_NAME, class_name, kTextUnits);
  RegisterClockClass(instance);

  Gdiplus::GdiplusStartupInput gdiplus_input;
  gdiplus_input.GdiplusVersion = services.gdiplus_version;
  ULONG_PTR gdiplus_token = 0;
  if (Gdiplus::GdiplusStartup(&gdiplus_token, &gdiplus_input, nullptr) != Gdiplus::Ok) {
    ShowStartupError(nullptr, L"Error loading GDI+ library!");
    return 1;
  }

  if (!CreateClockWindow(instance, show_command)) {
    return 0;  // the set-up has told the user already
  }
  HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCEL));

  NOTIFYICONDATAW tray_icon = MakeTrayIconData(clock_state);
  if (!services.notify_icon(NIM_ADD, &tray_icon)) {
    ShowStartupError(clock_state.hwnd, L"Shell notify icon is not created!");
    return 1;
  }

  const WPARAM exit_code = RunMessageLoop(accelerators);

  // The tear-down has released every picture by now, so GDI+ may go; the icon goes last.
  Gdiplus::GdiplusShutdown(gdiplus_token);
  services.notify_icon(NIM_DELETE, &tray_icon);
  return static_cast<int>(exit_code);
}
