// The OpenGL 1.1 calls the program makes, over the layer's state (state.h):
// each call changes what OpenGL would change, vertices collect in the batch,
// and the batch is drawn (webgl.cpp) before anything it depends on changes.
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/web/gl/state.h"

namespace webgl11 {

State state;

namespace {

void Copy4(float* to, const float* from) { std::memcpy(to, from, 4 * sizeof(float)); }

// What the layer leaves out is said on standard error, once for each call
// and value, and otherwise ignored.
void NotImplemented(const char* call, unsigned value) {
  static std::vector<std::pair<const char*, unsigned>> said;
  for (const auto& entry : said) {
    if (entry.first == call && entry.second == value) return;
  }
  said.emplace_back(call, value);
  std::fprintf(stderr, "OpenGL layer: %s with 0x%04X is not implemented; ignored\n", call, value);
}

void DrawPending() {
  if (state.batch.empty()) return;
  DrawBatch();
  state.batch.clear();
}

// Before a change of what the batch is drawn with. Between glBegin and glEnd
// OpenGL refuses such changes (GL_INVALID_OPERATION), and so does this: false.
bool MayChange() {
  if (state.begun != 0) return false;
  DrawPending();
  return true;
}

Matrix& Current() {
  return state.projectionMode ? state.projection[state.projectionTop] : state.modelview[state.modelviewTop];
}

void AddTriangle(const Vertex& a, const Vertex& b, const Vertex& c) {
  state.batch.push_back(a);
  state.batch.push_back(b);
  state.batch.push_back(c);
}

// A line segment as the quad of its four corners: each end once on either
// side (the shader moves it there by half the line width).
void AddSegment(const Vertex& a, const Vertex& b) {
  Vertex corner[4] = {a, a, b, b};   // a-, a+, b+, b-
  const float side[4] = {-1.0f, 1.0f, 1.0f, -1.0f};
  for (int i = 0; i < 4; ++i) {
    const Vertex& other = i < 2 ? b : a;
    std::memcpy(corner[i].lineOther, other.position, 3 * sizeof(float));
    corner[i].lineOther[3] = side[i];
  }
  AddTriangle(corner[0], corner[1], corner[2]);
  AddTriangle(corner[0], corner[2], corner[3]);
}

// A quad filled as two triangles (the fan from its first vertex), or its
// four edges in polygon mode GL_LINE.
void AddQuad(const Vertex (&v)[4]) {
  if (state.polygonsAsLines) {
    for (int i = 0; i < 4; ++i) AddSegment(v[i], v[(i + 1) % 4]);
  } else {
    AddTriangle(v[0], v[1], v[2]);
    AddTriangle(v[0], v[2], v[3]);
  }
}

void SetMaterial(GLenum face, GLenum pname, const GLfloat* params) {
  if (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) {
    NotImplemented("glMaterial face", face);
    return;
  }
  if (pname == GL_SHININESS && (params[0] < 0.0f || params[0] > 128.0f)) return;   // GL_INVALID_VALUE
  Material* faces[2] = {face != GL_BACK ? &state.front : nullptr, face != GL_FRONT ? &state.back : nullptr};
  for (Material* material : faces) {
    if (material == nullptr) continue;
    switch (pname) {
      case GL_AMBIENT: Copy4(material->ambient, params); break;
      case GL_DIFFUSE: Copy4(material->diffuse, params); break;
      case GL_AMBIENT_AND_DIFFUSE:
        Copy4(material->ambient, params);
        Copy4(material->diffuse, params);
        break;
      case GL_SPECULAR: Copy4(material->specular, params); break;
      case GL_EMISSION: Copy4(material->emission, params); break;
      case GL_SHININESS: material->shininess = params[0]; break;
      default: NotImplemented("glMaterial", pname); return;
    }
  }
}

}  // namespace

void ResetState(const int viewport[4]) {
  state = State();
  std::memcpy(state.viewport, viewport, sizeof state.viewport);
}

}  // namespace webgl11

using namespace webgl11;

// ---- primitives -------------------------------------------------------------------

void glBegin(GLenum mode) {
  if (state.begun != 0) return;   // GL_INVALID_OPERATION
  if (mode != GL_QUADS && mode != GL_LINE_STRIP) NotImplemented("glBegin", mode);
  state.begun = mode;
  state.pendingCount = 0;
}

// A quad short of its fourth vertex, like a strip of one vertex, draws nothing.
void glEnd() {
  state.begun = 0;
  state.pendingCount = 0;
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (state.begun != GL_QUADS && state.begun != GL_LINE_STRIP) return;
  Vertex v;
  v.position[0] = x;
  v.position[1] = y;
  v.position[2] = z;
  std::memset(v.lineOther, 0, sizeof v.lineOther);
  std::memcpy(v.normal, state.normal, sizeof v.normal);
  Copy4(v.colour, state.colour);
  v.front = state.front;
  v.back = state.back;
  if (state.begun == GL_QUADS) {
    state.pending[state.pendingCount++] = v;
    if (state.pendingCount == 4) {
      AddQuad(state.pending);
      state.pendingCount = 0;
    }
  } else {
    if (state.pendingCount == 1) AddSegment(state.pending[0], v);
    state.pending[0] = v;
    state.pendingCount = 1;
  }
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  state.normal[0] = x;
  state.normal[1] = y;
  state.normal[2] = z;
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
  const float colour[4] = {red, green, blue, 1.0f};
  Copy4(state.colour, colour);
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) { SetMaterial(face, pname, params); }

void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
  if (pname != GL_SHININESS) {
    NotImplemented("glMaterialf", pname);
    return;
  }
  SetMaterial(face, pname, &param);
}

// ---- matrices -----------------------------------------------------------------------

void glMatrixMode(GLenum mode) {
  if (state.begun != 0) return;
  if (mode == GL_MODELVIEW || mode == GL_PROJECTION) {
    state.projectionMode = mode == GL_PROJECTION;
  } else {
    NotImplemented("glMatrixMode", mode);
  }
}

void glLoadIdentity() {
  if (MayChange()) Current() = Identity();
}

// Refused as OpenGL refuses it (GL_INVALID_VALUE): the matrix stays.
void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
  const float l = (float)left, r = (float)right, b = (float)bottom, t = (float)top;
  const float n = (float)zNear, f = (float)zFar;
  if (n <= 0.0f || f <= 0.0f || n == f || l == r || b == t) return;
  if (MayChange()) Current() = Multiply(Current(), Frustum(l, r, b, t, n, f));
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  if (MayChange()) Translate(&Current(), x, y, z);
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  Matrix rotation;
  if (Rotation(angle, x, y, z, &rotation) && MayChange()) Current() = Multiply(Current(), rotation);
}

void glMultMatrixf(const GLfloat* m) {
  Matrix factor;
  std::memcpy(factor.m, m, sizeof factor.m);
  if (MayChange()) Current() = Multiply(Current(), factor);
}

// A push onto a full stack and a pop of the last matrix change nothing
// (GL_STACK_OVERFLOW, GL_STACK_UNDERFLOW).
void glPushMatrix() {
  if (state.begun != 0) return;
  Matrix* stack = state.projectionMode ? state.projection : state.modelview;
  int& top = state.projectionMode ? state.projectionTop : state.modelviewTop;
  const int depth = state.projectionMode ? projectionDepth : modelviewDepth;
  if (top + 1 >= depth) return;
  stack[top + 1] = stack[top];
  ++top;
}

void glPopMatrix() {
  int& top = state.projectionMode ? state.projectionTop : state.modelviewTop;
  if (top > 0 && MayChange()) --top;
}

void glGetIntegerv(GLenum pname, GLint* params) {
  if (pname == GL_VIEWPORT) {
    std::memcpy(params, state.viewport, sizeof state.viewport);
  } else {
    NotImplemented("glGetIntegerv", pname);
  }
}

void glGetFloatv(GLenum pname, GLfloat* params) {
  if (pname == GL_MODELVIEW_MATRIX) {
    std::memcpy(params, state.modelview[state.modelviewTop].m, 16 * sizeof(float));
  } else if (pname == GL_PROJECTION_MATRIX) {
    std::memcpy(params, state.projection[state.projectionTop].m, 16 * sizeof(float));
  } else {
    NotImplemented("glGetFloatv", pname);
  }
}

// In the program's pixels; WebGL's viewport is that many device pixels
// (webgl.cpp).
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  if (width < 0 || height < 0 || !MayChange()) return;
  const int viewport[4] = {x, y, width, height};
  std::memcpy(state.viewport, viewport, sizeof viewport);
  SetViewport(viewport);
}

// ---- lights and fog -------------------------------------------------------------------

// A position is kept in eye coordinates: under the modelview matrix of the call.
void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
  if (light < GL_LIGHT0 || light >= GL_LIGHT0 + lightCount) {
    NotImplemented("glLightfv light", light);
    return;
  }
  if (!MayChange()) return;
  Light& l = state.lights[light - GL_LIGHT0];
  switch (pname) {
    case GL_AMBIENT: Copy4(l.ambient, params); break;
    case GL_DIFFUSE: Copy4(l.diffuse, params); break;
    case GL_SPECULAR: Copy4(l.specular, params); break;
    case GL_POSITION: Transform(state.modelview[state.modelviewTop], params, l.position); break;
    default: NotImplemented("glLightfv", pname);
  }
}

void glLightModeli(GLenum pname, GLint param) {
  if (pname != GL_LIGHT_MODEL_TWO_SIDE) {
    NotImplemented("glLightModeli", pname);
    return;
  }
  if (MayChange()) state.twoSided = param != 0;
}

void glFogf(GLenum pname, GLfloat param) {
  if (!MayChange()) return;
  switch (pname) {
    case GL_FOG_MODE:
      if (param == (float)GL_LINEAR) {
        state.fogMode = FogMode::linear;
      } else if (param == (float)GL_EXP) {
        state.fogMode = FogMode::exp;
      } else if (param == (float)GL_EXP2) {
        state.fogMode = FogMode::exp2;
      }
      break;
    case GL_FOG_DENSITY:
      if (param >= 0.0f) state.fogDensity = param;   // negative: GL_INVALID_VALUE
      break;
    case GL_FOG_START: state.fogStart = param; break;
    case GL_FOG_END: state.fogEnd = param; break;
    default: NotImplemented("glFogf", pname);
  }
}

void glFogi(GLenum pname, GLint param) { glFogf(pname, (GLfloat)param); }

void glFogfv(GLenum pname, const GLfloat* params) {
  if (pname != GL_FOG_COLOR) {
    glFogf(pname, params[0]);
  } else if (MayChange()) {
    Copy4(state.fogColour, params);
  }
}

// ---- rasterisation and the frame --------------------------------------------------------

// Smooth shading is the only kind the layer has.
void glShadeModel(GLenum mode) {
  if (mode != GL_SMOOTH) NotImplemented("glShadeModel", mode);
}

void glPolygonMode(GLenum face, GLenum mode) {
  if (face != GL_FRONT_AND_BACK || (mode != GL_FILL && mode != GL_LINE)) {
    NotImplemented("glPolygonMode", face == GL_FRONT_AND_BACK ? mode : face);
    return;
  }
  if (state.begun == 0) state.polygonsAsLines = mode == GL_LINE;
}

void glLineWidth(GLfloat width) {
  if (width <= 0.0f || width == state.lineWidth || !MayChange()) return;
  state.lineWidth = width;
}

namespace {
void Enable(GLenum capability, bool on) {
  if (!MayChange()) return;
  if (capability >= GL_LIGHT0 && capability < GL_LIGHT0 + lightCount) {
    state.lights[capability - GL_LIGHT0].enabled = on;
    return;
  }
  switch (capability) {
    case GL_LIGHTING: state.lighting = on; break;
    case GL_FOG: state.fog = on; break;
    case GL_DEPTH_TEST:
      state.depthTest = on;
      SetDepthTest(on);
      break;
    // Never on in the layer: no texture can be made, no face is culled.
    case GL_TEXTURE_2D:
    case GL_CULL_FACE:
      if (on) NotImplemented("glEnable", capability);
      break;
    default: NotImplemented(on ? "glEnable" : "glDisable", capability);
  }
}
}  // namespace

void glEnable(GLenum capability) { Enable(capability, true); }
void glDisable(GLenum capability) { Enable(capability, false); }

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
  if (state.begun != 0) return;
  const float colour[4] = {red, green, blue, alpha};
  for (int i = 0; i < 4; ++i) state.clearColour[i] = colour[i] < 0.0f ? 0.0f : colour[i] > 1.0f ? 1.0f : colour[i];
}

void glClear(GLbitfield mask) {
  if (!MayChange()) return;
  ClearBuffers((mask & GL_COLOR_BUFFER_BIT) != 0, (mask & GL_DEPTH_BUFFER_BIT) != 0, state.clearColour);
}

void glFlush() {
  if (!MayChange()) return;
  FlushWebGl();
}

// ---- reading the picture ------------------------------------------------------------------

// The one colour buffer is the one drawn into.
void glReadBuffer(GLenum mode) {
  if (mode != GL_BACK) NotImplemented("glReadBuffer", mode);
}

void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels) {
  if (format != GL_RGBA || type != GL_UNSIGNED_BYTE) {
    NotImplemented("glReadPixels format", format == GL_RGBA ? type : format);
    return;
  }
  if (width < 0 || height < 0 || !MayChange()) return;
  ReadPicture(x, y, width, height, static_cast<unsigned char*>(pixels));
}
