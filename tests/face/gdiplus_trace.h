// Records the GDI+ calls that make and dispose of pictures, so a test can tell which picture went
// when. It patches this program's import table while it lives: every call of the program's own
// code, the code under test included, passes through it.
#pragma once

#include <ostream>
#include <vector>

enum class ImageCall {
  kFromStream,  // a picture decoded from a stream
  kFromPixels,  // a picture made with pixel memory of its own
  kDispose,
};

// Names the call in test messages.
std::ostream& operator<<(std::ostream& out, ImageCall call);

struct TracedCall {
  ImageCall call;
  const void* image;  // GDI+'s own object, as the call made or took it
};

class GdiplusTrace {
 public:
  GdiplusTrace();
  ~GdiplusTrace();
  GdiplusTrace(const GdiplusTrace&) = delete;
  GdiplusTrace& operator=(const GdiplusTrace&) = delete;

  const std::vector<TracedCall>& calls() const;
  void Clear();
};
