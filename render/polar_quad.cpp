// The polar quad shared by the disc, shell and grid drawers; reads modelScale
// from the shared orientation. Pure arithmetic, no OpenGL.
#include "render/polar_quad.h"

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
