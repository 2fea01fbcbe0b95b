// Draws the meridian section as a flat disc of 11 rings by 12 sectors, each
// quad in the temperature colour of one grid node; relies on tempGrid,
// TempToColor and modelScale, and on the frame for polygon mode and lighting.
#include <GL/gl.h>

#include "render/drawers.h"
#include "render/polar_quad.h"
#include "sim/heat_grid.h"
#include "sim/temp_color.h"

namespace {

// Ahead of each quad, inside the ring's primitive from its second quad on.
void ColourQuad(float a, float phi) {
  // Rings 0 and 1 show the centre row, ring k from 2 on shows row k - 1.
  const int i = (int)(11.0 * a - 0.01);
  // Sectors 0 and 1 show column 0, sector s from 2 on shows column s - 1
  // (6.283 / 24 and 12 / 6.283).
  const int j = (int)((phi - 0.01 - 0.2617916663487752) * 1.9099156477115233);
  float colour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  TempToColor(tempGrid[i][j], colour);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, colour);
  glMaterialfv(GL_BACK, GL_DIFFUSE, colour);
}

}  // namespace

void DrawTemperatureDisc() {
  glLineWidth(1.5f);
  // The disc keeps the normal's third component: (0, 0, +1) on every quad.
  SweepPolarQuads(discRings, PlaceDiscPoint, discNormal, ColourQuad);
}
