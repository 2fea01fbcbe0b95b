// The elapsed-seconds counter as line strokes: which glyph lands in which
// cell, and glyphs that keep to their cells and can be told apart.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "render/drawers.h"
#include "tests/support/recorded_calls.h"

namespace {

// What the three cells show, -1 for an empty cell, read back from the strips
// drawn at (x, y) with unit size.
std::vector<int> CellsShown(float x, float y, float size) {
  std::vector<int> cells = {-1, -1, -1};
  for (const std::vector<Vec3>& strip : RecordedStrips()) {
    int found = -2;
    for (int cell = 0; cell < 3 && found == -2; ++cell)
      for (int digit = 0; digit < 10 && found == -2; ++digit) {
        if (glyphPointCount[digit] != (int)strip.size()) continue;
        bool same = true;
        for (size_t k = 0; k < strip.size(); ++k) {
          same = same && std::fabs(strip[k].x - (x + size * (4 * cell + glyphPoints[digit][k][0]))) < 1e-5 &&
                 std::fabs(strip[k].y - (y + size * glyphPoints[digit][k][1])) < 1e-5 && strip[k].z == 0.0;
        }
        if (same) {
          EXPECT_EQ(cells[cell], -1) << "cell " << cell << " drawn twice";
          cells[cell] = digit;
          found = digit;
        }
      }
    EXPECT_NE(found, -2) << "a strip that is no glyph of any cell";
  }
  return cells;
}

TEST(ElapsedDigits, ShowTheLastDigitsAndLeaveCellsOutsideZeroToNineEmpty) {
  struct Case {
    int number;
    std::vector<int> cells;
  };
  const Case cases[] = {
      {0, {0, 0, 0}},          {7, {0, 0, 7}},           {42, {0, 4, 2}},       {999, {9, 9, 9}},
      {100, {1, 0, 0}},        {1000, {-1, 0, 0}},       {1099, {-1, 9, 9}},    {1234, {-1, 3, 4}},
      {-5, {0, 0, -1}},        {-123, {-1, -1, -1}},     {INT_MAX, {-1, 4, 7}}, {INT_MIN, {-1, -1, -1}},
      {568, {5, 6, 8}},        {391, {3, 9, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    ResetGlState();
    DrawElapsedDigits(c.number, -2.0f, 2.0f, 0.08f);
    EXPECT_EQ(CellsShown(-2.0f, 2.0f, 0.08f), c.cells);
    // Yellow-green strokes 1.5 wide, set before the first strip.
    ASSERT_GE(glCalls.size(), 2u);
    EXPECT_EQ(glCalls[0].name, "glLineWidth");
    EXPECT_EQ(glCalls[0].args[0], 1.5);
    EXPECT_EQ(glCalls[1].name, "glColor3f");
    EXPECT_EQ(glCalls[1].args, (std::vector<double>{0.8f, 0.9f, 0.1f}));
  }
}

TEST(ElapsedDigits, SpanElevenUnitsFromTheGivenLeftEdge) {
  ResetGlState();
  DrawElapsedDigits(888, -2.0f, 2.0f, 0.08f);
  double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
  for (const GlCall& call : glCalls)
    if (call.name == "glVertex3f") {
      left = std::fmin(left, call.args[0]);
      right = std::fmax(right, call.args[0]);
      bottom = std::fmin(bottom, call.args[1]);
      top = std::fmax(top, call.args[1]);
    }
  EXPECT_EQ(left, -2.0);
  EXPECT_NEAR(right, -1.12, 1e-6);
  EXPECT_NEAR(bottom, 2.0, 1e-6);
  EXPECT_NEAR(top, 2.32, 1e-6);
}

TEST(ElapsedDigits, EachGlyphKeepsToItsCellAndNoTwoDigitsLookAlike) {
  for (int digit = 0; digit < 10; ++digit) {
    SCOPED_TRACE(digit);
    ASSERT_GE(glyphPointCount[digit], 2);
    ASSERT_LE(glyphPointCount[digit], 9);
    for (int k = 0; k < glyphPointCount[digit]; ++k) {
      // Three units wide, so one unit stays clear before the next cell; the
      // strokes may reach 0.15 below the baseline and 0.1 above the top.
      EXPECT_GE(glyphPoints[digit][k][0], 0.0f);
      EXPECT_LE(glyphPoints[digit][k][0], 3.0f);
      EXPECT_GE(glyphPoints[digit][k][1], -0.15f);
      EXPECT_LE(glyphPoints[digit][k][1], 4.1f);
    }
    for (int other = 0; other < digit; ++other) {
      bool same = glyphPointCount[digit] == glyphPointCount[other];
      for (int k = 0; same && k < glyphPointCount[digit]; ++k)
        same = glyphPoints[digit][k][0] == glyphPoints[other][k][0] && glyphPoints[digit][k][1] == glyphPoints[other][k][1];
      EXPECT_FALSE(same) << "drawn like " << other;
    }
  }
}

}  // namespace
