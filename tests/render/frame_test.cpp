// One frame as the recorder sees it: the order of its steps, lights, fog,
// the rotation increment, restore, and what it leaves behind.
#include <gtest/gtest.h>

#include <cmath>

#include "render/drawers.h"
#include "render/frame.h"
#include "render/lighting.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "tests/support/recorded_calls.h"
#include "tests/support/scene_state.h"
#include "tests/support/test_platform.h"

namespace {

class Frame : public ::testing::Test {
 protected:
  void SetUp() override { CreateTestScene(); }
};

void ExpectMaterialsApplied(int at) {
  const double expected[8][2] = {{GL_FRONT, GL_AMBIENT}, {GL_FRONT, GL_DIFFUSE}, {GL_FRONT, GL_SPECULAR},
                                 {GL_FRONT, GL_SHININESS}, {GL_BACK, GL_AMBIENT},  {GL_BACK, GL_DIFFUSE},
                                 {GL_BACK, GL_SPECULAR},   {GL_BACK, GL_SHININESS}};
  for (int k = 0; k < 8; ++k) {
    ASSERT_LT(at + k, (int)glCalls.size());
    EXPECT_EQ(glCalls[at + k].name, k % 4 == 3 ? "glMaterialf" : "glMaterialfv");
    EXPECT_EQ(glCalls[at + k].args[0], expected[k][0]);
    EXPECT_EQ(glCalls[at + k].args[1], expected[k][1]);
  }
}

TEST_F(Frame, StepsComeInTheirExactOrder) {
  EXPECT_EQ(RenderScene(), 1);
  EXPECT_EQ(swapCount, 1);
  EXPECT_EQ(lastSwappedDC, TestDC());
  ExpectMaterialsApplied(0);

  // Each landmark after the previous one.
  const std::vector<std::pair<std::string, std::vector<double>>> steps = {
      {"glShadeModel", {GL_SMOOTH}},
      {"glClearColor", {0.1, 0.1, 0.1, 1.0}},
      {"glDisable", {GL_FOG}},
      {"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}},
      {"glLineWidth", {1.5}},
      {"glColor3f", {0.8, 0.9, 0.1}},
      {"glBegin", {GL_LINE_STRIP}},
      {"glPushMatrix", {}},
      {"glLoadIdentity", {}},
      {"glRotatef", {0.031, -0.1, 0.1, 0.1}},
      {"glMultMatrixf", {}},
      {"glGetFloatv", {GL_MODELVIEW_MATRIX}},
      {"glPopMatrix", {}},
      {"glPolygonMode", {GL_FRONT_AND_BACK, GL_FILL}},
      {"glLightfv", {GL_LIGHT0, GL_POSITION}},
      {"glEnable", {GL_LIGHT0}},
      {"glLightfv", {GL_LIGHT1, GL_POSITION}},
      {"glLightfv", {GL_LIGHT2, GL_POSITION}},
      {"glEnable", {GL_LIGHT2}},
      {"glLightfv", {GL_LIGHT3, GL_POSITION}},
      {"glLightfv", {GL_LIGHT4, GL_POSITION}},
      {"glLightfv", {GL_LIGHT5, GL_POSITION}},
      {"glLightfv", {GL_LIGHT6, GL_POSITION}},
      {"glEnable", {GL_LIGHTING}},
      {"glEnable", {GL_DEPTH_TEST}},
      {"glPushMatrix", {}},
      {"glTranslatef", {0.0, -0.2, 0.0}},
      {"glMultMatrixf", {}},
      {"glLineWidth", {1.5}},                   // the disc
      {"glBegin", {GL_QUADS}},
      {"glPopMatrix", {}},
      {"glDisable", {GL_TEXTURE_2D}},
      {"glPolygonMode", {GL_FRONT_AND_BACK, GL_LINE}},
      {"glDisable", {GL_CULL_FACE}},
      {"glDisable", {GL_LIGHTING}},
      {"glPushMatrix", {}},
      {"glTranslatef", {0.0, -0.2, 0.0}},
      {"glMultMatrixf", {}},
      {"glColor3f", {0.0, 0.0, 0.9}},           // the cube
      {"glColor3f", {0.1, 0.1, 0.1}},           // the grid
      {"glPopMatrix", {}},
      {"glMaterialfv", {GL_FRONT, GL_AMBIENT}},
      {"glFlush", {}},
  };
  int at = 8;
  for (const auto& step : steps) {
    const int next = FindCall(step.first, step.second, at);
    ASSERT_GE(next, 0) << step.first << " missing after call " << at;
    at = next + 1;
  }
  ExpectMaterialsApplied(at - 9);
  EXPECT_EQ(at, (int)glCalls.size());

  // The counter is finished before the increment starts, and nothing is drawn between.
  const int increment = FindCall("glRotatef");
  int lastDigit = -1;
  for (int k = 0; k < increment; ++k)
    if (glCalls[k].name == "glEnd") lastDigit = k;
  EXPECT_EQ(glCalls[lastDigit + 1].name, "glPushMatrix");
  // The disc (z = 0), then the shell (z < 0) in the filled pass: 11 + 12
  // quad primitives; the grid (z = 0.01) in the line pass, 11 more.
  const int outlines = FindCall("glPolygonMode", {GL_FRONT_AND_BACK, GL_LINE});
  int filledPrimitives = 0;
  for (int k = 0; k < outlines; ++k) filledPrimitives += glCalls[k].name == "glBegin" && glCalls[k].args[0] == GL_QUADS;
  EXPECT_EQ(filledPrimitives, 11 + 12);
  EXPECT_EQ(CountGlCalls("glBegin", GL_QUADS), 11 + 12 + 11);
  const std::vector<RecordedQuad> quads = RecordedQuads();
  ASSERT_EQ(quads.size(), 132u + 144u + 132u);
  EXPECT_EQ(quads[0].v[1].z, 0.0);
  EXPECT_EQ(quads[131].v[1].z, 0.0);
  EXPECT_LT(quads[132].v[0].z, -1.0);
  EXPECT_EQ(quads[132 + 144].v[0].z, 0.01f);
  EXPECT_EQ(CountGlCalls("glFlush"), 1);
}

TEST_F(Frame, LeavesTheModelviewAsItFoundItWithEveryPushPopped) {
  float view[16];
  for (int k = 0; k < 16; ++k) view[k] = GlModelview()[k];
  for (int frame = 0; frame < 3; ++frame) {
    tracking = frame == 1 ? 0 : 1;
    RenderScene();
    EXPECT_EQ(CountGlCalls("glPushMatrix"), CountGlCalls("glPopMatrix"));
    EXPECT_EQ(GlModelviewDepth(), 1);
    EXPECT_EQ(GlProjectionDepth(), 1);
    EXPECT_EQ(GlMatrixMode(), (GLenum)GL_MODELVIEW);
    EXPECT_EQ(CountGlCalls("glMatrixMode"), 0);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(GlModelview()[k], view[k]);
    EXPECT_EQ(GlLastError(), (GLenum)GL_NO_ERROR);
    // Left in force: outlines, no lighting, depth test on.
    EXPECT_FALSE(GlIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(GlIsEnabled(GL_DEPTH_TEST));
    ClearGlCalls();
  }
}

TEST_F(Frame, LightsZeroAndTwoAreSwitchedOnByEachLitFrameOnly) {
  struct Case {
    int lightingOn;
    int lightCalls, lightingEnables;
  };
  const Case cases[] = {{1, 7, 1}, {0, 0, 0}, {1, 7, 1}};
  EXPECT_FALSE(GlIsEnabled(GL_LIGHT2));   // InitLighting leaves it off
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lightingOn);
    lightingOn = c.lightingOn;
    ClearGlCalls();
    RenderScene();
    EXPECT_EQ(CountGlCalls("glLightfv"), c.lightCalls);
    EXPECT_EQ(CountGlCalls("glEnable", GL_LIGHTING), c.lightingEnables);
    EXPECT_EQ(CountGlCalls("glEnable", GL_LIGHT0), c.lightingEnables);
    EXPECT_EQ(CountGlCalls("glEnable", GL_LIGHT2), c.lightingEnables);
    EXPECT_EQ(CountGlCalls("glDisable", GL_LIGHTING), 1);
    // Every light position is the table's, sent under the view transform.
    for (const GlCall& call : glCalls)
      if (call.name == "glLightfv") {
        const int light = (int)call.args[0] - GL_LIGHT0;
        for (int k = 0; k < 4; ++k) EXPECT_EQ((float)call.args[2 + k], lightPositions[light][k]);
      }
  }
  for (int light = 0; light < 7; ++light) EXPECT_TRUE(GlIsEnabled(GL_LIGHT0 + light)) << light;
}

TEST_F(Frame, FogSetsItsOwnBackgroundAndCoversTheWholeFrame) {
  struct Case {
    int fogOn;
    std::vector<double> clear;
    std::string fogCall;
  };
  const Case cases[] = {{1, {0.55, 0.45, 0.2, 1.0}, "glEnable"}, {0, {0.1, 0.1, 0.1, 1.0}, "glDisable"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fogOn);
    fogOn = c.fogOn;
    ClearGlCalls();
    RenderScene();
    EXPECT_EQ(CountGlCalls("glClearColor"), 1);
    EXPECT_GE(FindCall("glClearColor", c.clear), 0);
    const int fog = FindCall(c.fogCall, {GL_FOG});
    EXPECT_GE(fog, 0);
    EXPECT_LT(fog, FindCall("glClear"));
    EXPECT_EQ(CountGlCalls("glEnable", GL_FOG) + CountGlCalls("glDisable", GL_FOG), 1);
  }
}

TEST_F(Frame, IncrementTurnsTheModelAboutAnAxisFixedOnTheScreen) {
  const float c = 0.8660254f;
  const float startTurn[16] = {0.5f, 0, c, 0, 0, 1, 0, 0, -c, 0, 0.5f, 0, 0, 0, 0, 1};
  const float quarterAboutZ[16] = {0, 0.5f, c, 0, -1, 0, 0, 0, 0, -c, 0.5f, 0, 0, 0, 0, 1};
  struct Case {
    const char* what;
    int tracking;
    float angle;
    float axis[3];
    const float* expected;
  };
  const Case cases[] = {
      {"a quarter turn about the screen's z", 1, 90.0f, {0, 0, 1}, quarterAboutZ},
      {"tracking 0 freezes it", 0, 90.0f, {0, 0, 1}, startTurn},
      {"tracking 2 freezes it too", 2, 90.0f, {0, 0, 1}, startTurn},
      {"no angle", 1, 0.0f, {0, 0, 1}, startTurn},
      {"no axis", 1, 90.0f, {0, 0, 0}, startTurn},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    for (int e = 0; e < 16; ++e) rotation[e] = startTurn[e];
    tracking = k.tracking;
    spinAngle = k.angle;
    for (int a = 0; a < 3; ++a) spinAxis[a] = k.axis[a];
    RenderScene();
    for (int e = 0; e < 16; ++e) EXPECT_NEAR(rotation[e], k.expected[e], 1e-6) << e;
    // Both passes draw under the same model transform: the new rotation.
    int pass = -1, passes = 0;
    while ((pass = FindCall("glTranslatef", {0.0, -0.2, 0.0}, pass + 1)) >= 0) {
      ++passes;
      ASSERT_EQ(glCalls[pass + 1].name, "glMultMatrixf");
      for (int e = 0; e < 16; ++e) EXPECT_EQ((float)glCalls[pass + 1].args[e], rotation[e]);
    }
    EXPECT_EQ(passes, 2);
    ClearGlCalls();
  }
}

// Each test starts before the first frame (the reset clears savedRotationTaken).
TEST_F(Frame, RestoreBeforeAnyFrameKeepsTheStartOrientation) {
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

TEST_F(Frame, RestoringFrameDiscardsItsOwnIncrementAndTheNextContinues) {
  spinAngle = 10.0f;
  spinAxis[0] = 0.0f;
  spinAxis[1] = 0.0f;
  spinAxis[2] = 1.0f;
  RenderScene();
  float shown[16];
  for (int e = 0; e < 16; ++e) shown[e] = rotation[e];

  restoreRotation = 1;
  RenderScene();
  EXPECT_EQ(restoreRotation, 0);
  for (int e = 0; e < 16; ++e) EXPECT_EQ(rotation[e], shown[e]) << e;
  for (int e = 0; e < 16; ++e) EXPECT_EQ(savedRotation[e], shown[e]) << e;

  RenderScene();
  // 10 more degrees about the screen's z: the first column turns from the
  // previous orientation's.
  const double before = std::atan2(shown[1], shown[0]);
  const double after = std::atan2(rotation[1], rotation[0]);
  EXPECT_NEAR((after - before) * 180.0 / M_PI, 10.0, 1e-3);
}

TEST_F(Frame, CounterIsTheElapsedSecondsAtTheTopLeftWhateverTheModelDoes) {
  elapsedSeconds = 7;
  RenderScene();
  std::vector<GlCall> first;
  for (int k = 0; k < FindCall("glPushMatrix"); ++k) first.push_back(glCalls[k]);
  rotation[0] = 0.0f;   // any other orientation and zoom
  rotation[1] = 1.0f;
  rotation[4] = -1.0f;
  rotation[5] = 0.0f;
  modelScale = 3.5f;
  ClearGlCalls();
  RenderScene();
  ASSERT_GE(FindCall("glPushMatrix"), (int)first.size());
  int vertices = 0;
  for (size_t k = 0; k < first.size(); ++k) {
    EXPECT_EQ(glCalls[k].name, first[k].name);
    EXPECT_EQ(glCalls[k].args, first[k].args);
    vertices += first[k].name == "glVertex3f";
  }
  EXPECT_EQ(vertices, 5 + 5 + 5);   // 0, 0, 7: two rectangles and a 7
  EXPECT_EQ(FindCall("glVertex3f", {-2.0, 2.0, 0.0}), FindCall("glBegin", {GL_LINE_STRIP}) + 1);
}

}  // namespace
