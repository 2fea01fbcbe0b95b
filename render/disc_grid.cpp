// Outlines the 132 cells of the temperature disc in dark grey, 0.01 in front
// of it; relies on modelScale and on the line pass for polygon mode and lighting.
#include <GL/gl.h>

#include "render/drawers.h"
#include "render/polar_quad.h"

void DrawDiscGrid() {
  glColor3f(0.1f, 0.1f, 0.1f);
  glLineWidth(2.5f);
  float a = 0.0f;
  for (;;) {
    glBegin(GL_QUADS);
    float phi = 0.2617916762828827f;
    for (;;) {
      float quad[4][3];
      float n[3];
      BuildPolarQuad(a, 0.09090909361839294f, phi, phi + 0.5235833333333333, PlaceGridPoint, quad);
      ComputeQuadNormal(quad, n);
      glNormal3f(-n[0], -n[1], -n[2]);   // (0, 0, -1); unseen, the line pass is unlit
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
