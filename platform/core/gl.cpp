// Pixel formats fixed once per window, and OpenGL contexts as records: which
// exist, for which format, and which one is current on which window. Relies
// on core.h; the backend makes, binds, presents and deletes the real contexts.
#include "platform/core/core.h"

#include <memory>

namespace {

// A deleted context's record stays (without its native part) until the
// reset, so that a stale handle never names a newer context.
struct Contexts {
  std::vector<std::unique_ptr<PlatformGLContext>> records;
  PlatformGLContext* current = nullptr;
  PlatformWindow* currentWindow = nullptr;
};
Contexts* contexts = new Contexts;

PlatformGLContext* LiveContext(RenderContext context) {
  for (auto& c : contexts->records)
    if (c.get() == context && c->native) return c.get();
  return nullptr;
}

void Unbind() {
  if (contexts->current) BackendMakeCurrent(nullptr, nullptr);
  contexts->current = nullptr;
  contexts->currentWindow = nullptr;
}

// Only a program window draws with OpenGL.
PlatformWindow* GLWindowOf(DeviceContext dc) {
  PlatformWindow* window = LiveDC(dc) ? dc->window : nullptr;
  return Live(window) && window->kind == WindowKind::Main ? window : nullptr;
}

}  // namespace

PlatformGLContext* CurrentContext() { return contexts->current; }

PixelFormatDescriptor RgbaWindowFormat(uint8_t depthBits) {
  PixelFormatDescriptor pfd{};
  pfd.nSize = sizeof(PixelFormatDescriptor);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 24;
  pfd.cRedBits = pfd.cGreenBits = pfd.cBlueBits = 8;
  pfd.cRedShift = 16;
  pfd.cGreenShift = 8;
  pfd.cDepthBits = depthBits;
  return pfd;
}
PlatformWindow* CurrentGLWindow() { return contexts->currentWindow; }

void ForgetContextsOf(PlatformWindow* window) {
  if (contexts->currentWindow == window) Unbind();
  for (auto& c : contexts->records)
    if (c->window == window) c->window = nullptr;
}

void ResetContexts() {
  Unbind();
  for (auto& c : contexts->records)
    if (c->native) BackendDeleteContext(c.get());
  delete contexts;
  contexts = new Contexts;
}

// ---- platform.h -------------------------------------------------------------------------
int SetPixelFormat(DeviceContext dc, int format, const PixelFormatDescriptor*) {
  PlatformWindow* window = GLWindowOf(dc);
  if (!window) return 0;
  if (window->pixelFormat) return window->pixelFormat == format ? 1 : 0;   // fixed once, as on Windows
  if (!BackendSetPixelFormat(window, format)) return 0;
  window->pixelFormat = format;
  return 1;
}

int GetPixelFormat(DeviceContext dc) {
  PlatformWindow* window = GLWindowOf(dc);
  return window ? window->pixelFormat : 0;
}

RenderContext wglCreateContext(DeviceContext dc) {
  PlatformWindow* window = GLWindowOf(dc);
  if (!window || !window->pixelFormat) return nullptr;
  auto context = std::make_unique<PlatformGLContext>();
  context->window = window;
  context->pixelFormat = window->pixelFormat;
  if (!BackendCreateContext(context.get())) return nullptr;
  contexts->records.push_back(std::move(context));
  return contexts->records.back().get();
}

// A context binds to any window of its pixel format.
int wglMakeCurrent(DeviceContext dc, RenderContext context) {
  if (!context) {   // no context current, whatever the device context
    Unbind();
    return 1;
  }
  PlatformGLContext* live = LiveContext(context);
  PlatformWindow* window = GLWindowOf(dc);
  if (!live || !window || window->pixelFormat != live->pixelFormat) return 0;
  if (!BackendMakeCurrent(live, window)) return 0;
  contexts->current = live;
  contexts->currentWindow = window;
  return 1;
}

int wglDeleteContext(RenderContext context) {
  PlatformGLContext* live = LiveContext(context);
  if (!live) return 0;
  if (contexts->current == live) Unbind();
  BackendDeleteContext(live);   // native becomes null
  return 1;
}

int SwapBuffers(DeviceContext dc) {
  PlatformWindow* window = GLWindowOf(dc);
  return window && window->pixelFormat && BackendSwapBuffers(window) ? 1 : 0;
}
