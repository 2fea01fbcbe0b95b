// OpenGL on Win32: pixel formats through GDI, rendering contexts through WGL
// and the buffer swap, over the system's opengl32. Relies on win32.h.
#include "platform/win32/win32.h"

namespace {

// The platform's descriptor and PIXELFORMATDESCRIPTOR have the same fields in
// the same order; they are copied field by field, not as bytes.
#define HEAT_PFD_FIELDS(X)                                                                      \
  X(nSize) X(nVersion) X(dwFlags) X(iPixelType) X(cColorBits) X(cRedBits) X(cRedShift)          \
  X(cGreenBits) X(cGreenShift) X(cBlueBits) X(cBlueShift) X(cAlphaBits) X(cAlphaShift)          \
  X(cAccumBits) X(cAccumRedBits) X(cAccumGreenBits) X(cAccumBlueBits) X(cAccumAlphaBits)        \
  X(cDepthBits) X(cStencilBits) X(cAuxBuffers) X(iLayerType) X(bReserved) X(dwLayerMask)        \
  X(dwVisibleMask) X(dwDamageMask)
#define HEAT_COPY_FIELD(field) to.field = from.field;

PIXELFORMATDESCRIPTOR ToNative(const PixelFormatDescriptor& from) {
  PIXELFORMATDESCRIPTOR to = {};
  HEAT_PFD_FIELDS(HEAT_COPY_FIELD)
  return to;
}

PixelFormatDescriptor FromNative(const PIXELFORMATDESCRIPTOR& from) {
  PixelFormatDescriptor to = {};
  HEAT_PFD_FIELDS(HEAT_COPY_FIELD)
  return to;
}
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == sizeof(PixelFormatDescriptor), "both are 40 bytes");

}  // namespace

int ChoosePixelFormat(DeviceContext dc, const PixelFormatDescriptor* request) {
  if (request == nullptr) return 0;
  const PIXELFORMATDESCRIPTOR native = ToNative(*request);
  return ::ChoosePixelFormat(Hdc(dc), &native);
}

int SetPixelFormat(DeviceContext dc, int format, const PixelFormatDescriptor* request) {
  if (request == nullptr) return 0;
  const PIXELFORMATDESCRIPTOR native = ToNative(*request);
  return ::SetPixelFormat(Hdc(dc), format, &native);
}

int GetPixelFormat(DeviceContext dc) { return ::GetPixelFormat(Hdc(dc)); }

int DescribePixelFormat(DeviceContext dc, int format, unsigned size, PixelFormatDescriptor* out) {
  PIXELFORMATDESCRIPTOR native = {};
  const int count = ::DescribePixelFormat(Hdc(dc), format, sizeof native, &native);
  if (count != 0 && out != nullptr && size >= sizeof(PixelFormatDescriptor)) *out = FromNative(native);
  return count;
}

RenderContext wglCreateContext(DeviceContext dc) {
  return reinterpret_cast<RenderContext>(::wglCreateContext(Hdc(dc)));
}

int wglMakeCurrent(DeviceContext dc, RenderContext context) { return ::wglMakeCurrent(Hdc(dc), Hglrc(context)); }

int wglDeleteContext(RenderContext context) { return ::wglDeleteContext(Hglrc(context)); }

int SwapBuffers(DeviceContext dc) { return ::SwapBuffers(Hdc(dc)); }
