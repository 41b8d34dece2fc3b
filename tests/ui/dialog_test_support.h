// What the dialog tests share: a real clock window to own the dialogs, a way to run a dialog
// modally as the clock does and act in it like a user, and probes that tell whether the dialog
// loaded pictures or changed the clock's record.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "shell/clock_state.h"
#include "tests/support/registry_guard.h"

// The four options as the dialog shows them.
struct OptionValues {
  int autorun;
  int show_second_hand;
  int topmost;
  int scale;
};

// The result RunDialog reports when the dialog was still open after its script, and had to be
// ended by the test itself.
constexpr INT_PTR kLeftOpen = 0x4C4F;

// Runs the dialog `template_id` of this program with DialogBoxParamW, as the clock window does,
// and hands the open dialog to `script` from inside its modal loop. Returns the dialog's result.
INT_PTR RunDialog(int template_id, HWND owner, DLGPROC procedure,
                  const std::function<void(HWND dialog)>& script);

// What a user does to end a dialog; the last is OK as an accelerator would send it, with 1 in the
// high word.
enum class Ending { kOkButton, kCancelButton, kEscapeKey, kEnterKey, kCloseBox, kAcceleratorOk };
const char* EndingName(Ending ending);
// Clicks the button, or posts the key or the close command for the dialog's loop to handle.
void End(HWND dialog, Ending ending);

void Click(HWND dialog, int id);
// Picks an item of the Options dialog's size list as a user does, notification included.
void PickScale(HWND dialog, int index);
std::wstring ItemText(HWND dialog, int id);

// The clock's record, byte for byte, to tell later whether anything in it changed.
struct ClockSnapshot {
  unsigned char bytes[sizeof(ClockState)];
};
ClockSnapshot TakeSnapshot();
// Names the fields that differ from the snapshot, leaving out those `allowed` to change; empty
// when nothing else changed.
std::string ChangesSince(const ClockSnapshot& before,
                         std::initializer_list<const char*> allowed = {});

// Paints a pixel of the face and of the overlay in a colour that no picture file holds there, so
// a reload shows as pictures without it, even when the new pictures land at the old addresses.
void MarkPictures(const ClockState& state);
// How many of the two pictures still carry the mark: 2 when nothing was loaded since.
int MarkedPictures(const ClockState& state);

bool IsTopmostWindow(HWND hwnd);

// The real clock window, made as the program makes it, from a first run (no stored settings),
// with the program's pictures as the system's timedate.cpl. Its timer is stopped so that only the
// dialog under test draws frames. The settings key and the Run value are put back afterwards.
class RealClock : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the clock from these options at a fixed place well inside the screen, as if they had
  // been stored: their pictures loaded, the window sized to them and in its layer.
  void StartWith(const OptionValues& options);

  static constexpr POINT kCorner = {100, 120};

 private:
  RegistryKeyGuard settings_{HKEY_CURRENT_USER, kSettingsKeyPath};
  RegistryValueGuard run_{HKEY_CURRENT_USER, kRunKeyPath, L"Velomir"};
};
