#include "settings/placement.h"

#include "face/face_images.h"
#include "face/frame.h"

namespace {

// Screen edges are signed 32-bit; a side added to or taken from an extreme edge wraps like the
// platform's own rectangle arithmetic instead of overflowing. The window's width, right minus
// left, then still comes out as the side.
LONG Offset(LONG edge, UINT length) {
  return static_cast<LONG>(static_cast<DWORD>(edge) + length);
}

LONG Back(LONG edge, UINT length) {
  return static_cast<LONG>(static_cast<DWORD>(edge) - length);
}

}  // namespace

RECT DefaultPlacementRect(RECT desktop, RECT taskbar, UINT side) {
  // What the taskbar leaves free: it only shrinks the screen where it covers a whole strip along
  // one edge, which is SubtractRect's rule.
  RECT free_area = desktop;
  SubtractRect(&free_area, &desktop, &taskbar);
  return RECT{Back(free_area.right, side), Back(free_area.bottom, side), free_area.right,
              free_area.bottom};
}

void PlaceAtDefault(ClockState& state) {
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  // Without a taskbar window the read fails and the rectangle stays empty.
  RECT taskbar{};
  GetWindowRect(FindWindowW(L"Shell_TrayWnd", nullptr), &taskbar);
  SetNormalRect(state, DefaultPlacementRect(desktop, taskbar, FaceWidth(state)));
}

void SetNormalRect(ClockState& state, RECT rect) {
  // For a tool window the normal-position rectangle is in screen coordinates, so it is exactly
  // where the window lands; everything else about the placement stays as it is.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  placement.flags = WPF_SETMINPOSITION;
  GetWindowPlacement(state.hwnd, &placement);
  placement.rcNormalPosition = rect;
  SetWindowPlacement(state.hwnd, &placement);
}

RECT SquareAt(LONG left, LONG top, UINT side) {
  return RECT{left, top, Offset(left, side), Offset(top, side)};
}

void FitWindowToFace(ClockState& state) {
  RECT window{};
  GetWindowRect(state.hwnd, &window);
  SetNormalRect(state, SquareAt(window.left, window.top, FaceWidth(state)));
  RenderClock(state);
}

void ApplyTopmost(ClockState& state) {
  const HWND layer = state.topmost ? HWND_TOPMOST : HWND_NOTOPMOST;
  SetWindowPos(state.hwnd, layer, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
