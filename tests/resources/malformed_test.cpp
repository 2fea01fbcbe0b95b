// Malformed files are refused without reading outside the data: every
// truncation of the real files, corrupted header fields, absurd sizes.
// Each case decodes an exact-size copy, so the sanitizer build sees any overread.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/core/image_decode.h"
#include "tests/resources/image_files.h"

namespace {

using Decoder = bool (*)(const unsigned char*, size_t, DecodedImage*);

// Decodes into an image left over from an earlier success: a refusal must empty it.
bool DecodeCopy(Decoder decode, const Bytes& bytes, DecodedImage* image) {
  std::unique_ptr<unsigned char[]> copy(new unsigned char[bytes.size() ? bytes.size() : 1]);
  std::copy(bytes.begin(), bytes.end(), copy.get());
  image->width = 7;
  image->rgba.assign(16, 1);
  return decode(copy.get(), bytes.size(), image);
}

TEST(MalformedImages, EveryTruncationOfTheRealFilesIsRefused) {
  struct Case { const char* name; Bytes whole; Decoder decode; };
  const Case cases[] = {{"legend104.bmp", ReadResourceFile("legend104.bmp"), DecodeBmp},
                        {"icon32512.ico", ReadResourceFile("icon32512.ico"), DecodeIco}};
  for (const Case& c : cases) {
    const Bytes& whole = c.whole;
    DecodedImage image;
    ASSERT_TRUE(DecodeCopy(c.decode, whole, &image)) << c.name;
    // Each cut file is placed at the very end of one allocation, so that a
    // read past its end lands outside it.
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[whole.size()]);
    unsigned char* const end = buffer.get() + whole.size();
    for (size_t size = 0; size < whole.size(); ++size) {
      std::copy(whole.begin(), whole.begin() + long(size), end - size);
      image.width = 7;
      image.rgba.assign(16, 1);
      ASSERT_FALSE(c.decode(end - size, size, &image)) << c.name << " cut to " << size << " bytes";
      ASSERT_EQ(image.width, 0);
      ASSERT_TRUE(image.rgba.empty());
    }
  }
  DecodedImage image;
  EXPECT_FALSE(DecodeBmp(nullptr, 100, &image));
  EXPECT_FALSE(DecodeIco(nullptr, 100, &image));
}

TEST(MalformedImages, IconImagesCutShortWithAConsistentDirectoryAreRefused) {
  // The directory's length is made to agree with each cut, so only the
  // image's own header stands between the decoder and the end of the data.
  const Picture picture{5, 3, std::vector<uint32_t>(15, 0x336699)};
  const std::vector<bool> clear(15, false);
  const Bytes whole = BuildIco({{5, 3, 4, BuildIconDib(picture, 4, {}, clear)}});
  DecodedImage image;
  ASSERT_TRUE(DecodeCopy(DecodeIco, whole, &image));
  for (size_t size = 22; size < whole.size(); ++size) {
    Bytes part(whole.begin(), whole.begin() + long(size));
    SetU32(part, 6 + 8, uint32_t(size - 22));
    EXPECT_FALSE(DecodeCopy(DecodeIco, part, &image)) << "cut to " << size;
  }
}

struct Corruption {
  const char* what;
  size_t offset;
  int width;   // 2 or 4 bytes
  uint32_t value;
};

void ExpectAllRefused(const char* name, Decoder decode, const std::vector<Corruption>& cases) {
  const Bytes whole = ReadResourceFile(name);
  for (const Corruption& c : cases) {
    Bytes bad = whole;
    if (c.width == 2) SetU16(bad, c.offset, uint16_t(c.value));
    else SetU32(bad, c.offset, c.value);
    DecodedImage image;
    EXPECT_FALSE(DecodeCopy(decode, bad, &image)) << name << ": " << c.what;
    EXPECT_TRUE(image.rgba.empty()) << name << ": " << c.what;
  }
}

TEST(MalformedImages, CorruptedBitmapHeadersAreRefused) {
  ExpectAllRefused("legend104.bmp", DecodeBmp, {
    {"magic other than BM", 0, 2, 'B' | 'X' << 8},
    {"pixel offset inside the headers", 10, 4, 20},
    {"pixel offset past the end", 10, 4, 60000},
    {"pixel offset near 4 GiB", 10, 4, 0xFFFFFFF0u},
    {"pixel offset leaving too few bytes", 10, 4, 58},
    {"OS/2 header size", 14, 4, 12},
    {"header size past the end", 14, 4, 0x7FFFFFFF},
    {"zero width", 18, 4, 0},
    {"negative width", 18, 4, uint32_t(-95)},
    {"absurd width", 18, 4, 1u << 30},
    {"width wider than the data", 18, 4, 97},
    {"zero height", 22, 4, 0},
    {"most negative height", 22, 4, 0x80000000u},
    {"absurd height", 22, 4, 1u << 30},
    {"taller than the data", 22, 4, 201},
    {"zero planes", 26, 2, 0},
    {"16 bits a pixel", 28, 2, 16},
    {"zero bits a pixel", 28, 2, 0},
    {"run-length compression", 30, 4, 1},
    {"bit-field masks", 30, 4, 3},
  });
}

TEST(MalformedImages, CorruptedIconHeadersAreRefused) {
  const size_t entry = 6, dib = 22;
  ExpectAllRefused("icon32512.ico", DecodeIco, {
    {"reserved word set", 0, 2, 1},
    {"a cursor, not an icon", 2, 2, 2},
    {"no images", 4, 2, 0},
    {"more entries than the data holds", 4, 2, 60000},
    {"image longer than the data", entry + 8, 4, 745},
    {"image length near 4 GiB", entry + 8, 4, 0xFFFFFFFFu},
    {"image offset past the end", entry + 12, 4, 800},
    {"image offset inside the directory", entry + 12, 4, 4},
    {"image offset near 4 GiB", entry + 12, 4, 0xFFFFFFF0u},
    {"header size past the image", dib, 4, 1000},
    {"zero width", dib + 4, 4, 0},
    {"absurd width", dib + 4, 4, 1u << 30},
    {"odd height (colour and mask rows)", dib + 8, 4, 63},
    {"taller than the data", dib + 8, 4, 66},
    {"top-down height", dib + 8, 4, uint32_t(-64)},
    {"absurd height", dib + 8, 4, 0x7FFFFFFE},
    {"three bits a pixel", dib + 14, 2, 3},
    {"compressed", dib + 16, 4, 2},
    {"more colours than four bits hold", dib + 32, 4, 17},
  });
}

TEST(MalformedImages, ImagesOfAbsurdPixelCountAreRefusedEvenWithAllTheirData) {
  // 4-bit images hold many pixels in few bytes: their size alone must not
  // make the decoder allocate a gigabyte. Past 2^24 pixels they are refused.
  struct Case { int width, height; bool accepted; };
  const Case cases[] = {{16384, 1024, true}, {16384, 1025, false}, {4097, 4096, false},
                        {2048, 16384, false}};
  const Picture dot{1, 1, {0x000000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const size_t stride = (size_t(c.width) * 4 + 31) / 32 * 4;
    const size_t maskStride = (size_t(c.width) + 31) / 32 * 4;
    Bytes bmp = BuildBmp(dot, 4, false);
    SetU32(bmp, 18, uint32_t(c.width));
    SetU32(bmp, 22, uint32_t(c.height));
    bmp.resize(GetU32(bmp, 10) + stride * size_t(c.height), 0);
    DecodedImage image;
    EXPECT_EQ(DecodeCopy(DecodeBmp, bmp, &image), c.accepted) << "bitmap";
    EXPECT_EQ(image.rgba.size(), c.accepted ? size_t(c.width) * size_t(c.height) * 4 : 0u);
    if (c.accepted) continue;
    // The same as an icon: colour rows and mask rows all present.
    Bytes dib = BuildIconDib(dot, 4, {}, {false});
    SetU32(dib, 4, uint32_t(c.width));
    SetU32(dib, 8, uint32_t(2 * c.height));
    dib.resize(40 + 16 * 4 + (stride + maskStride) * size_t(c.height), 0);
    const Bytes ico = BuildIco({{0, 0, 4, dib}});
    EXPECT_FALSE(DecodeCopy(DecodeIco, ico, &image)) << "icon";
  }
}

TEST(MalformedImages, AnIndexBeyondTheStoredPaletteReadsAsBlack) {
  // A 4-bit bitmap whose palette holds two colours but whose first pixel uses index 5.
  const Picture picture{2, 1, {0xFF0000, 0x00FF00}};
  Bytes file = BuildBmp(picture, 4, false);
  const size_t pixels = GetU32(file, 10);
  file[pixels] = 0x50;
  DecodedImage image;
  ASSERT_TRUE(DecodeCopy(DecodeBmp, file, &image));
  EXPECT_EQ(image.rgba[0], 0);
  EXPECT_EQ(image.rgba[1], 0);
  EXPECT_EQ(image.rgba[2], 0);
  EXPECT_EQ(image.rgba[3], 255);
  EXPECT_EQ(image.rgba[4], 0xFF) << "the second pixel, index 0, is the first colour";
}

}  // namespace
