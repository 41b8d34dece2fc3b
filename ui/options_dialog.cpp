#include "face/face_images.h"
#include "face/frame.h"
#include "resources/resource_ids.h"
#include "settings/placement.h"
#include "ui/dialogs.h"

namespace {

// Added in this order, so an item's index is the scale it stands for.
const wchar_t* const kScaleLabels[] = {L"50%", L"65%", L"80%", L"100%"};

void OnInitOptions(HWND dialog) {
  for (const wchar_t* label : kScaleLabels) {
    SendDlgItemMessageW(dialog, IDC_SCALE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
  }
  FillOptionControls(dialog, clock_state);
  scale_at_open = clock_state.scale;
}

void OnOptionsOk(HWND dialog) {
  ReadOptionControls(clock_state, dialog);
  if (clock_state.scale != scale_at_open) {
    // A failed load has told the user and destroyed the clock, and this dialog with it.
    if (!LoadFaceImages(clock_state)) {
      return;
    }
    FitWindowToFace(clock_state);
  }
  RenderClock(clock_state);
  ApplyTopmost(clock_state);
  EndDialog(dialog, IDOK);
}

}  // namespace

void FillOptionControls(HWND dialog, ClockState values) {
  CheckDlgButton(dialog, IDC_SHOW_SECOND_HAND, values.show_second_hand);
  CheckDlgButton(dialog, IDC_TOPMOST, values.topmost);
  CheckDlgButton(dialog, IDC_AUTORUN, values.autorun);
  SendDlgItemMessageW(dialog, IDC_SCALE, CB_SETCURSEL, values.scale, 0);
}

void ReadOptionControls(ClockState& state, HWND dialog) {
  state.show_second_hand = IsDlgButtonChecked(dialog, IDC_SHOW_SECOND_HAND);
  state.topmost = IsDlgButtonChecked(dialog, IDC_TOPMOST);
  state.autorun = IsDlgButtonChecked(dialog, IDC_AUTORUN);
  // No selection reads as -1, which chooses the 65% pictures.
  state.scale = static_cast<int>(SendDlgItemMessageW(dialog, IDC_SCALE, CB_GETCURSEL, 0, 0));
}

INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) {
    OnInitOptions(dialog);
    return TRUE;
  }
  if (message != WM_COMMAND) {
    return FALSE;
  }
  switch (LOWORD(wparam)) {
    case IDOK:
      OnOptionsOk(dialog);
      break;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      break;
    case IDC_SET_DEFAULT:  // shows the defaults; the clock changes only on OK
      FillOptionControls(dialog, DefaultClockState());
      break;
  }
  return FALSE;
}
