// Pixel formats and OpenGL contexts in the page: one format, WebGL's (RGBA,
// double-buffered as a canvas is, with a depth buffer), where the browser
// offers WebGL; a context is the OpenGL layer started on its window's canvas
// at the page's pixel ratio; a buffer swap lets the browser show the
// picture. Relies on web.h, the layer (gl/layer.h) and EM_JS.
#include "platform/web/web.h"

#include <emscripten.h>

#include <cstdlib>

#include "platform/web/gl/layer.h"

struct NativeContext {
  int unused;
};

namespace {

// Whether the page can have WebGL at all (a canvas of its own, let go at once).
EM_JS(int, PageHasWebGl, (), {
  var context = document.createElement('canvas').getContext('webgl');
  if (!context) return 0;
  var lose = context.getExtension('WEBGL_lose_context');
  if (lose) lose.loseContext();
  return 1;
});
EM_JS(double, CanvasPixelRatio, (const PlatformWindow* window), { return HeatPage.pixelRatio(window); });

// The layer keeps one state: one context at a time.
PlatformGLContext* layerContext = nullptr;

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void heat_PixelRatioChanged() { PixelRatioChanged(); }

// The canvases' buffers were sized again: the layer draws at the new ratio,
// and every program window is painted anew.
void PixelRatioChanged() {
  if (layerContext && Live(layerContext->window))
    webgl11::SetPixelRatio((float)CanvasPixelRatio(layerContext->window));
  for (PlatformWindow* window : AllWindows())
    if (window->alive && window->kind == WindowKind::Main) Invalidate(window);
}

// ---- pixel formats: one, index 1 --------------------------------------------------------
int ChoosePixelFormat(DeviceContext dc, const PixelFormatDescriptor* request) {
  if (!LiveDC(dc) || !request || request->iPixelType != PFD_TYPE_RGBA) return 0;
  if (!PageHasWebGl()) {
    NoteFailure("This browser has WebGL turned off, and the picture cannot be drawn without it.");
    return 0;
  }
  return 1;
}

bool BackendSetPixelFormat(PlatformWindow* window, int format) { return format == 1 && window->kind == WindowKind::Main; }

// What the layer asks of WebGL: 24-bit colour without alpha, double-buffered
// (the page shows the last picture while the next is drawn), a depth buffer.
int DescribePixelFormat(DeviceContext, int format, unsigned size, PixelFormatDescriptor* out) {
  if (format != 1) return 0;
  if (out && size >= sizeof(PixelFormatDescriptor)) *out = RgbaWindowFormat(16);
  return 1;   // the number of formats
}

// ---- contexts: the layer on the window's canvas -------------------------------------------
// A WebGL that cannot run the layer (the browser refused the context, or
// its shaders) would leave the window empty for good: as a refused context
// on the desktop, it ends the program with an error box and exit code 1.
bool BackendCreateContext(PlatformGLContext* context) {
  if (layerContext) return false;
  webgl11::SetPixelRatio((float)CanvasPixelRatio(context->window));
  if (!webgl11::StartLayer(CanvasSelector(context->window).c_str(), false)) {
    NoteFailure("This browser's WebGL cannot draw the picture.");
    MessageBox(context->window, "wglCreateContext failed", "Error", MB_OK | MB_ICONHAND);
    std::exit(1);
  }
  context->native = new NativeContext{0};
  layerContext = context;
  return true;
}

// A WebGL context belongs to its canvas; with none current the layer stays
// as it is, and the program draws nothing.
bool BackendMakeCurrent(PlatformGLContext* context, PlatformWindow* window) {
  return !context || (context == layerContext && window == context->window);
}

void BackendDeleteContext(PlatformGLContext* context) {
  if (context == layerContext) {
    webgl11::StopLayer();
    layerContext = nullptr;
  }
  delete context->native;
  context->native = nullptr;
}

// The browser shows what was drawn once the program gives it its turn.
bool BackendSwapBuffers(PlatformWindow* window) {
  if (!(window->style & WS_VISIBLE)) return false;
  if (CurrentGLWindow() == window) WaitForPresentation();
  return true;
}

// ---- what went wrong -----------------------------------------------------------------------
namespace {
std::string failureNote;
}

void NoteFailure(const std::string& why) { failureNote = why; }

std::string TakeFailureNote() {
  std::string note = failureNote;
  failureNote.clear();
  return note;
}
