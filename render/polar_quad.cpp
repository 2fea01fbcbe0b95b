// The polar sweep shared by the disc, shell and grid drawers: the loops, the
// quads and their normals, sent in immediate mode; reads modelScale from the
// shared orientation.
#include "render/polar_quad.h"

#include <GL/gl.h>

#include <cmath>

#include "shared/orientation.h"

void PlaceDiscPoint(float radius, double angle, float out[3]) {
  out[0] = (float)(radius * std::sin(angle) * modelScale);
  out[1] = (float)(radius * std::cos(angle) * modelScale);
  out[2] = 0.0f;
}

void PlaceGridPoint(float radius, double angle, float out[3]) {
  out[0] = (float)(radius * std::sin(angle) * modelScale);
  out[1] = (float)(radius * std::cos(angle) * modelScale);
  out[2] = 0.01f;
}

void PlaceSpherePoint(float latitude, double angle, float out[3]) {
  out[0] = (float)(std::sin(angle) * std::cos(latitude) * modelScale);
  out[1] = (float)(std::cos(angle) * std::cos(latitude) * modelScale);
  out[2] = (float)(std::sin(latitude) * modelScale);
}

namespace {

// The twelve sectors, fractions of the drawers' full circle 6.283, not of 2 pi.
const float firstSectorStart = 0.2617916762828827f;   // 6.283 / 24
const double sectorWidth = 0.5235833333333333;         // 6.283 / 12, for the second edge of each quad
const double sectorLoopEnd = 6.2829999923706055;       // 6.283 in single precision

void BuildPolarQuad(float start, float width, double firstAngle, double secondAngle,
                    PlacePoint place, float quad[4][3]) {
  const float end = start + width;   // rounded to single precision, as every vertex is
  place(start, firstAngle, quad[0]);
  place(end, firstAngle, quad[1]);
  place(end, secondAngle, quad[2]);
  place(start, secondAngle, quad[3]);
}

void ComputeQuadNormal(const float quad[4][3], float n[3]) {
  const float ux = quad[1][0] - quad[0][0];
  const float uy = quad[1][1] - quad[0][1];
  const float uz = quad[1][2] - quad[0][2];
  const float vx = quad[2][0] - quad[0][0];
  const float vy = quad[2][1] - quad[0][1];
  const float vz = quad[2][2] - quad[0][2];
  const float cx = uy * vz - uz * vy;
  const float cy = uz * vx - ux * vz;
  const float cz = ux * vy - uy * vx;
  const double length = std::sqrt(std::pow(std::fabs(cx), 2) + std::pow(std::fabs(cy), 2) +
                                  std::pow(std::fabs(cz), 2));
  if (length > 0.0 && std::isfinite(length)) {
    n[0] = (float)(-cx / length);
    n[1] = (float)(-cy / length);
    n[2] = (float)(-cz / length);
    return;
  }
  // At extreme zooms the single-precision products overflow or vanish; the
  // same cross product in double still has a direction unless the quad has
  // no area at all, and then any finite normal will do.
  const double ex = (double)ux, ey = (double)uy, ez = (double)uz;
  const double fx = (double)vx, fy = (double)vy, fz = (double)vz;
  const double dx = ey * fz - ez * fy;
  const double dy = ez * fx - ex * fz;
  const double dz = ex * fy - ey * fx;
  const double wide = std::sqrt(dx * dx + dy * dy + dz * dz);
  if (wide > 0.0 && std::isfinite(wide)) {
    n[0] = (float)(-dx / wide);
    n[1] = (float)(-dy / wide);
    n[2] = (float)(-dz / wide);
    return;
  }
  n[0] = 0.0f;
  n[1] = 0.0f;
  n[2] = 1.0f;
}

}  // namespace

void SweepPolarQuads(const PolarSweep& sweep, PlacePoint place, SentNormal sent,
                     void (*beforeQuad)(float start, float phi)) {
  float start = sweep.firstStart;
  for (;;) {
    float phi = firstSectorStart;
    for (int sector = 0;; ++sector) {
      if (beforeQuad != nullptr) beforeQuad(start, phi);
      if (sector == 0) glBegin(GL_QUADS);
      float quad[4][3];
      float n[3];
      BuildPolarQuad(start, sweep.width, phi, phi + sectorWidth, place, quad);
      ComputeQuadNormal(quad, n);
      glNormal3f(-n[0], -n[1], sent == discNormal ? n[2] : -n[2]);
      glVertex3f(quad[0][0], quad[0][1], quad[0][2]);
      glVertex3f(quad[1][0], quad[1][1], quad[1][2]);
      glVertex3f(quad[2][0], quad[2][1], quad[2][2]);
      glVertex3f(quad[3][0], quad[3][1], quad[3][2]);

      // The loops test after each pass, on the exact sum before it is stored.
      const double nextPhi = (double)phi + sweep.sectorStep;
      phi = (float)nextPhi;
      if (!(nextPhi < sectorLoopEnd)) break;
    }
    glEnd();

    const double nextStart = (double)start + (double)sweep.width;
    start = (float)nextStart;
    const bool another = sweep.lastIncluded ? nextStart <= sweep.lastStart : nextStart < sweep.lastStart;
    if (!another) break;
  }
}
