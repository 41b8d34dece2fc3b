#include "tests/support/message_box_watch.h"

namespace {

HHOOK hook;
std::vector<SeenMessageBox> boxes;

// The icon's static control: 20 on Windows, 1088 in Wine's template.
HICON MessageBoxIcon(HWND box) {
  for (int id : {20, 1088}) {
    if (HWND control = GetDlgItem(box, id)) {
      return reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
    }
  }
  return nullptr;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t text[1024] = L"";
  GetWindowTextW(hwnd, text, ARRAYSIZE(text));
  return text;
}

void Record(HWND box) {
  SeenMessageBox seen;
  seen.title = WindowText(box);
  seen.text = WindowText(GetDlgItem(box, 0xFFFF));
  seen.owner = GetWindow(box, GW_OWNER);
  const HICON icon = MessageBoxIcon(box);
  seen.error_icon = icon && icon == LoadIconW(nullptr, IDI_ERROR);
  seen.information_icon = icon && icon == LoadIconW(nullptr, IDI_INFORMATION);
  boxes.push_back(seen);
}

bool IsDialogBox(HWND hwnd) {
  wchar_t name[16] = L"";
  GetClassNameW(hwnd, name, ARRAYSIZE(name));
  return lstrcmpW(name, L"#32770") == 0;
}

LRESULT CALLBACK WatchProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wparam);
    if (IsDialogBox(box) && GetDlgItem(box, 0xFFFF)) {
      Record(box);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
  }
  return CallNextHookEx(hook, code, wparam, lparam);
}

}  // namespace

MessageBoxWatch::MessageBoxWatch() {
  boxes.clear();
  hook = SetWindowsHookExW(WH_CBT, WatchProc, nullptr, GetCurrentThreadId());
}

MessageBoxWatch::~MessageBoxWatch() {
  UnhookWindowsHookEx(hook);
  hook = nullptr;
}

const std::vector<SeenMessageBox>& MessageBoxWatch::seen() const {
  return boxes;
}
