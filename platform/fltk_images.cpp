// Turns the embedded .bmp and .ico files into the pixels the platform draws.
// Relies on the image decoders of platform_decode.
#include "platform/fltk_internal.h"
#include "platform/image_decode.h"

#include <utility>

bool DecodeBitmapResource(const unsigned char* data, unsigned size, PlatformBitmap* out) {
  DecodedImage image;
  if (!DecodeBmp(data, size, &image)) return false;
  out->width = image.width;
  out->height = image.height;
  out->bitsPerPixel = image.bitsPerPixel;
  out->rgb.resize((size_t)image.width * image.height * 3);
  for (size_t i = 0, n = (size_t)image.width * image.height; i < n; ++i)
    for (int c = 0; c < 3; ++c) out->rgb[i * 3 + c] = image.rgba[i * 4 + c];
  return true;
}

bool DecodeIconResource(const unsigned char* data, unsigned size, PlatformIcon* out) {
  DecodedImage image;
  if (!DecodeIco(data, size, &image)) return false;
  out->width = image.width;
  out->height = image.height;
  out->rgba = std::move(image.rgba);
  return true;
}
