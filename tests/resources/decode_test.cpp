// The decoders on small files of the kinds the program's own files are: the
// same picture must come out the same, top row first, at 4 and 24 bits; other
// kinds are refused.
#include <gtest/gtest.h>

#include "platform/core/image_decode.h"
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

TEST(DecodeBmp, FourAndTwentyFourBitsGiveThePictureTopRowFirstOtherKindsAreRefused) {
  for (int bits : {4, 24}) {
    SCOPED_TRACE(testing::Message() << bits << " bits");
    const Bytes file = BuildBmp(kPicture, bits, false);
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(file.data(), file.size(), &image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.bitsPerPixel, bits);
    EXPECT_EQ(image.pixelsPerMetreX, 2835);
    EXPECT_EQ(RgbOf(image), kPicture.rgb);
    for (size_t i = 3; i < image.rgba.size(); i += 4) EXPECT_EQ(image.rgba[i], 255) << "bitmaps are opaque";
  }
  struct Case { const Picture* picture; int bits; bool topDown; };
  const Case refused[] = {{&kTwoColours, 1, false}, {&kPicture, 8, false}, {&kPicture, 32, false},
                          {&kPicture, 24, true}};
  for (const Case& c : refused) {
    const Bytes file = BuildBmp(*c.picture, c.bits, c.topDown);
    DecodedImage image;
    EXPECT_FALSE(DecodeBmp(file.data(), file.size(), &image)) << c.bits << " bits, top-down " << c.topDown;
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
  const std::vector<uint32_t> expected = {0xFF0000, 0, 0x0000FF, 0, 0xFFFFFF, 0x000000};
  EXPECT_EQ(RgbOf(image), expected) << "masked pixels carry no colour";
  const unsigned expectedAlpha[] = {255, 0, 255, 0, 255, 255};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(image.rgba[size_t(i) * 4 + 3], expectedAlpha[i]) << "pixel " << i;
}

TEST(DecodeIco, ReadsTheFirstImageAndRefusesOtherKinds) {
  const Picture small{1, 1, {0x00FF00}};
  const Bytes two = BuildIco({{3, 2, 4, BuildIconDib(kPicture, 4, {}, std::vector<bool>(6, false))},
                              {1, 1, 4, BuildIconDib(small, 4, {}, {false})}});
  DecodedImage image;
  ASSERT_TRUE(DecodeIco(two.data(), two.size(), &image));
  EXPECT_EQ(image.width, 3);
  EXPECT_EQ(RgbOf(image), kPicture.rgb);

  const Bytes png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 0};
  const Bytes onlyPng = BuildIco({{0, 0, 32, png}});
  EXPECT_FALSE(DecodeIco(onlyPng.data(), onlyPng.size(), &image));
  const Bytes deep = BuildIco({{3, 2, 32, BuildIconDib(kPicture, 32, std::vector<uint8_t>(6, 255), std::vector<bool>(6, false))}});
  EXPECT_FALSE(DecodeIco(deep.data(), deep.size(), &image)) << "32 bits";
  EXPECT_TRUE(image.rgba.empty());
}

}  // namespace
