// Looks at the running clock from outside, as the end-to-end checks need: run under Wine in the
// same desktop, it prints what it finds on one line and exits 0, or exits 1 when it finds nothing.
//   probe clock          left top right bottom topmost   of the clock window
//   probe taskbar        left top right bottom           of the taskbar
//   probe menu           left top right bottom           of an open popup menu
//   probe no-menu        exits 0 once no popup menu is open
//   probe endsession     sends the clock WM_ENDSESSION, as a log-off does
//   probe dialog TITLE ID   the text of control ID in the open dialog titled TITLE
//   probe no-dialog TITLE   exits 0 once no dialog of that title is open
//   probe menu-reference PROGRAM
//                        width height of the program's own popup menu shown in this process:
//                        the size the clock's menu has when it shows the same rows
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

HWND FindDialog(const wchar_t* title) {
  HWND hwnd = FindWindowW(L"#32770", title);
  return hwnd && IsWindowVisible(hwnd) ? hwnd : nullptr;
}

int PrintDialogText(const wchar_t* title, int control) {
  HWND dialog = WaitFor([title] { return FindDialog(title); });
  if (!dialog) {
    return 1;
  }
  wchar_t text[260] = L"";
  GetDlgItemTextW(dialog, control, text, 260);
  std::printf("%ls\n", text);
  return 0;
}

HWND OwnOpenMenu() {
  HWND menu = FindOpenMenu();
  DWORD owner = 0;
  GetWindowThreadProcessId(menu, &owner);
  return owner == GetCurrentProcessId() ? menu : nullptr;
}

RECT reference_menu;

void CALLBACK MeasureAndClose(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND menu = OwnOpenMenu()) {
    GetWindowRect(menu, &reference_menu);
    EndMenu();
  }
}

int PrintReferenceMenuSize(const wchar_t* program) {
  HMODULE module =
      LoadLibraryExW(program, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(132));
  if (!menu) {
    return 1;
  }
  HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                               nullptr, nullptr, nullptr);
  SetTimer(owner, 1, 300, MeasureAndClose);
  TrackPopupMenu(GetSubMenu(menu, 0), 0, 100, 100, 0, owner, nullptr);
  DestroyWindow(owner);
  const LONG width = reference_menu.right - reference_menu.left;
  const LONG height = reference_menu.bottom - reference_menu.top;
  std::printf("%ld %ld\n", width, height);
  return width > 0 ? 0 : 1;
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
  if (!std::wcscmp(what, L"dialog") && argc > 3) {
    return PrintDialogText(argv[2], _wtoi(argv[3]));
  }
  if (!std::wcscmp(what, L"no-dialog") && argc > 2) {
    const wchar_t* title = argv[2];
    return WaitFor([title] { return FindDialog(title) ? nullptr : GetDesktopWindow(); }) ? 0 : 1;
  }
  if (!std::wcscmp(what, L"menu-reference") && argc > 2) {
    return PrintReferenceMenuSize(argv[2]);
  }
  std::fprintf(
      stderr,
      "usage: probe clock|taskbar|menu|no-menu|endsession|dialog|no-dialog|menu-reference\n");
  return 2;
}
