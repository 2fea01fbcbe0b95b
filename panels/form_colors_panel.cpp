// The form colours panel: seven bars, moved only by their thumbs, set the diffuse colours and alpha.
// Relies on platform.h (scroll bars), the materials' colours and the redraw request.
#include "panels/panels.h"
#include "panels/resource_ids.h"
#include "render/lighting.h"
#include "render/redraw.h"

int sliderPos[7] = {128, 128, 128, 128, 128, 128, 128};

namespace {

void CloseFormColors(WindowHandle dialog) {
  EndDialog(dialog, 0);
  formColorsPanel = nullptr;
}

void ColorsFromSliders() {
  frontDiffuse[0] = (float)(sliderPos[0] * 0.00390625);
  frontDiffuse[1] = (float)(sliderPos[1] * 0.00390625);
  frontDiffuse[2] = (float)(sliderPos[2] * 0.00390625);
  backDiffuse[0] = (float)(sliderPos[3] * 0.00390625);
  backDiffuse[1] = (float)(sliderPos[4] * 0.00390625);
  backDiffuse[2] = (float)(sliderPos[5] * 0.00390625);
  materialAlpha = (float)(sliderPos[6] * 0.00390625);
}

intptr_t ScrollMoved(uintptr_t wParam, intptr_t lParam) {
  WindowHandle bar = (WindowHandle)lParam;
  const int k = (int)GetWindowLong(bar, GWL_ID) - IDC_FRONT_RED;
  const unsigned request = LoWord(wParam);
  if (request != SB_THUMBPOSITION && request != SB_THUMBTRACK) return 0;
  // Only the seven bars of this panel have a place in sliderPos.
  if (k < 0 || k > 6) return 0;
  int position = (int)HiWord(wParam);
  if (position > 255) position = 255;   // the bars' range is 0..255
  sliderPos[k] = position;
  SetScrollPos(bar, SB_CTL, position, 1);
  ColorsFromSliders();
  RequestRedraw();
  return 1;
}

}  // namespace

intptr_t FormColorsProc(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG:
      for (int id = IDC_FRONT_RED; id <= IDC_ALPHA; ++id) {
        WindowHandle bar = GetDlgItem(dialog, id);
        SetScrollRange(bar, SB_CTL, 0, 255, 0);
        SetScrollPos(bar, SB_CTL, 128, 0);
      }
      return 1;
    case WM_CLOSE:
      CloseFormColors(dialog);
      return 0;
    case WM_COMMAND:
      if (LoWord(wParam) == IDOK) CloseFormColors(dialog);
      return 0;
    case WM_VSCROLL:
      return ScrollMoved(wParam, lParam);
    default:
      return 0;
  }
}
