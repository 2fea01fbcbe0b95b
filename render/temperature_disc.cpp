// Draws the meridian section as a flat disc of 11 rings by 12 sectors, each
// quad in the temperature colour of one grid node; relies on tempGrid,
// TempToColor and modelScale, and on the frame for polygon mode and lighting.
#include <GL/gl.h>

#include "render/drawers.h"
#include "render/polar_quad.h"
#include "sim/heat_grid.h"
#include "sim/temp_color.h"

void DrawTemperatureDisc() {
  glLineWidth(1.5f);
  float a = 0.0f;
  for (;;) {
    // Rings 0 and 1 show the centre row, ring k from 2 on shows row k - 1.
    const int i = (int)(11.0 * a - 0.01);
    float phi = 0.2617916762828827f;
    for (int sector = 0;; ++sector) {
      // Sectors 0 and 1 show column 0, sector s from 2 on shows column s - 1.
      const int j = (int)((phi - 0.01 - 0.2617916663487752) * 1.9099156477115233);
      float colour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
      TempToColor(tempGrid[i][j], colour);
      glMaterialfv(GL_FRONT, GL_DIFFUSE, colour);
      glMaterialfv(GL_BACK, GL_DIFFUSE, colour);
      if (sector == 0) glBegin(GL_QUADS);

      float quad[4][3];
      float n[3];
      BuildPolarQuad(a, 0.09090909361839294f, phi, phi + 0.5235833333333333, PlaceDiscPoint, quad);
      ComputeQuadNormal(quad, n);
      // The disc keeps the third component: (0, 0, +1) on every quad.
      glNormal3f(-n[0], -n[1], n[2]);
      glVertex3f(quad[0][0], quad[0][1], quad[0][2]);
      glVertex3f(quad[1][0], quad[1][1], quad[1][2]);
      glVertex3f(quad[2][0], quad[2][1], quad[2][2]);
      glVertex3f(quad[3][0], quad[3][1], quad[3][2]);

      const double nextPhi = (double)phi + (double)0.5235833525657654f;
      phi = (float)nextPhi;
      if (!(nextPhi < 6.2829999923706055)) break;
    }
    glEnd();

    const double nextA = (double)a + (double)0.09090909361839294f;
    a = (float)nextA;
    if (!(nextA < 1.0)) break;
  }
}
