#include "tests/ui/window_call_trace.h"

#include <string>

#include "tests/support/import_patch.h"

namespace {

using SetWindowPosCall = decltype(&SetWindowPos);
using UpdateLayeredWindowCall = decltype(&UpdateLayeredWindow);
using SetWindowPlacementCall = decltype(&SetWindowPlacement);

HWND watched_window;
std::vector<std::string> traced;
SetWindowPosCall real_set_window_pos;
UpdateLayeredWindowCall real_update_layered_window;
SetWindowPlacementCall real_set_window_placement;

BOOL WINAPI TraceSetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy,
                              UINT flags) {
  if (hwnd == watched_window) {
    const bool layer_only =
        x == 0 && y == 0 && cx == 0 && cy == 0 && flags == (SWP_NOMOVE | SWP_NOSIZE);
    if (layer_only && insert_after == HWND_TOPMOST) {
      traced.push_back("topmost");
    } else if (layer_only && insert_after == HWND_NOTOPMOST) {
      traced.push_back("not topmost");
    } else {
      traced.push_back("other SetWindowPos");
    }
  }
  return real_set_window_pos(hwnd, insert_after, x, y, cx, cy, flags);
}

BOOL WINAPI TraceUpdateLayeredWindow(HWND hwnd, HDC screen, POINT* position, SIZE* size, HDC source,
                                     POINT* source_origin, COLORREF key, BLENDFUNCTION* blend,
                                     DWORD flags) {
  if (hwnd == watched_window) {
    traced.push_back(size ? "frame " + std::to_string(size->cx) : "frame");
  }
  return real_update_layered_window(hwnd, screen, position, size, source, source_origin, key, blend,
                                    flags);
}

BOOL WINAPI TraceSetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
  if (hwnd == watched_window) {
    const RECT& rect = placement->rcNormalPosition;
    traced.push_back("place " + std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
                     std::to_string(rect.right - rect.left) + "x" +
                     std::to_string(rect.bottom - rect.top));
  }
  return real_set_window_placement(hwnd, placement);
}

}  // namespace

WindowCallTrace::WindowCallTrace(HWND watched) {
  watched_window = watched;
  traced.clear();
  real_set_window_pos = PatchImport("user32.dll", "SetWindowPos", &TraceSetWindowPos);
  real_update_layered_window =
      PatchImport("user32.dll", "UpdateLayeredWindow", &TraceUpdateLayeredWindow);
  real_set_window_placement =
      PatchImport("user32.dll", "SetWindowPlacement", &TraceSetWindowPlacement);
}

WindowCallTrace::~WindowCallTrace() {
  PatchImport("user32.dll", "SetWindowPos", real_set_window_pos);
  PatchImport("user32.dll", "UpdateLayeredWindow", real_update_layered_window);
  PatchImport("user32.dll", "SetWindowPlacement", real_set_window_placement);
  watched_window = nullptr;
}

const std::vector<std::string>& WindowCallTrace::calls() const {
  return traced;
}
