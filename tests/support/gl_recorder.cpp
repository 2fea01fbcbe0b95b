// The OpenGL call recorder: GL 1.1 entry points that append one record each
// and keep the two matrix stacks in single precision.
#include "tests/support/gl_recorder.h"

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <set>

std::vector<GlCall> glCalls;

namespace {

constexpr int kStackLimit = 32;

struct MatrixStack {
  float m[kStackLimit][16];
  int depth;   // entries in use, at least 1
};

// Constant-initialised, so the recorder works before any constructor runs.
MatrixStack modelviewStack = {{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}, 1};
MatrixStack projectionStack = {{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}, 1};
GLenum matrixMode = GL_MODELVIEW;
std::set<GLenum> enabled;
bool insidePrimitive = false;
GLenum pendingError = GL_NO_ERROR;
GLenum lastError = GL_NO_ERROR;

void Identity(float* m) {
  for (int k = 0; k < 16; ++k) m[k] = (k % 5 == 0) ? 1.0f : 0.0f;
}

MatrixStack& Current() { return matrixMode == GL_PROJECTION ? projectionStack : modelviewStack; }
float* Top() { return Current().m[Current().depth - 1]; }

void Raise(GLenum error) {
  lastError = error;
  if (pendingError == GL_NO_ERROR) pendingError = error;
}

// m := m x a, both column-major.
void MultiplyRight(float* m, const float* a) {
  float r[16];
  for (int col = 0; col < 4; ++col)
    for (int row = 0; row < 4; ++row) {
      float s = 0.0f;
      for (int k = 0; k < 4; ++k) s += m[k * 4 + row] * a[col * 4 + k];
      r[col * 4 + row] = s;
    }
  std::memcpy(m, r, sizeof r);
}

GlCall& Record(const char* name, std::initializer_list<double> args = {}) {
  glCalls.push_back(GlCall{name, std::vector<double>(args)});
  return glCalls.back();
}

void Append(GlCall& call, const GLfloat* values, int n) {
  for (int k = 0; k < n; ++k) call.args.push_back(values[k]);
}

int ValueCount(GLenum pname) {
  switch (pname) {
    case GL_AMBIENT: case GL_DIFFUSE: case GL_SPECULAR: case GL_POSITION: case GL_EMISSION:
    case GL_AMBIENT_AND_DIFFUSE: case GL_FOG_COLOR:
      return 4;
    case GL_SPOT_DIRECTION: case GL_COLOR_INDEXES:
      return 3;
    default:
      return 1;
  }
}

bool OutsidePrimitive() {
  if (!insidePrimitive) return true;
  Raise(GL_INVALID_OPERATION);
  return false;
}

}  // namespace

void ResetGlState() {
  glCalls.clear();
  Identity(modelviewStack.m[0]);
  modelviewStack.depth = 1;
  Identity(projectionStack.m[0]);
  projectionStack.depth = 1;
  matrixMode = GL_MODELVIEW;
  enabled.clear();
  insidePrimitive = false;
  pendingError = GL_NO_ERROR;
  lastError = GL_NO_ERROR;
}

void ClearGlCalls() { glCalls.clear(); }

int CountGlCalls(const std::string& name) {
  int n = 0;
  for (const GlCall& c : glCalls) n += c.name == name;
  return n;
}

int CountGlCalls(const std::string& name, double firstArg) {
  int n = 0;
  for (const GlCall& c : glCalls) n += c.name == name && !c.args.empty() && c.args[0] == firstArg;
  return n;
}

const float* GlModelview() { return modelviewStack.m[modelviewStack.depth - 1]; }
const float* GlProjection() { return projectionStack.m[projectionStack.depth - 1]; }
int GlModelviewDepth() { return modelviewStack.depth; }
int GlProjectionDepth() { return projectionStack.depth; }
GLenum GlMatrixMode() { return matrixMode; }
bool GlIsEnabled(GLenum cap) { return enabled.count(cap) != 0; }
GLenum GlLastError() { return lastError; }

extern "C" {

void GLAPIENTRY glBegin(GLenum mode) {
  Record("glBegin", {(double)mode});
  if (insidePrimitive) Raise(GL_INVALID_OPERATION);
  insidePrimitive = true;
}
void GLAPIENTRY glEnd() {
  Record("glEnd");
  if (!insidePrimitive) Raise(GL_INVALID_OPERATION);
  insidePrimitive = false;
}
void GLAPIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z) { Record("glVertex3f", {x, y, z}); }
void GLAPIENTRY glNormal3f(GLfloat nx, GLfloat ny, GLfloat nz) { Record("glNormal3f", {nx, ny, nz}); }
void GLAPIENTRY glColor3f(GLfloat red, GLfloat green, GLfloat blue) { Record("glColor3f", {red, green, blue}); }

void GLAPIENTRY glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
  Append(Record("glMaterialfv", {(double)face, (double)pname}), params, ValueCount(pname));
}
void GLAPIENTRY glMaterialf(GLenum face, GLenum pname, GLfloat param) {
  Record("glMaterialf", {(double)face, (double)pname, param});
}
void GLAPIENTRY glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
  Append(Record("glLightfv", {(double)light, (double)pname}), params, ValueCount(pname));
}
void GLAPIENTRY glLightModeli(GLenum pname, GLint param) { Record("glLightModeli", {(double)pname, (double)param}); }
void GLAPIENTRY glFogf(GLenum pname, GLfloat param) { Record("glFogf", {(double)pname, param}); }
void GLAPIENTRY glFogi(GLenum pname, GLint param) { Record("glFogi", {(double)pname, (double)param}); }
void GLAPIENTRY glFogfv(GLenum pname, const GLfloat* params) {
  Append(Record("glFogfv", {(double)pname}), params, ValueCount(pname));
}
void GLAPIENTRY glShadeModel(GLenum mode) { Record("glShadeModel", {(double)mode}); }

void GLAPIENTRY glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
  Record("glClearColor", {red, green, blue, alpha});
}
void GLAPIENTRY glClear(GLbitfield mask) { Record("glClear", {(double)mask}); }
void GLAPIENTRY glPolygonMode(GLenum face, GLenum mode) { Record("glPolygonMode", {(double)face, (double)mode}); }
void GLAPIENTRY glLineWidth(GLfloat width) { Record("glLineWidth", {width}); }
void GLAPIENTRY glEnable(GLenum cap) {
  Record("glEnable", {(double)cap});
  enabled.insert(cap);
}
void GLAPIENTRY glDisable(GLenum cap) {
  Record("glDisable", {(double)cap});
  enabled.erase(cap);
}
void GLAPIENTRY glFlush() { Record("glFlush"); }
void GLAPIENTRY glFinish() { Record("glFinish"); }

void GLAPIENTRY glMatrixMode(GLenum mode) {
  Record("glMatrixMode", {(double)mode});
  if (!OutsidePrimitive()) return;
  if (mode != GL_MODELVIEW && mode != GL_PROJECTION) {
    Raise(GL_INVALID_ENUM);
    return;
  }
  matrixMode = mode;
}
void GLAPIENTRY glLoadIdentity() {
  Record("glLoadIdentity");
  if (OutsidePrimitive()) Identity(Top());
}
void GLAPIENTRY glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                          GLdouble zFar) {
  Record("glFrustum", {left, right, bottom, top, zNear, zFar});
  if (!OutsidePrimitive()) return;
  if (zNear <= 0.0 || zFar <= 0.0 || left == right || bottom == top || zNear == zFar) {
    Raise(GL_INVALID_VALUE);
    return;
  }
  const float x = (float)((2.0 * zNear) / (right - left));
  const float y = (float)((2.0 * zNear) / (top - bottom));
  const float a = (float)((right + left) / (right - left));
  const float b = (float)((top + bottom) / (top - bottom));
  const float c = (float)(-(zFar + zNear) / (zFar - zNear));
  const float d = (float)(-(2.0 * zFar * zNear) / (zFar - zNear));
  const float f[16] = {x, 0, 0, 0, 0, y, 0, 0, a, b, c, -1, 0, 0, d, 0};
  MultiplyRight(Top(), f);
}
void GLAPIENTRY glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  Record("glViewport", {(double)x, (double)y, (double)width, (double)height});
}
void GLAPIENTRY glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  Record("glTranslatef", {x, y, z});
  if (!OutsidePrimitive()) return;
  const float t[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
  MultiplyRight(Top(), t);
}
void GLAPIENTRY glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  Record("glRotatef", {angle, x, y, z});
  if (!OutsidePrimitive()) return;
  const float length = std::sqrt(x * x + y * y + z * z);
  if (!(length > 1.0e-4f)) return;
  x /= length;
  y /= length;
  z /= length;
  const float radians = (float)(angle * 3.14159265358979323846 / 180.0);
  const float s = std::sin(radians);
  const float c = std::cos(radians);
  const float k = 1.0f - c;
  const float r[16] = {
      x * x * k + c,     y * x * k + z * s, x * z * k - y * s, 0,
      x * y * k - z * s, y * y * k + c,     y * z * k + x * s, 0,
      x * z * k + y * s, y * z * k - x * s, z * z * k + c,     0,
      0,                 0,                 0,                 1,
  };
  MultiplyRight(Top(), r);
}
void GLAPIENTRY glMultMatrixf(const GLfloat* m) {
  Append(Record("glMultMatrixf"), m, 16);
  if (OutsidePrimitive()) MultiplyRight(Top(), m);
}
void GLAPIENTRY glPushMatrix() {
  Record("glPushMatrix");
  if (!OutsidePrimitive()) return;
  MatrixStack& s = Current();
  if (s.depth == kStackLimit) {
    Raise(GL_STACK_OVERFLOW);
    return;
  }
  std::memcpy(s.m[s.depth], s.m[s.depth - 1], sizeof s.m[0]);
  ++s.depth;
}
void GLAPIENTRY glPopMatrix() {
  Record("glPopMatrix");
  if (!OutsidePrimitive()) return;
  MatrixStack& s = Current();
  if (s.depth == 1) {
    Raise(GL_STACK_UNDERFLOW);
    return;
  }
  --s.depth;
}

void GLAPIENTRY glGetFloatv(GLenum pname, GLfloat* params) {
  GlCall& call = Record("glGetFloatv", {(double)pname});
  if (pname != GL_MODELVIEW_MATRIX && pname != GL_PROJECTION_MATRIX) {
    Raise(GL_INVALID_ENUM);
    return;
  }
  std::memcpy(params, pname == GL_MODELVIEW_MATRIX ? GlModelview() : GlProjection(), 16 * sizeof(float));
  Append(call, params, 16);
}
GLenum GLAPIENTRY glGetError() {
  Record("glGetError");
  const GLenum error = pendingError;
  pendingError = GL_NO_ERROR;
  return error;
}
void GLAPIENTRY glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                             GLvoid* pixels) {
  Record("glReadPixels", {(double)x, (double)y, (double)width, (double)height, (double)format, (double)type});
  (void)pixels;   // no framebuffer: the memory is left as it was
}

}  // extern "C"
