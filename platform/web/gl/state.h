// The layer's one state (what OpenGL 1.1 keeps for the calls the program
// makes) and the batch of vertices waiting to be drawn, shared by the
// OpenGL entry points (calls.cpp) and the WebGL side (webgl.cpp). Plain
// types only: calls.cpp sees <GL/gl.h>, webgl.cpp WebGL's headers.
#pragma once

#include <vector>

#include "platform/web/gl/matrix.h"

namespace webgl11 {

const int lightCount = 8;        // GL_LIGHT0 to GL_LIGHT7
const int modelviewDepth = 32;   // the desktop's stack depths (Mesa's)
const int projectionDepth = 32;

// Each field starts at OpenGL's initial value.
struct Material {
  float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float shininess = 0.0f;
};

struct Light {
  bool enabled = false;
  float ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float diffuse[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float position[4] = {0.0f, 0.0f, 1.0f, 0.0f};   // in eye coordinates, as glLightfv placed it
};

// One vertex as the shaders take it. Lines reach WebGL as quads: each of a
// segment's four corners carries both ends and the side it lies on.
struct Vertex {
  float position[3];    // object coordinates
  float lineOther[4];   // a line's other end (x, y, z) and side (+1 or -1); w = 0 for polygons
  float normal[3];
  float colour[4];
  Material front;
  Material back;
};

enum class FogMode { linear, exp, exp2 };

// What OpenGL keeps, as it is when a context is made.
struct State {
  // Transformation.
  bool projectionMode = false;   // glMatrixMode: GL_PROJECTION rather than GL_MODELVIEW
  Matrix modelview[modelviewDepth] = {Identity()};
  int modelviewTop = 0;
  Matrix projection[projectionDepth] = {Identity()};
  int projectionTop = 0;
  int viewport[4] = {0, 0, 0, 0};
  // The current vertex attributes.
  float normal[3] = {0.0f, 0.0f, 1.0f};
  float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  Material front;
  Material back;
  // Lighting: light 0 alone is white.
  bool lighting = false;
  bool twoSided = false;
  float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  Light lights[lightCount] = {Light{false, {0, 0, 0, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {0, 0, 1, 0}}};
  // Fog.
  bool fog = false;
  FogMode fogMode = FogMode::exp;
  float fogDensity = 1.0f;
  float fogStart = 0.0f;
  float fogEnd = 1.0f;
  float fogColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  // Rasterisation.
  float lineWidth = 1.0f;
  bool polygonsAsLines = false;  // glPolygonMode(GL_FRONT_AND_BACK, GL_LINE)
  bool depthTest = false;
  float clearColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  // The primitive between glBegin and glEnd: its mode (0 outside), the
  // vertices of a quad under way or the strip's last vertex.
  unsigned begun = 0;
  Vertex pending[4];
  int pendingCount = 0;
  // Vertices waiting for a draw under the state above: triangles, three
  // vertices each.
  std::vector<Vertex> batch;
};

extern State state;

// OpenGL's initial state, with the viewport given.
void ResetState(const int viewport[4]);

// The WebGL side (webgl.cpp).
// Compiles the shaders and makes the buffer for the current WebGL context;
// false, with the reason on standard error, when that context cannot.
bool StartWebGl();
// Draws the batch under the state's matrices, lights, fog and line width.
void DrawBatch();
void ClearBuffers(bool colour, bool depth, const float clearColour[4]);
void SetViewport(const int viewport[4]);   // in the program's pixels
// A rectangle of the picture in the program's pixels, bottom row first, 4
// bytes (R, G, B, A) a pixel.
void ReadPicture(int x, int y, int width, int height, unsigned char* rgba);
void SetDepthTest(bool on);
void FlushWebGl();

}  // namespace webgl11
