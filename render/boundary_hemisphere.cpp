// Draws the half of the ball's surface behind the disc (z <= 0) as 12 bands
// by 12 sectors in the temperature colour of the surface node tempGrid[11][0];
// relies on TempToColor and modelScale, and on the frame for lighting.
#include <GL/gl.h>

#include "render/drawers.h"
#include "render/polar_quad.h"
#include "sim/heat_grid.h"
#include "sim/temp_color.h"

namespace {

// Bands of 6.283 / 48 from the latitude -6.283 / 4 up to 0.0 included: the
// last band's upper edge lies at +2.09e-7. The shell steps its sectors by the
// double 6.283 / 12, the disc by the float one.
const PolarSweep shellBands = {-1.5707499980926514f, 0.13089583814144135f, 0.0, 1, 0.5235833333333334};

}  // namespace

void DrawBoundaryHemisphere() {
  glLineWidth(1.5f);
  float colour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  TempToColor(tempGrid[11][0], colour);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, colour);
  glMaterialfv(GL_BACK, GL_DIFFUSE, colour);
  // Normals outward, in agreement with the counter-clockwise winding seen from outside.
  SweepPolarQuads(shellBands, PlaceSpherePoint, crossNormal, nullptr);
}
