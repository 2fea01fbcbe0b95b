// The temperature field of the ball and the geometry of its polar grid, put
// into the starting state by InitHeatGrid. Module storage only, zero at start.
#include "sim/heat_grid.h"

double tempGrid[12][12];
double tempPrev[12][12];
double rNode[12];
double thetaNode[12];
double dr;
double dTheta;
double dt;
double boundaryTemp = 2.3;

void InitHeatGrid() {
  dr = 0.09090909091;
  dTheta = 0.5235987757030186;
  dt = 0.002;
  // Row 0 is the centre, row 11 the surface at radius 1.00000000001.
  for (int i = 0; i < 12; ++i) rNode[i] = static_cast<double>(i) * 0.09090909091;
  // Columns at 15, 45, ..., 345 degrees; the axis runs between 11 and 0 and between 5 and 6.
  for (int j = 0; j < 12; ++j)
    thetaNode[j] = static_cast<double>(j) * 0.5235987757030186 + 0.2617993878200934;
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 12; ++j) tempGrid[i][j] = 1.0;
  for (int j = 0; j < 12; ++j) tempGrid[11][j] = boundaryTemp;
}
