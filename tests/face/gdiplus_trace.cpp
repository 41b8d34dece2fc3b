#include "tests/face/gdiplus_trace.h"

#include <windows.h>
#include <gdiplus.h>

#include "tests/support/import_patch.h"

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
  real_from_stream = PatchImport("gdiplus.dll", "GdipCreateBitmapFromStream", &TraceFromStream);
  real_from_pixels = PatchImport("gdiplus.dll", "GdipCreateBitmapFromScan0", &TraceFromPixels);
  real_dispose = PatchImport("gdiplus.dll", "GdipDisposeImage", &TraceDispose);
}

GdiplusTrace::~GdiplusTrace() {
  PatchImport("gdiplus.dll", "GdipCreateBitmapFromStream", real_from_stream);
  PatchImport("gdiplus.dll", "GdipCreateBitmapFromScan0", real_from_pixels);
  PatchImport("gdiplus.dll", "GdipDisposeImage", real_dispose);
}

const std::vector<TracedCall>& GdiplusTrace::calls() const {
  return traced;
}

void GdiplusTrace::Clear() {
  traced.clear();
}
