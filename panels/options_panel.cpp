// The options panel: fog and lights switched by logical negation.
// Relies on platform.h (EndDialog), the lighting switches and the redraw request.
#include "panels/panels.h"
#include "panels/resource_ids.h"
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
        case IDOK: CloseOptions(dialog); break;
        case IDC_FOG: fogOn = !fogOn; RequestRedraw(); break;
        case IDC_LIGHTS: lightingOn = !lightingOn; RequestRedraw(); break;
        case IDC_TRANSPARENCY: RequestRedraw(); break;
        default: break;
      }
      return 0;
    default:
      return 0;
  }
}
