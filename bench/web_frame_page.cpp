// What one frame costs the page's main thread: RenderScene through the
// OpenGL layer on an 819 x 819 canvas, a run some seconds in, timed over
// many frames (TimeFrames). Built twice, with Asyncify as the program is
// (HEAT_ASYNCIFY: a wait, so that every call through a pointer is
// instrumented as in the program) and without, to tell what Asyncify costs.
#include <emscripten.h>

#include "platform/web/gl/layer.h"
#include "render/frame.h"
#include "shared/shell_state.h"
#include "sim/heat_step.h"
#include "tests/support/scene_state.h"

// Milliseconds a frame, over `frames` frames.
extern "C" EMSCRIPTEN_KEEPALIVE double TimeFrames(int frames) {
  const double start = emscripten_get_now();
  for (int k = 0; k < frames; ++k) RenderScene();
  return (emscripten_get_now() - start) / frames;
}

int main() {
  if (!webgl11::StartLayer("#canvas", false)) {
    emscripten_run_script("window.pageState = 'no OpenGL layer'");
    return 1;
  }
  StartUpScene();
  for (int step = 0; step < 100; ++step) StepHeat();
  elapsedSeconds = 123;
#ifdef HEAT_ASYNCIFY
  emscripten_sleep(0);
#endif
  emscripten_run_script("window.pageState = 'ready'");
  return 0;
}
