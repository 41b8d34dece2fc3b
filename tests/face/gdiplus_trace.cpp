#include "tests/face/gdiplus_trace.h"

#include <windows.h>
#include <gdiplus.h>

#include <cstring>

namespace {

using FromStreamCall = decltype(&Gdiplus::DllExports::GdipCreateBitmapFromStream);
using FromPixelsCall = decltype(&Gdiplus::DllExports::GdipCreateBitmapFromScan0);
using DisposeCall = decltype(&Gdiplus::DllExports::GdipDisposeImage);

std::vector<TracedCall> traced;
FromStreamCall real_from_stream;
FromPixelsCall real_from_pixels;
DisposeCall real_dispose;

Gdiplus::GpStatus WINGDIPAPI TraceFromStream(IStream* stream, Gdiplus::GpBitmap** bitmap) {
  const Gdiplus::GpStatus status = real_from_stream(stream, bitmap);
  traced.push_back({ImageCall::kFromStream, *bitmap});
  return status;
}

Gdiplus::GpStatus WINGDIPAPI TraceFromPixels(INT width, INT height, INT stride,
                                             Gdiplus::PixelFormat format, BYTE* scan0,
                                             Gdiplus::GpBitmap** bitmap) {
  const Gdiplus::GpStatus status = real_from_pixels(width, height, stride, format, scan0, bitmap);
  traced.push_back({ImageCall::kFromPixels, *bitmap});
  return status;
}

Gdiplus::GpStatus WINGDIPAPI TraceDispose(Gdiplus::GpImage* image) {
  traced.push_back({ImageCall::kDispose, image});
  return real_dispose(image);
}

// The slot of this program's import table through which it calls gdiplus.dll's `name`.
void** ImportSlot(const char* name) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
  for (; dll->Name; ++dll) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + dll->Name), "gdiplus.dll") != 0) {
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

std::ostream& operator<<(std::ostream& out, ImageCall call) {
  switch (call) {
    case ImageCall::kFromStream:
      return out << "picture from a stream";
    case ImageCall::kFromPixels:
      return out << "picture with its own pixels";
    case ImageCall::kDispose:
      return out << "picture disposed of";
  }
  return out;
}

GdiplusTrace::GdiplusTrace() {
  traced.clear();
  real_from_stream = Patch("GdipCreateBitmapFromStream", &TraceFromStream);
  real_from_pixels = Patch("GdipCreateBitmapFromScan0", &TraceFromPixels);
  real_dispose = Patch("GdipDisposeImage", &TraceDispose);
}

GdiplusTrace::~GdiplusTrace() {
  Patch("GdipCreateBitmapFromStream", real_from_stream);
  Patch("GdipCreateBitmapFromScan0", real_from_pixels);
  Patch("GdipDisposeImage", real_dispose);
}

const std::vector<TracedCall>& GdiplusTrace::calls() const {
  return traced;
}

void GdiplusTrace::Clear() {
  traced.clear();
}
