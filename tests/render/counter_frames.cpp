// Writes offscreen frames of the counter's corner (the top left 320 x 200 of
// the 819 x 819 window) as PPM, for the tests of the screenshot counter reader
// (tests/support/counter.py): each file is named after the number it shows.
//   clean-NNN.ppm   the start orientation, nothing near the counter;
//   turned-KK-NNN.ppm  random orientations, some zoomed in and some heated at
//                      4.0, so that cube edges, the disc or the shell may cross
//                      the counter.
#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "sim/heat_step.h"
#include "tests/render/offscreen_frame.h"
#include "tests/support/scene_state.h"

namespace {

const int cropWidth = 320;
const int cropHeight = 200;

std::string Name(const char* format, int a, int b) {
  char name[64];
  std::snprintf(name, sizeof name, format, a, b);
  return name;
}

// A fixed sequence of numbers in [0, 1), so the frames are the same every run.
unsigned state = 12345u;
double Next() {
  state = state * 1103515245u + 12345u;
  return (double)((state >> 8) & 0xFFFFu) / 65536.0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  if (!OpenOffscreen()) {
    std::fprintf(stderr, "no offscreen OpenGL context\n");
    return 1;
  }
  // Every digit once in every cell: 012, 123, ... 901.
  for (int k = 0; k < 10; ++k) {
    const int number = 100 * k + 10 * ((k + 1) % 10) + (k + 2) % 10;
    StartUpOffscreenScene();
    elapsedSeconds = number;
    RenderOffscreen();
    if (!WritePpm(folder + Name("clean-%03d.ppm", number, 0), cropWidth, cropHeight)) return 1;
  }
  for (int k = 0; k < 60; ++k) {
    const int number = (int)(Next() * 1000.0);
    StartUpOffscreenScene();
    const float scales[3] = {2.0f, 2.0f, 3.5f};
    modelScale = scales[k % 3];
    if (k % 4 == 1) {   // mid temperatures: the disc's yellow greens
      boundaryTemp = 4.0;
      InitHeatGrid();
      for (int tick = 0; tick < 60; ++tick) StepHeat();
    }
    // A turn about a random axis, as a drag would leave it.
    glPushMatrix();
    glLoadIdentity();
    glRotatef((float)(Next() * 360.0), (float)(Next() - 0.5), (float)(Next() - 0.5), (float)(Next() - 0.5));
    glMultMatrixf(rotation);
    glGetFloatv(GL_MODELVIEW_MATRIX, rotation);
    glPopMatrix();
    elapsedSeconds = number;
    RenderOffscreen();
    if (!WritePpm(folder + Name("turned-%02d-%03d.ppm", k, number), cropWidth, cropHeight)) return 1;
  }
  CloseOffscreen();
  return 0;
}
