// A restore asked for before any frame has been drawn.
#include <gtest/gtest.h>

#include "tests/render/recorded_calls.h"

namespace {

TEST(FirstFrame, RestoreBeforeAnyFrameKeepsTheStartOrientation) {
  CreateTestScene();
  float start[16];
  for (int k = 0; k < 16; ++k) start[k] = rotation[k];
  restoreRotation = 1;
  RenderScene();
  EXPECT_EQ(restoreRotation, 0);
  // The -60 degree turn about y, without the frame's own increment.
  for (int k = 0; k < 16; ++k) EXPECT_EQ(rotation[k], start[k]) << k;
  EXPECT_NEAR(rotation[0], 0.5f, 1e-6);
  EXPECT_NEAR(rotation[2], 0.8660254f, 1e-6);
  EXPECT_NEAR(rotation[8], -0.8660254f, 1e-6);
  EXPECT_EQ(rotation[15], 1.0f);
  // The filled pass used it too.
  const int pass = FindCall("glTranslatef", {0.0, -0.2, 0.0});
  ASSERT_GE(pass, 0);
  ASSERT_EQ(glCalls[pass + 1].name, "glMultMatrixf");
  for (int k = 0; k < 16; ++k) EXPECT_EQ((float)glCalls[pass + 1].args[k], start[k]);
}

}  // namespace
