#include "face/hand_geometry.h"

#include <cmath>

namespace {

// The dial's degrees become radians through 3.14 rather than pi, so a full turn is 6.28 rad
// and 12:00 leans a fifth of a degree left of 00:00. The literal is the double nearest 3.14/180,
// written out so no compiler's constant folding can move it.
constexpr double kRadiansPerDegree = 0.017444444444444446;

// Lengths and widths are fractions of the pivot coordinate, multiplied in single precision.
constexpr float kHourLength = 0.55f;
constexpr float kMinuteLength = 0.8f;
constexpr float kSecondLength = 0.84f;
constexpr float kCounterweightLength = 0.35f;
constexpr float kMainWidth = 0.03f;
constexpr float kSecondWidth = 0.02f;

HandSegment MakeSegment(std::int32_t pivot, double degrees, float length, float width) {
  const double theta = degrees * kRadiansPerDegree;
  const double centre = pivot;
  const double reach = length;
  const float pivot_f = static_cast<float>(pivot);
  HandSegment segment;
  segment.tip.x = static_cast<float>(centre + std::sin(theta) * reach);
  segment.tip.y = static_cast<float>(centre - std::cos(theta) * reach);
  segment.pivot = {pivot_f, pivot_f};
  segment.width = width;
  return segment;
}

// Hours 13 to 23 fold onto 1 to 11; 0 and 12 stay apart (0 and 360 degrees).
double HourDegrees(std::uint16_t hour, std::uint16_t minute) {
  const int h = hour > 12 ? hour - 12 : hour;
  return (h + minute / 60.0) * 360 / 12;
}

}  // namespace

HandStrokes ComputeHandSegments(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
                                std::uint32_t face_width, std::int32_t show_second_hand) {
  // The art is centred two pixels up and left of the picture's middle pixel.
  const std::int32_t p = static_cast<std::int32_t>((face_width >> 1) - 2u);
  const float pf = static_cast<float>(p);
  const float main_width = kMainWidth * pf;
  const float second_width = kSecondWidth * pf;

  HandStrokes strokes{};
  strokes.pivot = p;
  strokes.segments[0] = MakeSegment(p, HourDegrees(hour, minute), kHourLength * pf, main_width);
  strokes.segments[1] = MakeSegment(p, minute * 6, kMinuteLength * pf, main_width);
  strokes.count = 2;
  if (show_second_hand != 0) {
    strokes.segments[2] = MakeSegment(p, second * 6, kSecondLength * pf, second_width);
    strokes.segments[3] =
        MakeSegment(p, (second + 30) * 6, kCounterweightLength * pf, second_width);
    strokes.count = 4;
  }
  return strokes;
}
