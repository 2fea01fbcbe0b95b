// The trackball and the zoom as the user drives them with the mouse.
#include <gtest/gtest.h>

#include <cmath>

#include "input/trackball.h"
#include "render/drawers.h"
#include "render/frame.h"
#include "render/redraw.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "tests/support/recorded_calls.h"
#include "tests/support/scene_state.h"
#include "tests/support/test_platform.h"

namespace {

WindowHandle TestWindow() {
  static int window;
  return reinterpret_cast<WindowHandle>(&window);
}

class Trackball : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlState();
    ResetTestPlatform();
    ResetSceneState();
    windowWidth = 800;
    windowHeight = 600;
  }
};

TEST_F(Trackball, WindowPointsMapOntoTheUnitSphere) {
  struct Case {
    int px, py;
    float x, y, z;
  };
  const Case cases[] = {
      {400, 300, 0.0f, 0.0f, 1.0f},              // centre
      {800, 300, 1.0f, 0.0f, 0.0f},              // right edge
      {0, 300, -1.0f, 0.0f, 0.0f},               // left edge
      {400, 0, 0.0f, 1.0f, 0.0f},                // top edge: y grows upwards
      {400, 600, 0.0f, -1.0f, 0.0f},             // bottom edge
      {2000, 300, 1.0f, 0.0f, 0.0f},             // beyond the window: on the rim
      {-4000, -3000, -0.7071068f, 0.7071068f, 0.0f},
      {600, 300, 0.5773503f, 0.0f, 0.8164966f},  // halfway: (0.5, 0, cos(pi/4)) normalised
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.px << ", " << c.py);
    float v[3];
    PointToSphere(c.px, c.py, 800, 600, v);
    EXPECT_NEAR(v[0], c.x, 1e-6);
    EXPECT_NEAR(v[1], c.y, 1e-6);
    EXPECT_NEAR(v[2], c.z, 1e-6);
    EXPECT_NEAR(v[0] * v[0] + v[1] * v[1] + v[2] * v[2], 1.0f, 1e-6);
  }
}

TEST_F(Trackball, PressAndReleaseInPlaceStopsTheModel) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> moves;
  };
  const Case cases[] = {
      {"no motion", {}},
      {"a drag back to the press point", {{450, 320}, {500, 350}, {400, 300}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    HandleLeftButtonDown(TestWindow(), 400, 300);
    EXPECT_EQ(redrawHook, nullptr);   // a press asks for no frame
    EXPECT_EQ(dragging, 1);
    EXPECT_EQ(spinning, 0);
    for (const auto& m : c.moves) HandleMouseMove(m.first, m.second);
    HandleLeftButtonUp(400, 300);
    EXPECT_EQ(spinAngle, 0.0f);
    EXPECT_EQ(tracking, 0);
    EXPECT_EQ(spinning, 0);
    EXPECT_EQ(dragging, 0);
    EXPECT_NE(redrawHook, nullptr);
  }
}

TEST_F(Trackball, DragAndReleaseElsewhereKeepsSpinningAboutTheLastStepsAxis) {
  HandleLeftButtonDown(TestWindow(), 400, 300);   // (0, 0, 1)
  HandleMouseMove(400, 200);                      // up: a turn about the screen's -x
  HandleMouseMove(600, 200);                      // then right: about +y mostly
  float before[3], after[3];
  PointToSphere(400, 200, 800, 600, before);
  PointToSphere(600, 200, 800, 600, after);
  const float dx = after[0] - before[0], dy = after[1] - before[1], dz = after[2] - before[2];
  EXPECT_NEAR(spinAngle, 90.0f * std::sqrt(dx * dx + dy * dy + dz * dz), 1e-4);
  EXPECT_NEAR(spinAxis[0], before[1] * after[2] - before[2] * after[1], 1e-6);
  EXPECT_NEAR(spinAxis[1], before[2] * after[0] - before[0] * after[2], 1e-6);
  EXPECT_NEAR(spinAxis[2], before[0] * after[1] - before[1] * after[0], 1e-6);
  EXPECT_GT(spinAxis[1], 0.0f);
  const float axis[3] = {spinAxis[0], spinAxis[1], spinAxis[2]};

  HandleLeftButtonUp(610, 205);
  EXPECT_EQ(spinAngle, 0.1f);
  EXPECT_EQ(spinning, 1);
  EXPECT_EQ(tracking, 1);
  EXPECT_EQ(dragging, 0);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(spinAxis[k], axis[k]);
  // Motion without the button changes nothing.
  HandleMouseMove(100, 100);
  EXPECT_EQ(spinAngle, 0.1f);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(spinAxis[k], axis[k]);
}

TEST_F(Trackball, AMotionToTheSamePointGivesNoTurnEvenAfterARelease) {
  HandleLeftButtonDown(TestWindow(), 300, 250);
  HandleMouseMove(300, 250);
  EXPECT_EQ(spinAngle, 0.0f);
  EXPECT_EQ(spinAxis[0], 0.0f);
  EXPECT_EQ(spinAxis[1], 0.0f);
  EXPECT_EQ(spinAxis[2], 0.0f);
  HandleLeftButtonUp(301, 250);
  EXPECT_EQ(spinAngle, 0.1f);
  EXPECT_EQ(spinning, 1);
  // The frames that follow turn about the zero axis: the orientation stays.
  SetInitialRotation();
  float start[16];
  for (int k = 0; k < 16; ++k) start[k] = rotation[k];
  RenderScene();
  RenderScene();
  for (int k = 0; k < 16; ++k) EXPECT_EQ(rotation[k], start[k]);
}

TEST_F(Trackball, ReleaseWithoutAPressInTheWindow) {
  // Stopped: ignored, not even a redraw.
  tracking = 0;
  spinning = 0;
  spinAngle = 0.0f;
  pressX = 10;
  pressY = 20;
  HandleLeftButtonUp(50, 60);
  EXPECT_EQ(spinAngle, 0.0f);
  EXPECT_EQ(spinning, 0);
  EXPECT_EQ(redrawHook, nullptr);
  EXPECT_EQ(releaseCaptureCount, 1);
  // Spinning: judged against the stored press point.
  tracking = 1;
  HandleLeftButtonUp(10, 20);
  EXPECT_EQ(tracking, 0);
  EXPECT_NE(redrawHook, nullptr);
}

TEST_F(Trackball, RightDragZoomsPerEventUpByOnePointOneDownByPointNine) {
  struct Case {
    const char* what;
    std::vector<int> ys;   // motion events after a press at y = 300
    float scale;
  };
  const Case cases[] = {
      {"one up", {290}, 2.0f * 1.1f},
      {"one down, however far", {500}, 2.0f * 0.9f},
      {"one up, one down", {290, 295}, 2.0f * 1.1f * 0.9f},
      {"unchanged y", {300}, 2.0f},
      {"three up", {299, 298, 200}, 2.0f * 1.1f * 1.1f * 1.1f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    HandleRightButtonDown(TestWindow(), 400, 300);
    EXPECT_EQ(zoomDrag, 1);
    for (int y : c.ys) {
      redrawHook = nullptr;
      HandleMouseMove(400, y);
      EXPECT_NE(redrawHook, nullptr);   // every event asks for a frame
    }
    EXPECT_EQ(modelScale, c.scale);
    EXPECT_EQ(zoomLastY, c.ys.back());
    HandleRightButtonUp();
    EXPECT_EQ(zoomDrag, 0);
    HandleMouseMove(400, 0);
    EXPECT_EQ(modelScale, c.scale);
  }
  EXPECT_NEAR(2.0f * 1.1f * 0.9f / 2.0f, 0.99f, 1e-6);
}

TEST_F(Trackball, ThousandsOfZoomEventsKeepTheModelFiniteAndResponsive) {
  struct Case {
    const char* what;
    int step, back;
  };
  const Case cases[] = {{"upwards", -1, +1}, {"downwards", +1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    int y = 20000;
    HandleRightButtonDown(TestWindow(), 400, y);
    for (int event = 0; event < 5000; ++event) {
      y += c.step;
      HandleMouseMove(400, y);
      ASSERT_TRUE(std::isnormal(modelScale)) << event;
    }
    ResetGlState();
    DrawTemperatureDisc();
    DrawBoundaryHemisphere();
    DrawDiscGrid();
    EXPECT_EQ(CountGlCalls("glVertex3f"), 528 + 576 + 528);
    for (const GlCall& call : glCalls)
      if (call.name == "glVertex3f" || call.name == "glNormal3f") {
        for (double a : call.args) ASSERT_TRUE(std::isfinite(a)) << call.name;
      }
    // One event the other way still zooms.
    const float extreme = modelScale;
    HandleMouseMove(400, y + c.back);
    EXPECT_EQ(modelScale, extreme * (c.back > 0 ? 0.9f : 1.1f));
    HandleRightButtonUp();
  }
}

TEST_F(Trackball, BothButtonsTurnAndZoomOnTheSameEvent) {
  HandleLeftButtonDown(TestWindow(), 400, 300);
  HandleRightButtonDown(TestWindow(), 400, 300);
  HandleMouseMove(450, 250);
  EXPECT_GT(spinAngle, 0.0f);
  EXPECT_EQ(modelScale, 2.0f * 1.1f);
}

TEST_F(Trackball, EitherReleaseFreesTheOneMouseCapture) {
  struct Case {
    const char* what;
    bool left, right;
    bool releaseLeft;
  };
  const Case cases[] = {
      {"left alone", true, false, true},
      {"right alone", false, true, false},
      {"both held, right released first", true, true, false},
      {"both held, left released first", true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    if (c.left) HandleLeftButtonDown(TestWindow(), 100, 100);
    if (c.right) HandleRightButtonDown(TestWindow(), 100, 100);
    EXPECT_EQ(captureWindow, TestWindow());
    EXPECT_EQ(setCaptureCount, (int)c.left + (int)c.right);
    if (c.releaseLeft)
      HandleLeftButtonUp(120, 100);
    else
      HandleRightButtonUp();
    EXPECT_EQ(captureWindow, nullptr);
    EXPECT_EQ(releaseCaptureCount, 1);
  }
}

TEST_F(Trackball, StartOrientationIsMinusSixtyDegreesAboutTheVerticalAxis) {
  rotation[3] = 7.0f;   // whatever it held before
  SetInitialRotation();
  const float c = 0.8660254f;
  const float expected[16] = {0.5f, 0, c, 0, 0, 1, 0, 0, -c, 0, 0.5f, 0, 0, 0, 0, 1};
  for (int k = 0; k < 16; ++k) EXPECT_NEAR(rotation[k], expected[k], 1e-6) << k;
  EXPECT_EQ(GlModelviewDepth(), 1);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(GlModelview()[k], (k % 5 == 0) ? 1.0f : 0.0f);
  float m[16];
  SetIdentity(m);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(m[k], (k % 5 == 0) ? 1.0f : 0.0f);
}

}  // namespace
