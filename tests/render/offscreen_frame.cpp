// The offscreen surface of the pixel tests and the snapshots.
#include "tests/render/offscreen_frame.h"

#include <GL/gl.h>

#include <cstdio>
#include <vector>

#include "platform/headless/egl.h"
#include "render/camera.h"
#include "render/frame.h"
#include "tests/support/scene_state.h"
#include "tests/support/test_platform.h"

namespace {
headless::OffscreenSurface* surface = nullptr;
std::vector<unsigned char> pixels;   // the last frame, bottom row first
}  // namespace

bool OpenOffscreen() {
  if (surface != nullptr) return true;
  surface = headless::CreateOffscreenSurface(offscreenSize, offscreenSize, 24);
  if (surface == nullptr) return false;
  pixels.assign((size_t)offscreenSize * offscreenSize * 4, 0);
  if (!headless::MakeOffscreenCurrent(surface)) {
    headless::DestroyOffscreenSurface(surface);
    surface = nullptr;
    return false;
  }
  return true;
}

void CloseOffscreen() {
  if (surface == nullptr) return;
  headless::DestroyOffscreenSurface(surface);
  surface = nullptr;
}

void StartUpOffscreenScene() {
  ResetTestPlatform();
  StartUpScene();
  ResizeViewport();
}

void RenderOffscreen() {
  RenderScene();
  KeepOffscreenFrame();
}

void KeepOffscreenFrame() { pixels = headless::ReadOffscreenPixels(offscreenSize, offscreenSize); }

void PixelAt(int x, int y, int rgb[3]) {
  // glReadPixels' first row is the bottom one.
  const unsigned char* p = &pixels[((size_t)(offscreenSize - 1 - y) * offscreenSize + x) * 4];
  rgb[0] = p[0];
  rgb[1] = p[1];
  rgb[2] = p[2];
}

bool WritePpm(const std::string& path, int width, int height) {
  // The last frame, top row first.
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
