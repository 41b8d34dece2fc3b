// Hand strokes of the analog clock: a pure function of the time and the face width.
// No Windows header here: this file and its .cpp also build and are tested on the host.
#pragma once

#include <cstdint>

struct HandPoint {  // same layout as GDI+'s PointF
  float x;
  float y;
};

// One straight stroke, drawn from tip to pivot with a pen of the given width.
struct HandSegment {
  HandPoint tip;
  HandPoint pivot;
  float width;
};

// pivot: the hands' common centre p (x and y alike), also where the hand colour is sampled.
// segments: hour, minute, then second hand and counterweight when shown; painting order.
struct HandStrokes {
  std::int32_t pivot;
  std::uint32_t count;
  HandSegment segments[4];
};

HandStrokes ComputeHandSegments(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
                                std::uint32_t face_width, std::int32_t show_second_hand);
