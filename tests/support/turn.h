// A turn on top of an orientation as the frame and a drag make it, with the
// current OpenGL's modelview stack as the calculator: rotation := R x
// rotation, R the turn by angle degrees about (x, y, z); the stack is left
// as it was. For tests that set an orientation or follow one over frames.
#pragma once

#include <GL/gl.h>

inline void TurnOnTheStack(float rotation[16], float angle, float x, float y, float z) {
  glPushMatrix();
  glLoadIdentity();
  glRotatef(angle, x, y, z);
  glMultMatrixf(rotation);
  glGetFloatv(GL_MODELVIEW_MATRIX, rotation);
  glPopMatrix();
}
