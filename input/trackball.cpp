// The orientation and zoom of the model: a virtual trackball on the left
// button, a vertical zoom on the right. Relies on the window size, mouse
// capture (platform.h), RequestRedraw, and a current GL context for turning
// the orientation.
#include "input/trackball.h"

#include <GL/gl.h>

#include <cmath>

#include "render/redraw.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"

int dragging = 0;
int zoomDrag = 0;
float lastSpherePoint[3] = {0.0f, 0.0f, 0.0f};
int pressX = 0;
int pressY = 0;
int zoomLastY = 0;

void SetIdentity(float m[16]) {
  for (int k = 0; k < 16; ++k) m[k] = 0.0f;
  m[0] = 1.0f;
  m[5] = 1.0f;
  m[10] = 1.0f;
  m[15] = 1.0f;
}

void PointToSphere(int px, int py, int width, int height, float out[3]) {
  const float x = (2.0f * (float)px - (float)width) / (float)width;
  const float y = ((float)height - 2.0f * (float)py) / (float)height;
  float d = std::sqrt(x * x + y * y);
  if (!(d < 1.0f)) d = 1.0f;
  const float z = std::cos(d * 1.5707964f);
  const float length = std::sqrt(x * x + y * y + z * z);
  out[0] = x / length;
  out[1] = y / length;
  out[2] = z / length;
}

void TrackRotate(int x, int y) {
  if (!dragging) return;
  float v[3];
  PointToSphere(x, y, windowWidth, windowHeight, v);
  const float dx = v[0] - lastSpherePoint[0];
  const float dy = v[1] - lastSpherePoint[1];
  const float dz = v[2] - lastSpherePoint[2];
  spinAngle = 90.0f * std::sqrt(dx * dx + dy * dy + dz * dz);
  const float* l = lastSpherePoint;
  spinAxis[0] = l[1] * v[2] - l[2] * v[1];
  spinAxis[1] = l[2] * v[0] - l[0] * v[2];
  spinAxis[2] = l[0] * v[1] - l[1] * v[0];
  lastSpherePoint[0] = v[0];
  lastSpherePoint[1] = v[1];
  lastSpherePoint[2] = v[2];
  RequestRedraw();
}

void EndRotate(int x, int y) {
  if (tracking != 1) return;
  dragging = 0;
  if (x != pressX || y != pressY) {
    spinning = 1;
    spinAngle = 0.1f;
  } else {
    spinAngle = 0.0f;
    spinning = 0;
    tracking = 0;
  }
  RequestRedraw();
}

// The matrix stack is the calculator, as for each frame's increment.
void TurnRotation(float degrees, float x, float y, float z) {
  glPushMatrix();
  glLoadIdentity();
  glRotatef(degrees, x, y, z);
  glMultMatrixf(rotation);
  glGetFloatv(GL_MODELVIEW_MATRIX, rotation);
  glPopMatrix();
}

void SetInitialRotation() {
  SetIdentity(rotation);
  TurnRotation(-60.0f, 0.0f, 1.0f, 0.0f);
}

void HandleLeftButtonDown(WindowHandle window, int x, int y) {
  SetCapture(window);
  tracking = 1;
  dragging = 1;
  spinning = 0;
  pressX = x;
  pressY = y;
  PointToSphere(x, y, windowWidth, windowHeight, lastSpherePoint);
}

void HandleLeftButtonUp(int x, int y) {
  ReleaseCapture();
  EndRotate(x, y);
}

void HandleRightButtonDown(WindowHandle window, int, int y) {
  zoomLastY = y;
  SetCapture(window);
  zoomDrag = 1;
}

void HandleRightButtonUp() {
  zoomDrag = 0;
  ReleaseCapture();
}

namespace {

// Every zoom step is taken except one that would leave the finite, normal
// floats: past them the drawers would send infinities or a point-sized model
// that no later step could bring back.
void ZoomBy(float factor) {
  const float scaled = modelScale * factor;
  if (std::isnormal(scaled)) modelScale = scaled;
}

}  // namespace

void HandleMouseMove(int x, int y) {
  TrackRotate(x, y);
  if (zoomDrag) {
    const int previousY = zoomLastY;
    zoomLastY = y;
    if (y < previousY) ZoomBy(1.1f);
    if (y > previousY) ZoomBy(0.9f);
    RequestRedraw();
  }
}
