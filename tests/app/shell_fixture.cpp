// Puts the program's module state back to its start values between tests,
// and opens the main window the way the entry does. Relies on the headless platform.
#include "tests/app/shell_fixture.h"

#include <GL/gl.h>

#include "app/main_window.h"
#include "app/pixel_format.h"
#include "app/redraw.h"
#include "app/shell_state.h"
#include "input/trackball.h"
#include "render/camera.h"
#include "render/frame.h"
#include "render/lighting.h"
#include "sim/heat_grid.h"
#include "sim/temp_color.h"
#ifdef SHELL_TESTS_WITH_PANELS
#include "panels/panels.h"
#endif

void ResetProgramState() {
  headless::Reset();
  windowWidth = 0;
  windowHeight = 0;
  mainDC = nullptr;
  glContext = nullptr;
  tickCount = 0;
  elapsedSeconds = 0;
  redrawHook = nullptr;
  glPalette = nullptr;
  doubleBuffer = 1;
  depthBuffer = 1;

  boundaryTemp = 2.3;
  colorScale = 0;
  for (auto& row : tempGrid)
    for (double& t : row) t = 0.0;

  cameraDistance = 5.0f;
  lightingOn = 1;
  fogOn = 0;
  for (int c = 0; c < 3; ++c) frontDiffuse[c] = backDiffuse[c] = 0.5f;
  materialAlpha = 0.5f;
  restoreRotation = 0;
  SetIdentity(savedRotation);

  SetIdentity(rotation);
  spinAngle = 0.031f;
  spinAxis[0] = -0.1f;
  spinAxis[1] = 0.1f;
  spinAxis[2] = 0.1f;
  tracking = 1;
  spinning = 1;
  dragging = 0;
  zoomDrag = 0;
  modelScale = 2.0f;

#ifdef SHELL_TESTS_WITH_PANELS
  scaleBitmap = nullptr;
  scaleBitmapWidth = 0;
  scaleBitmapHeight = 0;
  optionsPanel = nullptr;
  formColorsPanel = nullptr;
  for (int& p : sliderPos) p = 128;
#endif
}

WindowHandle OpenMainWindow(int size) {
  WindowClass windowClass = {};
  windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
  windowClass.windowProc = MainWndProc;
  windowClass.instance = headless::Instance();
  windowClass.cursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.className = "OpenGL";
  RegisterClass(&windowClass);
  windowWidth = size;
  windowHeight = size;
  return CreateWindow("OpenGL", "test window", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 10,
                      10, size, size, nullptr);
}

bool RedrawRequested() { return redrawHook == IdleRedraw; }

void CurrentModelview(float m[16]) { glGetFloatv(GL_MODELVIEW_MATRIX, m); }
