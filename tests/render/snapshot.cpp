// Writes the frames of the reference scenes (tests/support/reference_scenes.h)
// as PPM into the given folder, one file named after each scene: among them
// the documentation's two frames (make_pngs.sh) and the frames the browser's
// OpenGL layer is compared with (tests/web).
#include <cstdio>
#include <string>

#include "tests/render/offscreen_frame.h"
#include "tests/support/reference_scenes.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  if (!OpenOffscreen()) {
    std::fprintf(stderr, "no offscreen OpenGL context\n");
    return 1;
  }
  for (int i = 0; i < referenceSceneCount; ++i) {
    DrawReferenceScene(i);
    KeepOffscreenFrame();
    if (!WritePpm(folder + "/" + referenceScenes[i].name + ".ppm")) return 1;
  }
  CloseOffscreen();
  return 0;
}
