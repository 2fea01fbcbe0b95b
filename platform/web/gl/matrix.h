// The matrix arithmetic of the layer, in single precision and in the order
// the desktop's OpenGL (Mesa) does it, so that a matrix accumulated call by
// call (the model's rotation) comes out as on the desktop. Column-major, as
// OpenGL keeps matrices: element (row, column) is m[column * 4 + row].
#pragma once

namespace webgl11 {

struct Matrix {
  float m[16];
};

Matrix Identity();
// a x b.
Matrix Multiply(const Matrix& a, const Matrix& b);
// glRotatef's matrix: angle in degrees about (x, y, z); an axis along a
// coordinate axis gives exact zeros and ones. False for an axis shorter
// than 1e-4, which leaves the matrix as it was.
bool Rotation(float angle, float x, float y, float z, Matrix* rotation);
// glFrustum's matrix; the caller has rejected what OpenGL rejects.
Matrix Frustum(float left, float right, float bottom, float top, float nearValue, float farValue);
// m x the translation by (x, y, z), in place.
void Translate(Matrix* m, float x, float y, float z);
// The inverse transpose of m's upper 3 x 3 (what normals are transformed
// by), column-major; zero when that part of m is singular.
void NormalMatrix(const Matrix& m, float normal[9]);
// (x, y, z, w) under m.
void Transform(const Matrix& m, const float in[4], float out[4]);

}  // namespace webgl11
