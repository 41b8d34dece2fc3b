#include "tests/shell/clock_fixture.h"

#include <gdiplus.h>

#include <algorithm>
#include <cstring>

#include "face/frame.h"
#include "tests/support/gdiplus_session.h"

namespace {

// The clock draws with GDI+, which program entry starts before the window exists.
[[maybe_unused]] testing::Environment* const gdiplus_session =
    testing::AddGlobalTestEnvironment(new GdiplusSession);

HKEY OpenOrCreate(const wchar_t* path) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  return key;
}

StoredValue ReadValue(const wchar_t* path, const wchar_t* name) {
  StoredValue value{false, REG_NONE, 0, 0, L""};
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return value;
  }
  alignas(wchar_t) BYTE data[1024] = {};
  value.size = sizeof data;
  value.present =
      RegQueryValueExW(key, name, nullptr, &value.type, data, &value.size) == ERROR_SUCCESS;
  std::memcpy(&value.data, data, sizeof value.data);
  if (value.present && value.type == REG_SZ) {
    value.text = reinterpret_cast<const wchar_t*>(data);
  }
  RegCloseKey(key);
  return value;
}

void WriteValue(const wchar_t* path, const wchar_t* name, DWORD type, const void* data,
                DWORD size) {
  HKEY key = OpenOrCreate(path);
  RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

// The DIB section that the set-up selected into the back buffer, 255 by 255 pixels.
DWORD* BackBufferPixels(const ClockState& state) {
  DIBSECTION section{};
  HGDIOBJ dib = GetCurrentObject(state.back_dc, OBJ_BITMAP);
  if (GetObjectW(dib, sizeof section, &section) != sizeof section) {
    return nullptr;
  }
  return static_cast<DWORD*>(section.dsBm.bmBits);
}

constexpr int kBackBufferPixels = kBackBufferSide * kBackBufferSide;

}  // namespace

RECT WindowRect(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect;
}

RECT DefaultCorner(UINT side) {
  const LONG screen_right = GetSystemMetrics(SM_CXSCREEN);
  const LONG screen_bottom = GetSystemMetrics(SM_CYSCREEN);
  const RECT taskbar = WindowRect(FindWindowW(L"Shell_TrayWnd", nullptr));
  // The corner is above the taskbar only when the taskbar lies along the whole bottom edge.
  EXPECT_TRUE(taskbar.left <= 0 && taskbar.right >= screen_right &&
              taskbar.bottom >= screen_bottom && taskbar.top > 0)
      << "the test desktop's taskbar is not along the bottom";
  const LONG length = static_cast<LONG>(side);
  return RECT{screen_right - length, taskbar.top - length, screen_right, taskbar.top};
}

void MoveWindowTo(HWND hwnd, LONG x, LONG y) {
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ClearBackBuffer(const ClockState& state) {
  GdiFlush();
  DWORD* pixels = BackBufferPixels(state);
  ASSERT_NE(pixels, nullptr);
  std::fill(pixels, pixels + kBackBufferPixels, 0u);
}

bool BackBufferHoldsAFrame(const ClockState& state) {
  GdiFlush();
  const DWORD* pixels = BackBufferPixels(state);
  return pixels && std::any_of(pixels, pixels + kBackBufferPixels,
                               [](DWORD pixel) { return (pixel >> 24) != 0; });
}

void ForgetSettings() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKeyPath);
  RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKeyPath);
}

void KeepEmptySettings() {
  ForgetSettings();
  RegCloseKey(OpenOrCreate(kSettingsKeyPath));
}

void WriteSetting(const wchar_t* name, DWORD value) {
  WriteValue(kSettingsKeyPath, name, REG_DWORD, &value, sizeof value);
}

StoredValue ReadSetting(const wchar_t* name) {
  return ReadValue(kSettingsKeyPath, name);
}

void WriteRunValue(DWORD type, const void* data, DWORD size) {
  WriteValue(kRunKeyPath, L"Velomir", type, data, size);
}

void DeleteRunValue() {
  HKEY key = OpenOrCreate(kRunKeyPath);
  RegDeleteValueW(key, L"Velomir");
  RegCloseKey(key);
}

StoredValue ReadRunValue() {
  return ReadValue(kRunKeyPath, L"Velomir");
}
