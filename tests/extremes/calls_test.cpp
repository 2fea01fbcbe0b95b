// The numbers a frame hands to OpenGL while the zoom runs to its limits and
// the trackball is dragged far beyond the window: recorded call by call.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "input/trackball.h"
#include "render/frame.h"
#include "render/lighting.h"
#include "render/redraw.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "tests/support/gl_recorder.h"
#include "tests/support/scene_state.h"
#include "tests/support/test_platform.h"

namespace {

// Every argument of every call since the last clear is a finite number.
::testing::AssertionResult EveryArgumentFinite() {
  for (const GlCall& call : glCalls)
    for (double a : call.args)
      if (!std::isfinite(a)) return ::testing::AssertionFailure() << call.name << " was given " << a;
  return ::testing::AssertionSuccess();
}

int Vertices() { return CountGlCalls("glVertex3f"); }

TEST(ExtremeCalls, ZoomAndDragAtTheirLimitsSendOnlyFiniteNumbers) {
  ResetGlState();
  ResetTestPlatform();
  ResetSceneState();
  windowWidth = windowHeight = 400;
  InitLighting();
  ClearGlCalls();
  RenderScene();
  const int verticesPerFrame = Vertices();
  ASSERT_GT(verticesPerFrame, 1000);

  HandleRightButtonDown(nullptr, 0, 0);
  HandleLeftButtonDown(nullptr, 200, 200);
  struct Leg {
    int steps, direction;
  };
  // Thousands of steps up, far past the largest float, then down past the smallest.
  for (Leg leg : {Leg{4000, -1}, Leg{8000, 1}, Leg{1000, -1}}) {
    for (int k = 0; k < leg.steps; ++k) {
      // The trackball meanwhile dragged to the far corners of the 16-bit range.
      const int x = (k % 2) ? 32767 : -32768;
      HandleMouseMove(x, zoomLastY + leg.direction);
      if (k % 400 == 0) {
        ClearGlCalls();
        RenderScene();
        ASSERT_TRUE(EveryArgumentFinite()) << "modelScale " << modelScale;
        ASSERT_EQ(Vertices(), verticesPerFrame) << "modelScale " << modelScale;
        ASSERT_EQ(GlModelviewDepth(), 1);
        ASSERT_EQ(GlMatrixMode(), (GLenum)GL_MODELVIEW);
      }
    }
    ClearGlCalls();
    RenderScene();
    EXPECT_TRUE(EveryArgumentFinite()) << "modelScale " << modelScale;
    EXPECT_TRUE(std::isnormal(modelScale)) << modelScale;
  }
  HandleRightButtonUp();
  HandleLeftButtonUp(5, 5);
  EXPECT_EQ(GlLastError(), (GLenum)GL_NO_ERROR);
  EXPECT_EQ(captureWindow, nullptr);
  redrawHook = nullptr;
}

}  // namespace
