// Helpers over the recorded GL calls: the quads and strips a drawer issued,
// and the scene started up afresh against the recorder.
#pragma once

#include <GL/gl.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/gl_recorder.h"
#include "tests/support/scene_state.h"
#include "tests/support/test_platform.h"

struct Vec3 {
  double x, y, z;
};

struct RecordedQuad {
  int primitive;            // which glBegin/glEnd pair, from 0
  Vec3 normal;              // the normal in force at its first vertex
  Vec3 v[4];
  std::vector<float> diffuseFront;   // front diffuse material in force at its first vertex
};

// Splits the recorded GL_QUADS primitives into quads, with the normal and
// front diffuse material in force for each.
inline std::vector<RecordedQuad> RecordedQuads() {
  std::vector<RecordedQuad> quads;
  int primitive = -1;
  bool inside = false;
  Vec3 normal{0, 0, 1};
  std::vector<float> diffuse;
  int corner = 0;
  RecordedQuad quad{};
  for (const GlCall& call : glCalls) {
    if (call.name == "glBegin" && call.args[0] == GL_QUADS) {
      inside = true;
      ++primitive;
      corner = 0;
    } else if (call.name == "glEnd") {
      inside = false;
    } else if (call.name == "glNormal3f") {
      normal = Vec3{call.args[0], call.args[1], call.args[2]};
    } else if (call.name == "glMaterialfv" && call.args[0] == GL_FRONT && call.args[1] == GL_DIFFUSE) {
      diffuse.assign(call.args.begin() + 2, call.args.end());
    } else if (call.name == "glVertex3f" && inside) {
      if (corner == 0) {
        quad.primitive = primitive;
        quad.normal = normal;
        quad.diffuseFront = diffuse;
      }
      quad.v[corner] = Vec3{call.args[0], call.args[1], call.args[2]};
      if (++corner == 4) {
        quads.push_back(quad);
        corner = 0;
      }
    }
  }
  return quads;
}

// The vertices of each GL_LINE_STRIP, in order.
inline std::vector<std::vector<Vec3>> RecordedStrips() {
  std::vector<std::vector<Vec3>> strips;
  bool inside = false;
  for (const GlCall& call : glCalls) {
    if (call.name == "glBegin" && call.args[0] == GL_LINE_STRIP) {
      inside = true;
      strips.emplace_back();
    } else if (call.name == "glEnd") {
      inside = false;
    } else if (call.name == "glVertex3f" && inside) {
      strips.back().push_back(Vec3{call.args[0], call.args[1], call.args[2]});
    }
  }
  return strips;
}

// Index of the first call at or after from with this name and leading
// arguments, or -1.
inline int FindCall(const std::string& name, std::vector<double> leading = {}, int from = 0) {
  for (int k = from; k < (int)glCalls.size(); ++k) {
    const GlCall& call = glCalls[k];
    if (call.name != name || call.args.size() < leading.size()) continue;
    bool same = true;
    for (size_t a = 0; a < leading.size(); ++a) same = same && (float)call.args[a] == (float)leading[a];
    if (same) return k;
  }
  return -1;
}

inline double Length(Vec3 a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }

// A fresh recorder context and test platform through the window's start-up,
// then a clean record.
inline void CreateTestScene() {
  ResetGlState();
  ResetTestPlatform();
  StartUpScene();
  ClearGlCalls();
}
