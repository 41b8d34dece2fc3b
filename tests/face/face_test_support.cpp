#include "tests/face/face_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "face/frame.h"
#include "shell/program_folder.h"

namespace {

constexpr const wchar_t* kWindowClass = L"VelomirFaceTest";

void RegisterStandInClass() {
  static bool registered = false;
  if (registered) {
    return;
  }
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kWindowClass;
  registered = RegisterClassExW(&window_class) != 0;
}

int Channel(std::uint32_t pixel, int shift) {
  return static_cast<int>((pixel >> shift) & 0xFF);
}

}  // namespace

TestClock::TestClock() : state(DefaultClockState()) {
  RegisterStandInClass();
  state.hwnd = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0,
                               16, 16, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(state.hwnd, SW_SHOWNOACTIVATE);
  lstrcpynW(state.caption, L"Velomir face test", kTextUnits);
}

TestClock::~TestClock() {
  delete state.face_image;
  delete state.overlay_image;
  ReleaseBackBuffer(state);
  if (IsWindow(state.hwnd)) {
    DestroyWindow(state.hwnd);
  }
  if (module_) {
    FreeLibrary(module_);
  }
}

void TestClock::UseModule(const std::wstring& file) {
  module_ = LoadPictureModule(file);
  state.resource_module = module_;
}

HMODULE LoadPictureModule(const std::wstring& file) {
  const bool full_path = file.find_first_of(L"\\/") != std::wstring::npos;
  const std::wstring path = full_path ? file : ProgramFolderFile(file.c_str());
  return LoadLibraryExW(path.c_str(), nullptr,
                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

std::uint32_t BackBufferPixel(const ClockState& state, int x, int y) {
  DIBSECTION dib = {};
  GetObjectW(GetCurrentObject(state.back_dc, OBJ_BITMAP), sizeof dib, &dib);
  const auto* row = static_cast<const BYTE*>(dib.dsBm.bmBits) + y * dib.dsBm.bmWidthBytes;
  std::uint32_t pixel;
  std::memcpy(&pixel, row + x * 4, sizeof pixel);
  return pixel;
}

std::uint32_t Premultiplied(const Gdiplus::Color& colour) {
  const std::uint32_t alpha = colour.GetA();
  auto scale = [alpha](std::uint32_t channel) { return (channel * alpha + 127) / 255; };
  return alpha << 24 | scale(colour.GetR()) << 16 | scale(colour.GetG()) << 8 |
         scale(colour.GetB());
}

bool NearPixel(std::uint32_t actual, std::uint32_t expected, int tolerance) {
  for (int shift : {0, 8, 16, 24}) {
    if (std::abs(Channel(actual, shift) - Channel(expected, shift)) > tolerance) {
      return false;
    }
  }
  return true;
}

std::string PixelText(std::uint32_t pixel) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(pixel));
  return text;
}

SIZE WindowSize(HWND hwnd) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}
