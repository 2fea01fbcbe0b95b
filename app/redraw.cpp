// The redraw request and the idle frame: requests coalesce into one frame;
// while the model spins the request stays installed and frames follow each other.
#include "app/redraw.h"

#include "input/trackball.h"
#include "render/frame.h"

RedrawHook redrawHook = nullptr;

void RequestRedraw() {
  if (redrawHook == nullptr) redrawHook = IdleRedraw;
}

int IdleRedraw() {
  if (spinning == 0) redrawHook = nullptr;
  return RenderScene();
}
