// The program's resources, read back from the built velomir.exe through the same calls the
// program makes. The path of the program comes as the first argument.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

std::wstring program_path;

class ProgramResources : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = LoadLibraryExW(program_path.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "cannot load the program as data";
  }
  static void TearDownTestSuite() {
    FreeLibrary(module_);
  }

  static std::wstring String(UINT id) {
    wchar_t text[260] = L"";
    LoadStringW(module_, id, text, 260);
    return text;
  }

  // The raw bytes of one resource.
  static std::vector<BYTE> Raw(LPCWSTR type, LPCWSTR name) {
    HRSRC found = FindResourceW(module_, name, type);
    if (!found) {
      return {};
    }
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
    return std::vector<BYTE>(data, data + SizeofResource(module_, found));
  }

  static HMODULE module_;
};

HMODULE ProgramResources::module_;

TEST_F(ProgramResources, StringTable) {
  EXPECT_EQ(String(IDS_APP_TITLE), L"Velomir");
  EXPECT_EQ(String(IDS_VERSION), L"1.0");
  EXPECT_EQ(String(IDS_CLASS_NAME), L"VELOMIR");
  const std::wstring notice = String(IDS_NOTICE);
  EXPECT_EQ(notice.rfind(L"Copyright", 0), 0u) << "notice: " << testing::PrintToString(notice);
  EXPECT_NE(notice.find(L"Tavrix"), std::wstring::npos);
  EXPECT_EQ(notice.find(L'\n'), std::wstring::npos) << "the notice is one line";
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
  reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
  return TRUE;
}

// Every resource but the manifest is Russian (Russia), the manifest is English (US); each
// exists in that one language only, so lookups without a language always find it.
TEST_F(ProgramResources, EachResourceHasItsOneLanguage) {
  const WORD kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA);
  const WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  ASSERT_EQ(kRussian, 1049);
  const struct {
    LPCWSTR type;
    int id;
    WORD language;
  } rows[] = {
      {RT_STRING, IDS_APP_TITLE / 16 + 1, kRussian},
      {RT_GROUP_ICON, IDI_CLOCK, kRussian},
      {RT_GROUP_ICON, IDI_SMALL, kRussian},
      {RT_MENU, IDR_CLASS_MENU, kRussian},
      {RT_MENU, IDR_POPUP_MENU, kRussian},
      {RT_ACCELERATOR, IDR_ACCEL, kRussian},
      {RT_DIALOG, IDD_OPTIONS, kRussian},
      {RT_DIALOG, IDD_ABOUT, kRussian},
      {RT_BITMAP, IDB_LOGO, kRussian},
      {RT_MANIFEST, 1, kEnglish},
  };
  for (const auto& row : rows) {
    std::vector<WORD> languages;
    EnumResourceLanguagesW(module_, row.type, MAKEINTRESOURCEW(row.id), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, std::vector<WORD>{row.language})
        << "type " << reinterpret_cast<ULONG_PTR>(row.type) << " id " << row.id;
  }
}

struct MenuRow {
  const wchar_t* text;  // nullptr for a separator
  UINT id;
};

std::wstring ItemText(HMENU menu, UINT position) {
  wchar_t text[64] = L"";
  GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
  return text;
}

void ExpectMenu(HMENU menu, const std::vector<MenuRow>& rows) {
  ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(rows.size()));
  for (UINT i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "position " << i);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &info));
    if (!rows[i].text) {
      EXPECT_EQ(info.fType, static_cast<UINT>(MFT_SEPARATOR));
      continue;
    }
    EXPECT_EQ(info.fState, 0u) << "enabled, unchecked, not default";
    EXPECT_EQ(info.fType, static_cast<UINT>(MFT_STRING));
    EXPECT_EQ(info.wID, rows[i].id);
    EXPECT_EQ(ItemText(menu, i), rows[i].text);
  }
}

TEST_F(ProgramResources, ClassMenu) {
  HMENU menu = LoadMenuW(module_, MAKEINTRESOURCEW(IDR_CLASS_MENU));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  EXPECT_EQ(ItemText(menu, 0), L"&File");
  EXPECT_EQ(ItemText(menu, 1), L"&Help");
  ExpectMenu(GetSubMenu(menu, 0), {{L"E&xit", IDM_EXIT}});
  ExpectMenu(GetSubMenu(menu, 1), {{L"&About ...", IDM_ABOUT}});
  DestroyMenu(menu);
}

TEST_F(ProgramResources, PopupMenuHasNineRows) {
  HMENU menu = LoadMenuW(module_, MAKEINTRESOURCEW(IDR_POPUP_MENU));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 1);
  EXPECT_EQ(ItemText(menu, 0), L"Tavrix");
  ExpectMenu(GetSubMenu(menu, 0), {{L"Set default placement", IDM_DEFAULT_PLACEMENT},
                                   {nullptr, 0},
                                   {L"Options...", IDM_OPTIONS},
                                   {nullptr, 0},
                                   {L"Help", IDM_HELP},
                                   {L"About", IDM_ABOUT},
                                   {L"Home Page", IDM_HOME_PAGE},
                                   {nullptr, 0},
                                   {L"E&xit", IDM_EXIT}});
  DestroyMenu(menu);
}

// Both menus are standard templates: the header's version word is 0 (the extended form has 1).
TEST_F(ProgramResources, MenusUseTheStandardTemplate) {
  for (int id : {IDR_CLASS_MENU, IDR_POPUP_MENU}) {
    const std::vector<BYTE> raw = Raw(RT_MENU, MAKEINTRESOURCEW(id));
    ASSERT_GE(raw.size(), 4u);
    EXPECT_EQ(raw[0] | raw[1] << 8, 0) << "menu " << id;
  }
}

TEST_F(ProgramResources, AcceleratorsAreAltCharacters) {
  HACCEL table = LoadAcceleratorsW(module_, MAKEINTRESOURCEW(IDR_ACCEL));
  ASSERT_NE(table, nullptr);
  ACCEL entries[4];
  ASSERT_EQ(CopyAcceleratorTableW(table, entries, 4), 2);
  const WORD keys[] = {'?', '/'};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(entries[i].fVirt, FALT) << "entry " << i;
    EXPECT_EQ(entries[i].key, keys[i]) << "entry " << i;
    EXPECT_EQ(entries[i].cmd, IDM_ABOUT) << "entry " << i;
  }
  DestroyAcceleratorTable(table);
}

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bit_count;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

// The icon group's directory, then each image's own header.
std::vector<GroupIconEntry> IconEntries(const std::vector<BYTE>& group) {
  const WORD count = group[4] | group[5] << 8;
  std::vector<GroupIconEntry> entries(count);
  std::memcpy(entries.data(), group.data() + 6, count * sizeof(GroupIconEntry));
  return entries;
}

TEST_F(ProgramResources, IconGroupsHoldUncompressed32BitImages) {
  const struct {
    int group;
    std::vector<int> sizes;
  } rows[] = {{IDI_CLOCK, {32, 16}}, {IDI_SMALL, {16}}};
  std::vector<std::vector<BYTE>> sixteens;
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "icon group " << row.group);
    const std::vector<GroupIconEntry> entries =
        IconEntries(Raw(RT_GROUP_ICON, MAKEINTRESOURCEW(row.group)));
    ASSERT_EQ(entries.size(), row.sizes.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const int side = row.sizes[i];
      EXPECT_EQ(entries[i].width, side);
      EXPECT_EQ(entries[i].height, side);
      EXPECT_EQ(entries[i].bit_count, 32);
      const std::vector<BYTE> image = Raw(RT_ICON, MAKEINTRESOURCEW(entries[i].id));
      ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
      BITMAPINFOHEADER header;
      std::memcpy(&header, image.data(), sizeof header);
      EXPECT_EQ(header.biSize, 40u);
      EXPECT_EQ(header.biWidth, side);
      EXPECT_EQ(header.biHeight, 2 * side) << "colour image and AND mask";
      EXPECT_EQ(header.biBitCount, 32);
      EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
      const std::size_t mask_row = ((side + 31) / 32) * 4;
      EXPECT_EQ(image.size(), 40 + side * side * 4 + side * mask_row);
      if (side == 16) {
        sixteens.push_back(image);
      }
    }
  }
  ASSERT_EQ(sixteens.size(), 2u);
  EXPECT_EQ(sixteens[0], sixteens[1]) << "the small icon is the large group's 16 x 16 picture";
}

TEST_F(ProgramResources, LogoIsA24BitBottomUpBitmap) {
  const std::vector<BYTE> raw = Raw(RT_BITMAP, MAKEINTRESOURCEW(IDB_LOGO));
  ASSERT_GE(raw.size(), sizeof(BITMAPINFOHEADER));
  BITMAPINFOHEADER header;
  std::memcpy(&header, raw.data(), sizeof header);
  EXPECT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, 203);
  EXPECT_EQ(header.biHeight, 61) << "positive: rows bottom-up";
  EXPECT_EQ(header.biBitCount, 24);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(header.biClrUsed, 0u);
  const std::size_t row_bytes = (203 * 3 + 3) / 4 * 4;
  EXPECT_EQ(raw.size(), 40 + row_bytes * 61) << "no colour table";
}

TEST_F(ProgramResources, ManifestAsksForCommonControlsSixAndNothingElse) {
  const std::vector<BYTE> raw = Raw(RT_MANIFEST, MAKEINTRESOURCEW(1));
  const std::string manifest(raw.begin(), raw.end());
  const char* const present[] = {"urn:schemas-microsoft-com:asm.v1",
                                 "manifestVersion=\"1.0\"",
                                 "name=\"Microsoft.Windows.Common-Controls\"",
                                 "version=\"6.0.0.0\"",
                                 "processorArchitecture=\"*\"",
                                 "language=\"*\"",
                                 "publicKeyToken=\"6595b64144ccf1df\"",
                                 "type=\"win32\""};
  for (const char* text : present) {
    EXPECT_NE(manifest.find(text), std::string::npos) << text;
  }
  for (const char* text : {"<?xml", "requestedExecutionLevel", "supportedOS", "dpiAware"}) {
    EXPECT_EQ(manifest.find(text), std::string::npos) << text;
  }
  EXPECT_EQ(manifest.find("<dependency>"), manifest.rfind("<dependency>")) << "one dependency";
}

// Within the command space, and among the controls of one dialog, no number stands twice.
TEST(ResourceIdentifiers, NoDuplicatesWithinAKind) {
  const std::vector<std::vector<int>> kinds = {
      {IDM_ABOUT, IDM_EXIT, IDM_OPTIONS, IDM_DEFAULT_PLACEMENT, IDM_HELP, IDM_HOME_PAGE},
      {IDS_APP_TITLE, IDS_NOTICE, IDS_VERSION, IDS_CLASS_NAME},
      {IDI_CLOCK, IDI_SMALL},
      {IDR_CLASS_MENU, IDR_POPUP_MENU},
      {IDC_SET_DEFAULT, IDC_SHOW_SECOND_HAND, IDC_AUTORUN, IDC_TOPMOST, IDC_SCALE, IDOK, IDCANCEL,
       IDC_ABOUT_TITLE, IDC_ABOUT_CREDIT, IDC_ABOUT_NOTICE},
  };
  for (const auto& kind : kinds) {
    EXPECT_EQ(std::set<int>(kind.begin(), kind.end()).size(), kind.size())
        << "first of the kind: " << kind[0];
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: resources_test PATH_OF_VELOMIR_EXE\n");
    return 2;
  }
  program_path.assign(argv[1], argv[1] + std::strlen(argv[1]));
  return RUN_ALL_TESTS();
}
