// Writes the two documentation frames as PPM into the given folder: the
// start frame and the frame after 300 steps with the boundary at 4.0.
#include <cstdio>
#include <string>

#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "sim/heat_step.h"
#include "tests/render/offscreen_frame.h"

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
  StartUpOffscreenScene();
  RenderOffscreen();
  if (!WritePpm(folder + "/frame-start.ppm")) return 1;

  // Pressing "1.0": the boundary at 4.0, the run restarted; then 300 ticks.
  StartUpOffscreenScene();
  boundaryTemp = 4.0;
  InitHeatGrid();
  for (int tick = 1; tick <= 300; ++tick) {
    StepHeat();
    tickCount = tick;
    elapsedSeconds = (int)((float)tick * 0.05f);
  }
  RenderOffscreen();
  if (!WritePpm(folder + "/frame-4.0-after-300-steps.ppm")) return 1;
  CloseOffscreen();
  return 0;
}
