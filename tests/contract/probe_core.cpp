// The contract suite's probe of a backend over the emulation core: where a
// window is and whether it is shown, from the core's records.
#include "platform/backend.h"
#include "tests/contract/backend_probe.h"

namespace probe {

const bool kWideScrollRangeRefused = true;

Box Outer(WindowHandle window) { return {window->x, window->y, window->width, window->height}; }

Box Client(WindowHandle window) {
  Box box{0, 0, window->width, window->height};
  BackendClientOrigin(window, &box.x, &box.y);
  return box;
}

Box InDialog(WindowHandle control) { return Outer(control); }

bool Shown(WindowHandle window) { return Live(window) && (window->style & WS_VISIBLE) != 0; }

bool NeedsPaint(WindowHandle window) { return Live(window) && window->needsPaint; }

}  // namespace probe
