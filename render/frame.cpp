// One frame of the OpenGL window: background and fog, the counter in eye
// space, the rotation increment, the filled lit pass (disc, shell), the
// outline pass (cube, grid), the swap. Relies on the view transform being
// current, InitLighting having run, the orientation and mainDC.
#include "render/frame.h"

#include <GL/gl.h>

#include <cstring>

#include "platform/platform.h"
#include "render/drawers.h"
#include "render/lighting.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"

void DrawNothing() {}

DrawFunction drawList[8] = {
    DrawTemperatureDisc, DrawDiscGrid, DrawBoundaryHemisphere, DrawNothing,
    DrawNothing,         DrawNothing,  DrawNothing,            DrawNothing,
};

// Never a zero matrix: the identity until the first frame, which takes the
// orientation it finds, so a restore asked for before any frame keeps the
// start orientation.
float savedRotation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
int restoreRotation = 0;
int savedRotationTaken = 0;

int RenderScene() {
  if (!savedRotationTaken) {
    std::memcpy(savedRotation, rotation, sizeof savedRotation);
    savedRotationTaken = 1;
  }

  ApplyMaterials();
  glShadeModel(GL_SMOOTH);
  if (fogOn) {
    glClearColor(0.55f, 0.45f, 0.2f, 1.0f);
    glEnable(GL_FOG);
  } else {
    glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
    glDisable(GL_FOG);
  }
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  // The counter under the view transform alone: it stays put while the model turns.
  DrawElapsedDigits(elapsedSeconds, counterLeft, counterBaseline, counterUnit);

  // rotation := R x rotation, R fixed on the screen; the stack is the calculator.
  if (tracking == 1) {
    glPushMatrix();
    glLoadIdentity();
    glRotatef(spinAngle, spinAxis[0], spinAxis[1], spinAxis[2]);
    glMultMatrixf(rotation);
    glGetFloatv(GL_MODELVIEW_MATRIX, rotation);
    glPopMatrix();
  }

  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  if (lightingOn) {
    glLightfv(GL_LIGHT0, GL_POSITION, lightPositions[0]);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT1, GL_POSITION, lightPositions[1]);
    glLightfv(GL_LIGHT2, GL_POSITION, lightPositions[2]);
    glEnable(GL_LIGHT2);
    glLightfv(GL_LIGHT3, GL_POSITION, lightPositions[3]);
    glLightfv(GL_LIGHT4, GL_POSITION, lightPositions[4]);
    glLightfv(GL_LIGHT5, GL_POSITION, lightPositions[5]);
    glLightfv(GL_LIGHT6, GL_POSITION, lightPositions[6]);
    glEnable(GL_LIGHTING);
  }
  glEnable(GL_DEPTH_TEST);

  // After the increment, so a restoring frame discards its own increment.
  if (restoreRotation) {
    std::memcpy(rotation, savedRotation, sizeof savedRotation);
    restoreRotation = 0;
  }

  glPushMatrix();
  glTranslatef(0.0f, -0.2f, 0.0f);
  glMultMatrixf(rotation);
  drawList[0]();
  drawList[2]();
  glPopMatrix();

  std::memcpy(savedRotation, rotation, sizeof savedRotation);

  glDisable(GL_TEXTURE_2D);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);

  glPushMatrix();
  glTranslatef(0.0f, -0.2f, 0.0f);
  glMultMatrixf(rotation);
  DrawReferenceCube();
  drawList[1]();
  glPopMatrix();

  ApplyMaterials();
  glFlush();
  return SwapBuffers(mainDC);
}
