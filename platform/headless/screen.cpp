// The headless backend's screen: its size, message boxes recorded and
// answered OK, one pixel format (described as the test asks), OpenGL
// contexts offscreen (egl.h) and the frames presented. Relies on
// backend.h.
#include "platform/headless/headless.h"

#include <GL/gl.h>

#include <cstring>

#include "platform/headless/egl.h"

struct NativeContext {
  headless::OffscreenSurface* surface;
  int width, height;   // its window's when made
};

namespace {

struct Screen {
  int width = 1280, height = 1024;
  std::vector<headless::MessageBoxCall> messageBoxes;
  bool failChoose = false, failSet = false, failContext = false;
  bool describedAsGiven = false;
  PixelFormatDescriptor described{};
  bool requested = false;
  PixelFormatDescriptor lastRequest{};
  unsigned frameTime = 0;
  int swaps = 0, frames = 0;
};
Screen* screen = new Screen;

}  // namespace

int GetSystemMetrics(int index) {
  if (index == SM_CYSCREEN) return screen->height;
  return index == SM_CXSCREEN ? screen->width : 0;
}

int MessageBox(WindowHandle owner, const char* text, const char* caption, unsigned style) {
  screen->messageBoxes.push_back(headless::MessageBoxCall{owner, text ? text : "", caption ? caption : "Error", style});
  return IDOK;
}

// ---- pixel formats: one, index 1 --------------------------------------------------------
int ChoosePixelFormat(DeviceContext dc, const PixelFormatDescriptor* request) {
  if (!LiveDC(dc) || !request) return 0;
  screen->requested = true;
  screen->lastRequest = *request;
  return screen->failChoose ? 0 : 1;
}

bool BackendSetPixelFormat(PlatformWindow*, int format) { return !screen->failSet && format == 1; }

// 24-bit RGBA, double-buffered, a 16-bit depth buffer, unless a test
// describes it otherwise.
int DescribePixelFormat(DeviceContext, int format, unsigned size, PixelFormatDescriptor* out) {
  if (!out) return 1;   // the number of formats
  if (format != 1 || size < sizeof(PixelFormatDescriptor)) return 0;
  *out = screen->describedAsGiven ? screen->described : RgbaWindowFormat(16);
  return 1;
}

// ---- contexts: an offscreen surface of the window's size when made --------------------------
bool BackendCreateContext(PlatformGLContext* context) {
  if (screen->failContext) return false;
  int width = context->window->width, height = context->window->height;
  headless::OffscreenSurface* surface = headless::CreateOffscreenSurface(width, height, 16);
  if (!surface) return false;
  context->native = new NativeContext{surface, width, height};
  return true;
}

bool BackendMakeCurrent(PlatformGLContext* context, PlatformWindow*) {
  return headless::MakeOffscreenCurrent(context ? context->native->surface : nullptr);
}

void BackendDeleteContext(PlatformGLContext* context) {
  headless::DestroyOffscreenSurface(context->native->surface);
  delete context->native;
  context->native = nullptr;
}

// Presented: drawn by the context current on the window.
bool BackendSwapBuffers(PlatformWindow* window) {
  ++screen->swaps;
  if (CurrentContext()) glFinish();
  if (CurrentContext() && CurrentGLWindow() == window) ++screen->frames;
  headless::AdvanceClock(screen->frameTime);
  return true;
}

// ---- test hooks ---------------------------------------------------------------------------
namespace headless {

void ResetScreen() {
  delete screen;
  screen = new Screen;
}

void SetFrameTime(unsigned milliseconds) { screen->frameTime = milliseconds; }
const std::vector<MessageBoxCall>& MessageBoxes() { return screen->messageBoxes; }
void SetScreenHeight(int pixels) { screen->height = pixels; }
void SetScreenWidth(int pixels) { screen->width = pixels; }
void FailChoosePixelFormat(bool fail) { screen->failChoose = fail; }
void FailSetPixelFormat(bool fail) { screen->failSet = fail; }
void FailCreateContext(bool fail) { screen->failContext = fail; }
void DescribeFormatAs(const PixelFormatDescriptor* format) {
  screen->describedAsGiven = format != nullptr;
  if (format) screen->described = *format;
}
const PixelFormatDescriptor* LastFormatRequest() { return screen->requested ? &screen->lastRequest : nullptr; }
int SwapCount() { return screen->swaps; }
int FrameCount() { return screen->frames; }

std::vector<unsigned char> ReadPixels(int* width, int* height) {
  NativeContext* context = CurrentContext() ? CurrentContext()->native : nullptr;
  if (width) *width = context ? context->width : 0;
  if (height) *height = context ? context->height : 0;
  if (!context) return {};
  const std::vector<unsigned char> bottomUp = headless::ReadOffscreenPixels(context->width, context->height);
  size_t row = (size_t)context->width * 4;
  std::vector<unsigned char> pixels(bottomUp.size());
  for (int y = 0; y < context->height; ++y)
    std::memcpy(&pixels[(size_t)y * row], &bottomUp[(size_t)(context->height - 1 - y) * row], row);
  return pixels;
}

}  // namespace headless
