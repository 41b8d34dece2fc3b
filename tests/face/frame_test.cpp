// Frames: what lands in the back buffer, in which colour, and the size the window takes.
#include "face/frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "face/face_images.h"
#include "face/hand_geometry.h"
#include "tests/face/face_test_support.h"

namespace {

// 06:00:15 puts every stroke on an axis of its own from the pivot: hour hand down, minute hand
// up, second hand right, counterweight left. The middle of each is covered by it alone.
constexpr SYSTEMTIME kAxesTime = {2024, 1, 1, 1, 6, 0, 15, 0};
// The hands well apart, for frames people look at.
constexpr SYSTEMTIME kLookingTime = {2024, 1, 1, 1, 10, 9, 37, 0};

constexpr const char* kStrokeNames[] = {"hour", "minute", "second", "counterweight"};
// Antialiasing and premultiplication round each channel a little.
constexpr int kTolerance = 3;

// A clock on a picture module with the back buffer made and the 65% pictures loaded.
class FrameClock : public TestClock {
 public:
  explicit FrameClock(const wchar_t* module) {
    UseModule(module);
    loaded = LoadFaceImages(state);
    CreateBackBuffer(state);
  }
  bool loaded;
};

POINT StrokeMiddle(const HandSegment& stroke) {
  return {std::lround((stroke.tip.x + stroke.pivot.x) / 2),
          std::lround((stroke.tip.y + stroke.pivot.y) / 2)};
}

HandStrokes StrokesOf(const ClockState& state, const SYSTEMTIME& time) {
  return ComputeHandSegments(time.wHour, time.wMinute, time.wSecond, FaceWidth(state), 1);
}

// Where a pixel is not premultiplied (a colour channel above alpha), or empty when all are.
std::string FirstStraightPixel(const ClockState& state) {
  for (int y = 0; y < kBackBufferSide; ++y) {
    for (int x = 0; x < kBackBufferSide; ++x) {
      const std::uint32_t pixel = BackBufferPixel(state, x, y);
      const std::uint32_t alpha = pixel >> 24;
      if (((pixel >> 16) & 0xFF) > alpha || ((pixel >> 8) & 0xFF) > alpha ||
          (pixel & 0xFF) > alpha) {
        return "(" + std::to_string(x) + ", " + std::to_string(y) + ") " + PixelText(pixel);
      }
    }
  }
  return "";
}

std::uint32_t PicturePixel(Gdiplus::Bitmap* picture, int x, int y) {
  Gdiplus::Color colour;
  picture->GetPixel(x, y, &colour);
  return Premultiplied(colour);
}

TEST(BackBuffer, IsA255SquareDibReleasedOnce) {
  TestClock clock;
  CreateBackBuffer(clock.state);
  ASSERT_NE(clock.state.back_dc, nullptr);
  const HGDIOBJ dib = GetCurrentObject(clock.state.back_dc, OBJ_BITMAP);
  DIBSECTION section = {};
  ASSERT_EQ(GetObjectW(dib, sizeof section, &section), static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmWidth, kBackBufferSide);
  EXPECT_EQ(section.dsBm.bmHeight, kBackBufferSide);
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
  EXPECT_NE(clock.state.back_bitmap, dib) << "the context's first bitmap is kept aside";

  ReleaseBackBuffer(clock.state);
  EXPECT_EQ(clock.state.back_dc, nullptr);
  EXPECT_EQ(clock.state.back_bitmap, nullptr);
  EXPECT_EQ(GetObjectType(dib), 0u) << "the DIB section is deleted";
  ReleaseBackBuffer(clock.state);
}

TEST(RenderClock, PaintsFaceHandsAndOverlay) {
  FrameClock clock(L"fixture_faces.dll");
  ASSERT_TRUE(clock.loaded);
  ClockState& state = clock.state;
  RenderClockAt(state, kAxesTime);

  const SIZE window = WindowSize(state.hwnd);
  EXPECT_EQ(window.cx, 128);
  EXPECT_EQ(window.cy, 128);
  EXPECT_EQ(FirstStraightPixel(state), "");

  // Off the ring and off the hands, inside the face and beyond it: nothing.
  const POINT clear_points[] = {{0, 0}, {30, 30}, {90, 90}, {127, 127}, {200, 40}, {254, 254}};
  for (const POINT& at : clear_points) {
    EXPECT_EQ(BackBufferPixel(state, at.x, at.y), 0u) << "at " << at.x << ", " << at.y;
  }
  // The ring of the face, as the face has it.
  EXPECT_EQ(BackBufferPixel(state, 62, 2), PicturePixel(state.face_image, 62, 2));
  // The cap of the overlay, off the hands, and the hands in the cap's colour.
  const HandStrokes strokes = StrokesOf(state, kAxesTime);
  const int off_hands = strokes.pivot + 2;
  const std::uint32_t cap_edge = PicturePixel(state.overlay_image, off_hands, off_hands);
  ASSERT_NE(cap_edge, 0u) << "the cap of the overlay covers this pixel";
  EXPECT_EQ(BackBufferPixel(state, off_hands, off_hands), cap_edge);
  const std::uint32_t cap = PicturePixel(state.overlay_image, strokes.pivot, strokes.pivot);
  for (std::uint32_t i = 0; i < strokes.count; ++i) {
    const POINT at = StrokeMiddle(strokes.segments[i]);
    const std::uint32_t pixel = BackBufferPixel(state, at.x, at.y);
    EXPECT_TRUE(NearPixel(pixel, cap, kTolerance))
        << kStrokeNames[i] << " hand at " << at.x << ", " << at.y << ": " << PixelText(pixel);
  }
}

TEST(RenderClock, SecondHandOnlyWhenShown) {
  for (int show : {0, 1}) {
    SCOPED_TRACE("show_second_hand " + std::to_string(show));
    FrameClock clock(L"fixture_faces.dll");
    ASSERT_TRUE(clock.loaded);
    clock.state.show_second_hand = show;
    RenderClockAt(clock.state, kAxesTime);
    const HandStrokes strokes = StrokesOf(clock.state, kAxesTime);
    const std::uint32_t cap = PicturePixel(clock.state.overlay_image, strokes.pivot, strokes.pivot);
    for (std::uint32_t i = 0; i < strokes.count; ++i) {
      const bool drawn = i < 2 || show;
      const POINT at = StrokeMiddle(strokes.segments[i]);
      const std::uint32_t pixel = BackBufferPixel(clock.state, at.x, at.y);
      EXPECT_EQ(NearPixel(pixel, cap, kTolerance), drawn)
          << kStrokeNames[i] << " hand: " << PixelText(pixel);
      if (!drawn) {
        EXPECT_EQ(pixel, 0u) << kStrokeNames[i] << " hand";
      }
    }
  }
}

struct ColourRow {
  const char* name;
  const wchar_t* module;
  std::uint32_t hand;  // premultiplied, as the hands land on the transparent buffer
};

const ColourRow kColourRows[] = {
    {"opaque cap rgb(200, 40, 40)", L"fixture_faces.dll", 0xFFC82828},
    // Alpha 127: each channel scaled by 127/255.
    {"half-transparent cap", L"fixture_half_cap.dll", 0x7F641414},
    {"transparent cap: invisible hands", L"fixture_clear_cap.dll", 0x00000000},
    {"overlay without a pivot pixel: opaque black", L"fixture_tiny_overlay.dll", 0xFF000000},
};

TEST(RenderClock, HandsTakeTheOverlayPivotColour) {
  for (const ColourRow& row : kColourRows) {
    SCOPED_TRACE(row.name);
    FrameClock clock(row.module);
    ASSERT_TRUE(clock.loaded);
    RenderClockAt(clock.state, kAxesTime);
    EXPECT_EQ(FirstStraightPixel(clock.state), "");
    const HandStrokes strokes = StrokesOf(clock.state, kAxesTime);
    for (std::uint32_t i = 0; i < strokes.count; ++i) {
      const POINT at = StrokeMiddle(strokes.segments[i]);
      const std::uint32_t pixel = BackBufferPixel(clock.state, at.x, at.y);
      EXPECT_TRUE(NearPixel(pixel, row.hand, kTolerance))
          << kStrokeNames[i] << " hand: " << PixelText(pixel) << ", wanted " << PixelText(row.hand);
    }
  }
}

struct SizeRow {
  const wchar_t* module;
  int scale;
  LONG side;
};

// One window through several sizes: each first frame has the new size, whatever came before.
const SizeRow kSizeRows[] = {
    {L"fixture_faces.dll", 3, 200},
    {L"fixture_faces.dll", 0, 64},
    {L"fixture_wide.dll", 1, kBackBufferSide},  // the 300 px face shows its top-left square
    {L"fixture_faces.dll", 1, 128},
};

TEST(RenderClock, WindowTakesTheFaceSizeUpToTheBuffer) {
  TestClock clock;
  CreateBackBuffer(clock.state);
  for (const SizeRow& row : kSizeRows) {
    SCOPED_TRACE("side " + std::to_string(row.side));
    const HMODULE module = LoadPictureModule(row.module);
    clock.state.resource_module = module;
    clock.state.scale = row.scale;
    ASSERT_TRUE(LoadFaceImages(clock.state));
    RenderClockAt(clock.state, kAxesTime);
    const SIZE window = WindowSize(clock.state.hwnd);
    EXPECT_EQ(window.cx, row.side);
    EXPECT_EQ(window.cy, row.side);
    // The last pixel of the window shows the face's pixel there.
    const int last = row.side - 1;
    EXPECT_EQ(BackBufferPixel(clock.state, last, last),
              PicturePixel(clock.state.face_image, last, last));
    FreeLibrary(module);
  }
}

CLSID PngEncoder() {
  UINT count = 0;
  UINT bytes = 0;
  Gdiplus::GetImageEncodersSize(&count, &bytes);
  std::vector<BYTE> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, bytes, codecs);
  for (UINT i = 0; i < count; ++i) {
    if (lstrcmpW(codecs[i].MimeType, L"image/png") == 0) {
      return codecs[i].Clsid;
    }
  }
  return CLSID_NULL;
}

// The window's part of the back buffer as a PNG file.
Gdiplus::Status SaveFrame(const ClockState& state, UINT side, const std::wstring& path) {
  DIBSECTION section = {};
  GetObjectW(GetCurrentObject(state.back_dc, OBJ_BITMAP), sizeof section, &section);
  Gdiplus::Bitmap frame(side, side, section.dsBm.bmWidthBytes, PixelFormat32bppPARGB,
                        static_cast<BYTE*>(section.dsBm.bmBits));
  const CLSID png = PngEncoder();
  return frame.Save(path.c_str(), &png, nullptr);
}

struct ArtRow {
  int scale;
  const wchar_t* label;
  UINT side;  // the label's share of the largest face, 255 px, in whole pixels
};

const ArtRow kArtRows[] = {{0, L"50", 128}, {1, L"65", 166}, {2, L"80", 204}, {3, L"100", 255}};

// The program's own pictures: square faces of the four sizes with transparent corners, overlays
// of the same size with an opaque cap at the pivot. Each frame is saved as frames/frame_<size>.png.
TEST(RenderClock, FramesOfTheProgramPictures) {
  ASSERT_EQ(test_arguments.size(), 2u) << "arguments: <zentoria.dll> <folder for the frames>";
  TestClock clock;
  clock.UseModule(test_arguments[0]);
  ASSERT_NE(clock.state.resource_module, nullptr);
  CreateBackBuffer(clock.state);
  CreateDirectoryW(test_arguments[1].c_str(), nullptr);
  for (const ArtRow& row : kArtRows) {
    SCOPED_TRACE("scale " + std::to_string(row.scale));
    clock.state.scale = row.scale;
    ASSERT_TRUE(LoadFaceImages(clock.state));
    const UINT side = FaceWidth(clock.state);
    EXPECT_EQ(side, row.side);
    EXPECT_EQ(clock.state.face_image->GetHeight(), side);
    const int last = static_cast<int>(side) - 1;
    for (const POINT corner : {POINT{0, 0}, POINT{last, 0}, POINT{0, last}, POINT{last, last}}) {
      EXPECT_EQ(PicturePixel(clock.state.face_image, corner.x, corner.y) >> 24, 0u)
          << "corner " << corner.x << "," << corner.y << " lets the desktop through";
    }
    EXPECT_EQ(clock.state.overlay_image->GetWidth(), side);
    EXPECT_EQ(clock.state.overlay_image->GetHeight(), side);
    const int pivot = static_cast<int>(side >> 1) - 2;
    EXPECT_EQ(PicturePixel(clock.state.overlay_image, pivot, pivot) >> 24, 0xFFu)
        << "the hands take the colour of an opaque cap";

    RenderClockAt(clock.state, kLookingTime);
    EXPECT_EQ(WindowSize(clock.state.hwnd).cx, static_cast<LONG>(side));
    EXPECT_EQ(FirstStraightPixel(clock.state), "");
    const std::wstring path = test_arguments[1] + L"\\frame_" + row.label + L".png";
    EXPECT_EQ(SaveFrame(clock.state, side, path), Gdiplus::Ok);
  }
}

}  // namespace
