// The program's module state back to its start values and the headless
// platform emptied, then the main window and its panel opened as the entry
// opens them. Shared by the message fuzzer and the extreme-state tests.
#pragma once

#include "app/main_window.h"
#include "app/pixel_format.h"
#include "input/trackball.h"
#include "panels/panels.h"
#include "panels/resource_ids.h"
#include "platform/headless.h"
#include "render/camera.h"
#include "render/frame.h"
#include "render/lighting.h"
#include "render/redraw.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "sim/temp_color.h"

#define HEAT_TESTS_WITH_PANELS 1
#include "tests/support/program_state.h"

inline void ResetProgram() {
  headless::Reset();
  ResetShellAndSceneState();
  ResetPanelState();
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
  return CreateDialogParam(headless::Instance(), IDD_MAIN_PANEL, owner, PanelProc, 0);
}
