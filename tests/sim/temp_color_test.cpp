// The three colour scales: the colour table, the thresholds of the red curves,
// the blue cut-off, and values just outside 1.0 to 4.0.
#include <gtest/gtest.h>

#include <cmath>

#include "sim/temp_color.h"

namespace {

class TempColor : public ::testing::Test {
 protected:
  void TearDown() override { colorScale = 0; }
};

// The smallest normalised temperature whose 0..255 value reaches target.
double FirstNReaching(double target) {
  double n = target / 255.0;
  while (n * 255.0 < target) n = std::nextafter(n, 2.0);
  while (std::nextafter(n, -2.0) * 255.0 >= target) n = std::nextafter(n, -2.0);
  return n;
}

TEST_F(TempColor, ColourTableOfTheThreeScales) {
  struct Row {
    double t;
    float rgb[3][3];  // scale 0, 1, 2
  };
  const Row table[] = {
      {1.0, {{0, 0, 0.9875f}, {0, 0, 0.9875f}, {0, 0, 0.9875f}}},
      {2.0, {{0.3668f, 0.8820f, 0.6704f}, {0, 0.8820f, 0.6704f}, {0, 0.8820f, 0.6704f}}},
      {2.3, {{0.5366f, 0.9746f, 0.4516f}, {0, 0.9746f, 0.4516f}, {0, 0.9746f, 0.4516f}}},
      {2.5, {{0.6346f, 0.9922f, 0.2740f}, {0, 0.9922f, 0.2740f}, {0, 0.9922f, 0.2740f}}},
      {3.0, {{0.8262f, 0.8820f, 0}, {0.2995f, 0.8820f, 0}, {0.5062f, 0.8820f, 0}}},
      {3.3, {{0.9046f, 0.7100f, 0}, {0.6058f, 0.7100f, 0}, {0.7369f, 0.7100f, 0}}},
      {4.0, {{0.9806f, 0, 0}, {0.9912f, 0, 0}, {0.9972f, 0, 0}}},
  };
  for (const Row& row : table)
    for (int scale = 0; scale < 3; ++scale) {
      colorScale = scale;
      float rgb[3] = {-1, -1, -1};
      TempToColor(row.t, rgb);
      for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(rgb[k], row.rgb[scale][k], 0.00006)
            << "T " << row.t << " scale " << scale << " component " << k;
    }
}

TEST_F(TempColor, EndsOfTheRangeInEveryScale) {
  for (int scale = 0; scale < 3; ++scale) {
    colorScale = scale;
    float rgb[3];
    TempToColor(1.0, rgb);
    EXPECT_EQ(rgb[0], 0.0f);
    EXPECT_EQ(rgb[1], 0.0f);
    EXPECT_NEAR(rgb[2], 0.98754, 0.000005);
    TempToColor(4.0, rgb);
    EXPECT_EQ(rgb[1], 0.0f);
    EXPECT_EQ(rgb[2], 0.0f);
  }
}

TEST_F(TempColor, RedThresholdsOfTheScales) {
  colorScale = 0;  // the root of the curve: red rises from 0 without a step
  const double at40 = FirstNReaching(40.0);
  ASSERT_EQ(at40 * 255.0, 40.0);
  EXPECT_EQ(TempToRed(at40), 0.0);
  EXPECT_EQ(TempToRed(std::nextafter(at40, 0.0)), 0.0);
  EXPECT_GT(TempToRed(41.0 / 255.0), 0.0);
  EXPECT_LT(TempToRed(41.0 / 255.0), 0.01);

  colorScale = 1;  // a step of 0.00731 at v = 150.45
  const double at150_45 = FirstNReaching(150.45);
  EXPECT_EQ(TempToRed(std::nextafter(at150_45, 0.0)), 0.0);
  EXPECT_NEAR(TempToRed(at150_45), 0.00731, 0.000005);

  colorScale = 2;  // a step of 0.00074 at n = 0.51
  EXPECT_EQ(TempToRed(std::nextafter(0.51, 0.0)), 0.0);
  EXPECT_NEAR(TempToRed(0.51), 0.00074, 0.000005);
}

TEST_F(TempColor, BlueEndsAtVOf150WithoutGoingNegative) {
  float rgb[3];
  TempToColor(2.76470588235, rgb);  // v just below 150: a trace of blue
  EXPECT_GT(rgb[2], 0.0f);
  EXPECT_LT(rgb[2], 1e-9f);
  TempToColor(2.76470588236, rgb);  // just above: cut off, not the curve's tiny negative
  EXPECT_EQ(rgb[2], 0.0f);
  TempToColor(3.5, rgb);
  EXPECT_EQ(rgb[2], 0.0f);
}

TEST_F(TempColor, OtherScaleValuesGiveNoRed) {
  const int scales[] = {3, -1, 100};
  const double temperatures[] = {1.0, 2.3, 3.3, 4.0, 5.0};
  for (int scale : scales)
    for (double t : temperatures) {
      colorScale = scale;
      float rgb[3] = {-1, -1, -1};
      TempToColor(t, rgb);
      EXPECT_EQ(rgb[0], 0.0f) << "scale " << scale << " T " << t;
      colorScale = 0;
      float usual[3];
      TempToColor(t, usual);
      EXPECT_EQ(rgb[1], usual[1]);
      EXPECT_EQ(rgb[2], usual[2]);
    }
}

TEST_F(TempColor, JustBelowOneGivesATinyNegativeGreen) {
  float rgb[3];
  TempToColor(1.0 - 1e-10, rgb);  // where the centre of a settled 1.0 run sits
  EXPECT_LT(rgb[1], 0.0f);
  EXPECT_GT(rgb[1], -1e-9f);
  EXPECT_EQ(rgb[0], 0.0f);
  EXPECT_NEAR(rgb[2], 0.98754, 0.000005);
}

}  // namespace
