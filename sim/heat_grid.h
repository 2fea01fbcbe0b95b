// The temperature field of the ball on a 12 x 12 polar grid of one meridian
// section, its geometry, and its starting state. No allocation: module storage.
#pragma once

extern double tempGrid[12][12];   // [radial row i][angular column j]; row 0 centre, row 11 surface
extern double tempPrev[12][12];   // snapshot taken at the start of each step
extern double rNode[12];          // radius of row i
extern double thetaNode[12];      // polar angle of column j, radians
extern double dr;
extern double dTheta;
extern double dt;
extern double boundaryTemp;       // surface temperature; 2.3 at start

// Geometry, interior 1.0, surface boundaryTemp. Leaves everything else alone.
void InitHeatGrid();
