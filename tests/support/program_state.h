// The program's module variables back to their start values, for tests that
// run the real procedures one after another in one process. Header only:
// the panel part is used only by programs that link the panels.
#pragma once

#include "app/pixel_format.h"
#include "input/trackball.h"
#include "render/camera.h"
#include "render/frame.h"
#include "render/lighting.h"
#include "render/redraw.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "sim/temp_color.h"

// The shell, the scene and the simulation (the grid zero-filled, as at start).
inline void ResetShellAndSceneState() {
  windowWidth = windowHeight = 0;
  mainDC = nullptr;
  glContext = nullptr;
  tickCount = elapsedSeconds = 0;
  redrawHook = nullptr;
  glPalette = nullptr;
  doubleBuffer = depthBuffer = 1;
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
  tracking = spinning = 1;
  dragging = zoomDrag = 0;
  modelScale = 2.0f;
}

#ifdef HEAT_TESTS_WITH_PANELS
#include "panels/panels.h"

inline void ResetPanelState() {
  scaleBitmap = nullptr;
  scaleBitmapWidth = scaleBitmapHeight = 0;
  optionsPanel = formColorsPanel = nullptr;
  for (int& p : sliderPos) p = 128;
}
#endif
