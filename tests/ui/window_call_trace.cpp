#include "tests/ui/window_call_trace.h"

#include <cstring>

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

// The slot of this program's import table through which it calls user32.dll's `name`.
void** ImportSlot(const char* name) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
  for (; dll->Name; ++dll) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + dll->Name), "user32.dll") != 0) {
      continue;
    }
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
        continue;
      }
      const auto* by_name =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(by_name->Name), name) == 0) {
        return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

// Puts `replacement` into the slot of `name` and returns what was there.
template <typename Call>
Call Patch(const char* name, Call replacement) {
  void** slot = ImportSlot(name);
  if (!slot) {
    return nullptr;
  }
  DWORD protection;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
  Call previous = reinterpret_cast<Call>(*slot);
  *slot = reinterpret_cast<void*>(replacement);
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  return previous;
}

}  // namespace

WindowCallTrace::WindowCallTrace(HWND watched) {
  watched_window = watched;
  traced.clear();
  real_set_window_pos = Patch("SetWindowPos", &TraceSetWindowPos);
  real_update_layered_window = Patch("UpdateLayeredWindow", &TraceUpdateLayeredWindow);
  real_set_window_placement = Patch("SetWindowPlacement", &TraceSetWindowPlacement);
}

WindowCallTrace::~WindowCallTrace() {
  Patch("SetWindowPos", real_set_window_pos);
  Patch("UpdateLayeredWindow", real_update_layered_window);
  Patch("SetWindowPlacement", real_set_window_placement);
  watched_window = nullptr;
}

const std::vector<std::string>& WindowCallTrace::calls() const {
  return traced;
}
