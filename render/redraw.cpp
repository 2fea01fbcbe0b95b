// The redraw request and the idle frame: requests coalesce into one frame, and while the
// model spins frames follow each other. Relies on RenderScene and the spinning flag.
#include "render/redraw.h"

#include "render/frame.h"
#include "shared/orientation.h"

RedrawHook redrawHook = nullptr;

void RequestRedraw() {
  if (redrawHook == nullptr) redrawHook = IdleRedraw;
}

int IdleRedraw() {
  if (spinning == 0) redrawHook = nullptr;
  return RenderScene();
}
