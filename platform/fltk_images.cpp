// Turns the embedded .bmp and .ico files into the pixels the platform draws.
// Relies on the image decoders of platform_decode.
#include "platform/fltk_internal.h"

#if __has_include("platform/image_decode.h")
#include "platform/image_decode.h"
#define HEAT_HAVE_DECODE 1
#endif

bool DecodeBitmapResource(const unsigned char* data, unsigned size, PlatformBitmap* out) {
#ifdef HEAT_HAVE_DECODE
#error "adapt to image_decode.h"
#else
  (void)data; (void)size; (void)out;
  return false;   // no decoder: the bitmap counts as undecodable
#endif
}

bool DecodeIconResource(const unsigned char* data, unsigned size, PlatformIcon* out) {
#ifdef HEAT_HAVE_DECODE
#error "adapt to image_decode.h"
#else
  (void)data; (void)size; (void)out;
  return false;
#endif
}
