// One reset of the module state of the simulation, the shared state, the
// scene and the trackball; the program reset (program_state.cpp) builds on it.
#include "tests/support/scene_state.h"

#include "input/trackball.h"
#include "render/camera.h"
#include "render/frame.h"
#include "render/lighting.h"
#include "render/redraw.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "sim/temp_color.h"

namespace {
template <typename T, int N>
void Fill(T (&values)[N], T value) {
  for (T& v : values) v = value;
}
}  // namespace

void ResetSceneState() {
  // sim/: all storage zero, as before the first InitHeatGrid.
  for (auto& row : tempGrid) Fill(row, 0.0);
  for (auto& row : tempPrev) Fill(row, 0.0);
  Fill(rNode, 0.0);
  Fill(thetaNode, 0.0);
  dr = dTheta = dt = 0.0;
  boundaryTemp = 2.3;
  colorScale = 0;

  // shared/
  windowWidth = windowHeight = 0;
  mainDC = nullptr;
  glContext = nullptr;
  tickCount = elapsedSeconds = 0;
  SetIdentity(rotation);
  spinAngle = 0.031f;
  spinAxis[0] = -0.1f;
  spinAxis[1] = 0.1f;
  spinAxis[2] = 0.1f;
  tracking = spinning = 1;
  modelScale = 2.0f;

  // render/
  redrawHook = nullptr;
  SetIdentity(savedRotation);
  restoreRotation = 0;
  savedRotationTaken = 0;
  cameraDistance = 5.0f;
  lightingOn = 1;
  fogOn = 0;
  Fill(frontDiffuse, 0.5f);
  Fill(backDiffuse, 0.5f);
  materialAlpha = 0.5f;

  // input/
  dragging = zoomDrag = 0;
  Fill(lastSpherePoint, 0.0f);
  pressX = pressY = zoomLastY = 0;
}

DeviceContext TestDC() {
  static int surface;
  return reinterpret_cast<DeviceContext>(&surface);
}

void StartUpScene() {
  ResetSceneState();
  windowWidth = 819;
  windowHeight = 819;
  mainDC = TestDC();
  InitLighting();
  InitHeatGrid();
  SetViewTransform();
  SetInitialRotation();
}
