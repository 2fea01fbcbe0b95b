// The drawers of the scene. Each draws in immediate mode under the model
// transform the frame has set, sets its own line width and colour or
// material and leaves them in force; none changes matrices, polygon mode or enables.
#pragma once

void DrawTemperatureDisc();      // 11 rings x 12 sectors coloured from tempGrid, z = 0
void DrawBoundaryHemisphere();   // 12 bands x 12 sectors on the z <= 0 side, colour of tempGrid[11][0]
void DrawDiscGrid();             // the disc's cells as outlines, 0.01 in front of it
void DrawReferenceCube();        // blue cube from -2 to 2 and the three pink axes
// Up to three decimal digits as line strips, in yellow-green; one glyph unit is
// size, and the digit cells lie digitCellWidth units apart.
void DrawElapsedDigits(int number, float x, float y, float size);
const int digitCellWidth = 4;
// The stroke points (u, v) of each digit on its 3 x 4 grid, in drawing order:
// the first glyphPointCount[d] of glyphPoints[d]. The tests and the
// screenshot reader take the shapes from here.
extern const int glyphPointCount[10];
extern const float glyphPoints[10][9][2];
