// The state a frame finds after the window's creation: the initial settings
// and the start-up calls of the window procedure, at 819 x 819.
#pragma once

#include "input/trackball.h"
#include "render/camera.h"
#include "render/frame.h"
#include "render/lighting.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "sim/heat_step.h"
#include "sim/temp_color.h"
#include "tests/support/test_platform.h"

inline DeviceContext TestDC() {
  static int surface;
  return reinterpret_cast<DeviceContext>(&surface);
}

// Every setting as the program starts, then InitLighting, the grid, the
// view transform and the start orientation (a GL context must be current).
inline void StartUpScene() {
  ResetTestPlatform();
  windowWidth = 819;
  windowHeight = 819;
  mainDC = TestDC();
  elapsedSeconds = 0;
  cameraDistance = 5.0f;
  lightingOn = 1;
  fogOn = 0;
  for (int k = 0; k < 3; ++k) frontDiffuse[k] = backDiffuse[k] = 0.5f;
  materialAlpha = 0.5f;
  restoreRotation = 0;
  colorScale = 0;
  boundaryTemp = 2.3;
  tracking = 1;
  spinning = 1;
  dragging = 0;
  zoomDrag = 0;
  spinAngle = 0.031f;
  spinAxis[0] = -0.1f;
  spinAxis[1] = 0.1f;
  spinAxis[2] = 0.1f;
  modelScale = 2.0f;
  InitLighting();
  InitHeatGrid();
  SetViewTransform();
  SetInitialRotation();
}
