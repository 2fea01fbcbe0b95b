// The keys of the main window: Left, Right, Up and Down turn the model by 5
// degrees about the screen's axes, Space stops and starts its spin, Page Up
// or + and Page Down or - zoom. Relies on the shared orientation, the camera
// distance, RequestRedraw and the trackball's turn (trackball.h), whose drag
// it only reads.
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

void TurnModel(float degrees, float x, float y, float z) {
  TurnRotation(degrees, x, y, z);
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
