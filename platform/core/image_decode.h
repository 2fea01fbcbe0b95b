// Decoders of the program's embedded image files: a .bmp (Windows bitmap with
// its file header) and a .ico (icon directory), into top-down RGBA pixels.
// Plain C++; no toolkit. Every length and offset is checked against the data.
#pragma once

#include <cstddef>
#include <vector>

struct DecodedImage {
  int width = 0, height = 0;                    // pixels, both at least 1
  int pixelsPerMetreX = 0, pixelsPerMetreY = 0; // as stored in the header (0 if absent)
  int bitsPerPixel = 0;                         // as stored: 4 or 24
  int colorCount = 0;                           // palette entries for 4 bpp; 0 otherwise
  // width * height * 4 bytes: R, G, B, A, top row first. A is 255 for every
  // bitmap pixel; for icons 0 where the AND mask says transparent, and the
  // colour is then 0, 0, 0.
  std::vector<unsigned char> rgba;
};

// Largest width or height, and largest pixel count (64 MiB of RGBA),
// accepted; anything larger is taken as corrupt.
constexpr int kMaxImageSide = 16384;
constexpr long kMaxImagePixels = 1L << 24;

// Both decoders read what the program's own files hold: uncompressed (BI_RGB)
// bottom-up pixels of 4 bits (16 colours) or 24 bits. On failure the result
// is false and *out is left empty.
//
// A whole .bmp file: "BM" file header, then a BITMAPINFOHEADER (or a larger
// V4/V5 header).
bool DecodeBmp(const unsigned char* data, size_t size, DecodedImage* out);

// A whole .ico file: the icon directory, then its first image (the program's
// icon holds one), with its AND mask.
bool DecodeIco(const unsigned char* data, size_t size, DecodedImage* out);
