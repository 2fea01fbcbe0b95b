// Draws the half of the ball's surface behind the disc (z <= 0) as 12 bands
// by 12 sectors in the temperature colour of the surface node tempGrid[11][0];
// relies on TempToColor and modelScale, and on the frame for lighting.
#include <GL/gl.h>

#include "render/drawers.h"
#include "render/polar_quad.h"
#include "sim/heat_grid.h"
#include "sim/temp_color.h"

void DrawBoundaryHemisphere() {
  glLineWidth(1.5f);
  float colour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  TempToColor(tempGrid[11][0], colour);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, colour);
  glMaterialfv(GL_BACK, GL_DIFFUSE, colour);

  float lambda = -1.5707499980926514f;
  for (;;) {
    glBegin(GL_QUADS);
    float phi = 0.2617916762828827f;
    for (;;) {
      float quad[4][3];
      float n[3];
      BuildPolarQuad(lambda, 0.13089583814144135f, phi, phi + 0.5235833333333333, PlaceSpherePoint, quad);
      ComputeQuadNormal(quad, n);
      // Outward, and in agreement with the counter-clockwise winding seen from outside.
      glNormal3f(-n[0], -n[1], -n[2]);
      glVertex3f(quad[0][0], quad[0][1], quad[0][2]);
      glVertex3f(quad[1][0], quad[1][1], quad[1][2]);
      glVertex3f(quad[2][0], quad[2][1], quad[2][2]);
      glVertex3f(quad[3][0], quad[3][1], quad[3][2]);

      // The shell steps its sectors by the double width, the disc by the float one.
      const double nextPhi = (double)phi + 0.5235833333333334;
      phi = (float)nextPhi;
      if (!(nextPhi < 6.2829999923706055)) break;
    }
    glEnd();

    // The band loop includes 0.0: the last band's upper edge lies at +2.09e-7.
    const double nextLambda = (double)lambda + (double)0.13089583814144135f;
    lambda = (float)nextLambda;
    if (!(nextLambda <= 0.0)) break;
  }
}
