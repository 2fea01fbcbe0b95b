// Prints the matrices that sequences of OpenGL matrix calls leave, every
// number as the hex digits of its bits (a zero of either sign as 0): the
// projection, refused frustums, the frame's rotation accumulated over 5,000
// frames, turns as drags leave them, axes too short to turn about, a stack
// pushed past its depth. Built against the desktop's OpenGL (Mesa,
// offscreen) and against the browser's layer (run under node), and compared
// by same_matrices.py: a line marked "=" must be the same to the last bit; a
// line marked "~" follows turns by arbitrary angles, whose sines the two C
// libraries may round differently, and must agree to within 1e-5.
#include <GL/gl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "tests/support/turn.h"

#ifndef __EMSCRIPTEN__
#include "platform/headless/egl.h"
#endif

namespace {

// Whether the lines printed from now on may differ in the last bits.
char exactness = '=';

void Print(const char* what, const float* m) {
  std::printf("%c %-28s", exactness, what);
  for (int i = 0; i < 16; ++i) {
    const float value = m[i];
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    std::printf(" %08x", value == 0.0f ? 0u : (unsigned)bits);
  }
  std::printf("\n");
}

void Print(const char* what, GLenum matrix) {
  float m[16];
  glGetFloatv(matrix, m);
  Print(what, m);
}

// A fixed sequence of numbers in [0, 1).
unsigned seed = 12345u;
float Next() {
  seed = seed * 1103515245u + 12345u;
  return (float)((seed >> 8) & 0xFFFFu) / 65536.0f;
}

}  // namespace

int main() {
#ifndef __EMSCRIPTEN__
  headless::OffscreenSurface* surface = headless::CreateOffscreenSurface(16, 16, 16);
  if (surface == nullptr || !headless::MakeOffscreenCurrent(surface)) return 1;
#endif
  char name[64];
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1.0, 1.0, -1.0, 1.0, 2.0, 9.0);
  Print("frustum square", GL_PROJECTION_MATRIX);
  glLoadIdentity();
  glFrustum(-1.3333334f, 1.3333334f, -1.0, 1.0, 2.0, 5.0f + 4.0);
  Print("frustum wide", GL_PROJECTION_MATRIX);
  // Refused: the matrix stays.
  glFrustum(-1.0, 1.0, -1.0, 1.0, 2.0, 2.0);
  glFrustum(-1.0, 1.0, -1.0, 1.0, 2.0, -0.4);
  glFrustum(-1.0, 1.0, -1.0, 1.0, 0.0, 9.0);
  glFrustum(1.0, 1.0, -1.0, 1.0, 2.0, 9.0);
  Print("frustum after refusals", GL_PROJECTION_MATRIX);
  glMatrixMode(GL_MODELVIEW);

  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -5.7f);
  glTranslatef(0.0f, -0.2f, 0.0f);
  Print("view and offset", GL_MODELVIEW_MATRIX);

  float rotation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  TurnOnTheStack(rotation, -60.0f, 0.0f, 1.0f, 0.0f);
  Print("start orientation", rotation);
  // Frames spinning at the start's speed about the start's axis.
  for (int frame = 1; frame <= 5000; ++frame) {
    TurnOnTheStack(rotation, 0.031f, -0.1f, 0.1f, 0.1f);
    if (frame == 1 || frame == 10 || frame == 100 || frame == 1000 || frame == 5000) {
      std::snprintf(name, sizeof name, "after %d frames", frame);
      Print(name, rotation);
    }
  }
  // Drags: random turns.
  exactness = '~';
  for (int drag = 1; drag <= 200; ++drag) {
    const float angle = Next() * 360.0f - 180.0f;
    const float x = Next() - 0.5f, y = Next() - 0.5f, z = Next() - 0.5f;
    TurnOnTheStack(rotation, angle, x, y, z);
    if (drag % 20 == 0) {
      std::snprintf(name, sizeof name, "after %d drags", drag);
      Print(name, rotation);
    }
  }
  // About the coordinate axes, either way, any length; too short an axis
  // turns nothing.
  const float axes[][3] = {{0, 0, 1}, {0, 0, -2.5f}, {3, 0, 0}, {-0.2f, 0, 0}, {0, 7, 0}, {0, -1, 0},
                           {0, 0, 0}, {0, 0.00005f, 0.00005f}, {0.00002f, 0, 0}};
  for (const auto& axis : axes) {
    TurnOnTheStack(rotation, 37.5f, axis[0], axis[1], axis[2]);
    std::snprintf(name, sizeof name, "about (%g, %g, %g)", axis[0], axis[1], axis[2]);
    Print(name, rotation);
  }
  // Pushed 40 times on a stack 32 deep, popped 40 times.
  glLoadIdentity();
  for (int i = 0; i < 40; ++i) {
    glTranslatef(1.0f, 0.5f, 0.25f);
    glPushMatrix();
  }
  Print("top after 40 pushes", GL_MODELVIEW_MATRIX);
  for (int i = 0; i < 40; ++i) glPopMatrix();
  Print("bottom after 40 pops", GL_MODELVIEW_MATRIX);
  return 0;
}
