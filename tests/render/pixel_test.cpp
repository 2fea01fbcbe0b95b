// Frames rendered by Mesa offscreen at 819 x 819: what the user sees.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "render/lighting.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "sim/heat_step.h"
#include "tests/render/offscreen_frame.h"
#include "tests/support/scene_state.h"

namespace {

struct Rgb {
  int r, g, b;
};

Rgb At(int x, int y) {
  int rgb[3];
  PixelAt(x, y, rgb);
  return Rgb{rgb[0], rgb[1], rgb[2]};
}

bool Near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

::testing::AssertionResult IsColour(int x, int y, Rgb expected, int tolerance) {
  const Rgb got = At(x, y);
  if (Near(got, expected, tolerance)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is (" << got.r << ", " << got.g << ", "
                                       << got.b << "), expected (" << expected.r << ", " << expected.g << ", "
                                       << expected.b << ")";
}

const Rgb counterColour = {204, 230, 26};   // (0.8, 0.9, 0.1)
const Rgb gridColour = {26, 26, 26};        // the grid's (0.1, 0.1, 0.1), like the background

// Points inside disc cells (clear of the grid and the axes) and on the shell,
// for the start orientation and zoom.
const std::pair<int, int> discPoints[] = {{370, 300}, {500, 600}, {350, 450}, {560, 400}, {460, 690}, {420, 200}};
const std::pair<int, int> shellPoint = {640, 380};

// The yellow-green pixels of the counter's corner of the window.
std::set<std::pair<int, int>> CounterPixels() {
  std::set<std::pair<int, int>> pixels;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 320; ++x)
      if (Near(At(x, y), counterColour, 2)) pixels.insert({x, y});
  return pixels;
}

class Pixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenOffscreen());
    StartUpOffscreenScene();
  }
};

TEST_F(Pixels, BackgroundIsDarkGreyOrTheFogBackground) {
  struct Case {
    int fogOn;
    Rgb background;
  };
  const Case cases[] = {{0, {26, 26, 26}}, {1, {140, 115, 51}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fogOn);
    fogOn = c.fogOn;
    RenderOffscreen();
    EXPECT_TRUE(IsColour(780, 300, c.background, 1));
    EXPECT_TRUE(IsColour(20, 790, c.background, 1));
    EXPECT_TRUE(IsColour(300, 20, c.background, 1));
  }
}

TEST_F(Pixels, StartFrameShowsOneBlueDiscInsideAGreenShell) {
  RenderOffscreen();
  const Rgb disc = At(discPoints[0].first, discPoints[0].second);
  EXPECT_GT(disc.b, 200);
  EXPECT_LT(disc.r, 30);
  EXPECT_LT(disc.g, 30);
  for (const auto& p : discPoints) EXPECT_TRUE(IsColour(p.first, p.second, disc, 0));
  const Rgb shell = At(shellPoint.first, shellPoint.second);
  EXPECT_GT(shell.g, shell.r);
  EXPECT_GT(shell.g, shell.b);
  EXPECT_GT(shell.g, 100);
}

TEST_F(Pixels, FogMixesTheDiscWithTheFogColourByItsDistance) {
  RenderOffscreen();
  const Rgb clear = At(discPoints[0].first, discPoints[0].second);
  fogOn = 1;
  RenderOffscreen();
  const Rgb fogged = At(discPoints[0].first, discPoints[0].second);
  // About 0.77 of the surface and 0.23 of (0.35, 0.35, 0.15) at some 5.7 from the eye.
  EXPECT_NEAR(fogged.b, 0.77 * clear.b + 0.23 * 38, 12);
  EXPECT_NEAR(fogged.r, 0.77 * clear.r + 0.23 * 89, 12);
  EXPECT_TRUE(IsColour(20, 790, {140, 115, 51}, 1));
}

TEST_F(Pixels, CounterStaysPutWhileTheModelTurnsAndZooms) {
  elapsedSeconds = 123;
  RenderOffscreen();
  const std::set<std::pair<int, int>> before = CounterPixels();
  ASSERT_GT(before.size(), 300u);
  // The strokes lie where the three glyphs of 123 are: x from about 121 to 249.
  EXPECT_GE(before.begin()->first, 115);
  EXPECT_LE(before.rbegin()->first, 255);

  for (int frame = 0; frame < 10; ++frame) {
    spinAngle = 2.0f;   // 20 degrees in all about the start axis
    RenderOffscreen();
  }
  modelScale = 2.6f;
  RenderOffscreen();
  EXPECT_NE(At(discPoints[0].first, discPoints[0].second).b, 0);   // something was drawn
  EXPECT_EQ(CounterPixels(), before);
}

TEST_F(Pixels, UnlitFrameShowsDiscAndShellInTheCountersColour) {
  lightingOn = 0;
  RenderOffscreen();
  for (const auto& p : discPoints) EXPECT_TRUE(IsColour(p.first, p.second, counterColour, 1));
  EXPECT_TRUE(IsColour(shellPoint.first, shellPoint.second, counterColour, 1));
  // Lit again at the next frame.
  lightingOn = 1;
  RenderOffscreen();
  EXPECT_FALSE(IsColour(discPoints[0].first, discPoints[0].second, counterColour, 30));
}

TEST_F(Pixels, CubeEdgesAreBlueAndTheGridDarkGrey) {
  RenderOffscreen();
  int blue = 0, pink = 0, grid = 0;
  for (int y = 0; y < offscreenSize; ++y)
    for (int x = 0; x < offscreenSize; ++x) {
      const Rgb p = At(x, y);
      blue += Near(p, {0, 0, 230}, 2);
      pink += Near(p, {255, 0, 179}, 2);
      grid += x > 310 && x < 600 && y > 150 && y < 730 && Near(p, gridColour, 1);
    }
  EXPECT_GT(blue, 2000);   // twelve edges, most of them long
  EXPECT_GT(pink, 500);    // three thick axes
  EXPECT_GT(grid, 3000);   // the polar grid over the disc
}

TEST_F(Pixels, ShellTakesTheBoundaryColourAtARestartAndTheDiscFollowsTheSteps) {
  RenderOffscreen();
  const Rgb blueDisc = At(discPoints[0].first, discPoints[0].second);
  const Rgb greenShell = At(shellPoint.first, shellPoint.second);

  // "1.0": the boundary at 4.0 and the run restarted.
  boundaryTemp = 4.0;
  InitHeatGrid();
  RenderOffscreen();
  const Rgb redShell = At(shellPoint.first, shellPoint.second);
  EXPECT_GT(redShell.r, 2 * redShell.g);
  EXPECT_GT(redShell.r, 2 * redShell.b);
  EXPECT_FALSE(Near(redShell, greenShell, 30));
  for (const auto& p : discPoints) EXPECT_TRUE(IsColour(p.first, p.second, blueDisc, 0));

  // After 300 steps the whole disc is close to 4.0: red.
  for (int step = 0; step < 300; ++step) StepHeat();
  RenderOffscreen();
  for (const auto& p : discPoints) {
    const Rgb cell = At(p.first, p.second);
    EXPECT_GT(cell.r, 200) << p.first << ", " << p.second;
    EXPECT_LT(cell.b, 60) << p.first << ", " << p.second;
  }
}

TEST_F(Pixels, PanelDiffuseColoursNeverShowOnTheLitModel) {
  RenderOffscreen();
  std::vector<Rgb> before;
  for (const auto& p : discPoints) before.push_back(At(p.first, p.second));
  before.push_back(At(shellPoint.first, shellPoint.second));
  const float white[3] = {0.99609375f, 0.99609375f, 0.99609375f};
  const float black[3] = {0.0f, 0.0f, 0.0f};
  for (int k = 0; k < 3; ++k) {
    frontDiffuse[k] = white[k];
    backDiffuse[k] = black[k];
  }
  materialAlpha = 0.0f;
  RenderOffscreen();
  size_t n = 0;
  for (const auto& p : discPoints) EXPECT_TRUE(IsColour(p.first, p.second, before[n++], 0));
  EXPECT_TRUE(IsColour(shellPoint.first, shellPoint.second, before[n], 0));
}

TEST_F(Pixels, TenSecondsAfterARestartAtFourTheModelIsRedFromEverySide) {
  // What the end-to-end test relies on when it looks for red without knowing
  // where the spin stopped: seen from any side, disc and shell fill a wide
  // area in red (a red at least 90 of 255, green and blue below 0.4 of it).
  boundaryTemp = 4.0;
  InitHeatGrid();
  for (int step = 0; step < 200; ++step) StepHeat();
  unsigned seed = 99;
  auto next = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return (float)((seed >> 8) % 1000) / 500.0f - 1.0f;
  };
  int least = offscreenSize * offscreenSize;
  for (int k = 0; k < 50; ++k) {
    // A turn about a random axis, as a drag would leave it.
    const float angle = 180.0f * (next() + 1.0f);
    glPushMatrix();
    glLoadIdentity();
    glRotatef(angle, next(), next(), next());
    glMultMatrixf(rotation);
    glGetFloatv(GL_MODELVIEW_MATRIX, rotation);
    glPopMatrix();
    RenderOffscreen();
    int red = 0;
    for (int y = 0; y < offscreenSize; y += 4)
      for (int x = 0; x < offscreenSize; x += 4) {
        const Rgb p = At(x, y);
        red += p.r > 90 && 5 * p.g < 2 * p.r && 5 * p.b < 2 * p.r;
      }
    least = std::min(least, red);
  }
  // One pixel in 16 is looked at: 3000 of them are 48000 pixels, a quarter
  // of the disc seen face on.
  EXPECT_GT(least, 3000);
}

}  // namespace
