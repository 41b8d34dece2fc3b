// Looks at the running clock from outside, as the end-to-end checks need: run under Wine in the
// same desktop, it prints what it finds on one line and exits 0, or exits 1 when it finds nothing.
//   probe clock          left top right bottom topmost   of the clock window
//   probe taskbar        left top right bottom           of the taskbar
//   probe menu           left top right bottom           of an open popup menu
//   probe no-menu        exits 0 once no popup menu is open
//   probe endsession     sends the clock WM_ENDSESSION, as a log-off does
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr int kWaitSteps = 100;  // tenths of a second

template <typename Find>
HWND WaitFor(Find find) {
  for (int step = 0; step < kWaitSteps; ++step) {
    if (HWND hwnd = find()) {
      return hwnd;
    }
    Sleep(100);
  }
  return nullptr;
}

HWND FindClock() {
  HWND hwnd = FindWindowW(L"VELOMIR", nullptr);
  return hwnd && IsWindowVisible(hwnd) ? hwnd : nullptr;
}

HWND FindOpenMenu() {
  HWND hwnd = FindWindowW(L"#32768", nullptr);
  return hwnd && IsWindowVisible(hwnd) ? hwnd : nullptr;
}

int PrintRect(HWND hwnd, bool with_topmost) {
  if (!hwnd) {
    return 1;
  }
  RECT r;
  GetWindowRect(hwnd, &r);
  std::printf("%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
  if (with_topmost) {
    std::printf(" %d", (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
  }
  std::printf("\n");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* what = argc > 1 ? argv[1] : L"";
  if (!std::wcscmp(what, L"clock")) {
    return PrintRect(WaitFor(FindClock), true);
  }
  if (!std::wcscmp(what, L"taskbar")) {
    return PrintRect(FindWindowW(L"Shell_TrayWnd", nullptr), false);
  }
  if (!std::wcscmp(what, L"menu")) {
    return PrintRect(WaitFor(FindOpenMenu), false);
  }
  if (!std::wcscmp(what, L"no-menu")) {
    return WaitFor([] { return FindOpenMenu() ? nullptr : GetDesktopWindow(); }) ? 0 : 1;
  }
  if (!std::wcscmp(what, L"endsession")) {
    HWND clock = FindClock();
    return clock && SendMessageW(clock, WM_ENDSESSION, TRUE, 0) == 0 ? 0 : 1;
  }
  std::fprintf(stderr, "usage: probe clock|taskbar|menu|no-menu|endsession\n");
  return 2;
}
