// The headless backend's screen: its size, message boxes recorded and
// answered OK, one pixel format (described as the test asks), OpenGL
// contexts over OSMesa and the frames presented. Relies on core.h and OSMesa.
#include "platform/headless.h"

#include <GL/osmesa.h>

#include <cstring>
#include <memory>

struct PlatformGLContext {
  OSMesaContext mesa = nullptr;
  int width = 0, height = 0;
  std::vector<unsigned char> buffer;   // RGBA, bottom row first (OSMesa's order)
  PlatformWindow* window = nullptr;
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
  std::vector<std::unique_ptr<PlatformGLContext>> contexts;   // deleted ones too, emptied
  PlatformGLContext* current = nullptr;
  unsigned frameTime = 0;
  int swaps = 0, frames = 0;
};
Screen* screen = new Screen;

PlatformGLContext* LiveContext(RenderContext context) {
  for (auto& c : screen->contexts)
    if (c.get() == context && c->mesa) return c.get();
  return nullptr;
}

void ReleaseCurrent() {
  if (screen->current) OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
  screen->current = nullptr;
}

PlatformWindow* WindowOf(DeviceContext dc) { return LiveDC(dc) && Live(dc->window) ? dc->window : nullptr; }

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

int SetPixelFormat(DeviceContext dc, int format, const PixelFormatDescriptor*) {
  PlatformWindow* window = WindowOf(dc);
  if (!window || screen->failSet || format != 1) return 0;
  if (window->pixelFormat && window->pixelFormat != format) return 0;   // fixed once set
  window->pixelFormat = format;
  return 1;
}

int GetPixelFormat(DeviceContext dc) { return WindowOf(dc) ? dc->window->pixelFormat : 0; }

// 24-bit RGBA, double-buffered, a 16-bit depth buffer, unless a test
// describes it otherwise.
int DescribePixelFormat(DeviceContext, int format, unsigned size, PixelFormatDescriptor* out) {
  if (!out) return 1;   // the number of formats
  if (format != 1 || size < sizeof(PixelFormatDescriptor)) return 0;
  if (screen->describedAsGiven) {
    *out = screen->described;
    return 1;
  }
  PixelFormatDescriptor pfd{};
  pfd.nSize = sizeof(PixelFormatDescriptor);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cDepthBits = 16;
  pfd.cColorBits = 24;
  pfd.cRedBits = pfd.cGreenBits = pfd.cBlueBits = 8;
  pfd.cRedShift = 16;
  pfd.cGreenShift = 8;
  *out = pfd;
  return 1;
}

// ---- contexts: an OSMesa buffer of the window's size when made -----------------------------
RenderContext wglCreateContext(DeviceContext dc) {
  PlatformWindow* window = WindowOf(dc);
  if (!window || !window->pixelFormat || screen->failContext) return nullptr;
  OSMesaContext mesa = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
  if (!mesa) return nullptr;
  auto context = std::make_unique<PlatformGLContext>();
  context->mesa = mesa;
  context->window = window;
  context->width = window->width;
  context->height = window->height;
  context->buffer.assign((size_t)context->width * context->height * 4, 0);
  screen->contexts.push_back(std::move(context));
  return screen->contexts.back().get();
}

int wglMakeCurrent(DeviceContext dc, RenderContext context) {
  if (!context) {   // whatever the device context, no context current
    ReleaseCurrent();
    return 1;
  }
  PlatformGLContext* live = LiveContext(context);
  if (!live || !WindowOf(dc)) return 0;
  if (!OSMesaMakeCurrent(live->mesa, live->buffer.data(), GL_UNSIGNED_BYTE, live->width, live->height)) return 0;
  screen->current = live;
  return 1;
}

int wglDeleteContext(RenderContext context) {
  PlatformGLContext* live = LiveContext(context);
  if (!live) return 0;
  if (screen->current == live) ReleaseCurrent();
  OSMesaDestroyContext(live->mesa);
  live->mesa = nullptr;
  std::vector<unsigned char>().swap(live->buffer);
  return 1;
}

int SwapBuffers(DeviceContext dc) {
  ++screen->swaps;
  PlatformWindow* window = WindowOf(dc);
  if (!window) return 0;
  if (screen->current) glFinish();
  if (screen->current && screen->current->window == window) ++screen->frames;
  headless::AdvanceClock(screen->frameTime);
  return 1;
}

// ---- test hooks ---------------------------------------------------------------------------
namespace headless {

void ResetContexts() {
  ReleaseCurrent();
  for (auto& context : screen->contexts)
    if (context->mesa) OSMesaDestroyContext(context->mesa);
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
  PlatformGLContext* context = screen->current;
  if (width) *width = context ? context->width : 0;
  if (height) *height = context ? context->height : 0;
  if (!context) return {};
  glFinish();
  size_t row = (size_t)context->width * 4;
  std::vector<unsigned char> pixels(context->buffer.size());
  for (int y = 0; y < context->height; ++y)
    std::memcpy(&pixels[(size_t)y * row], &context->buffer[(size_t)(context->height - 1 - y) * row], row);
  return pixels;
}

}  // namespace headless
