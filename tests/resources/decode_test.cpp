// The decoders on small files of every supported kind: the same picture must
// come out the same, top row first, whatever the depth and row order.
#include <gtest/gtest.h>

#include "platform/image_decode.h"
#include "tests/resources/image_files.h"

namespace {

// Three columns and two rows: widths that need row padding at every depth.
const Picture kPicture{3, 2, {0xFF0000, 0x00FF00, 0x0000FF,
                              0x102030, 0xFFFFFF, 0x000000}};
const Picture kTwoColours{3, 2, {0xFF0000, 0x0000FF, 0xFF0000,
                                 0x0000FF, 0x0000FF, 0xFF0000}};

std::vector<uint32_t> RgbOf(const DecodedImage& image) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i + 3 < image.rgba.size(); i += 4)
    out.push_back(uint32_t(image.rgba[i]) << 16 | image.rgba[i + 1] << 8 | image.rgba[i + 2]);
  return out;
}

TEST(DecodeBmp, EveryDepthAndRowOrderGivesThePictureTopRowFirst) {
  struct Case { const Picture* picture; int bits; bool topDown; };
  const Case cases[] = {
    {&kTwoColours, 1, false}, {&kPicture, 4, false}, {&kPicture, 8, false},
    {&kPicture, 24, false},   {&kPicture, 24, true}, {&kPicture, 32, false},
    {&kPicture, 32, true},    {&kPicture, 8, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits, " << (c.topDown ? "top-down" : "bottom-up"));
    const Bytes file = BuildBmp(*c.picture, c.bits, c.topDown);
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(file.data(), file.size(), &image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.bitsPerPixel, c.bits);
    EXPECT_EQ(image.pixelsPerMetreX, 2835);
    EXPECT_EQ(RgbOf(image), c.picture->rgb);
    for (size_t i = 3; i < image.rgba.size(); i += 4) EXPECT_EQ(image.rgba[i], 255) << "bitmaps are opaque";
  }
}

TEST(DecodeIco, FourBitImageTakesItsTransparencyFromTheMask) {
  const std::vector<bool> mask = {false, true, false, true, false, false};
  const Bytes file = BuildIco({{3, 2, 4, BuildIconDib(kPicture, 4, {}, mask)}});
  DecodedImage image;
  ASSERT_TRUE(DecodeIco(file.data(), file.size(), &image));
  EXPECT_EQ(image.width, 3);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.bitsPerPixel, 4);
  EXPECT_EQ(image.colorCount, 16);
  EXPECT_TRUE(image.hasMask);
  const std::vector<uint32_t> expected = {0xFF0000, 0, 0x0000FF, 0, 0xFFFFFF, 0x000000};
  EXPECT_EQ(RgbOf(image), expected) << "masked pixels carry no colour";
  const unsigned expectedAlpha[] = {255, 0, 255, 0, 255, 255};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(image.rgba[size_t(i) * 4 + 3], expectedAlpha[i]) << "pixel " << i;
}

TEST(DecodeIco, ThirtyTwoBitImageUsesItsAlphaUnlessAllZero) {
  const std::vector<bool> mask = {true, false, false, false, false, true};
  struct Case { std::vector<uint8_t> alpha; bool withMask; std::vector<unsigned> expected; };
  const Case cases[] = {
    {{10, 20, 30, 40, 50, 60}, true, {10, 20, 30, 40, 50, 60}},     // alpha rules over the mask
    {{10, 20, 30, 40, 50, 60}, false, {10, 20, 30, 40, 50, 60}},    // mask may be left out
    {{0, 0, 0, 0, 0, 0}, true, {0, 255, 255, 255, 255, 0}},         // old-style: mask rules
  };
  for (const Case& c : cases) {
    const Bytes file = BuildIco({{3, 2, 32, BuildIconDib(kPicture, 32, c.alpha, mask, c.withMask)}});
    DecodedImage image;
    ASSERT_TRUE(DecodeIco(file.data(), file.size(), &image));
    EXPECT_EQ(image.bitsPerPixel, 32);
    EXPECT_EQ(image.hasMask, c.withMask);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(image.rgba[size_t(i) * 4 + 3], c.expected[size_t(i)]) << "pixel " << i;
    EXPECT_EQ(image.rgba[4 * 4 + 0], 0xFF) << "white stays white";
  }
}

TEST(DecodeIco, PicksTheLargestImageAndPassesOverPng) {
  const Picture small{1, 1, {0x00FF00}};
  const Bytes png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 0};
  const Bytes file = BuildIco({{1, 1, 4, BuildIconDib(small, 4, {}, {false})},
                               {3, 2, 32, BuildIconDib(kPicture, 32, {}, std::vector<bool>(6, false))},
                               {0, 0, 32, png}});   // 256 x 256, stored as PNG
  DecodedImage image;
  ASSERT_TRUE(DecodeIco(file.data(), file.size(), &image));
  EXPECT_EQ(image.width, 3);
  EXPECT_EQ(RgbOf(image), kPicture.rgb);

  const Bytes onlyPng = BuildIco({{0, 0, 32, png}});
  EXPECT_FALSE(DecodeIco(onlyPng.data(), onlyPng.size(), &image));
}

}  // namespace
