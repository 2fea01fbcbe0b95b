// The polar sweep of the disc, the shell and the grid: rings (or latitude
// bands) by twelve sectors of polar quads, each with its quad normal.
#pragma once

// Places one vertex from a radial parameter (radius or latitude) and an angle
// measured from the model's +y axis towards +x.
typedef void (*PlacePoint)(float radial, double angle, float out[3]);

// Disc point: x = r sin(angle) modelScale, y = r cos(angle) modelScale, z = 0.
void PlaceDiscPoint(float radius, double angle, float out[3]);
// As the disc point, but z = 0.01, which the zoom does not scale.
void PlaceGridPoint(float radius, double angle, float out[3]);
// Sphere point: (sin(angle) cos(lat), cos(angle) cos(lat), sin(lat)) times modelScale.
void PlaceSpherePoint(float latitude, double angle, float out[3]);

// The outer loop of a sweep; every sweep has the same twelve sectors.
struct PolarSweep {
  float firstStart;    // the first ring's radius or the first band's latitude
  float width;         // of a ring or band, and the step to the next one
  double lastStart;    // another ring follows while the next start is below this
  int lastIncluded;    // 1: or equal to it
  double sectorStep;   // added to each sector's start angle, then stored as a float
};

// The disc's 11 rings of 1/11, which the grid outlines with its own points.
inline constexpr PolarSweep discRings = {0.0f, 0.09090909361839294f, 1.0, 0, (double)0.5235833525657654f};

// How a quad's normal n = -c / |c| (c = (V1 - V0) x (V2 - V0)) is sent: as
// c / |c|, or the disc's way, with only x and y negated back: (0, 0, +1).
enum SentNormal { crossNormal, discNormal };

// One GL_QUADS primitive per ring, in each quad V0 (start, phi), V1 (start +
// width, phi), V2 (start + width, phi + sector width), V3 (start, phi + sector
// width) after its normal. beforeQuad, unless null, comes ahead of each quad's
// calls, the first quad's glBegin included. Where c overflows or vanishes in
// single precision (extreme zooms) it is taken in double; a quad without any
// area gets n = (0, 0, 1). Nothing non-finite reaches OpenGL.
void SweepPolarQuads(const PolarSweep& sweep, PlacePoint place, SentNormal sent,
                     void (*beforeQuad)(float start, float phi));
