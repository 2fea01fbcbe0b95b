// One reset of the whole program's state and one way of opening its windows,
// both the program's own: CreateMainWindow and PanelProc. Relies on the
// headless platform and on scene_state.cpp for the layers below the shell.
#include "tests/support/program_state.h"

#include <GL/gl.h>

#include "app/entry.h"
#include "app/pixel_format.h"
#include "panels/dialog_templates.h"
#include "panels/panels.h"
#include "panels/resource_ids.h"
#include "render/redraw.h"
#include "tests/support/scene_state.h"

namespace {

// The shell's and the panels' module variables, taken before main.
const std::vector<StartValue> programStart = {
    // app/
    KeepStartValue(glPalette), KeepStartValue(doubleBuffer), KeepStartValue(depthBuffer),
    // panels/
    KeepStartValue(scaleBitmap), KeepStartValue(scaleBitmapWidth), KeepStartValue(scaleBitmapHeight),
    KeepStartValue(optionsPanel), KeepStartValue(formColorsPanel), KeepStartValue(sliderPos),
};

}  // namespace

void ResetProgramState() {
  headless::Reset();
  SetProgramResources(&programResources);
  ResetSceneState();
  RestoreStartValues(programStart);
}

void HandResourcesWithoutLegend() {
  ResourceTable withoutBitmaps = programResources;
  withoutBitmaps.bitmapCount = 0;
  SetProgramResources(&withoutBitmaps);   // the table is copied
}

WindowHandle OpenMainWindow(int side) {
  // Four fifths of a screen of 5/4 side (rounded up) is side, truncated.
  headless::SetScreenHeight((side * 5 + 3) / 4);
  return CreateMainWindow(ProgramInstance());
}

WindowHandle OpenMainPanel(WindowHandle owner) {
  return CreateDialogParam(ProgramInstance(), IDD_MAIN_PANEL, owner, PanelProc, 0);
}

bool RedrawRequested() { return redrawHook == IdleRedraw; }

void CurrentModelview(float m[16]) { glGetFloatv(GL_MODELVIEW_MATRIX, m); }

void UseThreeThreeTwoFormat() {
  PixelFormatDescriptor format{};
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | PFD_NEED_PALETTE;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 8;
  format.cRedBits = format.cGreenBits = 3;
  format.cBlueBits = 2;
  format.cGreenShift = 3;
  format.cBlueShift = 6;
  format.cDepthBits = 16;
  headless::DescribeFormatAs(&format);
}
