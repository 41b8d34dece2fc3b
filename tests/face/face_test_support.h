// What the face tests share: a stand-in for the clock window with its record, the picture modules
// built beside the tests, and the pixels of the back buffer.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shell/clock_state.h"

// Arguments left after GoogleTest's own, kept by the tests' main.
extern std::vector<std::wstring> test_arguments;

// A clock record on a plain layered popup, the kind of window the clock draws into. Whatever the
// record still holds when the test ends is released here; a window that the code under test
// destroyed stays destroyed.
class TestClock {
 public:
  TestClock();
  ~TestClock();
  TestClock(const TestClock&) = delete;
  TestClock& operator=(const TestClock&) = delete;

  // Maps a picture module as the record's resource module: a file beside the test program, or a
  // full path.
  void UseModule(const std::wstring& file);

  ClockState state;

 private:
  HMODULE module_ = nullptr;
};

// Maps a module for its resources only, as the clock does.
HMODULE LoadPictureModule(const std::wstring& file);

// A pixel of the back buffer as 0xAARRGGBB, premultiplied, as the window takes it.
std::uint32_t BackBufferPixel(const ClockState& state, int x, int y);
// A picture's colour as it lands on a transparent buffer: premultiplied by its alpha.
std::uint32_t Premultiplied(const Gdiplus::Color& colour);
// Whether no channel of the two pixels differs by more than `tolerance`.
bool NearPixel(std::uint32_t actual, std::uint32_t expected, int tolerance);
std::string PixelText(std::uint32_t pixel);
// Outer size of a window.
SIZE WindowSize(HWND hwnd);
