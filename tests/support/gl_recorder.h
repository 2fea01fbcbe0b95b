// The OpenGL call recorder: a stand-in for libGL in call-level tests. It
// defines the GL 1.1 entry points the program calls (extern "C", the
// prototypes of <GL/gl.h>), records each call by name with its arguments in
// order, and keeps real modelview and projection matrix stacks, so that
// glGetFloatv(GL_MODELVIEW_MATRIX) returns the true product.
//
// Link `gl_recorder` into a test in place of libGL or EGL, never beside them.
// Arguments are recorded as doubles in call order, enums included, with an
// array argument expanded in place (glMaterialfv: face, pname, 4 values;
// glMultMatrixf: 16 values; glGetFloatv: pname, then the 16 values returned).
// Matrices are single precision like Mesa's; glRotatef with an axis shorter
// than 1e-4 leaves the matrix unchanged, as Mesa does. A call OpenGL would
// reject (pop of the last matrix, push beyond 32, a frustum with near or far
// not positive or with equal bounds, matrix calls or glBegin inside
// glBegin/glEnd, glEnd without glBegin) is recorded, changes nothing and
// raises an error.
#pragma once

#include <GL/gl.h>

#include <string>
#include <vector>

struct GlCall {
  std::string name;            // "glVertex3f"
  std::vector<double> args;
};

extern std::vector<GlCall> glCalls;   // every call since the last clear, in order

// Forgets the calls and the state: identity matrices, one entry on each stack,
// GL_MODELVIEW current, nothing enabled, no primitive open, no error.
void ResetGlState();
void ClearGlCalls();   // forgets the calls only

int CountGlCalls(const std::string& name);
int CountGlCalls(const std::string& name, double firstArg);   // calls whose first argument is firstArg

const float* GlModelview();    // top of the modelview stack
const float* GlProjection();   // top of the projection stack
int GlModelviewDepth();        // 1 when nothing is pushed
int GlProjectionDepth();
GLenum GlMatrixMode();
bool GlIsEnabled(GLenum cap);  // after the recorded glEnable/glDisable calls
GLenum GlLastError();          // the latest error raised since the reset, or GL_NO_ERROR
