// The committed colour-scale legend as the panel paints it: size, depth and
// resolution, the bar's bands and blends, the ticks and the two labels.
#include <gtest/gtest.h>

#include "platform/core/image_decode.h"
#include "tests/resources/image_files.h"

namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
std::ostream& operator<<(std::ostream& s, const Rgb& c) {
  return s << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

const Rgb kGrey{192, 192, 192}, kBlack{0, 0, 0};

class Legend : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    file = new Bytes(ReadResourceFile("legend104.bmp"));
    image = new DecodedImage;
    decoded = DecodeBmp(file->data(), file->size(), image);
  }
  static void TearDownTestSuite() {
    delete file;
    delete image;
  }
  static Rgb At(int x, int y) {
    const unsigned char* p = &image->rgba[(size_t(y) * 95 + size_t(x)) * 4];
    return Rgb{p[0], p[1], p[2]};
  }
  void SetUp() override { ASSERT_TRUE(decoded); }
  static Bytes* file;
  static DecodedImage* image;
  static bool decoded;
};
Bytes* Legend::file = nullptr;
DecodedImage* Legend::image = nullptr;
bool Legend::decoded = false;

TEST_F(Legend, IsA95By200UncompressedTrueColourBitmapAt3780PixelsPerMetre) {
  EXPECT_EQ(image->width, 95);
  EXPECT_EQ(image->height, 200);
  EXPECT_EQ(image->bitsPerPixel, 24);
  EXPECT_EQ(image->pixelsPerMetreX, 3780);
  EXPECT_EQ(image->pixelsPerMetreY, 3780);
  EXPECT_EQ(GetU32(*file, 14), 40u);   // BITMAPINFOHEADER
  EXPECT_EQ(GetU32(*file, 30), 0u);    // BI_RGB
  EXPECT_EQ(file->size(), 54u + 288u * 200u);   // rows of 285 bytes padded to 288
  EXPECT_EQ(GetU32(*file, 2), file->size());
}

TEST_F(Legend, TheEmbeddedCopyIsTheCommittedFile) {
  EXPECT_EQ(EmbeddedLegend(), *file);
}

// The 21 flat bands, red at the top to blue at the bottom.
struct Band { int first, last; Rgb colour; };
const Band kBands[] = {
  {0, 8, {247, 6, 5}},         {11, 19, {247, 60, 5}},      {22, 30, {247, 109, 5}},
  {33, 41, {247, 152, 5}},     {44, 52, {247, 190, 5}},     {54, 62, {247, 220, 5}},
  {65, 72, {247, 247, 5}},     {75, 83, {236, 251, 5}},     {85, 93, {222, 251, 5}},
  {96, 103, {204, 251, 41}},   {105, 113, {187, 251, 83}},  {115, 122, {166, 251, 122}},
  {124, 131, {143, 251, 157}}, {134, 141, {118, 251, 188}}, {143, 150, {93, 247, 214}},
  {152, 159, {64, 221, 236}},  {161, 168, {33, 189, 247}},  {170, 176, {5, 152, 247}},
  {179, 185, {5, 109, 247}},   {187, 193, {5, 60, 247}},    {196, 199, {5, 5, 247}},
};

TEST_F(Legend, EachBandIsFlatAcrossTheBarColumns) {
  for (const Band& band : kBands)
    for (int y = band.first; y <= band.last; ++y)
      for (int x = 65; x <= 94; ++x) ASSERT_EQ(At(x, y), band.colour) << "column " << x << ", row " << y;
}

bool Between(int v, int a, int b) { return v >= std::min(a, b) && v <= std::max(a, b); }

TEST_F(Legend, RowsBetweenBandsBlendTheirNeighbours) {
  int blendRows = 0;
  for (size_t i = 0; i + 1 < sizeof kBands / sizeof kBands[0]; ++i) {
    const Band& a = kBands[i];
    const Band& b = kBands[i + 1];
    ASSERT_LE(b.first - a.last - 1, 2) << "a blend of one or two rows";
    Rgb previous = a.colour;
    for (int y = a.last + 1; y < b.first; ++y, ++blendRows) {
      const Rgb c = At(65, y);
      for (int x = 66; x <= 94; ++x) ASSERT_EQ(At(x, y), c) << "row " << y << " is uniform";
      // Strictly between the two bands where they differ, and moving from one to the other.
      EXPECT_FALSE(c == a.colour || c == b.colour) << "row " << y;
      EXPECT_TRUE(Between(c.r, previous.r, b.colour.r) && Between(c.g, previous.g, b.colour.g) &&
                  Between(c.b, previous.b, b.colour.b)) << "row " << y << " " << c;
      previous = c;
    }
  }
  EXPECT_EQ(blendRows, 200 - 170);   // 170 rows lie in the bands
  EXPECT_EQ(At(80, 53), (Rgb{247, 205, 5})) << "the one blend row halfway";
}

TEST_F(Legend, TicksAreOneBlackRowEachWithGreyOnEitherSide) {
  struct Tick { int row, first, last; };
  for (const Tick& t : {Tick{53, 45, 61}, Tick{117, 47, 62}}) {
    for (int x = t.first; x <= t.last; ++x) EXPECT_EQ(At(x, t.row), kBlack) << x << ", " << t.row;
    EXPECT_EQ(At(t.first - 1, t.row), kGrey);
    EXPECT_EQ(At(t.last + 1, t.row), kGrey);
    for (int x = t.first; x <= t.last; ++x) {
      EXPECT_EQ(At(x, t.row - 1), kGrey);
      EXPECT_EQ(At(x, t.row + 1), kGrey);
    }
  }
}

TEST_F(Legend, LabelsFillExactlyTheirBoxesAndEverythingElseLeftOfTheBarIsGrey) {
  struct Box { const char* text; int left, right, top, bottom, glyphs; };
  const Box boxes[] = {{"0.75", 10, 39, 48, 59, 4}, {"0.4", 14, 34, 111, 122, 3}};
  auto inTick = [](int x, int y) { return (y == 53 && x >= 45 && x <= 61) || (y == 117 && x >= 47 && x <= 62); };
  int ink[2] = {0, 0};
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 65; ++x) {
      if (inTick(x, y)) continue;
      const Rgb c = At(x, y);
      bool inBox = false;
      for (int i = 0; i < 2; ++i) {
        const Box& b = boxes[i];
        if (x >= b.left && x <= b.right && y >= b.top && y <= b.bottom) {
          inBox = true;
          ASSERT_TRUE(c == kBlack || c == kGrey) << "label pixel " << x << ", " << y << " " << c;
          ink[i] += c == kBlack;
        }
      }
      if (!inBox) {
        ASSERT_EQ(c, kGrey) << "column " << x << ", row " << y;
      }
    }
  for (int i = 0; i < 2; ++i) {
    const Box& b = boxes[i];
    SCOPED_TRACE(b.text);
    EXPECT_GT(ink[i], 0);
    // The ink touches all four sides of the box.
    bool top = false, bottom = false, left = false, right = false;
    for (int x = b.left; x <= b.right; ++x) {
      top |= At(x, b.top) == kBlack;
      bottom |= At(x, b.bottom) == kBlack;
    }
    for (int y = b.top; y <= b.bottom; ++y) {
      left |= At(b.left, y) == kBlack;
      right |= At(b.right, y) == kBlack;
    }
    EXPECT_TRUE(top && bottom && left && right);
    // One run of inked columns for each figure and the point.
    int runs = 0;
    bool previous = false;
    for (int x = b.left; x <= b.right; ++x) {
      bool any = false;
      for (int y = b.top; y <= b.bottom; ++y) any |= At(x, y) == kBlack;
      runs += any && !previous;
      previous = any;
    }
    EXPECT_EQ(runs, b.glyphs);
  }
}

}  // namespace
