// The OSMesa surface of the pixel tests and the snapshots.
#include "tests/render/osmesa_frame.h"

#include <GL/osmesa.h>

#include <cstdio>
#include <vector>

#include "render/camera.h"
#include "render/frame.h"
#include "tests/support/scene_state.h"
#include "tests/support/test_platform.h"

namespace {
OSMesaContext context = nullptr;
std::vector<unsigned char> pixels;
}  // namespace

bool OpenOffscreen() {
  if (context != nullptr) return true;
  context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
  if (context == nullptr) return false;
  pixels.assign((size_t)offscreenSize * offscreenSize * 4, 0);
  if (!OSMesaMakeCurrent(context, pixels.data(), GL_UNSIGNED_BYTE, offscreenSize, offscreenSize)) {
    OSMesaDestroyContext(context);
    context = nullptr;
    return false;
  }
  return true;
}

void CloseOffscreen() {
  if (context == nullptr) return;
  OSMesaDestroyContext(context);
  context = nullptr;
}

void StartUpOffscreenScene() {
  ResetTestPlatform();
  StartUpScene();
  ResizeViewport();
}

void RenderOffscreen() {
  RenderScene();
  glFinish();
}

void PixelAt(int x, int y, int rgb[3]) {
  // OSMesa's first row is the bottom one.
  const unsigned char* p = &pixels[((size_t)(offscreenSize - 1 - y) * offscreenSize + x) * 4];
  rgb[0] = p[0];
  rgb[1] = p[1];
  rgb[2] = p[2];
}

bool WritePpm(const std::string& path, int width, int height) {
  // Straight from the surface, top row first, as glReadPixels would give it
  // bottom row first.
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::fprintf(file, "P6\n%d %d\n255\n", width, height);
  std::vector<unsigned char> row((size_t)width * 3);
  bool ok = true;
  for (int y = 0; y < height && ok; ++y) {
    for (int x = 0; x < width; ++x) {
      int rgb[3];
      PixelAt(x, y, rgb);
      for (int c = 0; c < 3; ++c) row[(size_t)x * 3 + c] = (unsigned char)rgb[c];
    }
    ok = std::fwrite(row.data(), 1, row.size(), file) == row.size();
  }
  return std::fclose(file) == 0 && ok;
}
