// The camera: a perspective frustum whose far plane follows cameraDistance,
// the eye pulled back along z, and the viewport of the fixed window size.
#include "render/camera.h"

#include <GL/gl.h>

#include "shared/shell_state.h"

float cameraDistance = 5.0f;

void SetProjection() {
  const float aspect = (float)windowWidth / (float)windowHeight;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-aspect * nearHalfHeight, aspect * nearHalfHeight, -nearHalfHeight, nearHalfHeight, nearPlane,
            cameraDistance + farBeyondCamera);
  glMatrixMode(GL_MODELVIEW);
}

void SetViewTransform() {
  SetProjection();
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, (float)(-cameraDistance - eyeBehindCamera));
}

void ResizeViewport() {
  SetProjection();
  glViewport(0, 0, windowWidth, windowHeight);
}
