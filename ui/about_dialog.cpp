#include "resources/resource_ids.h"
#include "ui/dialogs.h"

namespace {

// "Velomir version 1.0", from the string table alone. Texts too long for the line are cut,
// never run past the buffer.
void OnInitAbout(HWND dialog) {
  HINSTANCE program = GetModuleHandleW(nullptr);
  wchar_t title[kTextUnits];
  wchar_t version[kTextUnits];
  LoadStringW(program, IDS_APP_TITLE, title, kTextUnits);
  LoadStringW(program, IDS_VERSION, version, kTextUnits);
  wchar_t line[kTextUnits];
  wsprintfW(line, L"%.100s version %.100s", title, version);
  SetDlgItemTextW(dialog, IDC_ABOUT_TITLE, line);
  LoadStringW(program, IDS_NOTICE, title, kTextUnits);
  SetDlgItemTextW(dialog, IDC_ABOUT_NOTICE, title);
}

}  // namespace

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) {
    OnInitAbout(dialog);
    return TRUE;
  }
  const WORD command = LOWORD(wparam);
  if (message == WM_COMMAND && (command == IDOK || command == IDCANCEL)) {
    EndDialog(dialog, command);
    return TRUE;
  }
  return FALSE;
}
