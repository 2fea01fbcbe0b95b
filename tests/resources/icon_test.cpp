// The committed program icon: one 32 x 32 image of the 16 VGA colours with its
// AND mask, showing the cut ball and the lettering on a yellow field.
#include <gtest/gtest.h>

#include <map>

#include "platform/core/image_decode.h"
#include "tests/resources/image_files.h"

namespace {

struct Icon {
  Bytes file = ReadResourceFile("icon32512.ico");
  DecodedImage image;
  bool decoded = DecodeIco(file.data(), file.size(), &image);
  const unsigned char* At(int x, int y) const { return &image.rgba[(size_t(y) * 32 + size_t(x)) * 4]; }
  uint32_t Rgb(int x, int y) const { const unsigned char* p = At(x, y); return uint32_t(p[0]) << 16 | p[1] << 8 | p[2]; }
  bool Opaque(int x, int y) const { return At(x, y)[3] == 255; }
};

TEST(ProgramIcon, IsOne32By32ImageOf16ColoursWithAMask) {
  Icon icon;
  ASSERT_TRUE(icon.decoded);
  EXPECT_EQ(icon.image.width, 32);
  EXPECT_EQ(icon.image.height, 32);
  EXPECT_EQ(icon.image.bitsPerPixel, 4);
  EXPECT_EQ(icon.image.colorCount, 16);
  // The directory: one icon image, 32 x 32, 16 colours, 4 bits a pixel.
  const Bytes& f = icon.file;
  EXPECT_EQ(GetU32(f, 0), 0x00010000u);
  EXPECT_EQ(f[4], 1);
  EXPECT_EQ(f[6], 32);
  EXPECT_EQ(f[7], 32);
  EXPECT_EQ(f[8], 16);
  EXPECT_EQ(f[12], 4);
  EXPECT_EQ(f.size(), 6u + 16u + 40u + 64u + 512u + 128u);
  EXPECT_EQ(EmbeddedIcon(), f);
}

TEST(ProgramIcon, PaletteIsTheStandardSixteenColours) {
  Icon icon;
  const uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                            0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                            0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  const size_t palette = 6 + 16 + 40;
  for (int i = 0; i < 16; ++i) {
    const uint32_t bgr0 = GetU32(icon.file, palette + 4 * size_t(i));
    EXPECT_EQ(bgr0 & 0xFFFFFF, vga[i]) << "entry " << i;
  }
}

TEST(ProgramIcon, ShowsTheCutBallInYellowGreenBlueRedAndBlack) {
  Icon icon;
  ASSERT_TRUE(icon.decoded);
  std::map<uint32_t, int> count;
  double blueX = 0, redX = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (icon.Opaque(x, y)) {
        const uint32_t c = icon.Rgb(x, y);
        ++count[c];
        if (c == 0x0000FF) blueX += x;
        if (c == 0xFF0000) redX += x;
      }
  EXPECT_GT(count[0xFFFF00], 400) << "a yellow field";
  EXPECT_GT(count[0x008000], 60) << "a green section";
  EXPECT_GT(count[0x0000FF], 15) << "a blue core";
  EXPECT_GT(count[0xFF0000], 30) << "a red half-shell";
  EXPECT_GT(count[0x000000], 60) << "black lettering and outline";
  ASSERT_GT(count[0x0000FF], 0);
  ASSERT_GT(count[0xFF0000], 0);
  EXPECT_LT(blueX / count[0x0000FF] + 3, redX / count[0xFF0000]) << "the shell beside the section, to its right";
  // The lettering: black in the left edge's upper, middle and lower thirds.
  for (int third = 0; third < 3; ++third) {
    int black = 0;
    for (int y = 2 + 9 * third; y < 2 + 9 * (third + 1); ++y)
      for (int x = 1; x <= 6; ++x) black += icon.Opaque(x, y) && icon.Rgb(x, y) == 0;
    EXPECT_GE(black, 5) << "third " << third;
  }
}

TEST(ProgramIcon, IsTransparentExactlyWhereTheMaskSaysAndOnlyAtTheCorners) {
  Icon icon;
  ASSERT_TRUE(icon.decoded);
  const size_t mask = 6 + 16 + 40 + 64 + 512;   // rows bottom-up, 4 bytes each
  int transparent = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool masked = (icon.file[mask + size_t(31 - y) * 4 + size_t(x / 8)] >> (7 - x % 8)) & 1;
      const unsigned alpha = icon.At(x, y)[3];
      ASSERT_EQ(alpha, masked ? 0u : 255u) << x << ", " << y;
      transparent += masked;
      const bool corner = (x < 4 || x > 27) && (y < 4 || y > 27);
      if (!corner) {
        EXPECT_FALSE(masked) << x << ", " << y;
      }
    }
  EXPECT_GT(transparent, 4);
  for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}}) EXPECT_EQ(icon.At(x, y)[3], 0u);
}

}  // namespace
