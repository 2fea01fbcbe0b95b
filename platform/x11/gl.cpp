// Pixel formats over the screen's GLX visuals, and the OpenGL contexts the
// core keeps records of, their binding and the buffer swap over GLX. Relies
// on Xlib and Mesa's libGL.
#define FL_INTERNALS 1
#include "platform/x11/x11.h"

#include <FL/Fl_Window.H>
#include <GL/glx.h>

#include <cstdlib>
#include <string>
#include <vector>

struct NativeContext {
  GLXContext glx;
};

namespace {

// One pixel format per TrueColor visual of the screen that GLX renders to in
// RGBA on the main plane, numbered from 1. Mesa offers OpenGL on TrueColor
// and DirectColor visuals only (none at all on an 8-bit screen), and a
// DirectColor one would first need its colour ramps written: no format here
// ever needs a palette.
std::vector<XVisualInfo> formats;
bool formatsRead = false;

Window currentDrawable = 0;   // what the current context is bound to

int Config(const XVisualInfo& visual, int attribute) {
  int value = 0;
  glXGetConfig(PlatformDisplay(), const_cast<XVisualInfo*>(&visual), attribute, &value);
  return value;
}

void ReadFormats() {
  if (formatsRead) return;
  formatsRead = true;
  Display* display = PlatformDisplay();
  int errorBase, eventBase;
  if (!display) return;
  if (!glXQueryExtension(display, &errorBase, &eventBase)) {
    NoteFailure(std::string("the X display \"") + DisplayString(display) + "\" offers no OpenGL (no GLX extension)");
    return;
  }
  XVisualInfo pattern{};
  pattern.screen = PlatformScreen();
  pattern.c_class = TrueColor;
  int count = 0;
  XVisualInfo* visuals = XGetVisualInfo(display, VisualScreenMask | VisualClassMask, &pattern, &count);
  for (int i = 0; i < count; ++i)
    if (Config(visuals[i], GLX_USE_GL) && Config(visuals[i], GLX_RGBA) && Config(visuals[i], GLX_LEVEL) == 0)
      formats.push_back(visuals[i]);
  if (visuals) XFree(visuals);
}

const XVisualInfo* FormatAt(int index) {
  ReadFormats();
  if (index < 1 || index > (int)formats.size()) return nullptr;
  return &formats[index - 1];
}

// A channel's shift: the lowest bit of its mask.
uint8_t ShiftOf(unsigned long mask) {
  uint8_t shift = 0;
  for (; mask && !(mask & 1ul); mask >>= 1) ++shift;
  return shift;
}

// What a context binds to: the window itself once shown; before that, an
// unmapped window of the same visual and size, so that a context can be made
// current (and set up) during WM_CREATE, before the window is on the screen.
Window DrawableFor(PlatformWindow* window) {
  Window real = XWindowOf(window);
  if (real) return real;
  NativeWindow* native = window->native;
  if (!native->standIn) {
    Display* display = PlatformDisplay();
    XSetWindowAttributes attributes{};
    attributes.colormap = native->colormap;
    attributes.border_pixel = 0;
    native->standIn = XCreateWindow(display, RootWindow(display, PlatformScreen()), 0, 0, window->width,
                                    window->height, 0, native->visual.depth, InputOutput, native->visual.visual,
                                    CWColormap | CWBorderPixel, &attributes);
  }
  return native->standIn;
}

void DropStandIn(PlatformWindow* window) {
  if (!window->native->standIn) return;
  XDestroyWindow(PlatformDisplay(), window->native->standIn);
  window->native->standIn = 0;
}

// What GLX says of a visual, as Windows describes a pixel format: what the
// program reads of it and what ChoosePixelFormat weighs.
PixelFormatDescriptor Describe(const XVisualInfo& visual) {
  PixelFormatDescriptor d{};
  d.nSize = sizeof(PixelFormatDescriptor);
  d.nVersion = 1;
  d.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  if (Config(visual, GLX_DOUBLEBUFFER)) d.dwFlags |= PFD_DOUBLEBUFFER;
  d.iPixelType = PFD_TYPE_RGBA;
  d.cRedBits = (uint8_t)Config(visual, GLX_RED_SIZE);
  d.cGreenBits = (uint8_t)Config(visual, GLX_GREEN_SIZE);
  d.cBlueBits = (uint8_t)Config(visual, GLX_BLUE_SIZE);
  d.cRedShift = ShiftOf(visual.red_mask);
  d.cGreenShift = ShiftOf(visual.green_mask);
  d.cBlueShift = ShiftOf(visual.blue_mask);
  d.cColorBits = (uint8_t)(d.cRedBits + d.cGreenBits + d.cBlueBits);
  d.cAlphaBits = (uint8_t)Config(visual, GLX_ALPHA_SIZE);
  d.cAccumBits = (uint8_t)(Config(visual, GLX_ACCUM_RED_SIZE) + Config(visual, GLX_ACCUM_GREEN_SIZE) +
                           Config(visual, GLX_ACCUM_BLUE_SIZE) + Config(visual, GLX_ACCUM_ALPHA_SIZE));
  d.cDepthBits = (uint8_t)Config(visual, GLX_DEPTH_SIZE);
  d.cStencilBits = (uint8_t)Config(visual, GLX_STENCIL_SIZE);
  return d;
}

}  // namespace

void GLWindowShown(PlatformWindow* window) {
  Window real = XWindowOf(window);
  if (!real) return;
  PlatformGLContext* current = CurrentContext();
  if (CurrentGLWindow() == window && current && currentDrawable != real) {
    if (glXMakeCurrent(PlatformDisplay(), real, current->native->glx)) currentDrawable = real;
  }
  if (currentDrawable != window->native->standIn) DropStandIn(window);
}

// After the core has released a context current on the window.
void GLWindowDestroyed(PlatformWindow* window) {
  DropStandIn(window);
  NativeWindow* native = window->native;
  if (native->colormap && native->colormap != DefaultColormap(PlatformDisplay(), PlatformScreen())) {
    // the X window goes with the FLTK window; the colormap is ours
    Colormap colormap = native->colormap;
    native->colormap = 0;
    if (native->flWindow) native->flWindow->hide();
    XFreeColormap(PlatformDisplay(), colormap);
  }
}

int ChoosePixelFormat(DeviceContext dc, const PixelFormatDescriptor* request) {
  if (!LiveDC(dc) || !request) return 0;
  ReadFormats();
  bool wantDouble = (request->dwFlags & PFD_DOUBLEBUFFER) != 0;
  Display* display = PlatformDisplay();
  int defaultDepth = DefaultDepth(display, PlatformScreen());
  VisualID defaultVisual = XVisualIDFromVisual(DefaultVisual(display, PlatformScreen()));
  int best = 0;
  long bestScore = 0;
  for (size_t i = 0; request->iPixelType == PFD_TYPE_RGBA && i < formats.size(); ++i) {   // no colour-index ones
    const XVisualInfo& visual = formats[i];
    PixelFormatDescriptor f = Describe(visual);
    if (((f.dwFlags & PFD_DOUBLEBUFFER) != 0) != wantDouble) continue;
    if (f.cDepthBits < request->cDepthBits || f.cStencilBits < request->cStencilBits ||
        f.cAlphaBits < request->cAlphaBits || f.cAccumBits < request->cAccumBits)
      continue;
    // Nearest fit: a visual of the screen's own depth first, then as little
    // beyond the request as possible.
    long score = 0;
    if (visual.depth != defaultDepth) score += 1L << 36;
    if (visual.visualid != defaultVisual) score += 1L << 32;
    if (f.cColorBits < request->cColorBits) score += 1L << 28;
    score += (long)(f.cStencilBits - request->cStencilBits) << 20;
    score += (long)f.cAccumBits << 14;
    score += (long)(f.cAlphaBits - request->cAlphaBits) << 8;
    score += (long)(f.cDepthBits - request->cDepthBits);
    if (!best || score < bestScore) {
      best = (int)i + 1;
      bestScore = score;
    }
  }
  if (!best && !formats.empty()) NoteFailure("no OpenGL visual of the X display has the pixel format asked for");
  return best;
}

int DescribePixelFormat(DeviceContext, int format, unsigned size, PixelFormatDescriptor* out) {
  const XVisualInfo* visual = FormatAt(format);
  if (!visual) return 0;
  if (out && size >= sizeof(PixelFormatDescriptor)) *out = Describe(*visual);
  return (int)formats.size();
}

// The visual is fixed when the X window is made: before the window is shown.
bool BackendSetPixelFormat(PlatformWindow* window, int format) {
  const XVisualInfo* f = FormatAt(format);
  if (!f || XWindowOf(window)) return false;
  Display* display = PlatformDisplay();
  window->native->visual = *f;
  window->native->colormap = f->visual == DefaultVisual(display, PlatformScreen())
                                 ? DefaultColormap(display, PlatformScreen())
                                 : XCreateColormap(display, RootWindow(display, PlatformScreen()), f->visual, AllocNone);
  return true;
}

// A context the X server refuses (indirect rendering it does not allow, a
// driver that cannot start) comes back as an X error, which would otherwise
// be shown and ignored while the window stays empty for ever. Like a pixel
// format that cannot be had, it ends the program with an error box and exit
// code 1.
bool BackendCreateContext(PlatformGLContext* context) {
  TrapXErrors();
  GLXContext glx = glXCreateContext(PlatformDisplay(), &context->window->native->visual, nullptr, True);
  std::string refused = EndXErrorTrap();
  if (!refused.empty() || !glx) {
    if (glx) {
      TrapXErrors();
      glXDestroyContext(PlatformDisplay(), glx);
      EndXErrorTrap();
    }
    NoteFailure("the X server refused an OpenGL context" + (refused.empty() ? std::string() : " (" + refused + ")"));
    MessageBox(context->window, "wglCreateContext failed", "Error", MB_OK | MB_ICONHAND);
    std::exit(1);
  }
  context->native = new NativeContext{glx};
  return true;
}

bool BackendMakeCurrent(PlatformGLContext* context, PlatformWindow* window) {
  if (!context) {
    glXMakeCurrent(PlatformDisplay(), None, nullptr);
    currentDrawable = 0;
    return true;
  }
  Window drawable = DrawableFor(window);
  TrapXErrors();
  bool made = glXMakeCurrent(PlatformDisplay(), drawable, context->native->glx);
  std::string refused = EndXErrorTrap();
  if (!made || !refused.empty()) {
    NoteFailure("the OpenGL context could not be made current" + (refused.empty() ? std::string() : " (" + refused + ")"));
    return false;
  }
  currentDrawable = drawable;
  return true;
}

void BackendDeleteContext(PlatformGLContext* context) {
  glXDestroyContext(PlatformDisplay(), context->native->glx);
  delete context->native;
  context->native = nullptr;
}

// Nothing to present before the window is shown.
bool BackendSwapBuffers(PlatformWindow* window) {
  Window real = XWindowOf(window);
  if (!real || DestroyedByOthers(window, real)) return false;
  glXSwapBuffers(PlatformDisplay(), real);
  if (window->native->backgroundUntilFrame) {   // the frame is its content from now on (manager.cpp)
    window->native->backgroundUntilFrame = false;
    XSetWindowBackgroundPixmap(PlatformDisplay(), real, None);
  }
  return true;
}
