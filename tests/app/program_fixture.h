// Puts the program's module state and the headless platform back to their
// start values, and opens the main window and the main panel as the entry does.
#pragma once

#include <GL/gl.h>

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

inline void ResetProgramState() {
  headless::Reset();
  headless::SetScreenHeight(256);   // a 204 x 204 window keeps the frames cheap
  boundaryTemp = 2.3;
  colorScale = 0;
  windowWidth = windowHeight = 0;
  mainDC = nullptr;
  glContext = nullptr;
  tickCount = elapsedSeconds = 0;
  redrawHook = nullptr;
  glPalette = nullptr;
  cameraDistance = 5.0f;
  restoreRotation = 0;
  lightingOn = 1;
  fogOn = 0;
  for (int i = 0; i < 3; ++i) frontDiffuse[i] = backDiffuse[i] = 0.5f;
  materialAlpha = 0.5f;
  spinAngle = 0.031f;
  spinAxis[0] = -0.1f; spinAxis[1] = 0.1f; spinAxis[2] = 0.1f;
  tracking = spinning = 1;
  dragging = zoomDrag = 0;
  modelScale = 2.0f;
  scaleBitmap = nullptr;
  scaleBitmapWidth = scaleBitmapHeight = 0;
  optionsPanel = formColorsPanel = nullptr;
  for (int& p : sliderPos) p = 128;
}

// The main window as the entry function makes it (its WM_CREATE sets up the scene).
inline WindowHandle OpenMainWindow() {
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

inline WindowHandle OpenMainPanel(WindowHandle owner) {
  return CreateDialogParam(headless::Instance(), "ColorScrDlg", owner, PanelProc, 0);
}

inline intptr_t Command(WindowHandle dialog, int id) {
  return headless::Send(dialog, WM_COMMAND, MakeWParam((unsigned)id, BN_CLICKED),
                        (intptr_t)headless::FindControl(dialog, id));
}
