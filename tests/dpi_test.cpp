#include "text/dpi.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DpiTest, RescalingRoundsToTheNearestPixelAndMirrorsAtTheOrigin) {
  const struct {
    int pixels, from, to, expected;
  } cases[] = {
      {389, 96, 144, 584},  // 583.5 goes up, as ScaleToDpi has it
      {584, 144, 96, 389}, {96, 96, 120, 120}, {7, 96, 144, 11}, {-7, 96, 144, -11},
      {0, 144, 96, 0},     {1, 192, 96, 1},    {3, 144, 96, 2},  // 2: a pixel's worth, not 1.5
                                                                 // truncated
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RescaleDpi(c.pixels, c.from, c.to), c.expected)
        << c.pixels << " px from " << c.from << " to " << c.to << " DPI";
  }
  EXPECT_EQ(RescaleDpi(389, 96, 144), ScaleToDpi(389, 144));
}

// A window taken to another monitor and back has its controls where they were, and controls
// that touch or stand apart at one DPI do at the other: their edges are scaled, never their
// sizes, so neither drifts nor overlaps by rounding.
TEST(DpiTest, ControlsComeBackWhereTheyWereAndNeverOverlap) {
  const int pairs[][2] = {{96, 144}, {96, 120}, {96, 168}, {96, 192}, {120, 144}};
  for (const auto& pair : pairs) {
    for (int x = -50; x < 2000; ++x) {
      const int there = RescaleDpi(x, pair[0], pair[1]);
      ASSERT_EQ(RescaleDpi(there, pair[1], pair[0]), x) << x << " via " << pair[1];
      ASSERT_LE(there, RescaleDpi(x + 1, pair[0], pair[1])) << x << " to " << pair[1];
    }
  }
  const PixelRect left{10, 20, 60, 34}, right{60, 20, 117, 34};
  const PixelRect leftThere = RescaleDpi(left, 96, 144), rightThere = RescaleDpi(right, 96, 144);
  EXPECT_EQ(leftThere.right, rightThere.left);
  EXPECT_EQ((std::vector<int>{leftThere.left, leftThere.top, leftThere.right, leftThere.bottom}),
            (std::vector<int>{15, 30, 90, 51}));
}

}  // namespace
