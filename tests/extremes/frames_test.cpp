// Extreme states pushed through the real window and panel procedures over
// offscreen: zoom without bound, the camera past the near plane, the counter out
// of its three digits, the tick count at its limit, a restart in mid-drag.
// The pictures are read back and searched for the cube and the counter.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <climits>
#include <cmath>
#include <vector>

#include "input/trackball.h"
#include "panels/resource_ids.h"
#include "render/camera.h"
#include "render/frame.h"
#include "render/redraw.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "tests/support/program_state.h"

namespace {

const int side = 204;   // the window, as on a screen 256 pixels high

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
  bool Near(int x, int y, int r, int g, int b) const {
    const unsigned char* p = &rgba[((size_t)y * width + x) * 4];
    return std::abs(p[0] - r) <= 40 && std::abs(p[1] - g) <= 40 && std::abs(p[2] - b) <= 40;
  }
  int Count(int x0, int y0, int x1, int y1, int r, int g, int b) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += Near(x, y, r, g, b);
    return n;
  }
};

// The counter's yellow-green and the cube's blue, as the line pass leaves them unlit.
int CounterPixels(const Picture& p, int x0, int x1) { return p.Count(x0, 0, x1, p.height / 3, 204, 229, 25); }
int CubePixels(const Picture& p) { return p.Count(0, 0, p.width, p.height, 0, 0, 229); }

// Column of the window where eye-space x lands on the counter's plane (5.7 from the eye).
int CounterColumn(const Picture& p, double eyeX) {
  return (int)((eyeX * 2.0 / 5.7 + 1.0) * 0.5 * p.width);
}

// Which of the counter's three cells hold strokes.
std::vector<bool> CellsDrawn(const Picture& p) {
  std::vector<bool> drawn;
  for (int cell = 0; cell < 3; ++cell) {
    const double left = -2.0 + 0.08 * 4 * cell;
    drawn.push_back(CounterPixels(p, CounterColumn(p, left) - 1, CounterColumn(p, left + 0.24) + 2) > 3);
  }
  return drawn;
}

class Extremes : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    window = OpenMainWindow(side);
    ASSERT_NE(window, nullptr);
    panel = OpenMainPanel(window);
    ASSERT_NE(panel, nullptr);
  }
  void TearDown() override { ResetProgramState(); }

  // Two frames as the idle loop draws them (the first after a change of
  // lighting still lights the counter); the second is read back.
  Picture Frames() {
    RequestRedraw();
    redrawHook();
    RequestRedraw();
    redrawHook();
    Picture p;
    p.rgba = headless::ReadPixels(&p.width, &p.height);
    return p;
  }
  void Mouse(unsigned message, int x, int y) { SendTo(window, message, 0, MakeLParam(x, y)); }
  void Press(int id) { ASSERT_TRUE(headless::Click(GetDlgItem(panel, id))); }
  void Command(int id) { SendTo(panel, WM_COMMAND, MakeWParam((unsigned)id, BN_CLICKED), 0); }

  WindowHandle window = nullptr;
  WindowHandle panel = nullptr;
};

// Pixels that are not the plain background.
int Drawn(const Picture& p) {
  return p.width * p.height - p.Count(0, 0, p.width, p.height, 26, 26, 26);
}

TEST_F(Extremes, ThousandsOfZoomStepsEachWayKeepEveryFrameFiniteAndComeBack) {
  tracking = 0;   // a still model, so that the pictures can be compared
  const Picture before = Frames();
  ASSERT_GT(CubePixels(before), 100);
  ASSERT_GT(CounterPixels(before, 0, before.width / 2), 20);

  // Up 3000 steps: the zoom stops at the largest float instead of reaching infinity.
  Mouse(WM_RBUTTONDOWN, 100, 4000);
  for (int k = 1; k <= 3000; ++k) {
    Mouse(WM_MOUSEMOVE, 100, 4000 - k);
    if (k % 500 == 0) {
      redrawHook();
      ASSERT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << "after " << k << " steps up";
    }
  }
  EXPECT_TRUE(std::isnormal(modelScale));
  EXPECT_GT(modelScale, 1e38f);
  const Picture huge = Frames();
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
  EXPECT_GT(CubePixels(huge) + CounterPixels(huge, 0, huge.width), 0) << "a poisoned picture";

  // Down 6000 steps: the zoom stops at the smallest normal float, not at zero;
  // the point-sized model leaves the cube and the counter in full view.
  for (int k = 1; k <= 6000; ++k) {
    Mouse(WM_MOUSEMOVE, 100, 1000 + k);
    if (k % 1000 == 0) redrawHook();
  }
  EXPECT_TRUE(std::isnormal(modelScale));
  EXPECT_LT(modelScale, 1e-30f);
  const Picture tiny = Frames();
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
  EXPECT_GT(CubePixels(tiny), 100);
  EXPECT_EQ(CellsDrawn(tiny), std::vector<bool>({true, true, true}));

  // And up again to the start size: the disc shows its colour at the centre again.
  for (int k = 0; k < 3000 && modelScale < 2.0f; ++k) Mouse(WM_MOUSEMOVE, 100, zoomLastY - 1);
  EXPECT_GE(modelScale, 2.0f);
  Mouse(WM_RBUTTONUP, 100, 0);
  const Picture back = Frames();
  EXPECT_GT(CubePixels(back), 100);
  EXPECT_EQ(CellsDrawn(back), std::vector<bool>({true, true, true}));
  // The model at (nearly) its start size covers as much of the window as before.
  EXPECT_NEAR(Drawn(back), Drawn(before), Drawn(before) / 5);
  const size_t centre = ((size_t)(back.height / 2) * back.width + back.width / 2) * 4;
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(back.rgba[centre + c], before.rgba[centre + c], 40);
  EXPECT_EQ(CaptureWindow(), nullptr);
}

TEST_F(Extremes, TheCameraPushedAHundredTimesEachWayIsRefusedPastTheNearPlaneAndRecovers) {
  Frames();
  restoreRotation = 0;
  tracking = 0;   // a still model, so the pictures before and after can be compared
  const Picture before = Frames();

  for (int k = 1; k <= 100; ++k) {
    Command(IDC_CAMERA_NEARER);
    const double far = (double)cameraDistance + 4.0;
    const GLenum error = glGetError();
    if (far <= 0.0 || far == 2.0) {
      EXPECT_EQ(error, (GLenum)GL_INVALID_VALUE) << "far " << far;
      float projection[16];
      glGetFloatv(GL_PROJECTION_MATRIX, projection);
      for (int i = 0; i < 16; ++i) EXPECT_EQ(projection[i], (i % 5 == 0) ? 1.0f : 0.0f);
    } else {
      EXPECT_EQ(error, (GLenum)GL_NO_ERROR) << "far " << far;
    }
    redrawHook();
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
  }
  EXPECT_NEAR(cameraDistance, -35.0f, 1e-3f);
  const Picture away = Frames();
  EXPECT_EQ(CubePixels(away), 0) << "with the identity projection everything lies beyond the clip volume";

  for (int k = 0; k < 100; ++k) {
    Command(IDC_CAMERA_FARTHER);
    redrawHook();
  }
  glGetError();
  EXPECT_NEAR(cameraDistance, 5.0f, 1e-3f);
  const Picture after = Frames();
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
  int differing = 0;
  for (size_t i = 0; i < after.rgba.size(); i += 4)
    differing += std::abs(after.rgba[i] - before.rgba[i]) + std::abs(after.rgba[i + 2] - before.rgba[i + 2]) > 30;
  EXPECT_LT(differing, (int)(after.rgba.size() / 4 / 100)) << "the picture has not come back";
}

TEST_F(Extremes, TheCounterBeyondItsThreeDigitsShowsOnlyTheCellsItCan) {
  struct Case {
    int seconds;
    std::vector<bool> cells;
  };
  const Case cases[] = {
      {999, {true, true, true}},    {1000, {false, true, true}}, {123456, {false, true, true}},
      {-5, {true, true, false}},    {-123, {false, false, false}}, {INT_MIN, {false, false, false}},
      {INT_MAX, {false, true, true}},
  };
  for (const Case& c : cases) {
    elapsedSeconds = c.seconds;
    const Picture p = Frames();
    EXPECT_EQ(CellsDrawn(p), c.cells) << c.seconds;
    EXPECT_GT(CubePixels(p), 100) << c.seconds;
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << c.seconds;
  }
}

TEST_F(Extremes, TicksAcrossTheLargestCountStartTheCounterAgain) {
  tickCount = INT_MAX - 1;
  SendTo(window, WM_TIMER, 1, 0);
  EXPECT_EQ(tickCount, INT_MAX);
  EXPECT_EQ(elapsedSeconds, 107374184);   // (float)INT_MAX x 0.05f, truncated
  EXPECT_EQ(CellsDrawn(Frames()), std::vector<bool>({false, true, true}));
  SendTo(window, WM_TIMER, 1, 0);
  EXPECT_EQ(tickCount, 0);
  EXPECT_EQ(elapsedSeconds, 0);
  EXPECT_EQ(CellsDrawn(Frames()), std::vector<bool>({true, true, true}));
  for (int k = 0; k < 40; ++k) SendTo(window, WM_TIMER, 1, 0);
  EXPECT_EQ(elapsedSeconds, 2);
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST_F(Extremes, ARestartInTheMiddleOfADragLeavesTheDragAndTheZoomWorking) {
  for (int k = 0; k < 30; ++k) SendTo(window, WM_TIMER, 1, 0);
  Mouse(WM_LBUTTONDOWN, 100, 100);
  Mouse(WM_RBUTTONDOWN, 100, 100);
  Mouse(WM_MOUSEMOVE, 120, 90);
  redrawHook();
  Press(IDC_BOUNDARY_4_0);   // "1.0" while both buttons are held
  EXPECT_EQ(boundaryTemp, 4.0);
  EXPECT_EQ(tickCount, 0);
  for (int i = 0; i < 11; ++i)
    for (int j = 0; j < 12; ++j) ASSERT_EQ(tempGrid[i][j], 1.0);
  for (int j = 0; j < 12; ++j) ASSERT_EQ(tempGrid[11][j], 4.0);

  // Both still act on the same motion, far outside the window.
  const float scale = modelScale;
  Mouse(WM_MOUSEMOVE, 30000, -30000);
  EXPECT_FLOAT_EQ(modelScale, scale * 1.1f);
  EXPECT_GT(spinAngle, 0.0f);
  redrawHook();
  Mouse(WM_RBUTTONUP, 30000, -30000);
  Mouse(WM_LBUTTONUP, -30000, 30000);   // released away from the press: it keeps spinning
  EXPECT_EQ(spinning, 1);
  EXPECT_EQ(tracking, 1);
  EXPECT_FLOAT_EQ(spinAngle, 0.1f);
  EXPECT_EQ(CaptureWindow(), nullptr);
  const Picture p = Frames();
  EXPECT_GT(CubePixels(p), 100);
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
  for (int k = 0; k < 20; ++k) SendTo(window, WM_TIMER, 1, 0);
  EXPECT_EQ(elapsedSeconds, 1);
}

}  // namespace
