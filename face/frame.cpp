#include "face/frame.h"

#include <gdiplus.h>

#include <algorithm>

#include "face/face_images.h"
#include "face/hand_geometry.h"

void CreateBackBuffer(ClockState& state) {
  HDC window_dc = GetDC(state.hwnd);
  state.back_dc = CreateCompatibleDC(window_dc);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kBackBufferSide;
  info.bmiHeader.biHeight = -kBackBufferSide;  // negative: rows run top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  // All drawing goes through GDI+ on back_dc, so the pixel pointer is not kept.
  void* pixels = nullptr;
  HBITMAP dib = CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  // Keeps the bitmap the context came with, to be put back before the DIB section goes.
  state.back_bitmap = SelectObject(state.back_dc, dib);
  ReleaseDC(state.hwnd, window_dc);
}

void ReleaseBackBuffer(ClockState& state) {
  if (!state.back_dc) {
    return;
  }
  state.back_bitmap = SelectObject(state.back_dc, state.back_bitmap);
  DeleteObject(state.back_bitmap);
  DeleteDC(state.back_dc);
  state.back_dc = nullptr;
  state.back_bitmap = nullptr;
}

void RenderClock(ClockState& state) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  RenderClockAt(state, now);
}

namespace {

// The hands take the colour, alpha included, of the overlay's pixel at the pivot (the centre
// cap); opaque black when the overlay has no such pixel.
Gdiplus::Color HandColour(Gdiplus::Bitmap& overlay, int pivot) {
  Gdiplus::Color sampled;
  if (overlay.GetPixel(pivot, pivot, &sampled) != Gdiplus::Ok) {
    return Gdiplus::Color(0xFF000000);
  }
  return sampled;
}

// The buffer is 255 by 255: a wider face shows its top-left square, and the window manager is
// never asked to read past the buffer.
void ShowBuffer(ClockState& state, UINT face_width) {
  const LONG side = static_cast<LONG>(std::min<UINT>(face_width, kBackBufferSide));
  SIZE size = {side, side};
  POINT origin = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(state.hwnd, nullptr, nullptr, &size, state.back_dc, &origin, 0, &blend,
                      ULW_ALPHA);
}

}  // namespace

void RenderClockAt(ClockState& state, const SYSTEMTIME& time) {
  Gdiplus::Graphics graphics(state.back_dc);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
  graphics.Clear(Gdiplus::Color(0x00000000));
  graphics.DrawImage(state.face_image, 0, 0);

  const UINT width = FaceWidth(state);
  const HandStrokes strokes =
      ComputeHandSegments(time.wHour, time.wMinute, time.wSecond, width, state.show_second_hand);
  // One pen in one colour serves every stroke; only its width changes.
  Gdiplus::Pen pen(HandColour(*state.overlay_image, strokes.pivot), 1.0f);
  pen.SetStartCap(Gdiplus::LineCapFlat);
  pen.SetEndCap(Gdiplus::LineCapFlat);
  for (UINT i = 0; i < strokes.count; ++i) {
    const HandSegment& stroke = strokes.segments[i];
    pen.SetWidth(stroke.width);
    graphics.DrawLine(&pen, stroke.tip.x, stroke.tip.y, stroke.pivot.x, stroke.pivot.y);
  }
  graphics.DrawImage(state.overlay_image, 0, 0);
  // Every stroke and picture must be in the buffer's pixels before the window takes them.
  graphics.Flush(Gdiplus::FlushIntentionSync);
  ShowBuffer(state, width);
}
