// The camera's frustum and eye distance, the lights, materials and fog.
#include <gtest/gtest.h>

#include <cstring>

#include "render/camera.h"
#include "render/lighting.h"
#include "shared/shell_state.h"
#include "tests/support/recorded_calls.h"

namespace {

TEST(Camera, FrustumAndEyeFollowTheCameraDistance) {
  struct Case {
    float distance;
    double far;
    float eyeZ;
  };
  const Case cases[] = {{5.0f, 9.0, -5.7f}, {5.4f, 9.4f + 0.0, -6.1f}, {4.6f, 8.6f + 0.0, -5.3f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.distance);
    ResetGlState();
    windowWidth = 819;
    windowHeight = 819;
    cameraDistance = c.distance;
    SetViewTransform();
    const int frustum = FindCall("glFrustum");
    ASSERT_GE(frustum, 0);
    EXPECT_EQ(glCalls[frustum].args[0], -1.0);
    EXPECT_EQ(glCalls[frustum].args[1], 1.0);
    EXPECT_EQ(glCalls[frustum].args[2], -1.0);
    EXPECT_EQ(glCalls[frustum].args[3], 1.0);
    EXPECT_EQ(glCalls[frustum].args[4], 2.0);
    EXPECT_NEAR(glCalls[frustum].args[5], c.far, 1e-6);
    EXPECT_EQ(GlMatrixMode(), (GLenum)GL_MODELVIEW);
    EXPECT_NEAR(GlModelview()[14], c.eyeZ, 1e-6);
    EXPECT_EQ(GlModelview()[12], 0.0f);
    EXPECT_EQ(GlModelview()[0], 1.0f);
    // Near plane 2, far plane as given: the depth mapping of a real frustum.
    EXPECT_NEAR(GlProjection()[10], -(c.far + 2.0) / (c.far - 2.0), 1e-5);
  }
  cameraDistance = 5.0f;
}

TEST(Camera, ViewportCoversTheStoredWindowSizeAndAspectFollowsIt) {
  ResetGlState();
  windowWidth = 1000;
  windowHeight = 800;
  cameraDistance = 5.0f;
  ResizeViewport();
  EXPECT_GE(FindCall("glViewport", {0, 0, 1000, 800}), 0);
  const int frustum = FindCall("glFrustum");
  ASSERT_GE(frustum, 0);
  EXPECT_EQ(glCalls[frustum].args[0], -1.25);
  EXPECT_EQ(glCalls[frustum].args[1], 1.25);
  EXPECT_EQ(GlMatrixMode(), (GLenum)GL_MODELVIEW);
  EXPECT_EQ(CountGlCalls("glTranslatef"), 0);   // the modelview is not touched
}

TEST(Camera, FarPlaneAtOrBeforeTheNearPlaneLeavesTheIdentityProjection) {
  ResetGlState();
  windowWidth = 819;
  windowHeight = 819;
  cameraDistance = -2.0f;   // far plane 2.0, the near plane
  SetProjection();
  for (int k = 0; k < 16; ++k) EXPECT_EQ(GlProjection()[k], (k % 5 == 0) ? 1.0f : 0.0f) << k;
  EXPECT_EQ(GlMatrixMode(), (GLenum)GL_MODELVIEW);
  cameraDistance = 5.0f;
}

TEST(Lighting, InitLightingSetsFogLightsAndLeavesLightTwoOff) {
  CreateTestScene();
  ResetGlState();
  InitLighting();
  const std::vector<std::pair<std::string, std::vector<double>>> fog = {
      {"glFogf", {GL_FOG_START, 0.0}},
      {"glFogf", {GL_FOG_END, 25.0}},
      {"glFogi", {GL_FOG_MODE, GL_LINEAR}},
      {"glFogf", {GL_FOG_DENSITY}},
      {"glFogfv", {GL_FOG_COLOR, 0.35, 0.35, 0.15, 1.0}},
  };
  for (size_t k = 0; k < fog.size(); ++k) EXPECT_EQ(FindCall(fog[k].first, fog[k].second), (int)k);
  const float density = (float)glCalls[3].args[1];
  uint32_t bits;
  std::memcpy(&bits, &density, 4);
  EXPECT_EQ(bits, 0x3EE66667u);
  EXPECT_EQ(CountGlCalls("glEnable", GL_FOG), 0);
  EXPECT_EQ(CountGlCalls("glEnable", GL_LIGHTING), 0);

  // Lights placed under the translation by -5 after the projection.
  const int lights = FindCall("glLightModeli");
  EXPECT_GT(lights, FindCall("glTranslatef", {0.0, 0.0, -5.0}));
  EXPECT_GT(FindCall("glTranslatef"), FindCall("glFrustum"));
  EXPECT_EQ(CountGlCalls("glLightModeli", GL_LIGHT_MODEL_TWO_SIDE), 7);
  for (int light = 0; light < 7; ++light) {
    SCOPED_TRACE(light);
    EXPECT_EQ(GlIsEnabled(GL_LIGHT0 + light), light != 2);
    const int position = FindCall("glLightfv", {(double)(GL_LIGHT0 + light), GL_POSITION});
    ASSERT_GE(position, 0);
    EXPECT_EQ(glCalls[position - 1].name, "glLightModeli");
    const int colours = light == 0 ? 0 : 3;
    EXPECT_EQ(CountGlCalls("glLightfv", GL_LIGHT0 + light), 1 + colours);
    if (light > 0) {
      EXPECT_GE(FindCall("glLightfv", {(double)(GL_LIGHT0 + light), GL_AMBIENT, 0.35, 0.35, 0.35, 1.0}), 0);
      EXPECT_GE(FindCall("glLightfv", {(double)(GL_LIGHT0 + light), GL_DIFFUSE, 0.3, 0.3, 0.3, 1.0}), 0);
      EXPECT_GE(FindCall("glLightfv", {(double)(GL_LIGHT0 + light), GL_SPECULAR, 0.25, 0.25, 0.25, 1.0}), 0);
    }
  }
  EXPECT_EQ(FindCall("glLightfv", {GL_LIGHT0, GL_POSITION, 5.0, 6.0, -4.0, 0.0}), lights + 1);
  EXPECT_GE(FindCall("glLightfv", {GL_LIGHT6, GL_POSITION, -20.0, -10.0, -2.0, 0.0}), 0);
}

TEST(Lighting, MaterialsCarryThePanelColoursAndFixedHighlights) {
  struct Case {
    float front[3], back[3], alpha;
  };
  const Case cases[] = {
      {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, 0.5f},
      {{0.99609375f, 0.0f, 0.25f}, {0.0f, 0.75f, 0.99609375f}, 0.0f},
  };
  for (const Case& c : cases) {
    ResetGlState();
    std::memcpy(frontDiffuse, c.front, sizeof frontDiffuse);
    std::memcpy(backDiffuse, c.back, sizeof backDiffuse);
    materialAlpha = c.alpha;
    ApplyMaterials();
    ASSERT_EQ(glCalls.size(), 8u);
    EXPECT_EQ(FindCall("glMaterialfv", {GL_FRONT, GL_AMBIENT, 0.08, 0.05, 0.05, 1.0}), 0);
    EXPECT_EQ(FindCall("glMaterialfv", {GL_FRONT, GL_DIFFUSE, c.front[0], c.front[1], c.front[2], c.alpha}), 1);
    EXPECT_EQ(FindCall("glMaterialfv", {GL_FRONT, GL_SPECULAR, 0.35, 0.35, 0.55, 1.0}), 2);
    EXPECT_EQ(FindCall("glMaterialf", {GL_FRONT, GL_SHININESS, 20.0}), 3);
    EXPECT_EQ(FindCall("glMaterialfv", {GL_BACK, GL_AMBIENT, 0.01, 0.01, 0.01, 1.0}), 4);
    EXPECT_EQ(FindCall("glMaterialfv", {GL_BACK, GL_DIFFUSE, c.back[0], c.back[1], c.back[2], c.alpha}), 5);
    EXPECT_EQ(FindCall("glMaterialfv", {GL_BACK, GL_SPECULAR, 0.35, 0.3, 0.3, 1.0}), 6);
    EXPECT_EQ(FindCall("glMaterialf", {GL_BACK, GL_SHININESS, 20.0}), 7);
  }
  const float half[3] = {0.5f, 0.5f, 0.5f};
  std::memcpy(frontDiffuse, half, sizeof half);
  std::memcpy(backDiffuse, half, sizeof half);
  materialAlpha = 0.5f;
}

}  // namespace
