// BMP and ICO decoding into top-down RGBA. Relies only on the standard library;
// every field is read through bounds-checked little-endian readers, and all
// sizes are computed in 64 bits before they are compared with the data.
#include "platform/core/image_decode.h"

#include <cstdint>

namespace {

uint16_t ReadU16(const unsigned char* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t ReadU32(const unsigned char* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
int32_t ReadS32(const unsigned char* p) { return int32_t(ReadU32(p)); }

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kInfoHeaderSize = 40;

// Bytes of one stored row: bits padded to a multiple of 32.
uint64_t RowStride(uint64_t width, uint64_t bits) { return ((width * bits + 31) / 32) * 4; }

// The fields of a BITMAPINFOHEADER that decoding needs, checked.
struct DibHeader {
  uint32_t headerSize = 0;
  int64_t width = 0, height = 0;   // height as stored (signed)
  uint32_t bits = 0;
  uint32_t colorsUsed = 0;         // palette entries present
  int32_t ppmX = 0, ppmY = 0;
};

// Reads and checks the header at dib[0 .. size): bottom-up, 4 or 24 bits a
// pixel, the depths of the program's legend and icon.
bool ReadDibHeader(const unsigned char* dib, size_t size, DibHeader* h) {
  if (size < kInfoHeaderSize) return false;
  h->headerSize = ReadU32(dib);
  // BITMAPINFOHEADER or the V2..V5 extensions; the 12-byte OS/2 header is not read.
  if (h->headerSize < kInfoHeaderSize || h->headerSize > size || h->headerSize > 1024) return false;
  h->width = ReadS32(dib + 4);
  h->height = ReadS32(dib + 8);
  uint16_t planes = ReadU16(dib + 12);
  h->bits = ReadU16(dib + 14);
  uint32_t compression = ReadU32(dib + 16);
  h->ppmX = ReadS32(dib + 24);
  h->ppmY = ReadS32(dib + 28);
  h->colorsUsed = ReadU32(dib + 32);
  if (planes != 1 || compression != kBiRgb) return false;
  if (h->bits != 4 && h->bits != 24) return false;
  if (h->width < 1 || h->width > kMaxImageSide) return false;
  if (h->height < 1 || h->height > int64_t(2) * kMaxImageSide) return false;
  if (h->bits == 4) {
    if (h->colorsUsed == 0) h->colorsUsed = 16;
    if (h->colorsUsed > 16) return false;
  } else {
    h->colorsUsed = 0;   // a palette beside true colour is only a hint; skipped
  }
  return true;
}

// Reads colorsUsed RGBQUADs at p into a 256-entry palette (missing ones black).
void ReadPalette(const unsigned char* p, uint32_t count, uint32_t palette[256]) {
  for (int i = 0; i < 256; ++i) palette[i] = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const unsigned char* q = p + 4 * i;
    palette[i] = uint32_t(q[2]) | (uint32_t(q[1]) << 8) | (uint32_t(q[0]) << 16);   // R, G, B
  }
}

// Decodes the bottom-up rows of colour pixels at `pixels` (already checked to
// hold them all) into out->rgba, top row first, with alpha 255.
void DecodeColourRows(const unsigned char* pixels, const DibHeader& h, int width, int height,
                      const uint32_t palette[256], DecodedImage* out) {
  const uint64_t stride = RowStride(uint64_t(width), h.bits);
  out->rgba.assign(size_t(width) * size_t(height) * 4, 0);
  for (int row = 0; row < height; ++row) {
    const unsigned char* src = pixels + stride * uint64_t(height - 1 - row);
    unsigned char* dst = &out->rgba[size_t(row) * size_t(width) * 4];
    for (int x = 0; x < width; ++x, dst += 4) {
      uint32_t rgb;
      if (h.bits == 4) {
        rgb = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
      } else {
        const unsigned char* q = src + 3 * x;
        rgb = q[2] | (q[1] << 8) | (uint32_t(q[0]) << 16);
      }
      dst[0] = uint8_t(rgb);
      dst[1] = uint8_t(rgb >> 8);
      dst[2] = uint8_t(rgb >> 16);
      dst[3] = 255;
    }
  }
}

void Describe(const DibHeader& h, int width, int height, DecodedImage* out) {
  out->width = width;
  out->height = height;
  out->pixelsPerMetreX = h.ppmX;
  out->pixelsPerMetreY = h.ppmY;
  out->bitsPerPixel = int(h.bits);
  out->colorCount = int(h.colorsUsed);
}

bool Fail(DecodedImage* out) {
  *out = DecodedImage();
  return false;
}

// One icon image: a DIB whose height counts the colour rows and the AND mask's.
bool DecodeIconDib(const unsigned char* dib, size_t size, DecodedImage* out) {
  DibHeader h;
  if (!ReadDibHeader(dib, size, &h)) return false;
  if (h.height % 2 != 0) return false;
  const int width = int(h.width);
  const int height = int(h.height / 2);
  if (height > kMaxImageSide || int64_t(width) * height > kMaxImagePixels) return false;
  const uint64_t paletteBytes = uint64_t(h.colorsUsed) * 4;
  const uint64_t colourBytes = RowStride(uint64_t(width), h.bits) * uint64_t(height);
  const uint64_t maskBytes = RowStride(uint64_t(width), 1) * uint64_t(height);
  const uint64_t colourStart = uint64_t(h.headerSize) + paletteBytes;
  if (colourStart + colourBytes + maskBytes > size) return false;

  uint32_t palette[256];
  ReadPalette(dib + h.headerSize, h.colorsUsed, palette);
  const unsigned char* pixels = dib + colourStart;
  DecodeColourRows(pixels, h, width, height, palette, out);
  // A pixel the mask sets is transparent, and carries no colour.
  const unsigned char* mask = pixels + colourBytes;
  const uint64_t stride = RowStride(uint64_t(width), 1);
  for (int row = 0; row < height; ++row) {
    const unsigned char* src = mask + stride * uint64_t(height - 1 - row);
    for (int x = 0; x < width; ++x)
      if ((src[x >> 3] >> (7 - (x & 7))) & 1) {
        unsigned char* p = &out->rgba[(size_t(row) * size_t(width) + size_t(x)) * 4];
        p[0] = p[1] = p[2] = p[3] = 0;
      }
  }
  Describe(h, width, height, out);
  return true;
}

}  // namespace

bool DecodeBmp(const unsigned char* data, size_t size, DecodedImage* out) {
  *out = DecodedImage();
  constexpr size_t kFileHeaderSize = 14;
  if (data == nullptr || size < kFileHeaderSize + kInfoHeaderSize) return false;
  if (data[0] != 'B' || data[1] != 'M') return false;
  const uint64_t pixelOffset = ReadU32(data + 10);
  DibHeader h;
  if (!ReadDibHeader(data + kFileHeaderSize, size - kFileHeaderSize, &h)) return Fail(out);
  if (h.height > kMaxImageSide || h.width * h.height > kMaxImagePixels) return Fail(out);
  const int width = int(h.width);
  const int height = int(h.height);
  const uint64_t paletteStart = kFileHeaderSize + uint64_t(h.headerSize);
  const uint64_t paletteBytes = uint64_t(h.colorsUsed) * 4;
  // The pixels may not overlap the headers or the palette, and must all be there.
  if (pixelOffset < paletteStart + paletteBytes) return Fail(out);
  const uint64_t pixelBytes = RowStride(uint64_t(width), h.bits) * uint64_t(height);
  if (pixelOffset > size || pixelBytes > size - pixelOffset) return Fail(out);

  uint32_t palette[256];
  ReadPalette(data + paletteStart, h.colorsUsed, palette);
  DecodeColourRows(data + pixelOffset, h, width, height, palette, out);
  Describe(h, width, height, out);
  return true;
}

bool DecodeIco(const unsigned char* data, size_t size, DecodedImage* out) {
  *out = DecodedImage();
  constexpr size_t kDirHeader = 6, kEntrySize = 16;
  if (data == nullptr || size < kDirHeader) return false;
  if (ReadU16(data) != 0 || ReadU16(data + 2) != 1) return false;   // reserved, type 1 = icon
  const uint32_t count = ReadU16(data + 4);
  if (count == 0 || kDirHeader + uint64_t(count) * kEntrySize > size) return false;

  // The first image, the only one the program's icon holds.
  const unsigned char* e = data + kDirHeader;
  const uint64_t length = ReadU32(e + 8), offset = ReadU32(e + 12);
  if (offset < kDirHeader + uint64_t(count) * kEntrySize || offset > size || length > size - offset) return false;
  if (!DecodeIconDib(data + offset, length, out)) return Fail(out);
  return true;
}
