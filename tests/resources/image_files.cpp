// Helpers of the resource tests: reading the committed files and writing small
// BMP and ICO files. Relies on the build passing HEAT_RESOURCE_DIR.
#include "tests/resources/image_files.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "panels/embedded_resources.h"

Bytes ReadResourceFile(const std::string& name) {
  std::ifstream in(std::string(HEAT_RESOURCE_DIR) + "/" + name, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + name);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes EmbeddedLegend() { return Bytes(legendBitmap104, legendBitmap104 + legendBitmap104Size); }
Bytes EmbeddedIcon() { return Bytes(programIcon32512, programIcon32512 + programIcon32512Size); }

uint32_t GetU32(const Bytes& b, size_t o) {
  return uint32_t(b.at(o)) | uint32_t(b.at(o + 1)) << 8 | uint32_t(b.at(o + 2)) << 16 |
         uint32_t(b.at(o + 3)) << 24;
}
void SetU16(Bytes& b, size_t o, uint16_t v) {
  b.at(o) = uint8_t(v);
  b.at(o + 1) = uint8_t(v >> 8);
}
void SetU32(Bytes& b, size_t o, uint32_t v) {
  SetU16(b, o, uint16_t(v));
  SetU16(b, o + 2, uint16_t(v >> 16));
}

namespace {

void Put16(Bytes& f, unsigned v) { f.push_back(uint8_t(v)); f.push_back(uint8_t(v >> 8)); }
void Put32(Bytes& f, uint32_t v) { Put16(f, v & 0xFFFF); Put16(f, v >> 16); }

void PutInfoHeader(Bytes& f, int width, int height, int bits, uint32_t colours) {
  Put32(f, 40);
  Put32(f, uint32_t(width));
  Put32(f, uint32_t(height));
  Put16(f, 1);
  Put16(f, unsigned(bits));
  Put32(f, 0);
  Put32(f, 0);
  Put32(f, 2835);
  Put32(f, 2835);
  Put32(f, colours);
  Put32(f, 0);
}

// The rows of the picture packed at the given depth, palette indices taken
// from `palette`, in stored order.
Bytes PackRows(const Picture& p, int bits, const std::vector<uint32_t>& palette, bool topDown,
               const std::vector<uint8_t>& alpha) {
  const size_t stride = (size_t(p.width) * bits + 31) / 32 * 4;
  Bytes out;
  for (int i = 0; i < p.height; ++i) {
    const int row = topDown ? i : p.height - 1 - i;
    Bytes line(stride, 0);
    for (int x = 0; x < p.width; ++x) {
      const size_t at = size_t(row) * p.width + x;
      const uint32_t c = p.rgb[at];
      const unsigned index = unsigned(std::find(palette.begin(), palette.end(), c) - palette.begin());
      switch (bits) {
        case 1: line[x / 8] |= uint8_t(index << (7 - x % 8)); break;
        case 4: line[x / 2] |= uint8_t(index << (x % 2 ? 0 : 4)); break;
        case 8: line[x] = uint8_t(index); break;
        default: {
          const size_t q = size_t(x) * (bits / 8);
          line[q] = uint8_t(c);
          line[q + 1] = uint8_t(c >> 8);
          line[q + 2] = uint8_t(c >> 16);
          if (bits == 32) line[q + 3] = alpha.empty() ? 0 : alpha[at];
        }
      }
    }
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

std::vector<uint32_t> PaletteOf(const Picture& p) {
  std::vector<uint32_t> palette;
  for (uint32_t c : p.rgb)
    if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
  return palette;
}

void PutPalette(Bytes& f, const std::vector<uint32_t>& palette) {
  for (uint32_t c : palette) {
    f.push_back(uint8_t(c));
    f.push_back(uint8_t(c >> 8));
    f.push_back(uint8_t(c >> 16));
    f.push_back(0);
  }
}

}  // namespace

Bytes BuildBmp(const Picture& p, int bits, bool topDown) {
  std::vector<uint32_t> palette;
  if (bits <= 8) palette = PaletteOf(p);
  const Bytes rows = PackRows(p, bits, palette, topDown, {});
  Bytes f = {'B', 'M'};
  const uint32_t offset = 14 + 40 + uint32_t(palette.size()) * 4;
  Put32(f, offset + uint32_t(rows.size()));
  Put32(f, 0);
  Put32(f, offset);
  PutInfoHeader(f, p.width, topDown ? -p.height : p.height, bits, uint32_t(palette.size()));
  PutPalette(f, palette);
  f.insert(f.end(), rows.begin(), rows.end());
  return f;
}

Bytes BuildIconDib(const Picture& p, int bits, const std::vector<uint8_t>& alpha,
                   const std::vector<bool>& transparent, bool withMask) {
  std::vector<uint32_t> palette;
  if (bits <= 8) {
    palette = PaletteOf(p);
    palette.resize(size_t(1) << bits, 0);
  }
  Bytes f;
  PutInfoHeader(f, p.width, 2 * p.height, bits, 0);
  PutPalette(f, palette);
  const Bytes rows = PackRows(p, bits, palette, false, alpha);
  f.insert(f.end(), rows.begin(), rows.end());
  if (withMask) {
    Picture mask{p.width, p.height, {}};
    for (bool t : transparent) mask.rgb.push_back(t ? 1 : 0);
    const Bytes maskRows = PackRows(mask, 1, {0, 1}, false, {});
    f.insert(f.end(), maskRows.begin(), maskRows.end());
  }
  return f;
}

Bytes BuildIco(const std::vector<IconEntry>& entries) {
  Bytes f;
  Put16(f, 0);
  Put16(f, 1);
  Put16(f, unsigned(entries.size()));
  uint32_t offset = 6 + 16 * uint32_t(entries.size());
  for (const IconEntry& e : entries) {
    f.push_back(uint8_t(e.width));
    f.push_back(uint8_t(e.height));
    f.push_back(e.bits == 4 ? 16 : 0);
    f.push_back(0);
    Put16(f, 1);
    Put16(f, unsigned(e.bits));
    Put32(f, uint32_t(e.image.size()));
    Put32(f, offset);
    offset += uint32_t(e.image.size());
  }
  for (const IconEntry& e : entries) f.insert(f.end(), e.image.begin(), e.image.end());
  return f;
}
