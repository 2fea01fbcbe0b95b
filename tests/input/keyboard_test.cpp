// The model by keyboard, as the main window hands it the keys: turns about
// the screen's axes, Space stopping and starting the spin, zoom steps within
// the camera's view.
#include <gtest/gtest.h>

#include <cmath>

#include "input/keyboard.h"
#include "input/trackball.h"
#include "platform/platform.h"
#include "render/redraw.h"
#include "shared/orientation.h"
#include "tests/support/recorded_calls.h"

namespace {

WindowHandle TestWindow() {
  static int window;
  return reinterpret_cast<WindowHandle>(&window);
}

class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override { CreateTestScene(); }
  static void Press(unsigned key) { HandleKeyDown(key, false); }
};

// Where a model direction (a column of rotation) lies on the screen.
Vec3 Column(const float m[16], int c) { return Vec3{m[4 * c], m[4 * c + 1], m[4 * c + 2]}; }

// Each arrow moves every point of the model 5 degrees along a circle about
// one of the screen's axes, whatever the orientation: Right and Left about
// the vertical axis, the front going right or left; Up and Down about the
// horizontal one, the front going up or down.
TEST_F(Keyboard, EachArrowTurnsTheModelFiveDegreesAboutAnAxisOfTheScreen) {
  const double c = std::cos(5.0 * M_PI / 180.0), s = std::sin(5.0 * M_PI / 180.0);
  struct Case {
    unsigned key;
    const char* name;
    Vec3 (*turned)(Vec3 v, double c, double s);
  };
  const Case cases[] = {
      {VK_RIGHT, "Right", [](Vec3 v, double c, double s) { return Vec3{c * v.x + s * v.z, v.y, c * v.z - s * v.x}; }},
      {VK_LEFT, "Left", [](Vec3 v, double c, double s) { return Vec3{c * v.x - s * v.z, v.y, c * v.z + s * v.x}; }},
      {VK_UP, "Up", [](Vec3 v, double c, double s) { return Vec3{v.x, c * v.y + s * v.z, c * v.z - s * v.y}; }},
      {VK_DOWN, "Down", [](Vec3 v, double c, double s) { return Vec3{v.x, c * v.y - s * v.z, c * v.z + s * v.y}; }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    CreateTestScene();   // the start orientation, -60 degrees about the vertical
    float before[16];
    std::copy(rotation, rotation + 16, before);
    Press(k.key);
    for (int col = 0; col < 3; ++col) {
      const Vec3 expected = k.turned(Column(before, col), c, s), got = Column(rotation, col);
      EXPECT_NEAR(got.x, expected.x, 1e-6);
      EXPECT_NEAR(got.y, expected.y, 1e-6);
      EXPECT_NEAR(got.z, expected.z, 1e-6);
    }
    EXPECT_EQ(tracking, 0) << "a turned model stands still";
    EXPECT_EQ(spinning, 0);
    EXPECT_TRUE(redrawHook != nullptr);
  }
}

TEST_F(Keyboard, SpaceStopsTheSpinningModelAndStartsItAgainAtTheStartUpSpeed) {
  Press(VK_SPACE);
  EXPECT_EQ(tracking, 0) << "stopped as by a click in place";
  EXPECT_EQ(spinning, 0);
  EXPECT_EQ(spinAngle, 0.0f);
  HandleKeyDown(VK_SPACE, true);
  EXPECT_EQ(tracking, 0) << "a held Space does not start it again";
  redrawHook = nullptr;
  Press(VK_SPACE);
  EXPECT_EQ(tracking, 1);
  EXPECT_EQ(spinning, 1);
  EXPECT_EQ(spinAngle, 0.031f);
  EXPECT_EQ(spinAxis[0], -0.1f);
  EXPECT_EQ(spinAxis[1], 0.1f);
  EXPECT_EQ(spinAxis[2], 0.1f);
  EXPECT_TRUE(redrawHook != nullptr);
}

// About the axis it last turned about: a drag's, an arrow's; after a click
// whose motion did not move, none that OpenGL would turn about: the start-up one.
TEST_F(Keyboard, ASpinStartedBySpaceTurnsAboutTheAxisTheModelLastTurnedAbout) {
  HandleLeftButtonDown(TestWindow(), 400, 400);
  HandleMouseMove(450, 380);
  HandleLeftButtonUp(460, 380);
  const float dragged[3] = {spinAxis[0], spinAxis[1], spinAxis[2]};
  Press(VK_SPACE);
  Press(VK_SPACE);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(spinAxis[k], dragged[k]);
  EXPECT_EQ(spinAngle, 0.031f) << "at the start-up speed, not a release's 0.1";

  Press(VK_LEFT);
  Press(VK_SPACE);
  EXPECT_EQ(tracking, 1);
  EXPECT_EQ(spinAxis[0], 0.0f);
  EXPECT_LT(spinAxis[1], 0.0f) << "leftwards, as the arrow turned it";

  HandleLeftButtonDown(TestWindow(), 300, 300);
  HandleMouseMove(300, 300);
  HandleLeftButtonUp(300, 300);
  Press(VK_SPACE);
  EXPECT_EQ(spinAxis[0], -0.1f);
  EXPECT_EQ(spinAxis[1], 0.1f);
  EXPECT_EQ(spinAxis[2], 0.1f);
}

TEST_F(Keyboard, WhileTheLeftButtonDragsTheModelTheTurningKeysWait) {
  HandleLeftButtonDown(TestWindow(), 400, 400);
  HandleMouseMove(420, 400);
  const float angle = spinAngle;
  float before[16];
  std::copy(rotation, rotation + 16, before);
  for (unsigned key : {VK_SPACE, VK_RIGHT, VK_UP}) EXPECT_TRUE(HandleKeyDown(key, false));
  EXPECT_EQ(tracking, 1);
  EXPECT_EQ(spinAngle, angle);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(rotation[k], before[k]);
  HandleLeftButtonUp(430, 400);
  EXPECT_EQ(spinning, 1) << "the release still sets the model spinning";
}

// The near plane and the eye's distance from the model's centre, as the
// camera set them: the largest zoom keeps the ball's nearest point at the
// near plane, so the camera never looks into the ball.
TEST_F(Keyboard, ZoomKeysStepByATenthAndKeepTheWholeBallInFrontOfTheCamera) {
  const float* p = GlProjection();
  const double nearPlane = p[14] / (p[10] - 1.0);
  const double eyeToCentre = -GlModelview()[14];
  ASSERT_GT(nearPlane, 0.0);
  ASSERT_GT(eyeToCentre, nearPlane);

  Press(VK_PRIOR);
  EXPECT_FLOAT_EQ(modelScale, 2.2f) << "Page Up: in by a tenth";
  Press(VK_NEXT);
  EXPECT_FLOAT_EQ(modelScale, 2.0f) << "Page Down: back out";
  for (unsigned character : {'+', '='}) {
    EXPECT_TRUE(HandleCharacter(character));
    EXPECT_FLOAT_EQ(modelScale, 2.2f) << (char)character;
    EXPECT_TRUE(HandleCharacter('-'));
    EXPECT_FLOAT_EQ(modelScale, 2.0f);
  }
  for (int i = 0; i < 40; ++i) HandleKeyDown(VK_PRIOR, i > 0);
  EXPECT_NEAR(modelScale, eyeToCentre - nearPlane, 1e-5) << "as near as the near plane allows";
  EXPECT_GE(eyeToCentre - modelScale, nearPlane - 1e-5);
  for (int i = 0; i < 80; ++i) Press(VK_NEXT);
  EXPECT_FLOAT_EQ(modelScale, 0.2f) << "out to a tenth of the start size";

  // The mouse's zoom has no limits; the keys bring such a zoom back, never further.
  modelScale = 10.0f;
  redrawHook = nullptr;
  Press(VK_PRIOR);
  EXPECT_EQ(modelScale, 10.0f);
  EXPECT_EQ(redrawHook, nullptr) << "nothing changed, no frame asked for";
  Press(VK_NEXT);
  EXPECT_FLOAT_EQ(modelScale, 10.0f / 1.1f);
  modelScale = 0.05f;
  Press(VK_NEXT);
  EXPECT_EQ(modelScale, 0.05f);
  EXPECT_FALSE(HandleCharacter('a')) << "other characters are left to default handling";
}

}  // namespace
