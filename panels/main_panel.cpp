// The main control panel: the colour-scale legend, the boundary restarts and the hidden commands.
// Relies on platform.h (dialogs, GDI), the grid, colour scale, camera and redraw request.
#include "panels/dialog_templates.h"
#include "panels/panels.h"
#include "panels/resource_ids.h"
#include "render/camera.h"
#include "render/frame.h"
#include "render/redraw.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "sim/temp_color.h"

BitmapHandle scaleBitmap = nullptr;
int scaleBitmapWidth = 0;
int scaleBitmapHeight = 0;
WindowHandle optionsPanel = nullptr;
WindowHandle formColorsPanel = nullptr;

namespace {

void LoadLegend(WindowHandle dialog) {
  scaleBitmap = LoadBitmap((InstanceHandle)GetWindowLong(dialog, GWL_HINSTANCE), IDB_LEGEND);
  if (scaleBitmap == nullptr) {
    MessageBox(nullptr, "  no cargo ima  ", " aviso", MB_OK);
    return;
  }
  BitmapInfo info = {};
  GetObject(scaleBitmap, sizeof info, &info);
  scaleBitmapWidth = info.bmWidth;
  scaleBitmapHeight = info.bmHeight;
}

// A new run from the uniform state; the counter shows 0 from the next tick on.
void RestartAt(double temperature) {
  boundaryTemp = temperature;
  tickCount = 0;
  InitHeatGrid();
  RequestRedraw();
}

void MoveCamera(float change) {
  cameraDistance = cameraDistance + change;
  SetViewTransform();
  restoreRotation = !restoreRotation;
  RequestRedraw();
}

void RunCommand(unsigned id) {
  for (int k = 0; k < boundaryButtonCount; ++k)
    if (id == (unsigned)boundaryButtons[k].id) {
      RestartAt(boundaryButtons[k].temperature);
      return;
    }
  switch (id) {
    case IDC_SCALE_NO_GREENS: colorScale = 0; RequestRedraw(); break;
    case IDC_SCALE_NO_YELLOWS: colorScale = 1; RequestRedraw(); break;
    case IDC_SCALE_EQUILIBRIUM: colorScale = 2; RequestRedraw(); break;
    case IDC_CAMERA_FARTHER: MoveCamera(0.4f); break;
    case IDC_CAMERA_NEARER: MoveCamera(-0.4f); break;
    case IDC_OPEN_OPTIONS:
      if (optionsPanel == nullptr)
        optionsPanel = CreateDialogParam(nullptr, IDD_OPTIONS_PANEL, nullptr, OptionsProc, 0);
      break;
    case IDC_OPEN_FORM_COLORS:
      if (formColorsPanel == nullptr)
        formColorsPanel = CreateDialogParam(nullptr, IDD_FORM_COLORS_PANEL, nullptr, FormColorsProc, 0);
      break;
    case IDC_SHAPE_PLANE: case IDC_SHAPE_CONE: case IDC_SHAPE_POLYHEDRON:
    case IDC_SHAPE_PARABOLOID: case IDC_SHAPE_HYPERBOLOID:
      RequestRedraw();
      break;
    default:
      break;
  }
}

}  // namespace

void DrawScaleBitmap(DeviceContext dc) {
  DeviceContext memory = CreateCompatibleDC(dc);
  SelectObject(memory, scaleBitmap);
  StretchBlt(dc, 5, 0, 95, 200, memory, 0, 0, scaleBitmapWidth, scaleBitmapHeight, SRCCOPY);
  DeleteDC(memory);
}

intptr_t PanelProc(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t) {
  switch (message) {
    case WM_INITDIALOG:
      LoadLegend(dialog);
      return 0;
    case WM_SIZE:
      InvalidateRect(dialog, nullptr, 1);
      return 0;
    case WM_PAINT: {
      PaintStruct paint;
      DeviceContext dc = BeginPaint(dialog, &paint);
      if (scaleBitmap != nullptr) DrawScaleBitmap(dc);
      EndPaint(dialog, &paint);
      return 0;
    }
    case WM_COMMAND:
      RunCommand(LoWord(wParam));
      return 0;
    default:
      return 0;
  }
}
