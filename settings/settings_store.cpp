#include "settings/settings_store.h"

#include <cstring>

#include "shell/program_folder.h"

namespace {

constexpr const wchar_t* kSettingsRoot = L"Software\\Tavrix\\";
constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Run value is read into this many bytes; a longer one still exists, so it still counts.
constexpr DWORD kRunValueReadBytes = 520;

// The settings key is named after the caption, so another caption keeps settings of its own.
// The path grows with the caption rather than being cut to a fixed buffer.
std::wstring SettingsKeyPath(const ClockState& state) {
  return std::wstring(kSettingsRoot) + state.caption;
}

// Takes a value only when it is exactly a 4-byte REG_DWORD: a shorter one would fill part of the
// number, a longer one does not fit. Otherwise the target keeps what it had.
void QueryInt32(HKEY key, const wchar_t* name, LONG& target) {
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof(data);
  const LSTATUS result =
      RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(data)) {
    return;
  }
  // The bit pattern is a two's-complement signed number: a window left of the screen is negative.
  std::memcpy(&target, &data, sizeof(target));
}

void QueryInt32(HKEY key, const wchar_t* name, int& target) {
  LONG value = target;
  QueryInt32(key, name, value);
  target = value;
}

void SetInt32(HKEY key, const wchar_t* name, LONG value) {
  DWORD data;
  std::memcpy(&data, &value, sizeof(data));
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

bool IsBlankOrEnd(wchar_t c) {
  return c == L'\0' || c == L' ' || c == L'\t';
}

// An unquoted name with blanks in it ("C:\Program Files\Velomir\velomir.exe /x") is found by
// the system by trying ever longer prefixes; when one of them is this program's own path, with
// or without ".exe", that whole prefix is the name.
const wchar_t* SkipUnquotedProgramPath(const wchar_t* command_line,
                                       const std::wstring& program_path) {
  std::wstring candidate = program_path;
  for (int tries = 0; tries < 2; ++tries) {
    const int length = static_cast<int>(candidate.size());
    if (length > 0 && static_cast<int>(wcsnlen(command_line, length)) == length &&
        CompareStringOrdinal(command_line, length, candidate.c_str(), length, TRUE) == CSTR_EQUAL &&
        IsBlankOrEnd(command_line[length])) {
      return command_line + length;
    }
    const std::size_t extension = candidate.size() >= 4 ? candidate.size() - 4 : 0;
    if (CompareStringOrdinal(candidate.c_str() + extension, -1, L".exe", -1, TRUE) != CSTR_EQUAL) {
      break;
    }
    candidate.resize(extension);
  }
  return nullptr;
}

// Where the program name ends in a command line, parsed as Windows parses it: a quoted name ends
// at its closing quote, an unquoted one at the first blank unless it spells the program's path.
const wchar_t* SkipProgramName(const wchar_t* command_line, const std::wstring& program_path) {
  const wchar_t* p = command_line;
  if (*p == L'"') {
    ++p;
    while (*p != L'\0' && *p != L'"') {
      ++p;
    }
    return *p == L'"' ? p + 1 : p;
  }
  if (const wchar_t* after_path = SkipUnquotedProgramPath(command_line, program_path)) {
    return after_path;
  }
  while (!IsBlankOrEnd(*p)) {
    ++p;
  }
  return p;
}

}  // namespace

std::wstring AutorunCommand(const wchar_t* command_line, const std::wstring& program_path) {
  return L"\"" + program_path + L"\"" + SkipProgramName(command_line, program_path);
}

StoredPosition LoadSettings(ClockState& state) {
  StoredPosition position{false, 0, 0};
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKeyPath(state).c_str(), 0, KEY_ALL_ACCESS, &key) !=
      ERROR_SUCCESS) {
    return position;
  }
  position.key_opened = true;
  QueryInt32(key, L"show.second_hand", state.show_second_hand);
  QueryInt32(key, L"topmost", state.topmost);
  QueryInt32(key, L"scale", state.scale);
  QueryInt32(key, L"x_win", position.x);
  QueryInt32(key, L"y_win", position.y);
  RegCloseKey(key);
  return position;
}

void LoadAutorun(ClockState& state) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    return;
  }
  BYTE data[kRunValueReadBytes];
  DWORD size = sizeof(data);
  DWORD type = 0;
  const LSTATUS result = RegQueryValueExW(key, state.caption, nullptr, &type, data, &size);
  // The value's existence is the state; ERROR_MORE_DATA still reports the type of a long one.
  const bool exists = result == ERROR_SUCCESS || result == ERROR_MORE_DATA;
  state.autorun = exists && type == REG_SZ ? 1 : 0;
  RegCloseKey(key);
}

void SaveSettings(ClockState& state) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKeyPath(state).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  RECT rect{};
  GetWindowRect(state.hwnd, &rect);
  SetInt32(key, L"x_win", rect.left);
  SetInt32(key, L"y_win", rect.top);
  SetInt32(key, L"scale", state.scale);
  SetInt32(key, L"show.second_hand", state.show_second_hand);
  SetInt32(key, L"topmost", state.topmost);
  RegCloseKey(key);
}

void SaveAutorun(ClockState& state) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  if (!state.autorun) {
    RegDeleteValueW(key, state.caption);
    RegCloseKey(key);
    return;
  }
  // At sign-in the command runs from the system folder: only a quoted full path finds the
  // program. Written whole, terminator included.
  const std::wstring command = AutorunCommand(GetCommandLineW(), ProgramPath());
  const DWORD bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
  RegSetValueExW(key, state.caption, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 bytes);
  RegCloseKey(key);
}
