// The polar quad: the cell shape of the disc, the shell and the grid, built
// from a start parameter, a width and two edge angles, and its quad normal.
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

// V0 (start, firstAngle), V1 (start + width, firstAngle),
// V2 (start + width, secondAngle), V3 (start, secondAngle).
void BuildPolarQuad(float start, float width, double firstAngle, double secondAngle,
                    PlacePoint place, float quad[4][3]);

// n = -c / |c| with c = (V1 - V0) x (V2 - V0); V3 takes no part. Where c
// overflows or vanishes in single precision (extreme zooms) it is taken in
// double; a quad without any area gets n = (0, 0, 1), so the disc still sends
// (0, 0, +1) and the grid (0, 0, -1). Nothing non-finite reaches OpenGL.
void ComputeQuadNormal(const float quad[4][3], float n[3]);
