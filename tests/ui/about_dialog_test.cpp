// The About dialog: its lines, the ways it ends, and that it leaves the clock alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource_ids.h"
#include "tests/ui/dialog_template.h"
#include "tests/ui/dialog_test_support.h"
#include "ui/dialogs.h"

namespace {

std::wstring String(UINT id) {
  wchar_t text[kTextUnits] = L"";
  LoadStringW(GetModuleHandleW(nullptr), id, text, kTextUnits);
  return text;
}

std::wstring TemplateText(int dialog, DWORD control) {
  for (const TemplateItem& item : ReadDialogTemplate(dialog).items) {
    if (item.id == control && !item.title.is_ordinal) {
      return item.title.text;
    }
  }
  return L"(no such control)";
}

class AboutDialog : public RealClock {
 protected:
  INT_PTR Run(const std::function<void(HWND)>& script) {
    return RunDialog(IDD_ABOUT, clock_state.hwnd, AboutDlgProc, script);
  }
};

TEST_F(AboutDialog, ShowsNameVersionCreditNoticeAndLogo) {
  const ClockSnapshot before = TakeSnapshot();
  const INT_PTR result = Run([](HWND dialog) {
    EXPECT_EQ(ItemText(dialog, IDC_ABOUT_TITLE), L"Velomir version 1.0");
    EXPECT_EQ(ItemText(dialog, IDC_ABOUT_TITLE),
              String(IDS_APP_TITLE) + L" version " + String(IDS_VERSION));
    EXPECT_FALSE(String(IDS_NOTICE).empty());
    EXPECT_EQ(ItemText(dialog, IDC_ABOUT_NOTICE), String(IDS_NOTICE));
    EXPECT_EQ(ItemText(dialog, IDC_ABOUT_CREDIT), TemplateText(IDD_ABOUT, IDC_ABOUT_CREDIT));
    // The logo control loads the bitmap by itself, from the module the dialog came from.
    HWND logo = GetDlgItem(dialog, IDC_STATIC);
    ASSERT_NE(logo, nullptr);
    HANDLE picture = reinterpret_cast<HANDLE>(SendMessageW(logo, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP bitmap{};
    ASSERT_TRUE(picture && GetObjectW(picture, sizeof bitmap, &bitmap));
    EXPECT_EQ(bitmap.bmWidth, 203);
    EXPECT_EQ(bitmap.bmHeight, 61);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK)) << "the first tab stop";
    End(dialog, Ending::kOkButton);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(ChangesSince(before), "");
}

TEST_F(AboutDialog, EndsOnOkEnterEscapeAndTheCloseBox) {
  const struct {
    Ending ending;
    INT_PTR result;
  } rows[] = {
      {Ending::kOkButton, IDOK},
      {Ending::kEnterKey, IDOK},
      {Ending::kEscapeKey, IDCANCEL},
      {Ending::kCloseBox, IDCANCEL},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(EndingName(row.ending));
    const ClockSnapshot before = TakeSnapshot();
    HWND about = nullptr;
    const INT_PTR result = Run([&](HWND dialog) {
      about = dialog;
      End(dialog, row.ending);
    });
    EXPECT_EQ(result, row.result);
    EXPECT_FALSE(IsWindow(about));
    EXPECT_EQ(ChangesSince(before), "");
  }
}

// The procedure's own answers, called directly on an open About dialog.
TEST(AboutProcedure, AnswersOnlyOkAndCancelAmongCommands) {
  const struct {
    const char* name;
    UINT message;
    WPARAM wparam;
    INT_PTR answer;
    bool ends;
  } rows[] = {
      {"init", WM_INITDIALOG, 0, TRUE, false},
      {"OK", WM_COMMAND, IDOK, TRUE, true},
      {"OK from an accelerator", WM_COMMAND, MAKEWPARAM(IDOK, 1), TRUE, true},
      {"Cancel clicked", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), TRUE, true},
      {"IDOK in the high word only", WM_COMMAND, MAKEWPARAM(0, IDOK), FALSE, false},
      {"another command", WM_COMMAND, IDC_SET_DEFAULT, FALSE, false},
      {"a text line's id", WM_COMMAND, IDC_ABOUT_TITLE, FALSE, false},
      {"close", WM_CLOSE, 0, FALSE, false},
      {"system command carrying IDOK", WM_SYSCOMMAND, IDOK, FALSE, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT),
                                     nullptr, AboutDlgProc, 0);
    ASSERT_NE(dialog, nullptr);
    // A modeless dialog is only hidden by EndDialog, which is what shows that it ended.
    ShowWindow(dialog, SW_SHOWNA);
    EXPECT_EQ(AboutDlgProc(dialog, row.message, row.wparam, 0), row.answer);
    EXPECT_EQ(IsWindowVisible(dialog) == FALSE, row.ends);
    EXPECT_EQ(ItemText(dialog, IDC_ABOUT_TITLE), L"Velomir version 1.0");
    DestroyWindow(dialog);
  }
}

}  // namespace
