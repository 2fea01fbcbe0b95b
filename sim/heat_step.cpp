// One forward-Euler step of the axisymmetric heat equation in spherical
// coordinates on the grid of heat_grid; relies on InitHeatGrid having set it up.
#include "sim/heat_step.h"

#include <cmath>

#include "sim/heat_grid.h"

void StepHeat() {
  // Before the first InitHeatGrid the geometry is all zero and every rule
  // would divide by it; there is no field to advance yet.
  if (dr == 0.0) return;

  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 12; ++j) tempPrev[i][j] = tempGrid[i][j];

  const double invDTheta = 1.0 / dTheta;
  const double dTheta2 = dTheta * dTheta;
  const double dr2 = dr * dr;
  const double invDr = 1.0 / dr;

  // Tangents of the columns that take the cot term: 45 to 135 and 225 to 315 degrees.
  double tanTheta[12] = {};
  for (int j = 1; j <= 10; ++j) tanTheta[j] = std::tan(thetaNode[j]);

  const double (*P)[12] = tempPrev;
  double (*T)[12] = tempGrid;

  for (int i = 1; i <= 10; ++i) {
    const double r2 = rNode[i] * rNode[i];
    const double invR = 1.0 / rNode[i];

    // Interior columns of both halves, all with forward differences in j.
    static const int inner[8] = {1, 2, 3, 4, 7, 8, 9, 10};
    for (int k = 0; k < 8; ++k) {
      const int j = inner[k];
      const double a = ((P[i][j + 1] - P[i][j]) / tanTheta[j]) / r2 * invDTheta;
      const double b = (P[i][j + 1] - 2.0 * P[i][j] + P[i][j - 1]) / r2 / dTheta2;
      const double c = (P[i + 1][j] - 2.0 * P[i][j] + P[i - 1][j]) / dr2;
      const double d = 2.0 * (P[i + 1][j] - P[i][j]) * invDr * invR;
      T[i][j] = (((a + b) + c) + d) * dt + P[i][j];
    }

    // Columns beside the axis: no flow across it, one-sided second difference, no cot term.
    static const int axis[4] = {0, 11, 5, 6};
    static const int neighbour[4] = {1, 10, 4, 7};
    for (int k = 0; k < 4; ++k) {
      const int j = axis[k];
      const int m = neighbour[k];
      const double c = (P[i + 1][j] - 2.0 * P[i][j] + P[i - 1][j]) / dr2;
      const double b = (P[i][m] - P[i][j]) / r2 / dTheta2;
      const double d = 2.0 * (P[i + 1][j] - P[i][j]) * invDr * invR;
      T[i][j] = ((c + b) + d) * dt + P[i][j];
    }
  }

  // The centre follows the mean of the new row 1, taken with the factor 0.08333333333.
  double s = 0.0;
  for (int m = 0; m < 12; ++m) s += T[1][m] * 0.08333333333;
  for (int l = 0; l < 12; ++l) T[0][l] = s;
}
