// Writes the frames of the reference scenes (tests/support/reference_scenes.h)
// as PPM into the given folder, one file named after each scene: among them
// the documentation's two frames (make_pngs.sh) and the frames the browser's
// OpenGL layer is compared with (tests/web). Beside them line-width-2.5.txt:
// how many pixels wide this OpenGL draws a line of width 2.5, which OpenGL
// leaves to the implementation (2 or 3).
#include <GL/gl.h>

#include <cstdio>
#include <string>

#include "tests/render/offscreen_frame.h"
#include "tests/support/reference_scenes.h"

namespace {

// The rows that a horizontal line of width 2.5 covers in the middle column.
int RowsOfALineTwoAndAHalfWide() {
  glViewport(0, 0, offscreenSize, offscreenSize);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glDisable(GL_DEPTH_TEST);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor3f(1.0f, 1.0f, 1.0f);
  glLineWidth(2.5f);
  glBegin(GL_LINE_STRIP);
  glVertex3f(-0.5f, 0.001f, 0.0f);
  glVertex3f(0.5f, 0.001f, 0.0f);
  glEnd();
  glFlush();
  KeepOffscreenFrame();
  int rows = 0;
  for (int y = 0; y < offscreenSize; ++y) {
    int rgb[3];
    PixelAt(offscreenSize / 2, y, rgb);
    if (rgb[0] > 128) ++rows;
  }
  return rows;
}

}  // namespace

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
  FILE* file = std::fopen((folder + "/line-width-2.5.txt").c_str(), "w");
  if (file == nullptr) return 1;
  std::fprintf(file, "%d\n", RowsOfALineTwoAndAHalfWide());
  if (std::fclose(file) != 0) return 1;
  CloseOffscreen();
  return 0;
}
