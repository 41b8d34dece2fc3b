#include "tests/ui/dialog_test_support.h"

#include <gdiplus.h>

#include <cstring>

#include "face/face_images.h"
#include "resources/resource_ids.h"
#include "settings/placement.h"
#include "tests/support/clock_window.h"
#include "tests/support/message_box_watch.h"

namespace {

// The dialog run by RunDialog, its script and the two one-shot thread timers that drive it.
HWND script_owner;
HWND script_dialog;
const std::function<void(HWND)>* script;
UINT_PTR backstop_timer;
int script_waits;
constexpr int kMostWaits = 100;

BOOL CALLBACK FindOwnedDialog(HWND hwnd, LPARAM found) {
  wchar_t name[16] = L"";
  GetClassNameW(hwnd, name, ARRAYSIZE(name));
  if (lstrcmpW(name, L"#32770") != 0 || GetWindow(hwnd, GW_OWNER) != script_owner) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

// Fires only if the modal loop is still waiting after the script: the dialog did not end.
void CALLBACK EndLeftOpen(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (IsWindow(script_dialog)) {
    EndDialog(script_dialog, kLeftOpen);
  }
}

// A thread timer fires from whichever loop runs, and the only loop while the timer is set is the
// dialog's own, so the dialog is open and initialised when this runs. The loop shows the dialog
// when it first waits or after a first timer message, so the script waits for that and then acts
// on the dialog as the user sees it.
void CALLBACK StartScript(HWND, UINT, UINT_PTR id, DWORD) {
  script_dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog,
                    reinterpret_cast<LPARAM>(&script_dialog));
  if (!script_dialog) {
    KillTimer(nullptr, id);
    ADD_FAILURE() << "no dialog owned by the clock";
    return;
  }
  if (!IsWindowVisible(script_dialog) && ++script_waits < kMostWaits) {
    return;
  }
  KillTimer(nullptr, id);
  EXPECT_TRUE(IsWindowVisible(script_dialog)) << "the dialog was never shown";
  (*script)(script_dialog);
  // Posted input (keys, the close command) is handled before a timer fires, so the backstop
  // sees the dialog only if nothing the script did ended it.
  backstop_timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, EndLeftOpen);
}

constexpr Gdiplus::ARGB kPictureMark = 0xFF123456;

// Crashes inside a dialog or window procedure are caught and dropped by the system's guard around
// the callback, so the test notes every fault as it is raised.
int faults;

LONG CALLBACK NoteFault(EXCEPTION_POINTERS* exception) {
  if (exception->ExceptionRecord->ExceptionCode >= 0xC0000000u) {
    ++faults;
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

INT_PTR RunDialog(int template_id, HWND owner, DLGPROC procedure,
                  const std::function<void(HWND)>& dialog_script) {
  script_owner = owner;
  script = &dialog_script;
  backstop_timer = 0;
  script_waits = 0;
  faults = 0;
  void* fault_watch = AddVectoredExceptionHandler(1, NoteFault);
  const UINT_PTR start_timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, StartScript);
  const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id),
                                         owner, procedure, 0);
  RemoveVectoredExceptionHandler(fault_watch);
  EXPECT_EQ(faults, 0) << "the dialog crashed, and the system dropped the crash";
  KillTimer(nullptr, start_timer);
  if (backstop_timer) {
    KillTimer(nullptr, backstop_timer);
  }
  script = nullptr;
  return result;
}

const char* EndingName(Ending ending) {
  switch (ending) {
    case Ending::kOkButton:
      return "OK button";
    case Ending::kCancelButton:
      return "Cancel button";
    case Ending::kEscapeKey:
      return "Escape key";
    case Ending::kEnterKey:
      return "Enter key";
    case Ending::kCloseBox:
      return "close box";
    case Ending::kAcceleratorOk:
      return "OK from an accelerator";
  }
  return "?";
}

void End(HWND dialog, Ending ending) {
  switch (ending) {
    case Ending::kOkButton:
      Click(dialog, IDOK);
      return;
    case Ending::kCancelButton:
      Click(dialog, IDCANCEL);
      return;
    case Ending::kEscapeKey:
      PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
      return;
    case Ending::kEnterKey:
      PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0);
      return;
    case Ending::kCloseBox:
      PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      return;
    case Ending::kAcceleratorOk:
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 1), 0);
      return;
  }
}

void Click(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  ASSERT_NE(button, nullptr) << "no control " << id;
  SendMessageW(button, BM_CLICK, 0, 0);
}

void PickScale(HWND dialog, int index) {
  HWND list = GetDlgItem(dialog, IDC_SCALE);
  SendMessageW(list, CB_SETCURSEL, index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SCALE, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[kTextUnits] = L"";
  GetDlgItemTextW(dialog, id, text, kTextUnits);
  return text;
}

ClockSnapshot TakeSnapshot() {
  ClockSnapshot snapshot;
  std::memcpy(snapshot.bytes, &clock_state, sizeof(ClockState));
  return snapshot;
}

std::string ChangesSince(const ClockSnapshot& before, std::initializer_list<const char*> allowed) {
  ClockState was;
  std::memcpy(&was, before.bytes, sizeof(ClockState));
  const ClockState& now = clock_state;
  std::string changes;
  const auto note = [&](bool changed, const char* field) {
    for (const char* name : allowed) {
      if (std::strcmp(name, field) == 0) {
        return;
      }
    }
    if (changed) {
      changes += changes.empty() ? field : std::string(" ") + field;
    }
  };
  note(now.hwnd != was.hwnd, "hwnd");
  note(std::memcmp(now.caption, was.caption, sizeof now.caption) != 0, "caption");
  note(now.popup_menu != was.popup_menu, "popup_menu");
  note(now.buttons_swapped != was.buttons_swapped, "buttons_swapped");
  note(now.last_minute != was.last_minute, "last_minute");
  note(now.face_image != was.face_image, "face_image");
  note(now.overlay_image != was.overlay_image, "overlay_image");
  note(now.topmost != was.topmost, "topmost");
  note(now.scale != was.scale, "scale");
  note(now.autorun != was.autorun, "autorun");
  note(now.show_second_hand != was.show_second_hand, "show_second_hand");
  note(now.back_dc != was.back_dc, "back_dc");
  note(now.back_bitmap != was.back_bitmap, "back_bitmap");
  note(now.resource_module != was.resource_module, "resource_module");
  note(now.running != was.running, "running");
  return changes;
}

void MarkPictures(const ClockState& state) {
  state.face_image->SetPixel(0, 0, Gdiplus::Color(kPictureMark));
  state.overlay_image->SetPixel(0, 0, Gdiplus::Color(kPictureMark));
}

int MarkedPictures(const ClockState& state) {
  int marked = 0;
  for (Gdiplus::Bitmap* picture : {state.face_image, state.overlay_image}) {
    Gdiplus::Color colour;
    if (picture && picture->GetPixel(0, 0, &colour) == Gdiplus::Ok &&
        colour.GetValue() == kPictureMark) {
      ++marked;
    }
  }
  return marked;
}

bool IsTopmostWindow(HWND hwnd) {
  return (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void RealClock::SetUp() {
  // A first run: no stored settings, so the clock starts from the defaults.
  RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKeyPath);
  RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKeyPath);
  MessageBoxWatch watch;
  ASSERT_NE(OpenClock(SW_SHOWNOACTIVATE), nullptr)
      << "is the picture module installed as timedate.cpl?";
  ASSERT_TRUE(watch.seen().empty()) << testing::PrintToString(watch.seen()[0].text);
  KillTimer(clock_state.hwnd, CLOCK_TIMER_ID);
}

void RealClock::TearDown() {
  // The clock's end posts the quit message; it must not end the next test's loops.
  CloseClock();
}

void RealClock::StartWith(const OptionValues& options) {
  clock_state.autorun = options.autorun;
  clock_state.show_second_hand = options.show_second_hand;
  clock_state.topmost = options.topmost;
  clock_state.scale = options.scale;
  ASSERT_TRUE(LoadFaceImages(clock_state));
  const LONG side = static_cast<LONG>(FaceWidth(clock_state));
  SetNormalRect(clock_state, RECT{kCorner.x, kCorner.y, kCorner.x + side, kCorner.y + side});
  ApplyTopmost(clock_state);
}
