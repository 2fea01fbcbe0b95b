// The reference scenes (reference_scenes.h): the program's state set as a
// user or a run would leave it, with the scene and the test platform reset
// first, so each scene is the same whatever was drawn before.
#include "tests/support/reference_scenes.h"

#include <GL/gl.h>

#include <cmath>

#include "render/camera.h"
#include "render/frame.h"
#include "render/lighting.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "sim/heat_step.h"
#include "tests/support/scene_state.h"
#include "tests/support/test_platform.h"
#include "tests/support/turn.h"

namespace {

// Pressing a restart button, then `ticks` clock ticks.
void RunFor(double boundary, int ticks) {
  boundaryTemp = boundary;
  InitHeatGrid();
  for (int tick = 1; tick <= ticks; ++tick) {
    StepHeat();
    tickCount = tick;
    elapsedSeconds = (int)((float)tick * 0.05f);
  }
}

void Start() {}
void FourAfter300Steps() { RunFor(4.0, 300); }
void Unlit() {
  RunFor(3.3, 100);
  lightingOn = 0;
}
void Fogged() {
  RunFor(3.3, 160);
  fogOn = 1;
}
void TurnedAndZoomedIn() {
  RunFor(4.0, 60);
  TurnOnTheStack(rotation, 73.0f, 0.3f, -0.8f, 0.4f);   // a drag's turn
  modelScale = 3.5f;
}
void SeenFromBelowZoomedOut() {
  RunFor(2.3, 240);
  TurnOnTheStack(rotation, 118.0f, 1.0f, 0.2f, 0.0f);
  modelScale = 0.9f;
  elapsedSeconds = 987;
}

// Raw calls: lines of several widths at every slope, a strip through the
// near plane with changes refused inside it, a fogged lit quad under a
// positional light, the outline of a quad and the quads and strips cut short
// by glEnd.
void OwnCalls() {
  glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  const float widths[6] = {1.0f, 1.5f, 2.0f, 2.5f, 4.0f, 7.0f};
  for (int w = 0; w < 6; ++w) {
    glLineWidth(widths[w]);
    glColor3f(1.0f, 0.2f * (float)w, 0.2f);
    for (int k = 0; k < 16; ++k) {   // a fan of 16 slopes around each centre
      const float cx = -1.6f + 0.64f * (float)w, cy = 1.2f;
      const float angle = 0.19635f * (float)k;   // steps of 11.25 degrees
      glBegin(GL_LINE_STRIP);
      glVertex3f(cx + 0.08f * std::cos(angle), cy + 0.08f * std::sin(angle), 0.0f);
      glVertex3f(cx + 0.3f * std::cos(angle), cy + 0.3f * std::sin(angle), 0.0f);
      glEnd();
    }
  }
  // From behind the far end of the view to between the eye and the near plane.
  glLineWidth(3.0f);
  glColor3f(0.2f, 0.9f, 0.9f);
  glBegin(GL_LINE_STRIP);
  glVertex3f(-1.5f, -0.2f, -3.0f);
  glLineWidth(9.0f);                  // refused between glBegin and glEnd,
  glTranslatef(0.5f, 0.0f, 0.0f);     // as these two are
  glVertex3f(-0.4f, -0.5f, 0.0f);
  glVertex3f(0.3f, -0.6f, 4.5f);
  glEnd();
  // An outlined quad, then a quad and a strip that glEnd cuts short.
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glLineWidth(2.5f);
  glColor3f(0.9f, 0.9f, 0.9f);
  glBegin(GL_QUADS);
  glVertex3f(0.6f, -0.4f, 0.0f);
  glVertex3f(1.6f, -0.5f, 0.0f);
  glVertex3f(1.5f, 0.3f, 0.0f);
  glVertex3f(0.7f, 0.2f, 0.0f);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glVertex3f(1.0f, 1.0f, 0.0f);
  glVertex3f(0.0f, 1.0f, 0.0f);
  glEnd();
  glBegin(GL_LINE_STRIP);
  glVertex3f(-1.0f, -1.0f, 0.0f);
  glEnd();
  // A lit quad, both faces, a positional light and exponential fog.
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  const float lampPosition[4] = {1.0f, -1.0f, 1.0f, 1.0f};
  const float lampColour[4] = {0.9f, 0.8f, 0.3f, 1.0f};
  glLightfv(GL_LIGHT7, GL_POSITION, lampPosition);
  glLightfv(GL_LIGHT7, GL_DIFFUSE, lampColour);
  glLightfv(GL_LIGHT7, GL_SPECULAR, lampColour);
  glEnable(GL_LIGHT7);
  glEnable(GL_LIGHTING);
  glFogi(GL_FOG_MODE, GL_EXP2);
  glFogf(GL_FOG_DENSITY, 0.12f);
  glEnable(GL_FOG);
  const float blue[4] = {0.2f, 0.3f, 0.9f, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, blue);
  glBegin(GL_QUADS);
  glNormal3f(0.0f, 0.0f, 1.0f);
  glVertex3f(-1.8f, -1.9f, -0.5f);
  glVertex3f(-0.2f, -1.9f, 0.5f);
  glVertex3f(-0.2f, -0.9f, 0.5f);
  glVertex3f(-1.8f, -0.9f, -0.5f);
  glNormal3f(0.0f, 0.6f, 0.8f);
  glVertex3f(0.2f, -1.9f, 0.0f);
  glVertex3f(0.2f, -0.9f, 0.0f);   // clockwise: its back face is seen
  glVertex3f(1.8f, -0.9f, 0.0f);
  glVertex3f(1.8f, -1.9f, 0.0f);
  glEnd();
  glDisable(GL_FOG);
  glDisable(GL_LIGHTING);
  glFlush();
}

}  // namespace

const ReferenceScene referenceScenes[] = {
    {"frame-start", Start, false},
    {"frame-4.0-after-300-steps", FourAfter300Steps, false},
    {"unlit-3.3-after-100-steps", Unlit, false},
    {"fogged-3.3-after-160-steps", Fogged, false},
    {"turned-and-zoomed-in", TurnedAndZoomedIn, false},
    {"from-below-zoomed-out", SeenFromBelowZoomedOut, false},
    {"own-calls", OwnCalls, true},
};
const int referenceSceneCount = (int)(sizeof referenceScenes / sizeof referenceScenes[0]);

int DrawReferenceScene(int index) {
  ResetTestPlatform();
  StartUpScene();
  ResizeViewport();
  referenceScenes[index].setUp();
  return referenceScenes[index].drawsItself ? 1 : RenderScene();
}
