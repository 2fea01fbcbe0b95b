// Outlines the 132 cells of the temperature disc in dark grey, 0.01 in front
// of it; relies on modelScale and on the line pass for polygon mode and lighting.
#include <GL/gl.h>

#include "render/drawers.h"
#include "render/polar_quad.h"

void DrawDiscGrid() {
  glColor3f(0.1f, 0.1f, 0.1f);
  glLineWidth(2.5f);
  // Normals (0, 0, -1), unseen: the line pass is unlit.
  SweepPolarQuads(discRings, PlaceGridPoint, crossNormal, nullptr);
}
