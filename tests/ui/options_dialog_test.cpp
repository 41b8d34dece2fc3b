// The Options dialog on the real clock window: what it shows when it opens, what "Set to
// default", Cancel and OK do to the clock, and an OK whose pictures cannot be loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "face/face_images.h"
#include "resources/resource_ids.h"
#include "tests/support/message_box_watch.h"
#include "tests/ui/dialog_test_support.h"
#include "tests/ui/window_call_trace.h"
#include "ui/dialogs.h"

namespace {

constexpr OptionValues kDefaults = {1, 1, 1, 1};
const std::vector<std::string> kNoCalls;

class OptionsDialog : public RealClock {
 protected:
  INT_PTR Run(const std::function<void(HWND)>& script) {
    return RunDialog(IDD_OPTIONS, clock_state.hwnd, OptionsDlgProc, script);
  }
};

std::vector<std::wstring> ScaleItems(HWND dialog) {
  std::vector<std::wstring> items;
  const LRESULT count = SendDlgItemMessageW(dialog, IDC_SCALE, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[kTextUnits] = L"";
    SendDlgItemMessageW(dialog, IDC_SCALE, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

// The options as the dialog's controls show them; no selection reads as -1.
OptionValues Shown(HWND dialog) {
  return {static_cast<int>(IsDlgButtonChecked(dialog, IDC_AUTORUN)),
          static_cast<int>(IsDlgButtonChecked(dialog, IDC_SHOW_SECOND_HAND)),
          static_cast<int>(IsDlgButtonChecked(dialog, IDC_TOPMOST)),
          static_cast<int>(SendDlgItemMessageW(dialog, IDC_SCALE, CB_GETCURSEL, 0, 0))};
}

OptionValues Live() {
  return {clock_state.autorun, clock_state.show_second_hand, clock_state.topmost,
          clock_state.scale};
}

std::string Text(const OptionValues& options) {
  return "autorun " + std::to_string(options.autorun) + ", second hand " +
         std::to_string(options.show_second_hand) + ", topmost " + std::to_string(options.topmost) +
         ", scale " + std::to_string(options.scale);
}

bool operator==(const OptionValues& a, const OptionValues& b) {
  return a.autorun == b.autorun && a.show_second_hand == b.show_second_hand &&
         a.topmost == b.topmost && a.scale == b.scale;
}

RECT WindowRect(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect;
}

TEST_F(OptionsDialog, OpensShowingTheLiveOptionsAndCancelChangesNothing) {
  const struct {
    OptionValues live;
    int selected;  // CB_ERR when no item fits the stored size
    const wchar_t* selected_text;
    Ending ending;
  } rows[] = {
      {kDefaults, 1, L"65%", Ending::kCancelButton},
      {{0, 1, 0, 0}, 0, L"50%", Ending::kEscapeKey},
      {{1, 0, 1, 2}, 2, L"80%", Ending::kCloseBox},
      {{0, 0, 0, 3}, 3, L"100%", Ending::kCancelButton},
      {{1, 1, 1, 7}, CB_ERR, L"", Ending::kEscapeKey},
      {{0, 1, 1, -1}, CB_ERR, L"", Ending::kCancelButton},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << Text(row.live) << ", ended by " << EndingName(row.ending));
    ASSERT_NO_FATAL_FAILURE(StartWith(row.live));
    const ClockSnapshot before = TakeSnapshot();
    const WindowCallTrace trace(clock_state.hwnd);
    const INT_PTR result = Run([&](HWND dialog) {
      EXPECT_EQ(ScaleItems(dialog), (std::vector<std::wstring>{L"50%", L"65%", L"80%", L"100%"}));
      const OptionValues shown = Shown(dialog);
      EXPECT_TRUE(shown == (OptionValues{row.live.autorun, row.live.show_second_hand,
                                         row.live.topmost, row.selected}))
          << Text(shown);
      EXPECT_EQ(ItemText(dialog, IDC_SCALE), row.selected_text);
      EXPECT_EQ(scale_at_open, row.live.scale);
      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_AUTORUN)) << "the first tab stop";
      End(dialog, row.ending);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ChangesSince(before), "");
    EXPECT_EQ(trace.calls(), kNoCalls) << "no frame drawn, no layer changed";
  }
}

TEST_F(OptionsDialog, ChangesThenCancelLeaveTheClockAsItWas) {
  for (Ending ending : {Ending::kCancelButton, Ending::kEscapeKey, Ending::kCloseBox}) {
    SCOPED_TRACE(EndingName(ending));
    ASSERT_NO_FATAL_FAILURE(StartWith({0, 1, 0, 2}));
    const ClockSnapshot before = TakeSnapshot();
    const WindowCallTrace trace(clock_state.hwnd);
    const INT_PTR result = Run([&](HWND dialog) {
      Click(dialog, IDC_AUTORUN);
      Click(dialog, IDC_SHOW_SECOND_HAND);
      Click(dialog, IDC_TOPMOST);
      PickScale(dialog, 0);
      EXPECT_TRUE(Shown(dialog) == (OptionValues{1, 0, 1, 0})) << Text(Shown(dialog));
      EXPECT_EQ(ChangesSince(before), "") << "the clock changes only on OK";
      EXPECT_EQ(trace.calls(), kNoCalls);
      End(dialog, ending);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ChangesSince(before), "");
    EXPECT_EQ(trace.calls(), kNoCalls) << "no frame drawn, no layer changed";
  }
}

TEST_F(OptionsDialog, SetToDefaultFillsTheControlsOnly) {
  const OptionValues starts[] = {{0, 0, 0, 3}, {1, 0, 0, 7}, {0, 1, 1, 0}, kDefaults};
  for (const OptionValues& start : starts) {
    SCOPED_TRACE(Text(start));
    ASSERT_NO_FATAL_FAILURE(StartWith(start));
    const ClockSnapshot before = TakeSnapshot();
    const WindowCallTrace trace(clock_state.hwnd);
    const INT_PTR result = Run([&](HWND dialog) {
      Click(dialog, IDC_SET_DEFAULT);
      EXPECT_TRUE(Shown(dialog) == kDefaults) << Text(Shown(dialog));
      EXPECT_EQ(ItemText(dialog, IDC_SCALE), L"65%");
      EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
      EXPECT_EQ(ChangesSince(before), "");
      EXPECT_EQ(trace.calls(), kNoCalls);
      EXPECT_EQ(scale_at_open, start.scale);
      End(dialog, Ending::kCancelButton);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ChangesSince(before), "");
    EXPECT_EQ(trace.calls(), kNoCalls) << "no frame drawn, no layer changed";
  }
}

// What a user does in the dialog before OK.
struct Step {
  enum { kClick, kPick } kind;
  int value;  // the control clicked, or the size picked
};

TEST_F(OptionsDialog, OkWritesTheOptionsAndAppliesThem) {
  // What OK asks of the clock window: with the same size one frame, with a new size the window
  // refitted from its top-left corner with a frame, and one frame more; then the layer.
  const std::vector<std::string> same_size = {"frame 166", "topmost"};
  const struct {
    const char* name;
    OptionValues start;
    std::vector<Step> steps;
    Ending ending;
    OptionValues after;
    bool reloaded;
    UINT side;
    std::vector<std::string> calls;
  } rows[] = {
      {"nothing changed", kDefaults, {}, Ending::kOkButton, kDefaults, false, 166, same_size},
      {"boxes cleared",
       kDefaults,
       {{Step::kClick, IDC_AUTORUN},
        {Step::kClick, IDC_SHOW_SECOND_HAND},
        {Step::kClick, IDC_TOPMOST}},
       Ending::kOkButton,
       {0, 0, 0, 1},
       false,
       166,
       {"frame 166", "not topmost"}},
      {"boxes checked",
       {0, 0, 0, 1},
       {{Step::kClick, IDC_AUTORUN},
        {Step::kClick, IDC_SHOW_SECOND_HAND},
        {Step::kClick, IDC_TOPMOST}},
       Ending::kOkButton,
       kDefaults,
       false,
       166,
       same_size},
      {"larger",
       kDefaults,
       {{Step::kPick, 3}},
       Ending::kOkButton,
       {1, 1, 1, 3},
       true,
       255,
       {"place 100,120 255x255", "frame 255", "frame 255", "topmost"}},
      {"smaller",
       {0, 1, 0, 2},
       {{Step::kPick, 0}},
       Ending::kOkButton,
       {0, 1, 0, 0},
       true,
       128,
       {"place 100,120 128x128", "frame 128", "frame 128", "not topmost"}},
      {"same size picked again",
       {1, 0, 1, 2},
       {{Step::kPick, 3}, {Step::kPick, 2}},
       Ending::kOkButton,
       {1, 0, 1, 2},
       false,
       204,
       {"frame 204", "topmost"}},
      {"OK from an accelerator",
       {1, 0, 1, 2},
       {{Step::kPick, 1}},
       Ending::kAcceleratorOk,
       {1, 0, 1, 1},
       true,
       166,
       {"place 100,120 166x166", "frame 166", "frame 166", "topmost"}},
      // A stored size out of range selects nothing; OK then reads "no selection", which differs
      // from the stored value, and loads the 65% pictures again for it.
      {"no size selected",
       {1, 1, 0, 7},
       {},
       Ending::kOkButton,
       {1, 1, 0, -1},
       true,
       166,
       {"place 100,120 166x166", "frame 166", "frame 166", "not topmost"}},
      {"defaults from another size",
       {0, 0, 0, 3},
       {{Step::kClick, IDC_SET_DEFAULT}},
       Ending::kOkButton,
       kDefaults,
       true,
       166,
       {"place 100,120 166x166", "frame 166", "frame 166", "topmost"}},
      {"defaults at the default size",
       {0, 1, 0, 1},
       {{Step::kClick, IDC_SET_DEFAULT}},
       Ending::kOkButton,
       kDefaults,
       false,
       166,
       same_size},
      {"Enter key",
       kDefaults,
       {{Step::kClick, IDC_TOPMOST}},
       Ending::kEnterKey,
       {1, 1, 0, 1},
       false,
       166,
       {"frame 166", "not topmost"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_NO_FATAL_FAILURE(StartWith(row.start));
    clock_state.last_minute = 17;
    MarkPictures(clock_state);
    const ClockSnapshot before = TakeSnapshot();
    const WindowCallTrace trace(clock_state.hwnd);
    const INT_PTR result = Run([&](HWND dialog) {
      for (const Step& step : row.steps) {
        if (step.kind == Step::kClick) {
          Click(dialog, step.value);
        } else {
          PickScale(dialog, step.value);
        }
      }
      End(dialog, row.ending);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(Live() == row.after) << Text(Live());
    EXPECT_EQ(ChangesSince(before, {"face_image", "overlay_image", "autorun", "show_second_hand",
                                    "topmost", "scale"}),
              "");
    EXPECT_EQ(MarkedPictures(clock_state), row.reloaded ? 0 : 2)
        << (row.reloaded ? "new pictures for the new size" : "the same pictures kept");
    EXPECT_EQ(FaceWidth(clock_state), row.side);
    const RECT window = WindowRect(clock_state.hwnd);
    EXPECT_EQ(window.left, kCorner.x) << "the left edge stays";
    EXPECT_EQ(window.top, kCorner.y) << "the top edge stays";
    EXPECT_EQ(window.right - window.left, static_cast<LONG>(row.side));
    EXPECT_EQ(window.bottom - window.top, static_cast<LONG>(row.side));
    EXPECT_EQ(trace.calls(), row.calls);
    // Wine keeps a window that owns an open dialog out of the topmost layer when asked to enter
    // it (it lifts only the dialog), so only leaving the layer is checked on the window itself.
    if (!row.after.topmost) {
      EXPECT_FALSE(IsTopmostWindow(clock_state.hwnd));
    }
  }
}

// The procedure's own answers, called directly on an open Options dialog: TRUE only for the
// opening, so the dialog manager puts the focus on the first box.
TEST(OptionsProcedure, AnswersTrueOnlyWhenItOpens) {
  const struct {
    const char* name;
    UINT message;
    WPARAM wparam;
    INT_PTR answer;
  } rows[] = {
      {"init", WM_INITDIALOG, 0, TRUE},
      {"a box clicked", WM_COMMAND, MAKEWPARAM(IDC_AUTORUN, BN_CLICKED), FALSE},
      {"a size picked", WM_COMMAND, MAKEWPARAM(IDC_SCALE, CBN_SELCHANGE), FALSE},
      {"Set to default", WM_COMMAND, IDC_SET_DEFAULT, FALSE},
      {"close", WM_CLOSE, 0, FALSE},
  };
  clock_state = ClockState{};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_OPTIONS),
                                     nullptr, OptionsDlgProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(OptionsDlgProc(dialog, row.message, row.wparam, 0), row.answer);
    DestroyWindow(dialog);
  }
}

// The pictures of the new size are missing: the user is told, the clock ends and takes the
// dialog with it, and nothing is drawn from pictures that are gone.
TEST_F(OptionsDialog, OkWithoutPicturesEndsTheClockAndTheDialog) {
  ASSERT_NO_FATAL_FAILURE(StartWith(kDefaults));
  const HWND clock = clock_state.hwnd;
  // This program's own module holds no pictures.
  clock_state.resource_module = GetModuleHandleW(nullptr);
  HWND options = nullptr;
  MessageBoxWatch watch;
  const WindowCallTrace trace(clock);
  Run([&](HWND dialog) {
    options = dialog;
    PickScale(dialog, 3);
    Click(dialog, IDOK);
  });
  ASSERT_EQ(watch.seen().size(), 1u);
  EXPECT_EQ(watch.seen()[0].text, L"Error load image files.");
  EXPECT_EQ(watch.seen()[0].owner, clock);
  EXPECT_FALSE(IsWindow(clock));
  EXPECT_FALSE(IsWindow(options));
  EXPECT_EQ(clock_state.scale, 3) << "the controls were read before the load";
  EXPECT_EQ(trace.calls(), kNoCalls) << "nothing more is done to the window that is gone";
}

}  // namespace
