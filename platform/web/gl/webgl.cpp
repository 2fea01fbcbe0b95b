// The layer's WebGL side: the context on the page's canvas, the shaders that
// compute what OpenGL 1.1's fixed pipeline computes (its lighting equation
// per vertex, Gouraud shading, fog, wide lines), in a variant for each
// combination of lighting and fog, and the draw of a batch under the state
// the OpenGL calls keep (state.h). Uses Emscripten's html5 context calls
// and its WebGL functions under their emscripten_ names, since the plain gl
// names are the layer's own OpenGL 1.1 calls.
#include <emscripten/html5.h>
#include <webgl/webgl1.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/web/gl/layer.h"
#include "platform/web/gl/state.h"

namespace webgl11 {
namespace {

// The shaders come in variants, one for each combination of lighting on or
// off (LIGHTING 1 or 0) and fog mode (FOG 0 for none, 1 linear, 2
// exponential, 3 exponential squared), each compiled when first needed:
// a branch on a uniform costs a software renderer both ways, every pixel.

// OpenGL 1.1's vertex processing, for one vertex of a batch.
const char* const vertexShader = R"(
precision highp float;

attribute vec3 position;
attribute vec4 lineOther;
attribute vec3 normal;
attribute vec4 colour;
attribute vec4 frontAmbient, frontDiffuse, frontSpecular, frontEmission;
attribute vec4 backAmbient, backDiffuse, backSpecular, backEmission;
attribute float frontShininess, backShininess;

uniform mat4 modelview;
uniform mat4 modelviewProjection;
uniform mat3 normalMatrix;
uniform vec2 viewportSize;
uniform float lineWidth;
uniform bool twoSided;
uniform vec4 sceneAmbient;
uniform bool lightOn[8];
uniform vec4 lightAmbient[8];
uniform vec4 lightDiffuse[8];
uniform vec4 lightSpecular[8];
uniform vec4 lightPosition[8];    // eye coordinates
uniform vec3 lightDirection[8];   // a directional light's, normalised
uniform vec3 lightHalfway[8];     // and its halfway vector

varying vec4 frontColour;
varying vec4 backColour;
varying float eyeDistance;
varying float onLine;

// The lighting equation (OpenGL 1.1, section 2.13.1) for a viewer at
// infinity, without spotlights or attenuation:
//   c = e + a * a_scene + sum over the lights on of
//       a * a_light + max(n . VP, 0) d * d_light + f max(n . h, 0)^s s * s_light,
// f = 1 where n . VP > 0, else 0; clamped to [0, 1]; alpha the diffuse's.
vec4 Lit(vec3 n, vec3 eye, vec4 ambient, vec4 diffuse, vec4 specular, vec4 emission, float shininess) {
  vec3 c = emission.rgb + ambient.rgb * sceneAmbient.rgb;
  for (int i = 0; i < 8; ++i) {
    if (!lightOn[i]) continue;
    vec3 toLight = lightDirection[i];
    vec3 halfway = lightHalfway[i];
    if (lightPosition[i].w != 0.0) {
      toLight = normalize(lightPosition[i].xyz / lightPosition[i].w - eye);
      halfway = normalize(toLight + vec3(0.0, 0.0, 1.0));
    }
    c += ambient.rgb * lightAmbient[i].rgb;
    float nDotVP = dot(n, toLight);
    if (nDotVP > 0.0) {
      c += nDotVP * (diffuse.rgb * lightDiffuse[i].rgb);
      float nDotH = dot(n, halfway);
      if (nDotH > 0.0) c += pow(nDotH, shininess) * (specular.rgb * lightSpecular[i].rgb);
    }
  }
  return clamp(vec4(c, diffuse.a), 0.0, 1.0);
}

// One end of a line, moved by half the line width across the line's major
// axis in window coordinates (as OpenGL widens a line that is not
// antialiased), at the end's own depth. An end beyond the near plane is
// first moved along the line onto it; a line wholly beyond it is dropped.
vec4 WidenLine(vec4 end, vec4 other, float side) {
  float endInside = end.z + end.w;
  float otherInside = other.z + other.w;
  if (endInside < 0.0 && otherInside < 0.0) return vec4(2.0, 2.0, 2.0, 1.0);
  if (endInside < 0.0) end = mix(end, other, endInside / (endInside - otherInside));
  if (otherInside < 0.0) other = mix(other, end, otherInside / (otherInside - endInside));
  vec2 along = (other.xy / other.w - end.xy / end.w) * viewportSize;
  vec2 across = abs(along.x) >= abs(along.y) ? vec2(0.0, 1.0) : vec2(1.0, 0.0);
  end.xy += across * side * lineWidth / viewportSize * end.w;
  return end;
}

void main() {
  vec4 eye = modelview * vec4(position, 1.0);
  vec4 clip = modelviewProjection * vec4(position, 1.0);
  onLine = lineOther.w != 0.0 ? 1.0 : 0.0;
  if (lineOther.w != 0.0) clip = WidenLine(clip, modelviewProjection * vec4(lineOther.xyz, 1.0), lineOther.w);
  gl_Position = clip;
  eyeDistance = abs(eye.z);
#if LIGHTING
  vec3 n = normalMatrix * normal;
  frontColour = Lit(n, eye.xyz, frontAmbient, frontDiffuse, frontSpecular, frontEmission, frontShininess);
  backColour = twoSided ? Lit(-n, eye.xyz, backAmbient, backDiffuse, backSpecular, backEmission, backShininess)
                        : frontColour;
#else
  frontColour = clamp(colour, 0.0, 1.0);
  backColour = frontColour;
#endif
}
)";

// The face's colour (lines are lit as front faces), then fog (OpenGL 1.1,
// section 3.9): C = f C + (1 - f) C_fog with f from the eye distance z,
// clamped to [0, 1]: linear f = (end - z) / (end - start), exponential
// f = exp(-density z), exponential squared f = exp(-(density z)^2).
const char* const fragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif

uniform float fogEnd;
uniform float fogScale;   // 1 / (end - start)
uniform float fogDensity;
uniform vec3 fogColour;

varying vec4 frontColour;
varying vec4 backColour;
varying float eyeDistance;
varying float onLine;

void main() {
  vec4 colour = gl_FrontFacing || onLine > 0.5 ? frontColour : backColour;
#if FOG == 1
  float f = (fogEnd - eyeDistance) * fogScale;
#elif FOG == 2
  float f = exp(-fogDensity * eyeDistance);
#elif FOG == 3
  float f = exp(-(fogDensity * eyeDistance) * (fogDensity * eyeDistance));
#endif
#if FOG != 0
  colour.rgb = mix(fogColour, colour.rgb, clamp(f, 0.0, 1.0));
#endif
  gl_FragColor = colour;
}
)";

struct Attribute {
  const char* name;
  int size;
  size_t offset;
};

#define FIELD(member) offsetof(Vertex, member)
const Attribute attributes[] = {
    {"position", 3, FIELD(position)},
    {"lineOther", 4, FIELD(lineOther)},
    {"normal", 3, FIELD(normal)},
    {"colour", 4, FIELD(colour)},
    {"frontAmbient", 4, FIELD(front.ambient)},
    {"frontDiffuse", 4, FIELD(front.diffuse)},
    {"frontSpecular", 4, FIELD(front.specular)},
    {"frontEmission", 4, FIELD(front.emission)},
    {"frontShininess", 1, FIELD(front.shininess)},
    {"backAmbient", 4, FIELD(back.ambient)},
    {"backDiffuse", 4, FIELD(back.diffuse)},
    {"backSpecular", 4, FIELD(back.specular)},
    {"backEmission", 4, FIELD(back.emission)},
    {"backShininess", 1, FIELD(back.shininess)},
};
#undef FIELD
const int attributeCount = (int)(sizeof attributes / sizeof attributes[0]);

// Uniform locations, by the name in the shaders (-1 where a variant has none).
struct Locations {
  GLint modelview, modelviewProjection, normalMatrix, viewportSize, lineWidth;
  GLint twoSided, sceneAmbient, lightOn, lightAmbient, lightDiffuse, lightSpecular;
  GLint lightPosition, lightDirection, lightHalfway;
  GLint fogEnd, fogScale, fogDensity, fogColour;
};

struct Program {
  GLuint id;      // 0 until made
  bool failed;    // made and refused: draws nothing
  Locations where;
};

EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
Program programs[2][4];   // [LIGHTING][FOG]
bool halfWidthsUp = false;
float pixelRatio = 1.0f;

// The program's pixel coordinate x in the drawing buffer's.
int DevicePixels(int x) { return (int)std::lround((double)x * pixelRatio); }

GLuint CompileShader(GLenum kind, const char* defines, const char* source) {
  const GLuint shader = emscripten_glCreateShader(kind);
  const char* parts[2] = {defines, source};
  emscripten_glShaderSource(shader, 2, parts, nullptr);
  emscripten_glCompileShader(shader);
  GLint compiled = 0;
  emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (!compiled) {
    char log[1024] = "";
    emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "OpenGL layer: a shader (%s) does not compile: %s\n", defines, log);
  }
  return shader;
}

// The variant for lighting on or off and a fog mode, made on first use.
Program& ProgramFor(bool lighting, int fog) {
  Program& program = programs[lighting][fog];
  if (program.id != 0) return program;
  char defines[48];
  std::snprintf(defines, sizeof defines, "#define LIGHTING %d\n#define FOG %d\n", lighting ? 1 : 0, fog);
  program.id = emscripten_glCreateProgram();
  const GLuint vertex = CompileShader(GL_VERTEX_SHADER, defines, vertexShader);
  const GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, defines, fragmentShader);
  emscripten_glAttachShader(program.id, vertex);
  emscripten_glAttachShader(program.id, fragment);
  for (int i = 0; i < attributeCount; ++i) emscripten_glBindAttribLocation(program.id, i, attributes[i].name);
  emscripten_glLinkProgram(program.id);
  emscripten_glDeleteShader(vertex);
  emscripten_glDeleteShader(fragment);
  GLint linked = 0;
  emscripten_glGetProgramiv(program.id, GL_LINK_STATUS, &linked);
  if (!linked) {
    char log[1024] = "";
    emscripten_glGetProgramInfoLog(program.id, sizeof log, nullptr, log);
    std::fprintf(stderr, "OpenGL layer: the shaders (%s) do not link: %s\n", defines, log);
    program.failed = true;
  }
  Locations& where = program.where;
#define LOCATE(name) where.name = emscripten_glGetUniformLocation(program.id, #name)
  LOCATE(modelview);
  LOCATE(modelviewProjection);
  LOCATE(normalMatrix);
  LOCATE(viewportSize);
  LOCATE(lineWidth);
  LOCATE(twoSided);
  LOCATE(sceneAmbient);
  LOCATE(lightOn);
  LOCATE(lightAmbient);
  LOCATE(lightDiffuse);
  LOCATE(lightSpecular);
  LOCATE(lightPosition);
  LOCATE(lightDirection);
  LOCATE(lightHalfway);
  LOCATE(fogEnd);
  LOCATE(fogScale);
  LOCATE(fogDensity);
  LOCATE(fogColour);
#undef LOCATE
  return program;
}

// v scaled to unit length the way the desktop's OpenGL does it.
void Normalise(float v[3]) {
  const float lengthSquared = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
  if (lengthSquared == 0.0f) return;
  const float inverse = 1.0f / std::sqrt(lengthSquared);
  for (int i = 0; i < 3; ++i) v[i] *= inverse;
}

}  // namespace

bool StartWebGl() {
  GLint available = 0;
  emscripten_glGetIntegerv(GL_MAX_VERTEX_ATTRIBS, &available);
  if (available < attributeCount) {
    std::fprintf(stderr, "OpenGL layer: WebGL offers %d vertex attributes, the layer needs %d\n", available,
                 attributeCount);
    return false;
  }
  // The variant of OpenGL's initial state, made now so that a WebGL that
  // cannot run the shaders is known at once.
  if (ProgramFor(false, 0).failed) return false;

  // One buffer, refilled by every batch; the attributes read it interleaved.
  GLuint buffer = 0;
  emscripten_glGenBuffers(1, &buffer);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
  for (int i = 0; i < attributeCount; ++i) {
    emscripten_glEnableVertexAttribArray(i);
    emscripten_glVertexAttribPointer(i, attributes[i].size, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                                     reinterpret_cast<const void*>(attributes[i].offset));
  }
  return true;
}

void DrawBatch() {
  const int fog = !state.fog ? 0 : 1 + (int)state.fogMode;
  const Program& program = ProgramFor(state.lighting, fog);
  if (program.failed) return;
  const Locations& where = program.where;
  emscripten_glUseProgram(program.id);

  const Matrix& modelview = state.modelview[state.modelviewTop];
  const Matrix modelviewProjection = Multiply(state.projection[state.projectionTop], modelview);
  emscripten_glUniformMatrix4fv(where.modelview, 1, GL_FALSE, modelview.m);
  emscripten_glUniformMatrix4fv(where.modelviewProjection, 1, GL_FALSE, modelviewProjection.m);
  const int* viewport = state.viewport;
  emscripten_glUniform2f(where.viewportSize, (float)(DevicePixels(viewport[0] + viewport[2]) - DevicePixels(viewport[0])),
                         (float)(DevicePixels(viewport[1] + viewport[3]) - DevicePixels(viewport[1])));
  // A line that is not antialiased is drawn as wide as its width rounded
  // to the nearest whole number of pixels, at least one (layer.h: halves),
  // in the drawing buffer's pixels.
  const float deviceWidth = state.lineWidth * pixelRatio;
  const float width = halfWidthsUp ? std::floor(deviceWidth + 0.5f) : std::nearbyint(deviceWidth);
  emscripten_glUniform1f(where.lineWidth, std::max(1.0f, width));

  if (state.lighting) {
    float normalMatrix[9];
    NormalMatrix(modelview, normalMatrix);
    emscripten_glUniformMatrix3fv(where.normalMatrix, 1, GL_FALSE, normalMatrix);
    emscripten_glUniform1i(where.twoSided, state.twoSided);
    emscripten_glUniform4fv(where.sceneAmbient, 1, state.sceneAmbient);
    GLint on[lightCount];
    float ambient[lightCount][4], diffuse[lightCount][4], specular[lightCount][4], position[lightCount][4];
    float direction[lightCount][3], halfway[lightCount][3];
    for (int i = 0; i < lightCount; ++i) {
      const Light& light = state.lights[i];
      on[i] = light.enabled;
      std::memcpy(ambient[i], light.ambient, sizeof ambient[i]);
      std::memcpy(diffuse[i], light.diffuse, sizeof diffuse[i]);
      std::memcpy(specular[i], light.specular, sizeof specular[i]);
      std::memcpy(position[i], light.position, sizeof position[i]);
      // A directional light's direction and halfway vector (towards the
      // viewer at infinity, (0, 0, 1)) are the same for every vertex.
      std::memcpy(direction[i], light.position, sizeof direction[i]);
      Normalise(direction[i]);
      for (int k = 0; k < 3; ++k) halfway[i][k] = direction[i][k] + (k == 2 ? 1.0f : 0.0f);
      Normalise(halfway[i]);
    }
    emscripten_glUniform1iv(where.lightOn, lightCount, on);
    emscripten_glUniform4fv(where.lightAmbient, lightCount, &ambient[0][0]);
    emscripten_glUniform4fv(where.lightDiffuse, lightCount, &diffuse[0][0]);
    emscripten_glUniform4fv(where.lightSpecular, lightCount, &specular[0][0]);
    emscripten_glUniform4fv(where.lightPosition, lightCount, &position[0][0]);
    emscripten_glUniform3fv(where.lightDirection, lightCount, &direction[0][0]);
    emscripten_glUniform3fv(where.lightHalfway, lightCount, &halfway[0][0]);
  }
  if (state.fog) {
    emscripten_glUniform1f(where.fogEnd, state.fogEnd);
    emscripten_glUniform1f(where.fogScale,
                           state.fogEnd == state.fogStart ? 1.0f : 1.0f / (state.fogEnd - state.fogStart));
    emscripten_glUniform1f(where.fogDensity, state.fogDensity);
    emscripten_glUniform3fv(where.fogColour, 1, state.fogColour);
  }

  emscripten_glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)(state.batch.size() * sizeof(Vertex)), state.batch.data(),
                          GL_STREAM_DRAW);
  emscripten_glDrawArrays(GL_TRIANGLES, 0, (GLsizei)state.batch.size());
}

void ClearBuffers(bool colour, bool depth, const float clearColour[4]) {
  emscripten_glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
  emscripten_glClear((colour ? GL_COLOR_BUFFER_BIT : 0) | (depth ? GL_DEPTH_BUFFER_BIT : 0));
}

void SetViewport(const int viewport[4]) {
  const int x = DevicePixels(viewport[0]), y = DevicePixels(viewport[1]);
  emscripten_glViewport(x, y, DevicePixels(viewport[0] + viewport[2]) - x, DevicePixels(viewport[1] + viewport[3]) - y);
}

// Each of the program's pixels is the drawing buffer's pixel under its centre.
void ReadPicture(int x, int y, int width, int height, unsigned char* rgba) {
  if (width == 0 || height == 0) return;
  if (pixelRatio == 1.0f) {
    emscripten_glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return;
  }
  const int left = DevicePixels(x), bottom = DevicePixels(y);
  const int deviceWidth = std::max(1, DevicePixels(x + width) - left);
  const int deviceHeight = std::max(1, DevicePixels(y + height) - bottom);
  std::vector<unsigned char> device((size_t)deviceWidth * deviceHeight * 4);
  emscripten_glReadPixels(left, bottom, deviceWidth, deviceHeight, GL_RGBA, GL_UNSIGNED_BYTE, device.data());
  for (int row = 0; row < height; ++row) {
    const int deviceRow = std::min(deviceHeight - 1, (int)((row + 0.5) * pixelRatio));
    for (int column = 0; column < width; ++column) {
      const int deviceColumn = std::min(deviceWidth - 1, (int)((column + 0.5) * pixelRatio));
      std::memcpy(rgba + ((size_t)row * width + column) * 4,
                  &device[((size_t)deviceRow * deviceWidth + deviceColumn) * 4], 4);
    }
  }
}

void SetDepthTest(bool on) {
  if (on) {
    emscripten_glEnable(GL_DEPTH_TEST);
  } else {
    emscripten_glDisable(GL_DEPTH_TEST);
  }
}

void FlushWebGl() { emscripten_glFlush(); }

bool StartLayer(const char* canvas, bool keepPicture) {
  StopLayer();
  EmscriptenWebGLContextAttributes wanted;
  emscripten_webgl_init_context_attributes(&wanted);
  wanted.alpha = false;       // the materials' alpha of 0.5 must not let the page through
  wanted.depth = true;
  wanted.stencil = false;
  wanted.antialias = false;   // edges as the desktop draws them
  wanted.preserveDrawingBuffer = keepPicture;
  wanted.majorVersion = 1;
  context = emscripten_webgl_create_context(canvas, &wanted);
  if (context <= 0) {
    std::fprintf(stderr, "OpenGL layer: no WebGL context on %s\n", canvas);
    context = 0;
    return false;
  }
  emscripten_webgl_make_context_current(context);
  int width = 0, height = 0;
  emscripten_webgl_get_drawing_buffer_size(context, &width, &height);
  const int viewport[4] = {0, 0, (int)std::lround(width / pixelRatio), (int)std::lround(height / pixelRatio)};
  ResetState(viewport);
  if (!StartWebGl()) {
    StopLayer();
    return false;
  }
  return true;
}

void RoundHalfLineWidthsUp(bool up) { halfWidthsUp = up; }

void SetPixelRatio(float ratio) {
  if (!(ratio > 0.0f) || ratio == pixelRatio) return;
  pixelRatio = ratio;
  if (context != 0) SetViewport(state.viewport);
}

void StopLayer() {
  if (context == 0) return;
  emscripten_webgl_make_context_current(0);
  emscripten_webgl_destroy_context(context);
  context = 0;
  for (auto& variants : programs) {
    for (Program& program : variants) program = Program{};
  }
}

}  // namespace webgl11
