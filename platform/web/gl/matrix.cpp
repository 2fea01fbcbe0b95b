// Single-precision matrices for the layer (matrix.h): products summed left
// to right, rotations with the axis normalised first, no contraction into
// fused multiply-adds (the build's -ffp-contract=off).
#include "platform/web/gl/matrix.h"

#include <cmath>

namespace webgl11 {
namespace {
float& At(Matrix& matrix, int row, int column) { return matrix.m[column * 4 + row]; }
float At(const Matrix& matrix, int row, int column) { return matrix.m[column * 4 + row]; }
}  // namespace

Matrix Identity() { return Matrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }

Matrix Multiply(const Matrix& a, const Matrix& b) {
  Matrix product;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      At(product, row, column) = At(a, row, 0) * At(b, 0, column) + At(a, row, 1) * At(b, 1, column) +
                                 At(a, row, 2) * At(b, 2, column) + At(a, row, 3) * At(b, 3, column);
    }
  }
  return product;
}

bool Rotation(float angle, float x, float y, float z, Matrix* rotation) {
  // Sine and cosine in single precision, of the angle turned into radians
  // in double precision and rounded; the C libraries' sinf and cosf (glibc's
  // on the desktop, musl's in the browser) round a few angles differently.
  const float radians = (float)(angle * M_PI / 180.0);
  const float s = std::sin(radians);
  const float c = std::cos(radians);
  Matrix r = Identity();
  // About a coordinate axis: the sine and cosine placed as they are.
  if (x == 0.0f && y == 0.0f && z != 0.0f) {
    At(r, 0, 0) = c;
    At(r, 1, 1) = c;
    At(r, 0, 1) = z < 0.0f ? s : -s;
    At(r, 1, 0) = z < 0.0f ? -s : s;
  } else if (x == 0.0f && z == 0.0f && y != 0.0f) {
    At(r, 0, 0) = c;
    At(r, 2, 2) = c;
    At(r, 0, 2) = y < 0.0f ? -s : s;
    At(r, 2, 0) = y < 0.0f ? s : -s;
  } else if (y == 0.0f && z == 0.0f && x != 0.0f) {
    At(r, 1, 1) = c;
    At(r, 2, 2) = c;
    At(r, 1, 2) = x < 0.0f ? s : -s;
    At(r, 2, 1) = x < 0.0f ? -s : s;
  } else {
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length <= 1.0e-4f) return false;
    x /= length;
    y /= length;
    z /= length;
    const float oneMinusC = 1.0f - c;
    At(r, 0, 0) = oneMinusC * (x * x) + c;
    At(r, 0, 1) = oneMinusC * (x * y) - z * s;
    At(r, 0, 2) = oneMinusC * (z * x) + y * s;
    At(r, 1, 0) = oneMinusC * (x * y) + z * s;
    At(r, 1, 1) = oneMinusC * (y * y) + c;
    At(r, 1, 2) = oneMinusC * (y * z) - x * s;
    At(r, 2, 0) = oneMinusC * (z * x) - y * s;
    At(r, 2, 1) = oneMinusC * (y * z) + x * s;
    At(r, 2, 2) = oneMinusC * (z * z) + c;
  }
  *rotation = r;
  return true;
}

Matrix Frustum(float left, float right, float bottom, float top, float nearValue, float farValue) {
  Matrix f{};
  At(f, 0, 0) = (2.0f * nearValue) / (right - left);
  At(f, 0, 2) = (right + left) / (right - left);
  At(f, 1, 1) = (2.0f * nearValue) / (top - bottom);
  At(f, 1, 2) = (top + bottom) / (top - bottom);
  At(f, 2, 2) = -(farValue + nearValue) / (farValue - nearValue);
  At(f, 2, 3) = -(2.0f * farValue * nearValue) / (farValue - nearValue);
  At(f, 3, 2) = -1.0f;
  return f;
}

void Translate(Matrix* m, float x, float y, float z) {
  for (int row = 0; row < 4; ++row) {
    At(*m, row, 3) = At(*m, row, 0) * x + At(*m, row, 1) * y + At(*m, row, 2) * z + At(*m, row, 3);
  }
}

void NormalMatrix(const Matrix& m, float normal[9]) {
  // The cofactors of the upper 3 x 3 over its determinant: the inverse's
  // transpose, written straight into column-major order.
  float cofactor[3][3];
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      const int r0 = (row + 1) % 3, r1 = (row + 2) % 3, c0 = (column + 1) % 3, c1 = (column + 2) % 3;
      cofactor[row][column] = At(m, r0, c0) * At(m, r1, c1) - At(m, r0, c1) * At(m, r1, c0);
    }
  }
  const float determinant =
      At(m, 0, 0) * cofactor[0][0] + At(m, 0, 1) * cofactor[0][1] + At(m, 0, 2) * cofactor[0][2];
  const float scale = determinant == 0.0f ? 0.0f : 1.0f / determinant;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) normal[column * 3 + row] = cofactor[row][column] * scale;
  }
}

void Transform(const Matrix& m, const float in[4], float out[4]) {
  for (int row = 0; row < 4; ++row) {
    out[row] = At(m, row, 0) * in[0] + At(m, row, 1) * in[1] + At(m, row, 2) * in[2] + At(m, row, 3) * in[3];
  }
}

}  // namespace webgl11
