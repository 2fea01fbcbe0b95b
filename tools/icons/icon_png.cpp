// Resampling an RGBA picture by area and writing it as a PNG file (IHDR, one
// IDAT, IEND). Relies on zlib for the deflate stream and the chunk CRCs.
#include "tools/icons/icon_png.h"

#include <zlib.h>

#include <cstdio>
#include <stdexcept>

namespace {

const int maxSide = 16384;

void CheckImage(const RgbaImage& image) {
  if (image.width < 1 || image.height < 1 || image.width > maxSide || image.height > maxSide)
    throw std::invalid_argument("picture size out of range");
  if (image.pixels.size() != (size_t)image.width * (size_t)image.height * 4)
    throw std::invalid_argument("pixel buffer does not match the picture size");
}

struct Span {
  int index;      // source pixel
  int64_t weight; // overlap, in units of 1/(new size) source pixels
};

// The source pixels under each new pixel along one axis, with their overlaps.
// New pixel d covers [d * from, (d + 1) * from) and source pixel s covers
// [s * to, (s + 1) * to), both in units of 1/to source pixels.
std::vector<std::vector<Span>> AxisSpans(int from, int to) {
  std::vector<std::vector<Span>> spans((size_t)to);
  for (int d = 0; d < to; ++d) {
    int64_t start = (int64_t)d * from, end = start + from;
    for (int64_t s = start / to; s * to < end; ++s) {
      int64_t lo = s * to > start ? s * to : start;
      int64_t hi = (s + 1) * to < end ? (s + 1) * to : end;
      spans[(size_t)d].push_back({(int)s, hi - lo});
    }
  }
  return spans;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back((uint8_t)(value >> 24));
  out.push_back((uint8_t)(value >> 16));
  out.push_back((uint8_t)(value >> 8));
  out.push_back((uint8_t)value);
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
  PutBigEndian(out, (uint32_t)data.size());
  size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, out.data() + typeAt, (uInt)(4 + data.size()));
  PutBigEndian(out, (uint32_t)crc);
}

}  // namespace

RgbaImage ResampleImage(const RgbaImage& source, int width, int height) {
  CheckImage(source);
  if (width < 1 || height < 1 || width > maxSide || height > maxSide)
    throw std::invalid_argument("target size out of range");
  std::vector<std::vector<Span>> columns = AxisSpans(source.width, width);
  std::vector<std::vector<Span>> rows = AxisSpans(source.height, height);
  const int64_t area = (int64_t)source.width * source.height;  // the weights of one new pixel add up to this

  RgbaImage result;
  result.width = width;
  result.height = height;
  result.pixels.resize((size_t)width * (size_t)height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int64_t alphaSum = 0, colourSum[3] = {0, 0, 0};
      for (const Span& row : rows[(size_t)y]) {
        for (const Span& column : columns[(size_t)x]) {
          const uint8_t* p = &source.pixels[((size_t)row.index * (size_t)source.width + (size_t)column.index) * 4];
          int64_t alpha = row.weight * column.weight * p[3];
          alphaSum += alpha;
          for (int c = 0; c < 3; ++c) colourSum[c] += alpha * p[c];
        }
      }
      uint8_t* q = &result.pixels[((size_t)y * (size_t)width + (size_t)x) * 4];
      for (int c = 0; c < 3; ++c)
        q[c] = alphaSum == 0 ? 0 : (uint8_t)((colourSum[c] + alphaSum / 2) / alphaSum);
      q[3] = (uint8_t)((alphaSum + area / 2) / area);
    }
  }
  return result;
}

std::vector<uint8_t> EncodePng(const RgbaImage& image) {
  CheckImage(image);
  // Each row is preceded by its filter type, 0 (none).
  const size_t rowBytes = (size_t)image.width * 4;
  std::vector<uint8_t> raw;
  raw.reserve((rowBytes + 1) * (size_t)image.height);
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);
    const uint8_t* row = &image.pixels[(size_t)y * rowBytes];
    raw.insert(raw.end(), row, row + rowBytes);
  }
  uLongf packedSize = compressBound((uLong)raw.size());
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), (uLong)raw.size(), 9) != Z_OK)
    throw std::runtime_error("deflate failed");
  packed.resize(packedSize);

  std::vector<uint8_t> header;
  PutBigEndian(header, (uint32_t)image.width);
  PutBigEndian(header, (uint32_t)image.height);
  header.push_back(8);  // bits per sample
  header.push_back(6);  // colour type: RGB with alpha
  header.push_back(0);  // compression: deflate
  header.push_back(0);  // filter method: adaptive
  header.push_back(0);  // no interlace

  std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(file, "IHDR", header);
  PutChunk(file, "IDAT", packed);
  PutChunk(file, "IEND", {});
  return file;
}

bool WritePngFile(const std::string& path, const RgbaImage& image) {
  std::vector<uint8_t> bytes = EncodePng(image);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  written = std::fclose(file) == 0 && written;
  if (!written) std::remove(path.c_str());
  return written;
}
