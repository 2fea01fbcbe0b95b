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

// Taken before main, so each holds the value the program starts with.
const std::vector<StartValue> sceneStart = {
    // sim/
    KeepStartValue(tempGrid), KeepStartValue(tempPrev), KeepStartValue(rNode), KeepStartValue(thetaNode),
    KeepStartValue(dr), KeepStartValue(dTheta), KeepStartValue(dt), KeepStartValue(boundaryTemp),
    KeepStartValue(colorScale),
    // shared/
    KeepStartValue(windowWidth), KeepStartValue(windowHeight), KeepStartValue(mainDC), KeepStartValue(glContext),
    KeepStartValue(tickCount), KeepStartValue(elapsedSeconds), KeepStartValue(rotation), KeepStartValue(spinAngle),
    KeepStartValue(spinAxis), KeepStartValue(tracking), KeepStartValue(spinning), KeepStartValue(modelScale),
    // render/
    KeepStartValue(redrawHook), KeepStartValue(savedRotation), KeepStartValue(restoreRotation),
    KeepStartValue(savedRotationTaken), KeepStartValue(cameraDistance), KeepStartValue(lightingOn),
    KeepStartValue(fogOn), KeepStartValue(frontDiffuse), KeepStartValue(backDiffuse), KeepStartValue(materialAlpha),
    // input/
    KeepStartValue(dragging), KeepStartValue(zoomDrag), KeepStartValue(lastSpherePoint), KeepStartValue(pressX),
    KeepStartValue(pressY), KeepStartValue(zoomLastY),
};

}  // namespace

void RestoreStartValues(const std::vector<StartValue>& values) {
  for (const StartValue& kept : values) std::memcpy(kept.variable, kept.bytes.data(), kept.bytes.size());
}

void ResetSceneState() { RestoreStartValues(sceneStart); }

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
