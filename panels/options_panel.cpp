// The options panel: fog and lights switched by logical negation.
// Relies on platform.h (EndDialog), the lighting switches and the redraw request.
#include "panels/panels.h"
#include "render/lighting.h"
#include "render/redraw.h"

namespace {
void CloseOptions(WindowHandle dialog) {
  EndDialog(dialog, 0);
  optionsPanel = nullptr;
}
}  // namespace

intptr_t OptionsProc(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t) {
  switch (message) {
    case WM_INITDIALOG:
      return 1;
    case WM_CLOSE:
      CloseOptions(dialog);
      return 0;
    case WM_COMMAND:
      switch (LoWord(wParam)) {
        case 1: CloseOptions(dialog); break;
        case 1006: fogOn = !fogOn; RequestRedraw(); break;
        case 1018: lightingOn = !lightingOn; RequestRedraw(); break;
        case 1046: RequestRedraw(); break;
        default: break;
      }
      return 0;
    default:
      return 0;
  }
}
