// The browser's side of the frame comparison: a page that draws a reference
// scene (tests/support/reference_scenes.h) through the OpenGL layer on its
// 819 x 819 canvas whenever the test asks (DrawScene), rounding line widths
// as the desktop's OpenGL does (RoundHalfLineWidthsUp), and tells the test
// the scenes' names and whether the layer started (window.pageState).
#include <emscripten.h>

#include <string>

#include "platform/web/gl/layer.h"
#include "tests/support/reference_scenes.h"

extern "C" EMSCRIPTEN_KEEPALIVE void DrawScene(int index) {
  if (index >= 0 && index < referenceSceneCount) DrawReferenceScene(index);
}

extern "C" EMSCRIPTEN_KEEPALIVE void RoundHalfLineWidthsUp(int up) { webgl11::RoundHalfLineWidthsUp(up != 0); }

int main() {
  if (!webgl11::StartLayer("#canvas", true)) {
    emscripten_run_script("window.pageState = 'no OpenGL layer'");
    return 1;
  }
  for (int i = 0; i < referenceSceneCount; ++i) {
    emscripten_run_script(("window.sceneNames.push('" + std::string(referenceScenes[i].name) + "')").c_str());
  }
  emscripten_run_script("window.pageState = 'ready'");
  return 0;
}
