// Puts the program's module state back to its start values between tests,
// and opens the main window the way the entry does. Relies on the headless platform.
#include "tests/app/shell_fixture.h"

#include <GL/gl.h>

#include "app/main_window.h"
#include "app/pixel_format.h"
#include "input/trackball.h"
#include "render/camera.h"
#include "render/frame.h"
#include "render/lighting.h"
#include "render/redraw.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "sim/temp_color.h"
#include "tests/support/program_state.h"

void ResetProgramState() {
  headless::Reset();
  ResetShellAndSceneState();
#ifdef HEAT_TESTS_WITH_PANELS
  ResetPanelState();
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
