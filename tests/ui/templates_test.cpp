// The Options and About templates as the dialog manager receives them, read back raw from this
// test program's own copy of the program's resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/ui/dialog_template.h"

namespace {

// The window classes every template item uses, as atoms or as names.
struct ControlClass {
  WORD atom;
  const wchar_t* name;
};
constexpr ControlClass kButton = {0x0080, L"Button"};
constexpr ControlClass kStatic = {0x0082, L"Static"};
constexpr ControlClass kComboBox = {0x0085, L"ComboBox"};

struct ExpectedItem {
  DWORD id;
  ControlClass window_class;
  // The text, or nullptr for a one-line text of the maker's own wording.
  const wchar_t* text;
  // Nonzero when the text is a resource named by number instead.
  WORD text_ordinal;
  DWORD style;  // besides WS_CHILD | WS_VISIBLE
  DWORD ex_style;
  short x, y, cx, cy;
};

struct ExpectedDialog {
  int id;
  const wchar_t* caption;
  short cx, cy;
  std::vector<ExpectedItem> items;
};

constexpr DWORD kDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS | DS_CENTER;
constexpr DWORD kStaticId = static_cast<DWORD>(IDC_STATIC);
constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kTextLine = SS_CENTER | SS_CENTERIMAGE | WS_GROUP;

const ExpectedDialog kDialogs[] = {
    {IDD_OPTIONS,
     L"Options",
     176,
     99,
     {
         {IDC_AUTORUN, kButton, L"Autorun", 0, kCheckBox, 0, 7, 7, 108, 12},
         {IDC_SHOW_SECOND_HAND, kButton, L"Show second hand", 0, kCheckBox, 0, 7, 23, 108, 12},
         {IDC_TOPMOST, kButton, L"Topmost", 0, kCheckBox, 0, 7, 39, 108, 12},
         {IDC_SCALE, kComboBox, L"", 0, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 49, 63, 44,
          75},
         {IDOK, kButton, L"OK", 0, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 119, 7, 50, 14},
         {IDC_SET_DEFAULT, kButton, L"Set to default", 0, BS_PUSHBUTTON | WS_TABSTOP, 0, 119, 22,
          50, 14},
         {IDCANCEL, kButton, L"Cancel", 0, BS_PUSHBUTTON | WS_TABSTOP, 0, 119, 44, 50, 14},
         {kStaticId, kStatic, L"Scale:", 0, SS_LEFT | WS_GROUP, 0, 7, 64, 42, 12},
     }},
    {IDD_ABOUT,
     L"About",
     206,
     110,
     {
         {IDOK, kButton, L"OK", 0, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 149, 7, 50, 14},
         {kStaticId, kStatic, nullptr, IDB_LOGO, SS_BITMAP, WS_EX_STATICEDGE, 7, 7, 135, 38},
         {IDC_ABOUT_TITLE, kStatic, L"Static", 0, kTextLine, WS_EX_STATICEDGE, 7, 53, 134, 14},
         {IDC_ABOUT_CREDIT, kStatic, nullptr, 0, kTextLine, WS_EX_STATICEDGE, 7, 70, 134, 14},
         {IDC_ABOUT_NOTICE, kStatic, L"", 0, kTextLine, WS_EX_STATICEDGE, 7, 89, 134, 14},
     }},
};

std::string Describe(const TemplateName& name) {
  if (name.is_ordinal) {
    return "ordinal " + std::to_string(name.ordinal);
  }
  return testing::PrintToString(name.text);
}

bool IsClass(const TemplateName& name, const ControlClass& expected) {
  if (name.is_ordinal) {
    return name.ordinal == expected.atom;
  }
  return lstrcmpiW(name.text.c_str(), expected.name) == 0;
}

void ExpectText(const TemplateName& title, const ExpectedItem& expected) {
  if (expected.text_ordinal) {
    EXPECT_TRUE(title.is_ordinal && title.ordinal == expected.text_ordinal) << Describe(title);
    return;
  }
  ASSERT_FALSE(title.is_ordinal) << Describe(title);
  if (expected.text) {
    EXPECT_EQ(title.text, expected.text);
    return;
  }
  EXPECT_FALSE(title.text.empty()) << "a credit line of the maker's own wording";
  EXPECT_EQ(title.text.find_first_of(L"\r\n"), std::wstring::npos) << "one line";
}

void ExpectItem(const TemplateItem& item, const ExpectedItem& expected) {
  EXPECT_EQ(item.id, expected.id);
  EXPECT_TRUE(IsClass(item.window_class, expected.window_class))
      << "class " << Describe(item.window_class);
  ExpectText(item.title, expected);
  EXPECT_EQ(item.style, WS_CHILD | WS_VISIBLE | expected.style) << std::hex << item.style;
  EXPECT_EQ(item.ex_style, expected.ex_style) << std::hex << item.ex_style;
  EXPECT_EQ(item.x, expected.x);
  EXPECT_EQ(item.y, expected.y);
  EXPECT_EQ(item.cx, expected.cx);
  EXPECT_EQ(item.cy, expected.cy);
  EXPECT_EQ(item.help_id, 0u);
  EXPECT_EQ(item.creation_data_size, 0u);
}

TEST(DialogTemplates, HeaderAndControlsInTabOrder) {
  for (const ExpectedDialog& expected : kDialogs) {
    SCOPED_TRACE(testing::Message() << "dialog " << expected.id);
    const DialogTemplate dialog = ReadDialogTemplate(expected.id);
    ASSERT_EQ(dialog.version, 1u) << "an extended template";
    ASSERT_EQ(dialog.signature, 0xFFFFu);
    ASSERT_TRUE(dialog.complete) << "the resource ends inside the template";
    EXPECT_EQ(dialog.style, kDialogStyle) << std::hex << dialog.style;
    EXPECT_EQ(dialog.ex_style, 0u);
    EXPECT_EQ(dialog.help_id, 0u);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, expected.cx);
    EXPECT_EQ(dialog.cy, expected.cy);
    EXPECT_TRUE(!dialog.menu.is_ordinal && dialog.menu.text.empty()) << Describe(dialog.menu);
    EXPECT_TRUE(!dialog.window_class.is_ordinal && dialog.window_class.text.empty())
        << "the standard dialog class, not " << Describe(dialog.window_class);
    EXPECT_EQ(dialog.title, expected.caption);
    EXPECT_EQ(dialog.point_size, 8u);
    EXPECT_EQ(dialog.weight, 400u);
    EXPECT_EQ(dialog.italic, 0u);
    EXPECT_EQ(dialog.charset, DEFAULT_CHARSET);
    EXPECT_EQ(dialog.typeface, L"MS Shell Dlg");
    ASSERT_EQ(dialog.items.size(), expected.items.size());
    for (std::size_t i = 0; i < expected.items.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "control " << i + 1 << " of the template");
      ExpectItem(dialog.items[i], expected.items[i]);
    }
  }
}

}  // namespace
