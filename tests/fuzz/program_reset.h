// The program's module state back to its start values and the headless
// platform emptied, then the main window and its panel opened as the entry
// opens them. Shared by the message fuzzer and the extreme-state tests.
#pragma once

#include "app/main_window.h"
#include "app/pixel_format.h"
#include "app/redraw.h"
#include "app/shell_state.h"
#include "input/trackball.h"
#include "panels/panels.h"
#include "platform/headless.h"
#include "render/camera.h"
#include "render/frame.h"
#include "render/lighting.h"
#include "sim/heat_grid.h"
#include "sim/temp_color.h"

inline void ResetProgram() {
  headless::Reset();
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
  scaleBitmap = nullptr;
  scaleBitmapWidth = scaleBitmapHeight = 0;
  optionsPanel = formColorsPanel = nullptr;
  for (int& p : sliderPos) p = 128;
}

// The "OpenGL" window at (10, 10), square, of four fifths of the screen height
// set here, as the entry makes it; its creation sets up the scene.
inline WindowHandle OpenProgramWindow(int screenHeight) {
  headless::SetScreenHeight(screenHeight);
  WindowClass windowClass = {};
  windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
  windowClass.windowProc = MainWndProc;
  windowClass.instance = headless::Instance();
  windowClass.className = "OpenGL";
  RegisterClass(&windowClass);
  windowWidth = windowHeight = (int)(GetSystemMetrics(SM_CYSCREEN) * 0.8);
  return CreateWindow("OpenGL", "  Velmora - free distribution soft",
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 10, 10, windowWidth,
                      windowHeight, nullptr);
}

inline WindowHandle OpenProgramPanel(WindowHandle owner) {
  return CreateDialogParam(headless::Instance(), "ColorScrDlg", owner, PanelProc, 0);
}
