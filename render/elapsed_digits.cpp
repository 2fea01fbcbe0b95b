// Draws a number of up to three digits as yellow-green line strokes, one
// strip per digit, with no font. Relies on the state the frame leaves in force.
#include <GL/gl.h>

#include "render/drawers.h"

// Stroke points (u, v) of each digit on its 3 x 4 grid, in drawing order.
const int glyphPointCount[10] = {5, 3, 8, 8, 5, 8, 9, 5, 9, 9};
const float glyphPoints[10][9][2] = {
    {{0, 0}, {0, 4}, {3, 4}, {3, 0}, {0, 0}},
    {{1, 2}, {3, 4}, {3, -0.15f}},
    {{0, 3}, {0, 4}, {3, 4}, {3, 3}, {0, 1}, {0, 0}, {3, 0}, {3, 1}},
    {{0, 3}, {0, 4}, {3, 4}, {1, 2}, {3, 2}, {3, 0}, {0, 0}, {0, 1}},
    {{2, 4.1f}, {0, 2}, {3, 2}, {3, 4}, {3, 0}},
    {{0, 1}, {0, 0}, {3, 0}, {3, 2}, {0, 2}, {1, 4}, {3, 4}, {3, 3}},
    {{0, 1}, {1, 2}, {3, 2}, {3, 0}, {0, 0}, {0, 3}, {1, 4}, {3, 4}, {3, 3}},
    {{0, 3}, {0, 4}, {3, 4}, {3, 3}, {0, 0}},
    {{0, 3}, {0, 4}, {3, 4}, {3, 3}, {0, 1}, {0, 0}, {3, 0}, {3, 1}, {0, 3}},
    {{0, 1}, {0, 0}, {2, 0}, {3, 1}, {3, 4}, {0, 4}, {0, 2}, {2, 2}, {3, 3}},
};

void DrawElapsedDigits(int number, float x, float y, float size) {
  glLineWidth(1.5f);
  glColor3f(0.8f, 0.9f, 0.1f);

  // Multiplications by 0.01 and 0.1 in double, each truncated toward zero;
  // every truncated value fits an int for every int number.
  const int hundredsTrunc = (int)(0.01 * number);
  const int tensTrunc = (int)(0.1 * number);
  const int digits[3] = {hundredsTrunc, tensTrunc - 10 * hundredsTrunc, number - 10 * tensTrunc};

  for (int p = 0; p < 3; ++p) {
    const int digit = digits[p];
    if (digit < 0 || digit > 9) continue;
    glBegin(GL_LINE_STRIP);
    for (int k = 0; k < glyphPointCount[digit]; ++k) {
      const float u = glyphPoints[digit][k][0];
      const float v = glyphPoints[digit][k][1];
      glVertex3f(x + size * ((float)(digitCellWidth * p) + u), y + size * v, 0.0f);
    }
    glEnd();
  }
}
