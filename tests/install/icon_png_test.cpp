// Tests of the desktop icon: resampling by area, the PNG files written, and
// make_icon_png run on icon 32512. Reads the PNGs back with zlib's inflate;
// decodes the icon with platform_decode.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "tools/icons/icon_png.h"
#ifdef MAKE_ICON_PNG
#include "platform/image_decode.h"
#endif

namespace {

uint32_t BigEndian(const uint8_t* p) {
  return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

// Reads an 8-bit RGBA PNG without filters, checking its signature, chunk
// order and CRCs; returns an empty picture (and records the failure) otherwise.
RgbaImage ReadPng(const std::vector<uint8_t>& file) {
  static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  RgbaImage image;
  if (file.size() < 8 || !std::equal(signature, signature + 8, file.begin())) {
    ADD_FAILURE() << "no PNG signature";
    return {};
  }
  std::vector<uint8_t> packed;
  std::string order;
  for (size_t at = 8; at + 12 <= file.size();) {
    uint32_t length = BigEndian(&file[at]);
    if (at + 12 + length > file.size()) break;
    std::string type(file.begin() + (long)at + 4, file.begin() + (long)at + 8);
    const uint8_t* data = &file[at + 8];
    uLong crc = crc32(crc32(0L, Z_NULL, 0), &file[at + 4], 4 + length);
    EXPECT_EQ(BigEndian(data + length), (uint32_t)crc) << type << " CRC";
    order += type + " ";
    if (type == "IHDR") {
      image.width = (int)BigEndian(data);
      image.height = (int)BigEndian(data + 4);
      EXPECT_EQ(std::vector<uint8_t>(data + 8, data + 13), (std::vector<uint8_t>{8, 6, 0, 0, 0}))
          << "8-bit RGBA, deflate, no interlace";
    }
    if (type == "IDAT") packed.insert(packed.end(), data, data + length);
    at += 12 + length;
  }
  EXPECT_EQ(order, "IHDR IDAT IEND ");
  size_t rowBytes = (size_t)image.width * 4;
  uLongf rawSize = (uLongf)((rowBytes + 1) * (size_t)image.height);
  std::vector<uint8_t> raw(rawSize + 1);
  uLongf got = (uLongf)raw.size();
  if (uncompress(raw.data(), &got, packed.data(), (uLong)packed.size()) != Z_OK || got != rawSize) {
    ADD_FAILURE() << "IDAT does not inflate to " << rawSize << " bytes";
    return {};
  }
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* row = &raw[(size_t)y * (rowBytes + 1)];
    EXPECT_EQ(row[0], 0) << "filter of row " << y;
    image.pixels.insert(image.pixels.end(), row + 1, row + 1 + rowBytes);
  }
  return image;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// A picture from rows of 0xRRGGBBAA pixels.
RgbaImage Picture(int width, int height, std::vector<uint32_t> rgba) {
  RgbaImage image{width, height, {}};
  for (uint32_t p : rgba)
    image.pixels.insert(image.pixels.end(), {(uint8_t)(p >> 24), (uint8_t)(p >> 16), (uint8_t)(p >> 8), (uint8_t)p});
  return image;
}

uint32_t PixelAt(const RgbaImage& image, int x, int y) {
  const uint8_t* p = &image.pixels[((size_t)y * (size_t)image.width + (size_t)x) * 4];
  return BigEndian(p);
}

TEST(IconPng, PictureSurvivesTheRoundTripThroughAPngFile) {
  RgbaImage picture = Picture(3, 2, {0xff000000, 0x00ff00ff, 0x0000ff80,
                                     0x12345678, 0xffffffff, 0x00000000});
  std::string path = ::testing::TempDir() + "heatball_roundtrip.png";
  ASSERT_TRUE(WritePngFile(path, picture));
  RgbaImage back = ReadPng(ReadFile(path));
  std::remove(path.c_str());
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.height, 2);
  EXPECT_EQ(back.pixels, picture.pixels);
}

TEST(IconPng, WritingIntoAMissingFolderFails) {
  EXPECT_FALSE(WritePngFile(::testing::TempDir() + "no/such/folder/icon.png", Picture(1, 1, {0xff0000ff})));
}

TEST(IconResample, WholeNumberEnlargementsCopyEachPixelIntoASquareBlock) {
  RgbaImage picture = Picture(2, 2, {0xff0000ff, 0x00ff0080, 0x0000ff01, 0x123456ff});
  for (int factor : {1, 2, 3, 8}) {
    RgbaImage big = ResampleImage(picture, 2 * factor, 2 * factor);
    for (int y = 0; y < 2 * factor; ++y)
      for (int x = 0; x < 2 * factor; ++x)
        ASSERT_EQ(PixelAt(big, x, y), PixelAt(picture, x / factor, y / factor))
            << "factor " << factor << " at " << x << ", " << y;
  }
}

TEST(IconResample, ReductionsAverageByAreaAndTransparentPixelsLendNoColour) {
  struct Case { const char* what; std::vector<uint32_t> block; uint32_t expected; };
  const Case cases[] = {
    {"grey levels average", {0x000000ff, 0x404040ff, 0x808080ff, 0xc0c0c0ff}, 0x606060ff},
    {"half transparent: red at half alpha, not dark red", {0xff0000ff, 0x00000000, 0xff0000ff, 0x00000000}, 0xff000080},
    {"all transparent stays transparent", {0xffffff00, 0xffffff00, 0x00000000, 0x00000000}, 0x00000000},
    {"colour weighted by alpha", {0xff0000ff, 0x0000ff55, 0xff0000ff, 0x0000ff55}, 0xbf0040aa},
  };
  for (const Case& c : cases) {
    RgbaImage small = ResampleImage(Picture(2, 2, c.block), 1, 1);
    EXPECT_EQ(PixelAt(small, 0, 0), c.expected) << c.what;
  }
}

TEST(IconResample, SizesThatDoNotDivideShareEachSourcePixelByTheAreaItCovers) {
  // Three columns into two: the middle one is split between both halves.
  RgbaImage three = ResampleImage(Picture(3, 1, {0xff0000ff, 0x00ff00ff, 0x0000ffff}), 2, 1);
  EXPECT_EQ(PixelAt(three, 0, 0), 0xaa5500ffu);
  EXPECT_EQ(PixelAt(three, 1, 0), 0x0055aaffu);

  // A flat, opaque 32 x 32 picture stays flat and opaque at every theme size.
  RgbaImage flat{32, 32, {}};
  for (int i = 0; i < 32 * 32; ++i) flat.pixels.insert(flat.pixels.end(), {200, 120, 40, 255});
  for (int n : {16, 22, 24, 48}) {
    RgbaImage scaled = ResampleImage(flat, n, n);
    for (int i = 0; i < n * n; ++i)
      ASSERT_EQ(PixelAt(scaled, i % n, i / n), 0xc87828ffu) << n << " at " << i % n << ", " << i / n;
  }
}

TEST(IconResample, RejectsEmptyOrInconsistentPictures) {
  RgbaImage one = Picture(1, 1, {0xff0000ff});
  EXPECT_THROW(ResampleImage(one, 0, 4), std::invalid_argument);
  EXPECT_THROW(ResampleImage(RgbaImage{}, 4, 4), std::invalid_argument);
  EXPECT_THROW(ResampleImage(RgbaImage{2, 2, one.pixels}, 4, 4), std::invalid_argument);
  EXPECT_THROW(EncodePng(RgbaImage{2, 1, one.pixels}), std::invalid_argument);
}

#ifdef MAKE_ICON_PNG
// make_icon_png on the program's own icon: the PNGs hold its pixels, enlarged
// by whole numbers pixel for pixel, and are transparent where its mask is.
TEST(MakeIconPng, MakesThemeSizesFromTheIconTransparentWhereItsMaskIs) {
  std::vector<uint8_t> bytes = ReadFile(ICON_32512);
  DecodedImage icon;
  ASSERT_TRUE(DecodeIco(bytes.data(), bytes.size(), &icon));
  ASSERT_EQ(icon.width, 32);
  ASSERT_EQ(icon.height, 32);
  std::string dir = ::testing::TempDir() + "heatball_icons/";
  std::string command = std::string("'") + MAKE_ICON_PNG + "' '" + ICON_32512 + "' 32 '" + dir +
                        "32.png' 64 '" + dir + "big/64.png' 16 '" + dir + "16.png'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  RgbaImage same = ReadPng(ReadFile(dir + "32.png"));
  RgbaImage twice = ReadPng(ReadFile(dir + "big/64.png"));
  RgbaImage half = ReadPng(ReadFile(dir + "16.png"));
  std::filesystem::remove_all(dir);
  ASSERT_EQ(same.width, 32);
  ASSERT_EQ(twice.width, 64);
  ASSERT_EQ(half.width, 16);

  RgbaImage source{32, 32, std::vector<uint8_t>(icon.rgba.begin(), icon.rgba.end())};
  EXPECT_EQ(same.pixels, source.pixels);
  int transparent = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      ASSERT_EQ(PixelAt(twice, x, y), PixelAt(source, x / 2, y / 2)) << x << ", " << y;
      transparent += (PixelAt(twice, x, y) & 0xff) == 0;
    }
  EXPECT_GT(transparent, 0) << "the icon's mask leaves nothing transparent";
  EXPECT_LT(transparent, 64 * 64) << "the icon is transparent everywhere";
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      int clear = 0;
      for (int k = 0; k < 4; ++k) clear += (PixelAt(source, 2 * x + k % 2, 2 * y + k / 2) & 0xff) == 0;
      uint32_t alpha = PixelAt(half, x, y) & 0xff;
      if (clear == 4 || clear == 0) {
        EXPECT_EQ(alpha, clear == 4 ? 0u : 255u) << x << ", " << y;
      }
    }
}

TEST(MakeIconPng, FailsAndWritesNothingForABadIconOrSize) {
  std::string out = ::testing::TempDir() + "heatball_bad.png";
  std::string notAnIcon = ::testing::TempDir() + "heatball_not_an_icon.ico";
  std::ofstream(notAnIcon) << "not an icon";
  const std::string cases[] = {
    std::string("'") + ICON_32512 + "' 0 '" + out + "'",
    std::string("'") + ICON_32512 + "' 12x '" + out + "'",
    std::string("'") + ICON_32512 + "' 4096 '" + out + "'",
    std::string("'") + ICON_32512 + "' 16",
    "'" + ::testing::TempDir() + "no_such_icon.ico' 16 '" + out + "'",
    "'" + notAnIcon + "' 16 '" + out + "'",
  };
  for (const std::string& arguments : cases) {
    std::string command = std::string("'") + MAKE_ICON_PNG + "' " + arguments + " 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0) << arguments;
    EXPECT_FALSE(std::filesystem::exists(out)) << arguments;
    std::filesystem::remove(out);
  }
  std::filesystem::remove(notAnIcon);
}
#endif

}  // namespace
