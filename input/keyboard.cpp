// The keys of the main window: Left, Right, Up and Down turn the model by 5
// degrees about the screen's axes, Space stops and starts its spin, Page Up
// or + and Page Down or - zoom. Relies on the shared orientation, the camera
// distance and RequestRedraw; the mouse's state (trackball.h) is only read.
#include "input/keyboard.h"

#include <cmath>
#include <cstring>

#include "input/trackball.h"
#include "platform/platform.h"
#include "render/camera.h"
#include "render/redraw.h"
#include "shared/orientation.h"

namespace {

void Still() {
  spinAngle = 0.0f;
  spinning = 0;
  tracking = 0;
}

// The camera sees nothing nearer than 2.0 to the eye and stands
// cameraDistance + 0.7 from the model's centre (render/camera.cpp).
float LargestScale() { return cameraDistance + 0.7f - 2.0f; }
const float smallestScale = 0.2f;

}  // namespace

// rotation := R x rotation, R the rotation matrix OpenGL makes of (degrees, axis).
void TurnModel(float degrees, float x, float y, float z) {
  const float length = std::sqrt(x * x + y * y + z * z);
  if (!(length > 0.0f)) return;
  const float ux = x / length, uy = y / length, uz = z / length;
  const float radians = degrees * 0.017453292f;
  const float c = std::cos(radians), s = std::sin(radians), t = 1.0f - c;
  const float turn[16] = {
      t * ux * ux + c,      t * ux * uy + s * uz, t * ux * uz - s * uy, 0.0f,
      t * ux * uy - s * uz, t * uy * uy + c,      t * uy * uz + s * ux, 0.0f,
      t * ux * uz + s * uy, t * uy * uz - s * ux, t * uz * uz + c,      0.0f,
      0.0f,                 0.0f,                 0.0f,                 1.0f,
  };
  float product[16];
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += turn[k * 4 + row] * rotation[column * 4 + k];
      product[column * 4 + row] = sum;
    }
  std::memcpy(rotation, product, sizeof product);
  spinAxis[0] = x;
  spinAxis[1] = y;
  spinAxis[2] = z;
  Still();
  RequestRedraw();
}

// OpenGL turns about no axis shorter than 1e-4 (the increment of a motion
// step that did not move, say); such a spin would never show.
void ToggleSpin() {
  if (tracking) {
    Still();
  } else {
    const float length = std::sqrt(spinAxis[0] * spinAxis[0] + spinAxis[1] * spinAxis[1] + spinAxis[2] * spinAxis[2]);
    if (!(length > 1e-4f)) std::memcpy(spinAxis, startSpinAxis, sizeof spinAxis);
    spinAngle = startSpinAngle;
    tracking = 1;
    spinning = 1;
  }
  RequestRedraw();
}

// A zoom the mouse took beyond a limit is brought back step by step, never
// further out.
void ZoomStep(bool in) {
  const float next = in ? std::fmin(modelScale * 1.1f, LargestScale()) : std::fmax(modelScale / 1.1f, smallestScale);
  if (in ? next <= modelScale : next >= modelScale) return;
  modelScale = next;
  RequestRedraw();
}

// While the left button drags the model the mouse has it: the turning keys
// and Space wait. A held Space does not toggle again and again.
bool HandleKeyDown(unsigned key, bool repeat) {
  switch (key) {
    case VK_SPACE:
      if (!dragging && !repeat) ToggleSpin();
      return true;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: {
      if (dragging) return true;
      const float axis = (key == VK_RIGHT || key == VK_DOWN) ? 1.0f : -1.0f;
      if (key == VK_LEFT || key == VK_RIGHT) TurnModel(5.0f, 0.0f, axis, 0.0f);
      else TurnModel(5.0f, axis, 0.0f, 0.0f);
      return true;
    }
    case VK_PRIOR: ZoomStep(true); return true;
    case VK_NEXT: ZoomStep(false); return true;
    default: return false;
  }
}

// '+' and '=' share a key on most layouts; '-' zooms out.
bool HandleCharacter(unsigned character) {
  if (character == '+' || character == '=') ZoomStep(true);
  else if (character == '-') ZoomStep(false);
  else return false;
  return true;
}
