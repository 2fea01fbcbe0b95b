// Helpers of the resource tests: the committed files' bytes, the embedded
// copies, and small BMP and ICO files built in memory for the decoder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

Bytes ReadResourceFile(const std::string& name);   // from panels/resources/
Bytes EmbeddedLegend();
Bytes EmbeddedIcon();

// Little-endian field access, for checking and corrupting headers.
uint32_t GetU32(const Bytes& b, size_t offset);
void SetU16(Bytes& b, size_t offset, uint16_t value);
void SetU32(Bytes& b, size_t offset, uint32_t value);

// A picture as 0xRRGGBB values, rows top first.
struct Picture {
  int width, height;
  std::vector<uint32_t> rgb;
};

// A .bmp file of the picture in 1, 4, 8 (palette of the picture's colours),
// 24 or 32 bits a pixel, rows stored bottom-up or top-down.
Bytes BuildBmp(const Picture& picture, int bits, bool topDown);

// The DIB of one icon image: 4 bits (palette) or 32 bits with the given alpha
// per pixel (ignored for 4 bits), followed by the AND mask (1 = transparent).
Bytes BuildIconDib(const Picture& picture, int bits, const std::vector<uint8_t>& alpha,
                   const std::vector<bool>& transparent, bool withMask = true);

// A .ico file holding the given images (each a DIB or PNG bytes) with the
// directory sizes given.
struct IconEntry { int width, height, bits; Bytes image; };
Bytes BuildIco(const std::vector<IconEntry>& entries);
