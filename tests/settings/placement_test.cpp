#include "settings/placement.h"

#include "face/frame.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <ostream>

// RECT lives in the global namespace, where the test macros look for its comparison and printing.
static std::ostream& operator<<(std::ostream& out, const RECT& rect) {
  return out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom
             << ")";
}

static bool operator==(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}

namespace {

constexpr UINT kSide = 200;

RECT WindowRect(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect;
}

struct DefaultCase {
  const char* name;
  RECT taskbar;
  RECT expected;
};

TEST(DefaultPlacementRectTest, CornerOfWhatTheTaskbarLeaves) {
  const RECT desktop{0, 0, 1920, 1080};
  const DefaultCase cases[] = {
      {"at the bottom", {0, 1040, 1920, 1080}, {1720, 840, 1920, 1040}},
      {"at the right", {1860, 0, 1920, 1080}, {1660, 880, 1860, 1080}},
      {"at the top", {0, 0, 1920, 40}, {1720, 880, 1920, 1080}},
      {"at the left", {0, 0, 60, 1080}, {1720, 880, 1920, 1080}},
      {"no taskbar window", {0, 0, 0, 0}, {1720, 880, 1920, 1080}},
      {"short of both side edges", {100, 1040, 1900, 1080}, {1720, 880, 1920, 1080}},
      {"mostly below the screen", {0, 1078, 1920, 1120}, {1720, 878, 1920, 1078}},
      {"a strip across the middle", {0, 500, 1920, 540}, {1720, 880, 1920, 1080}},
      {"on another screen", {1920, 1040, 3840, 1080}, {1720, 880, 1920, 1080}},
      {"covering the whole screen", {-10, -10, 2000, 1100}, {-200, -200, 0, 0}},
  };
  for (const DefaultCase& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DefaultPlacementRect(desktop, row.taskbar, kSide), row.expected);
  }
}

// An opaque face of one colour, so a drawn frame shows in the back buffer's corner.
constexpr COLORREF kFaceColour = RGB(200, 30, 60);

Gdiplus::Bitmap* SolidFace(UINT side) {
  auto* face = new Gdiplus::Bitmap(side, side, PixelFormat32bppARGB);
  Gdiplus::Graphics(face).Clear(
      Gdiplus::Color(255, GetRValue(kFaceColour), GetGValue(kFaceColour), GetBValue(kFaceColour)));
  return face;
}

// A layered tool window like the clock's, with a face picture of a known side.
class PlacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&gdiplus_token_, &input, nullptr), Gdiplus::Ok);
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"VelomirPlacementTest";
    RegisterClassW(&window_class);
    state_.hwnd =
        CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, window_class.lpszClassName, L"", WS_POPUP,
                        10, 10, 50, 50, nullptr, nullptr, window_class.hInstance, nullptr);
    ASSERT_NE(state_.hwnd, nullptr);
    state_.face_image = SolidFace(kSide);
  }
  void TearDown() override {
    delete state_.face_image;
    delete state_.overlay_image;
    ReleaseBackBuffer(state_);
    DestroyWindow(state_.hwnd);
    Gdiplus::GdiplusShutdown(gdiplus_token_);
  }

  ULONG_PTR gdiplus_token_ = 0;
  ClockState state_ = DefaultClockState();
};

TEST_F(PlacementTest, DefaultSitsAboveTheRealTaskbar) {
  const RECT desktop = WindowRect(GetDesktopWindow());
  const HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  ASSERT_NE(tray, nullptr) << "the test desktop runs a taskbar";
  const RECT taskbar = WindowRect(tray);
  ASSERT_TRUE(taskbar.left <= desktop.left && taskbar.right >= desktop.right &&
              taskbar.bottom >= desktop.bottom && taskbar.top > desktop.top)
      << "the test desktop's taskbar lies along the bottom: " << taskbar;

  PlaceAtDefault(state_);

  const LONG side = static_cast<LONG>(kSide);
  const RECT expected{desktop.right - side, taskbar.top - side, desktop.right, taskbar.top};
  EXPECT_EQ(WindowRect(state_.hwnd), expected) << "desktop " << desktop << ", taskbar " << taskbar;
}

TEST_F(PlacementTest, NormalRectIsWhereTheWindowLands) {
  const RECT desktop = WindowRect(GetDesktopWindow());
  const struct {
    const char* name;
    RECT rect;
  } cases[] = {
      {"on the screen", {100, 120, 300, 320}},
      {"not square", {10, 20, 110, 70}},
      {"partly left of and above the screen", {-50, -60, 150, 140}},
      {"partly past the bottom-right corner",
       {desktop.right - 50, desktop.bottom - 30, desktop.right + 150, desktop.bottom + 170}},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);

    SetNormalRect(state_, row.rect);

    EXPECT_EQ(WindowRect(state_.hwnd), row.rect);
  }
}

TEST_F(PlacementTest, TopmostChangesLayerOnly) {
  const struct {
    const char* name;
    bool topmost_before;
    int topmost;
  } cases[] = {
      {"into the topmost layer", false, 1},
      {"out of the topmost layer", true, 0},
      {"stays topmost", true, 1},
      {"stays below", false, 0},
  };
  SetWindowPos(state_.hwnd, nullptr, 40, 60, 120, 120, SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT before = WindowRect(state_.hwnd);
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    SetWindowPos(state_.hwnd, row.topmost_before ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    state_.topmost = row.topmost;

    ApplyTopmost(state_);

    const bool on_top = (GetWindowLongPtrW(state_.hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    EXPECT_EQ(on_top, row.topmost == 1);
    EXPECT_EQ(WindowRect(state_.hwnd), before);
  }
}

TEST_F(PlacementTest, FitKeepsTopLeftTakesNewSideAndDraws) {
  const RECT desktop = WindowRect(GetDesktopWindow());
  const struct {
    const char* name;
    POINT top_left;
    UINT old_side;
    UINT new_side;
  } cases[] = {
      {"growing on the screen", {300, 200}, 120, 200},
      {"shrinking partly above and left of the screen", {-50, -30}, 200, 120},
      {"growing past the bottom-right corner",
       {desktop.right - 100, desktop.bottom - 100},
       120,
       200},
  };
  CreateBackBuffer(state_);
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    const LONG old_side = static_cast<LONG>(row.old_side);
    SetNormalRect(state_, RECT{row.top_left.x, row.top_left.y, row.top_left.x + old_side,
                               row.top_left.y + old_side});
    delete state_.face_image;
    delete state_.overlay_image;
    state_.face_image = SolidFace(row.new_side);
    state_.overlay_image = new Gdiplus::Bitmap(row.new_side, row.new_side, PixelFormat32bppARGB);
    PatBlt(state_.back_dc, 0, 0, kBackBufferSide, kBackBufferSide, BLACKNESS);

    FitWindowToFace(state_);

    const LONG new_side = static_cast<LONG>(row.new_side);
    EXPECT_EQ(WindowRect(state_.hwnd),
              (RECT{row.top_left.x, row.top_left.y, row.top_left.x + new_side,
                    row.top_left.y + new_side}));
    EXPECT_EQ(GetPixel(state_.back_dc, 1, 1), kFaceColour) << "a frame with the new face";
  }
}

}  // namespace
