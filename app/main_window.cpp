// The OpenGL window: drawing resources, the 50 ms clock, the held size, paint, palette,
// mouse and key messages. Relies on platform.h, the pixel format, camera, lights, grid,
// trackball and keyboard.
#include "app/main_window.h"

#include <climits>

#include "app/pixel_format.h"
#include "input/keyboard.h"
#include "input/trackball.h"
#include "render/camera.h"
#include "render/lighting.h"
#include "render/redraw.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "sim/heat_step.h"

namespace {

void CreateScene(WindowHandle window) {
  SetTimer(window, 1, 50, nullptr);
  mainDC = GetDC(window);
  SetupPixelFormat(mainDC);
  SetupPalette(mainDC);
  glContext = wglCreateContext(mainDC);
  wglMakeCurrent(mainDC, glContext);
  InitLighting();
  InitHeatGrid();
  SetViewTransform();
  SetInitialRotation();
}

void ReleaseScene(WindowHandle window) {
  if (glContext != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(glContext);
    glContext = nullptr;   // nothing may use the deleted context afterwards
  }
  redrawHook = nullptr;
  ReleaseDC(window, mainDC);
  mainDC = nullptr;
  PostQuitMessage(0);
}

void RealizeWindowPalette() {
  UnrealizeObject(glPalette);
  SelectPalette(mainDC, glPalette, 0);
  RealizePalette(mainDC);
  RequestRedraw();
}

intptr_t PaletteChanged(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (glPalette != nullptr && (WindowHandle)wParam != window) {
    RealizeWindowPalette();
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

void TickClock() {
  // The count restarts from 0 instead of overflowing after 2^31 ticks (3.4 years).
  tickCount = (tickCount == INT_MAX) ? 0 : tickCount + 1;
  elapsedSeconds = (int)((float)tickCount * 0.05f);
  StepHeat();
  RequestRedraw();
}

intptr_t MainWndProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  const int x = SignedLoWord(lParam);
  const int y = SignedHiWord(lParam);
  switch (message) {
    case WM_CREATE:
      CreateScene(window);
      return 0;
    case WM_DESTROY:
      ReleaseScene(window);
      return 0;
    case WM_SIZE:
      if (glContext == nullptr) return PaletteChanged(window, message, wParam, lParam);
      SetWindowPos(window, nullptr, 80, 80, windowWidth, windowHeight, SWP_NOMOVE);
      ResizeViewport();
      return 0;
    case WM_PAINT:
      if (glContext == nullptr) break;
      {
        PaintStruct paint;
        BeginPaint(window, &paint);
        RequestRedraw();
        EndPaint(window, &paint);
      }
      return 0;
    case WM_TIMER:
      TickClock();
      return 0;
    case WM_MOUSEMOVE:
      if (glContext != nullptr) HandleMouseMove(x, y);
      break;
    case WM_LBUTTONDOWN:
      if (glContext == nullptr) break;
      HandleLeftButtonDown(window, x, y);
      return 0;
    case WM_LBUTTONUP:
      if (glContext == nullptr) break;
      HandleLeftButtonUp(x, y);
      return 0;
    case WM_RBUTTONDOWN:
      if (glContext == nullptr) break;
      HandleRightButtonDown(window, x, y);
      return 0;
    case WM_RBUTTONUP:
      if (glContext == nullptr) break;
      HandleRightButtonUp();
      return 0;
    case WM_KEYDOWN:
      if (glContext == nullptr || !HandleKeyDown((unsigned)wParam, (HiWord((uintptr_t)lParam) & KF_REPEAT) != 0))
        break;
      return 0;
    case WM_CHAR:
      if (glContext == nullptr || !HandleCharacter((unsigned)wParam)) break;
      return 0;
    case WM_PALETTECHANGED:
      return PaletteChanged(window, message, wParam, lParam);
    case WM_QUERYNEWPALETTE:
      if (glPalette == nullptr) break;
      RealizeWindowPalette();
      return 1;
    default:
      break;
  }
  return DefWindowProc(window, message, wParam, lParam);
}
