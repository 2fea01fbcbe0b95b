// Offscreen OpenGL over EGL's surfaceless platform. Relies on EGL 1.4 with
// EGL_EXT_platform_base and EGL_MESA_platform_surfaceless (Mesa's libEGL
// behind the system's libEGL).
#include "platform/headless/egl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace headless {

struct OffscreenSurface {
  EGLContext context;
  EGLSurface pbuffer;
};

namespace {

void Complain(const char* what) {
  static bool said = false;
  if (!said) std::fprintf(stderr, "offscreen OpenGL: %s (EGL error 0x%04x)\n", what, (unsigned)eglGetError());
  said = true;
}

bool HasExtension(const char* list, const char* name) {
  const size_t length = std::strlen(name);
  for (const char* p = list; p && (p = std::strstr(p, name)) != nullptr; p += length)
    if ((p == list || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0')) return true;
  return false;
}

// Initialised once and kept for the life of the process, as a display is.
EGLDisplay Display() {
  static const EGLDisplay display = [] {
    // The pictures are llvmpipe's on every machine, GPU or none, unless the
    // caller has chosen otherwise.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!HasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
      Complain("EGL has no surfaceless platform (EGL_MESA_platform_surfaceless)");
      return EGL_NO_DISPLAY;
    }
    auto getPlatformDisplay = (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
    EGLDisplay made =
        getPlatformDisplay ? getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr) : EGL_NO_DISPLAY;
    if (made == EGL_NO_DISPLAY || !eglInitialize(made, nullptr, nullptr)) {
      Complain("no surfaceless EGL display");
      return EGL_NO_DISPLAY;
    }
    return made;
  }();
  return display;
}

// A configuration with exactly 8 bits a channel and the depth asked for:
// eglChooseConfig sorts deeper colour first, which would change the pictures.
EGLConfig ExactConfig(EGLDisplay display, int depthBits) {
  const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                           EGL_RED_SIZE,     8,               EGL_GREEN_SIZE,      8,
                           EGL_BLUE_SIZE,    8,               EGL_ALPHA_SIZE,      8,
                           EGL_DEPTH_SIZE,   depthBits,       EGL_NONE};
  EGLConfig configs[64];
  EGLint count = 0;
  if (!eglChooseConfig(display, wanted, configs, 64, &count)) return nullptr;
  for (EGLint i = 0; i < count; ++i) {
    EGLint red = 0, green = 0, blue = 0, alpha = 0, depth = 0;
    eglGetConfigAttrib(display, configs[i], EGL_RED_SIZE, &red);
    eglGetConfigAttrib(display, configs[i], EGL_GREEN_SIZE, &green);
    eglGetConfigAttrib(display, configs[i], EGL_BLUE_SIZE, &blue);
    eglGetConfigAttrib(display, configs[i], EGL_ALPHA_SIZE, &alpha);
    eglGetConfigAttrib(display, configs[i], EGL_DEPTH_SIZE, &depth);
    if (red == 8 && green == 8 && blue == 8 && alpha == 8 && depth == depthBits) return configs[i];
  }
  return nullptr;
}

}  // namespace

OffscreenSurface* CreateOffscreenSurface(int width, int height, int depthBits) {
  EGLDisplay display = Display();
  if (display == EGL_NO_DISPLAY || width <= 0 || height <= 0) return nullptr;
  EGLConfig config = ExactConfig(display, depthBits);
  if (!config) {
    Complain("no 8-bit RGBA pbuffer configuration with that depth buffer");
    return nullptr;
  }
  if (!eglBindAPI(EGL_OPENGL_API)) {
    Complain("EGL offers no desktop OpenGL");
    return nullptr;
  }
  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                      EGL_NONE};
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT) {
    Complain("no compatibility-profile context");
    return nullptr;
  }
  const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface pbuffer = eglCreatePbufferSurface(display, config, size);
  if (pbuffer == EGL_NO_SURFACE) {
    Complain("no pbuffer");
    eglDestroyContext(display, context);
    return nullptr;
  }
  return new OffscreenSurface{context, pbuffer};
}

bool MakeOffscreenCurrent(OffscreenSurface* surface) {
  EGLDisplay display = Display();
  if (display == EGL_NO_DISPLAY) return surface == nullptr;
  if (!surface) return eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT) == EGL_TRUE;
  return eglMakeCurrent(display, surface->pbuffer, surface->pbuffer, surface->context) == EGL_TRUE;
}

void DestroyOffscreenSurface(OffscreenSurface* surface) {
  if (!surface) return;
  EGLDisplay display = Display();
  if (eglGetCurrentContext() == surface->context) MakeOffscreenCurrent(nullptr);
  eglDestroySurface(display, surface->pbuffer);
  eglDestroyContext(display, surface->context);
  delete surface;
}

bool OffscreenContextCurrent() { return eglGetCurrentContext() != EGL_NO_CONTEXT; }

std::vector<unsigned char> ReadOffscreenPixels(int width, int height) {
  std::vector<unsigned char> pixels((size_t)width * height * 4);
  glFinish();
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

}  // namespace headless
