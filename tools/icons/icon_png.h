// Icon pictures for the desktop: an RGBA picture resampled to the sizes of the
// icon theme and written as a PNG file. Relies on zlib for deflate and CRC-32.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // rows top to bottom, 4 bytes a pixel: R, G, B, A (0 = transparent)
};

// A picture of the given size from the source by area: each new pixel is the
// alpha-weighted mean of the source area it covers. Whole-number enlargements
// therefore copy each source pixel into a square block (nearest neighbour);
// reductions average, and transparent pixels lend no colour. Throws
// std::invalid_argument for empty or inconsistent pictures and sizes below 1.
RgbaImage ResampleImage(const RgbaImage& source, int width, int height);

// The bytes of a PNG file (8-bit RGBA, not interlaced) holding the picture.
// Throws std::invalid_argument for an empty or inconsistent picture.
std::vector<uint8_t> EncodePng(const RgbaImage& image);

// Writes the PNG file; a file that could not be written completely is removed
// and the result is false.
bool WritePngFile(const std::string& path, const RgbaImage& image);
