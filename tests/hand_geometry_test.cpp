// Hand strokes against the worked figures of the dial. Coordinates are compared as decimal
// text rounded to the digits given: eight significant digits, a float's last place at these sizes.
#include "face/hand_geometry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Rounds the value to as many fraction digits as `expected` shows.
std::string RoundLike(float value, const char* expected) {
  const char* dot = std::strchr(expected, '.');
  const int digits = dot ? static_cast<int>(std::strlen(dot + 1)) : 0;
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", digits, static_cast<double>(value));
  return text;
}

struct TipRow {
  const char* x;
  const char* y;
};

struct WorkedRow {
  std::uint32_t width;
  std::uint16_t hour, minute, second;
  std::int32_t pivot;
  TipRow tips[4];  // hour, minute, second, counterweight
};

const WorkedRow kWorkedRows[] = {
    {255,
     0,
     0,
     0,
     125,
     {{"125", "56.25"}, {"125", "25"}, {"125", "20"}, {"125.06968", "168.74994"}}},
    {255,
     12,
     0,
     0,
     125,
     {{"124.78101", "56.250347"}, {"125", "25"}, {"125", "20"}, {"125.06968", "168.74994"}}},
    {200,
     15,
     30,
     45,
     98,
     {{"150.07634", "111.90197"},
      {"98.124863", "176.39990"},
      {"15.680235", "98.196663"},
      {"132.29973", "97.863434"}}},
};

const char* const kStrokeNames[] = {"hour", "minute", "second", "counterweight"};

TEST(HandGeometry, MatchesWorkedFigures) {
  for (const WorkedRow& row : kWorkedRows) {
    const HandStrokes strokes = ComputeHandSegments(row.hour, row.minute, row.second, row.width, 1);
    ASSERT_EQ(strokes.count, 4u);
    EXPECT_EQ(strokes.pivot, row.pivot);
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(testing::Message() << "W=" << row.width << " " << row.hour << ":" << row.minute
                                      << ":" << row.second << " " << kStrokeNames[i]);
      const HandSegment& s = strokes.segments[i];
      EXPECT_EQ(RoundLike(s.tip.x, row.tips[i].x), row.tips[i].x);
      EXPECT_EQ(RoundLike(s.tip.y, row.tips[i].y), row.tips[i].y);
      EXPECT_EQ(s.pivot.x, static_cast<float>(row.pivot));
      EXPECT_EQ(s.pivot.y, static_cast<float>(row.pivot));
    }
  }
}

// Straight up and straight right involve no rounding at all, so they must be exact.
TEST(HandGeometry, UprightHandsAreExact) {
  const HandStrokes strokes = ComputeHandSegments(0, 0, 0, 255, 1);
  EXPECT_EQ(strokes.segments[0].tip.x, 125.0f);
  EXPECT_EQ(strokes.segments[0].tip.y, 56.25f);
  EXPECT_EQ(strokes.segments[1].tip.y, 25.0f);
  EXPECT_EQ(strokes.segments[2].tip.y, 20.0f);
}

TEST(HandGeometry, LengthsAndWidthsAreSinglePrecisionProducts) {
  struct Row {
    std::uint32_t width;
    float lengths[4];
    float main_width, second_width;
  };
  const Row rows[] = {
      {255, {68.75f, 100.0f, 105.0f, 43.75f}, 3.75f, 2.5f},
      {200,
       {0.55f * 98.0f, 0.8f * 98.0f, 0.84f * 98.0f, 0.35f * 98.0f},
       0.03f * 98.0f,
       0.02f * 98.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "W=" << row.width);
    // At 00:00:00 every hand is vertical: its length is the distance from the pivot in y.
    const HandStrokes s = ComputeHandSegments(0, 0, 0, row.width, 1);
    const float p = static_cast<float>(s.pivot);
    EXPECT_EQ(p - s.segments[0].tip.y, row.lengths[0]);
    EXPECT_EQ(p - s.segments[1].tip.y, row.lengths[1]);
    EXPECT_EQ(p - s.segments[2].tip.y, row.lengths[2]);
    EXPECT_EQ(s.segments[0].width, row.main_width);
    EXPECT_EQ(s.segments[1].width, row.main_width);
    EXPECT_EQ(s.segments[2].width, row.second_width);
    EXPECT_EQ(s.segments[3].width, row.second_width);
  }
  EXPECT_FLOAT_EQ(0.55f * 98.0f, 53.9f);
  EXPECT_FLOAT_EQ(0.03f * 98.0f, 2.94f);
}

TEST(HandGeometry, PivotIsHalfWidthLessTwo) {
  const struct {
    std::uint32_t width;
    std::int32_t pivot;
  } rows[] = {{255, 125}, {200, 98}, {201, 98}, {166, 81}, {4, 0}, {3, -1}, {0, -2}};
  for (const auto& row : rows) {
    EXPECT_EQ(ComputeHandSegments(3, 0, 0, row.width, 0).pivot, row.pivot) << "W=" << row.width;
  }
}

bool SameStrokes(const HandStrokes& a, const HandStrokes& b) {
  return a.count == b.count && a.pivot == b.pivot &&
         std::memcmp(a.segments, b.segments, a.count * sizeof(HandSegment)) == 0;
}

TEST(HandGeometry, AfternoonHoursFoldOntoMorning) {
  for (std::uint16_t hour = 13; hour <= 23; ++hour) {
    EXPECT_TRUE(SameStrokes(ComputeHandSegments(hour, 17, 41, 200, 1),
                            ComputeHandSegments(hour - 12, 17, 41, 200, 1)))
        << "hour " << hour;
  }
  // Midnight and noon stay apart: 0 and 360 degrees differ once 3.14 stands for pi.
  EXPECT_FALSE(
      SameStrokes(ComputeHandSegments(0, 0, 0, 255, 0), ComputeHandSegments(12, 0, 0, 255, 0)));
}

TEST(HandGeometry, SecondHandFlagChoosesTwoOrFourStrokes) {
  const struct {
    std::int32_t flag;
    std::uint32_t count;
  } rows[] = {{0, 2}, {1, 4}, {-1, 4}, {7, 4}};
  for (const auto& row : rows) {
    const HandStrokes s = ComputeHandSegments(10, 10, 10, 200, row.flag);
    EXPECT_EQ(s.count, row.count) << "flag " << row.flag;
    // Hour and minute never depend on the flag.
    const HandStrokes shown = ComputeHandSegments(10, 10, 10, 200, 1);
    EXPECT_EQ(std::memcmp(s.segments, shown.segments, 2 * sizeof(HandSegment)), 0);
  }
}

TEST(HandGeometry, EqualPivotsGiveEqualStrokes) {
  EXPECT_TRUE(SameStrokes(ComputeHandSegments(15, 30, 45, 200, 1),
                          ComputeHandSegments(15, 30, 45, 201, 1)));
}

// The minute hand ignores seconds, the hour hand moves half a degree a minute.
TEST(HandGeometry, HandsMoveByTheirOwnUnit) {
  const HandStrokes a = ComputeHandSegments(10, 59, 0, 255, 0);
  const HandStrokes b = ComputeHandSegments(10, 59, 59, 255, 0);
  EXPECT_TRUE(SameStrokes(a, b));
  // 354 degrees: the minute tip lies left of the pivot and above it.
  EXPECT_LT(b.segments[1].tip.x, 125.0f);
  EXPECT_LT(b.segments[1].tip.y, 125.0f);
  // At 3:30 the hour hand is at 105 degrees: right of the pivot and below it.
  const HandStrokes half_past = ComputeHandSegments(3, 30, 0, 255, 0);
  EXPECT_GT(half_past.segments[0].tip.x, 125.0f);
  EXPECT_GT(half_past.segments[0].tip.y, 125.0f);
}

}  // namespace
