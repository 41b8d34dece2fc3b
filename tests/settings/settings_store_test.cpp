#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "shell/program_folder.h"
#include "tests/support/registry_guard.h"

namespace {

constexpr const wchar_t* kProbeCaption = L"VelomirSettingsProbe";
constexpr const wchar_t* kProbeKeyPath = L"Software\\Tavrix\\VelomirSettingsProbe";

struct RawValue {
  const wchar_t* name;
  DWORD type;
  std::vector<BYTE> data;
};

std::vector<BYTE> Dword(uint32_t value) {
  return {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
          static_cast<BYTE>(value >> 24)};
}

// UTF-16 text with its terminator, as a REG_SZ value holds it.
std::vector<BYTE> Text(const std::wstring& text) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
}

void DeleteKey(const wchar_t* path) {
  RegDeleteTreeW(HKEY_CURRENT_USER, path);
  RegDeleteKeyW(HKEY_CURRENT_USER, path);
}

void WriteValue(const wchar_t* path, const RawValue& value) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, value.name, 0, value.type, value.data.data(),
                 static_cast<DWORD>(value.data.size()));
  RegCloseKey(key);
}

void CreateEmptyKey(const wchar_t* path) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void DeleteValue(const wchar_t* path, const wchar_t* name) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    return;
  }
  RegDeleteValueW(key, name);
  RegCloseKey(key);
}

// The value byte for byte with its type, or nothing when it is absent.
std::optional<RawValue> ReadValue(const wchar_t* path, const wchar_t* name) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  RawValue value{name, 0, {}};
  DWORD size = 0;
  LSTATUS result = RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size);
  if (result == ERROR_SUCCESS) {
    value.data.resize(size);
    result = RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size);
    value.data.resize(size);
  }
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

std::wstring Widen(const char* text) {
  return std::wstring(text, text + std::strlen(text));
}

ClockState StateWithCaption(const wchar_t* caption) {
  ClockState state = DefaultClockState();
  wcscpy_s(state.caption, caption);
  return state;
}

// A real window whose rectangle the settings are saved from.
class PlainWindow {
 public:
  explicit PlainWindow(RECT rect) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"VelomirSettingsStoreTest";
    RegisterClassW(&window_class);
    hwnd_ =
        CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, window_class.lpszClassName, L"", WS_POPUP,
                        rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        nullptr, nullptr, window_class.hInstance, nullptr);
  }
  ~PlainWindow() {
    DestroyWindow(hwnd_);
  }
  PlainWindow(const PlainWindow&) = delete;
  PlainWindow& operator=(const PlainWindow&) = delete;
  HWND hwnd() const {
    return hwnd_;
  }

 private:
  HWND hwnd_;
};

// Every test starts and ends with the clock's own key and Run value as they were.
class SettingsStoreTest : public ::testing::Test {
 protected:
  RegistryKeyGuard settings_guard_{HKEY_CURRENT_USER, kSettingsKeyPath};
  RegistryKeyGuard probe_guard_{HKEY_CURRENT_USER, kProbeKeyPath};
  RegistryValueGuard run_guard_{HKEY_CURRENT_USER, kRunKeyPath, L"Velomir"};
  RegistryValueGuard probe_run_guard_{HKEY_CURRENT_USER, kRunKeyPath, kProbeCaption};
  ClockState state_ = StateWithCaption(L"Velomir");
};

TEST_F(SettingsStoreTest, MissingKeyLeavesRecordAndGivesOrigin) {
  DeleteKey(kSettingsKeyPath);
  state_.show_second_hand = 0;
  state_.topmost = 0;
  state_.scale = 2;

  const StoredPosition position = LoadSettings(state_);

  EXPECT_FALSE(position.key_opened);
  EXPECT_EQ(position.x, 0);
  EXPECT_EQ(position.y, 0);
  EXPECT_EQ(state_.show_second_hand, 0);
  EXPECT_EQ(state_.topmost, 0);
  EXPECT_EQ(state_.scale, 2);
}

struct LoadCase {
  const char* name;
  std::vector<RawValue> values;
  int show_second_hand;
  int topmost;
  int scale;
  LONG x;
  LONG y;
};

TEST_F(SettingsStoreTest, LoadsOnlyFourByteDwords) {
  const LoadCase cases[] = {
      {"empty key keeps the defaults", {}, 1, 1, 1, 0, 0},
      {"all five",
       {{L"show.second_hand", REG_DWORD, Dword(0)},
        {L"topmost", REG_DWORD, Dword(0)},
        {L"scale", REG_DWORD, Dword(3)},
        {L"x_win", REG_DWORD, Dword(120)},
        {L"y_win", REG_DWORD, Dword(340)}},
       0,
       0,
       3,
       120,
       340},
      {"negative position in two's complement",
       {{L"x_win", REG_DWORD, Dword(0xFFFFFF38)}, {L"y_win", REG_DWORD, Dword(0x80000000)}},
       1,
       1,
       1,
       -200,
       LONG_MIN},
      {"x_win without y_win", {{L"x_win", REG_DWORD, Dword(50)}}, 1, 1, 1, 50, 0},
      {"topmost as a string", {{L"topmost", REG_SZ, Text(L"0")}}, 1, 1, 1, 0, 0},
      {"scale out of range", {{L"scale", REG_DWORD, Dword(7)}}, 1, 1, 7, 0, 0},
      {"scale of 4 binary bytes", {{L"scale", REG_BINARY, Dword(2)}}, 1, 1, 1, 0, 0},
      {"3-byte dword, then a good one",
       {{L"show.second_hand", REG_DWORD, {0, 0, 0}}, {L"topmost", REG_DWORD, Dword(0)}},
       1,
       0,
       1,
       0,
       0},
      {"8-byte dword, then a good one",
       {{L"x_win", REG_DWORD, {5, 0, 0, 0, 0, 0, 0, 0}}, {L"y_win", REG_DWORD, Dword(9)}},
       1,
       1,
       1,
       0,
       9},
      {"qword topmost", {{L"topmost", REG_QWORD, {0, 0, 0, 0, 0, 0, 0, 0}}}, 1, 1, 1, 0, 0},
  };
  for (const LoadCase& row : cases) {
    SCOPED_TRACE(row.name);
    DeleteKey(kSettingsKeyPath);
    CreateEmptyKey(kSettingsKeyPath);
    for (const RawValue& value : row.values) {
      WriteValue(kSettingsKeyPath, value);
    }
    ClockState state = StateWithCaption(L"Velomir");

    const StoredPosition position = LoadSettings(state);

    EXPECT_TRUE(position.key_opened);
    EXPECT_EQ(state.show_second_hand, row.show_second_hand);
    EXPECT_EQ(state.topmost, row.topmost);
    EXPECT_EQ(state.scale, row.scale);
    EXPECT_EQ(position.x, row.x);
    EXPECT_EQ(position.y, row.y);
  }
}

TEST_F(SettingsStoreTest, CaptionNamesTheKeyAndTheRunValue) {
  WriteValue(kSettingsKeyPath, {L"scale", REG_DWORD, Dword(3)});
  WriteValue(kProbeKeyPath, {L"scale", REG_DWORD, Dword(2)});
  DeleteValue(kRunKeyPath, kProbeCaption);
  ClockState state = StateWithCaption(kProbeCaption);

  LoadSettings(state);
  SaveAutorun(state);

  EXPECT_EQ(state.scale, 2);
  EXPECT_TRUE(ReadValue(kRunKeyPath, kProbeCaption).has_value());
}

struct AutorunLoadCase {
  const char* name;
  std::optional<RawValue> value;
  int autorun_before;
  int autorun_after;
};

TEST_F(SettingsStoreTest, AutorunIsAnExistingStringValue) {
  const AutorunLoadCase cases[] = {
      {"missing", std::nullopt, 1, 0},
      {"string", RawValue{L"Velomir", REG_SZ, Text(L"\"C:\\velomir.exe\"")}, 0, 1},
      {"empty string", RawValue{L"Velomir", REG_SZ, {}}, 0, 1},
      {"string filling the read buffer", RawValue{L"Velomir", REG_SZ, Text(std::wstring(259, 'a'))},
       0, 1},
      {"string past the read buffer", RawValue{L"Velomir", REG_SZ, Text(std::wstring(700, 'a'))}, 0,
       1},
      {"expandable string", RawValue{L"Velomir", REG_EXPAND_SZ, Text(L"%windir%\\v.exe")}, 1, 0},
      {"long expandable string", RawValue{L"Velomir", REG_EXPAND_SZ, Text(std::wstring(700, 'a'))},
       1, 0},
      {"dword", RawValue{L"Velomir", REG_DWORD, Dword(1)}, 1, 0},
  };
  for (const AutorunLoadCase& row : cases) {
    SCOPED_TRACE(row.name);
    DeleteValue(kRunKeyPath, L"Velomir");
    if (row.value) {
      WriteValue(kRunKeyPath, *row.value);
    }
    state_.autorun = row.autorun_before;

    LoadAutorun(state_);

    EXPECT_EQ(state_.autorun, row.autorun_after);
  }
}

TEST_F(SettingsStoreTest, MissingRunKeyKeepsAutorun) {
  RegistryKeyGuard run_key_guard{HKEY_CURRENT_USER, kRunKeyPath};
  DeleteKey(kRunKeyPath);
  for (const int autorun : {0, 1}) {
    state_.autorun = autorun;

    LoadAutorun(state_);

    EXPECT_EQ(state_.autorun, autorun);
  }
}

struct SaveCase {
  const char* name;
  bool key_exists;
  RECT window;
  int scale;
  int show_second_hand;
  int topmost;
};

TEST_F(SettingsStoreTest, SavesFiveDwordsAndReadsThemBack) {
  const SaveCase cases[] = {
      {"new key", false, {120, 340, 320, 540}, 7, 0, 1},
      {"left of and above the screen", true, {-150, -40, 50, 160}, 0, 1, 0},
  };
  for (const SaveCase& row : cases) {
    SCOPED_TRACE(row.name);
    DeleteKey(kSettingsKeyPath);
    if (row.key_exists) {
      // A stale value of the wrong type and size is replaced, not left beside the new one.
      WriteValue(kSettingsKeyPath, {L"x_win", REG_SZ, Text(L"stale")});
    }
    PlainWindow window(row.window);
    state_.hwnd = window.hwnd();
    state_.scale = row.scale;
    state_.show_second_hand = row.show_second_hand;
    state_.topmost = row.topmost;

    SaveSettings(state_);

    const struct {
      const wchar_t* name;
      LONG number;
    } expected[] = {{L"x_win", row.window.left},
                    {L"y_win", row.window.top},
                    {L"scale", row.scale},
                    {L"show.second_hand", row.show_second_hand},
                    {L"topmost", row.topmost}};
    for (const auto& value : expected) {
      SCOPED_TRACE(value.name);
      const std::optional<RawValue> stored = ReadValue(kSettingsKeyPath, value.name);
      ASSERT_TRUE(stored.has_value());
      EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
      EXPECT_EQ(stored->data, Dword(static_cast<uint32_t>(value.number)));
    }
    ClockState reloaded = StateWithCaption(L"Velomir");
    const StoredPosition position = LoadSettings(reloaded);
    EXPECT_EQ(position.x, row.window.left);
    EXPECT_EQ(position.y, row.window.top);
    EXPECT_EQ(reloaded.scale, row.scale);
    EXPECT_EQ(reloaded.show_second_hand, row.show_second_hand);
    EXPECT_EQ(reloaded.topmost, row.topmost);
  }
}

struct AutorunSaveCase {
  const char* name;
  std::optional<RawValue> before;
  int autorun;
};

TEST_F(SettingsStoreTest, AutorunWritesOrDeletesOnlyItsValue) {
  RegistryValueGuard neighbour_guard{HKEY_CURRENT_USER, kRunKeyPath, L"VelomirNeighbour"};
  const RawValue neighbour{L"VelomirNeighbour", REG_SZ, Text(L"neighbour.exe")};
  const AutorunSaveCase cases[] = {
      {"off deletes the value", RawValue{L"Velomir", REG_SZ, Text(L"old.exe")}, 0},
      {"off without a value", std::nullopt, 0},
      {"on creates the value", std::nullopt, 1},
      {"on replaces an expandable value", RawValue{L"Velomir", REG_EXPAND_SZ, Text(L"old")}, 1},
  };
  for (const AutorunSaveCase& row : cases) {
    SCOPED_TRACE(row.name);
    DeleteValue(kRunKeyPath, L"Velomir");
    WriteValue(kRunKeyPath, neighbour);
    if (row.before) {
      WriteValue(kRunKeyPath, *row.before);
    }
    state_.autorun = row.autorun;

    SaveAutorun(state_);

    const std::optional<RawValue> stored = ReadValue(kRunKeyPath, L"Velomir");
    EXPECT_EQ(stored.has_value(), row.autorun == 1);
    if (stored) {
      EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
    }
    const std::optional<RawValue> other = ReadValue(kRunKeyPath, L"VelomirNeighbour");
    ASSERT_TRUE(other.has_value());
    EXPECT_EQ(other->data, neighbour.data);
  }
}

// This test program is started with the arguments "two  blanks" and a 600-character word.
TEST_F(SettingsStoreTest, AutorunValueIsQuotedPathAndWholeArguments) {
  state_.autorun = 1;

  SaveAutorun(state_);

  const std::optional<RawValue> stored = ReadValue(kRunKeyPath, L"Velomir");
  ASSERT_TRUE(stored.has_value());
  const std::wstring expected = AutorunCommand(GetCommandLineW(), ProgramPath());
  EXPECT_EQ(stored->data, Text(expected));
  const std::wstring quoted_path = L"\"" + ProgramPath() + L"\"";
  EXPECT_EQ(expected.compare(0, quoted_path.size(), quoted_path), 0);
  EXPECT_NE(expected.find(L"two  blanks"), std::wstring::npos);
  const std::wstring last_argument = Widen(__argv[__argc - 1]);
  ASSERT_EQ(last_argument.size(), 600u);
  EXPECT_EQ(
      expected.compare(expected.size() - last_argument.size(), std::wstring::npos, last_argument),
      0);
  // Longer than the read buffer, and still read as autorun on.
  state_.autorun = 0;
  LoadAutorun(state_);
  EXPECT_EQ(state_.autorun, 1);
}

struct CommandCase {
  const char* name;
  std::wstring command_line;
  std::wstring program_path;
  std::wstring expected;
};

TEST(AutorunCommandTest, QuotesFullPathAndKeepsArgumentsExactly) {
  const std::wstring spaced = L"C:\\Program Files\\Velomir\\velomir.exe";
  const std::wstring plain = L"C:\\Apps\\velomir.exe";
  const std::wstring long_tail = L" " + std::wstring(1000, L'a');
  const std::wstring long_path = L"C:\\" + std::wstring(300, L'd') + L"\\velomir.exe";
  const CommandCase cases[] = {
      {"bare name", L"velomir", plain, L"\"" + plain + L"\""},
      {"bare name with an argument", L"velomir.exe /x", plain, L"\"" + plain + L"\" /x"},
      {"relative path", L"..\\bin\\velomir.exe", spaced, L"\"" + spaced + L"\""},
      {"unquoted path with spaces is the program's own path", spaced, spaced,
       L"\"" + spaced + L"\""},
      {"unquoted path with spaces and arguments", spaced + L" /a  b", spaced,
       L"\"" + spaced + L"\" /a  b"},
      {"unquoted path with spaces, other case, no .exe", L"c:\\program files\\velomir\\VELOMIR /a",
       spaced, L"\"" + spaced + L"\" /a"},
      {"unquoted path of another program ends at the first blank",
       L"C:\\Program Files\\Other\\velomir.exe /a", spaced,
       L"\"" + spaced + L"\" Files\\Other\\velomir.exe /a"},
      {"quoted path with arguments", L"\"" + spaced + L"\" /a b", spaced,
       L"\"" + spaced + L"\" /a b"},
      {"extra blanks kept", L"velomir.exe   a  \t b  ", plain, L"\"" + plain + L"\"   a  \t b  "},
      {"tab after the name", L"velomir.exe\t/x", plain, L"\"" + plain + L"\"\t/x"},
      {"text right after the closing quote", L"\"vel omir.exe\"x y", plain,
       L"\"" + plain + L"\"x y"},
      {"quote never closed", L"\"C:\\a b\\velomir.exe /x", plain, L"\"" + plain + L"\""},
      {"empty quoted name", L"\"\"  x", plain, L"\"" + plain + L"\"  x"},
      {"empty command line", L"", plain, L"\"" + plain + L"\""},
      {"very long arguments", L"velomir.exe" + long_tail, plain, L"\"" + plain + L"\"" + long_tail},
      {"very long program path", L"v.exe /x", long_path, L"\"" + long_path + L"\" /x"},
  };
  for (const CommandCase& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(AutorunCommand(row.command_line.c_str(), row.program_path), row.expected);
  }
}

}  // namespace
