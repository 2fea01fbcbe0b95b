// Decoders of the program's embedded image files: a .bmp (Windows bitmap with
// its file header) and a .ico (icon directory), into top-down RGBA pixels.
// Plain C++; no toolkit. Every length and offset is checked against the data.
#pragma once

#include <cstddef>
#include <vector>

struct DecodedImage {
  int width = 0, height = 0;                    // pixels, both at least 1
  int pixelsPerMetreX = 0, pixelsPerMetreY = 0; // as stored in the header (0 if absent)
  int bitsPerPixel = 0;                         // as stored: 1, 4, 8, 24 or 32
  int colorCount = 0;                           // palette entries for 1, 4, 8 bpp; 0 otherwise
  bool hasMask = false;                         // icons: an AND mask was read
  // width * height * 4 bytes: R, G, B, A, top row first. A is 255 for every
  // bitmap pixel; for icons 0 where the AND mask (or the 32-bit alpha) says
  // transparent, and the colour is then 0, 0, 0.
  std::vector<unsigned char> rgba;
};

// Largest width or height, and largest pixel count (64 MiB of RGBA),
// accepted; anything larger is taken as corrupt.
constexpr int kMaxImageSide = 16384;
constexpr long kMaxImagePixels = 1L << 24;

// A whole .bmp file: "BM" file header, then a BITMAPINFOHEADER (or a larger
// V4/V5 header), uncompressed (BI_RGB) with 1, 4, 8, 24 or 32 bits a pixel,
// bottom-up (positive height) or top-down (negative height). On failure the
// result is false and *out is left empty.
bool DecodeBmp(const unsigned char* data, size_t size, DecodedImage* out);

// A whole .ico file: the icon directory, then the largest image in it (by
// area, then by depth); images stored as PNG are not read. 1, 4, 8, 24 and
// 32 bits a pixel, each with its AND mask (optional only for 32 bits, where
// the alpha channel rules unless it is zero everywhere). On failure the
// result is false and *out is left empty.
bool DecodeIco(const unsigned char* data, size_t size, DecodedImage* out);
