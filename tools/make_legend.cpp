// Writes the colour-scale legend, bitmap 104: a 95 x 200, 24-bit uncompressed
// BMP file with the red-to-blue bar, two ticks and their labels. Standard library only.
// Usage: make_legend OUTPUT.bmp
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 95, kHeight = 200;

struct Rgb { int r, g, b; };

// Figures 7 pixels wide and 12 high, strokes two pixels thick; the point is
// 3 wide. Set out so that a figure, a gap of 2 and the next take 9 columns.
const char* const kDigits[10][12] = {
  {"..###..", ".##.##.", "##...##", "##...##", "##...##", "##...##",
   "##...##", "##...##", "##...##", "##...##", ".##.##.", "..###.."},
  {"...##..", "..###..", ".####..", "##.##..", "...##..", "...##..",
   "...##..", "...##..", "...##..", "...##..", "...##..", ".######"},
  {".#####.", "##...##", ".....##", ".....##", "....##.", "...##..",
   "..##...", ".##....", "##.....", "##.....", "#######", "#######"},
  {".#####.", "##...##", ".....##", ".....##", "...###.", "...###.",
   ".....##", ".....##", ".....##", ".....##", "##...##", ".#####."},
  {"....##.", "...###.", "..####.", ".##.##.", "##..##.", "##..##.",
   "#######", "#######", "....##.", "....##.", "....##.", "....##."},
  {"#######", "#######", "##.....", "##.....", "######.", "#######",
   ".....##", ".....##", ".....##", "##...##", "#######", ".#####."},
  {"..####.", ".##....", "##.....", "##.....", "######.", "###.###",
   "##...##", "##...##", "##...##", "##...##", ".##.##.", "..###.."},
  {"#######", "#######", ".....##", "....##.", "....##.", "...##..",
   "...##..", "..##...", "..##...", "..##...", ".##....", ".##...."},
  {".#####.", "##...##", "##...##", "##...##", ".##.##.", "..###..",
   ".##.##.", "##...##", "##...##", "##...##", "##...##", ".#####."},
  {"..###..", ".##.##.", "##...##", "##...##", "##...##", "##...##",
   "###.###", ".######", ".....##", ".....##", "....##.", ".####.."},
};
const char* const kPoint[12] = {"...", "...", "...", "...", "...", "...",
                                "...", "...", "...", "###", "###", "###"};
constexpr int kDigitWidth = 7, kPointWidth = 3, kGap = 2, kGlyphHeight = 12;

std::vector<Rgb> image(kWidth * kHeight, Rgb{192, 192, 192});

void Put(int x, int y, Rgb c) { image[y * kWidth + x] = c; }

// Draws text of figures and points with its top-left pixel at (left, top).
void DrawLabel(const char* text, int left, int top) {
  for (int x = left; *text; ++text) {
    const char* const* glyph = *text == '.' ? kPoint : kDigits[*text - '0'];
    const int width = *text == '.' ? kPointWidth : kDigitWidth;
    for (int row = 0; row < kGlyphHeight; ++row)
      for (int col = 0; col < width; ++col)
        if (glyph[row][col] == '#') Put(x + col, top + row, Rgb{0, 0, 0});
    x += width + kGap;
  }
}

// The bar from red at the top to blue at the bottom: flat bands, and between
// them rows blended linearly from the last row of one band to the first of the next.
void DrawBar() {
  struct Band { int first, last; Rgb colour; };
  const Band bands[] = {
    {0, 8, {247, 6, 5}},        {11, 19, {247, 60, 5}},     {22, 30, {247, 109, 5}},
    {33, 41, {247, 152, 5}},    {44, 52, {247, 190, 5}},    {54, 62, {247, 220, 5}},
    {65, 72, {247, 247, 5}},    {75, 83, {236, 251, 5}},    {85, 93, {222, 251, 5}},
    {96, 103, {204, 251, 41}},  {105, 113, {187, 251, 83}}, {115, 122, {166, 251, 122}},
    {124, 131, {143, 251, 157}}, {134, 141, {118, 251, 188}}, {143, 150, {93, 247, 214}},
    {152, 159, {64, 221, 236}}, {161, 168, {33, 189, 247}}, {170, 176, {5, 152, 247}},
    {179, 185, {5, 109, 247}},  {187, 193, {5, 60, 247}},   {196, 199, {5, 5, 247}},
  };
  const int count = sizeof bands / sizeof bands[0];
  for (int i = 0; i < count; ++i) {
    for (int y = bands[i].first; y <= bands[i].last; ++y)
      for (int x = 65; x <= 94; ++x) Put(x, y, bands[i].colour);
    if (i + 1 == count) break;
    const Band& a = bands[i];
    const Band& b = bands[i + 1];
    const int span = b.first - a.last;
    for (int y = a.last + 1; y < b.first; ++y) {
      const int k = y - a.last;
      auto mix = [&](int from, int to) { return (from * (span - k) + to * k + span / 2) / span; };
      const Rgb c{mix(a.colour.r, b.colour.r), mix(a.colour.g, b.colour.g), mix(a.colour.b, b.colour.b)};
      for (int x = 65; x <= 94; ++x) Put(x, y, c);
    }
  }
}

void PutU16(std::vector<uint8_t>& f, unsigned v) { f.push_back(uint8_t(v)); f.push_back(uint8_t(v >> 8)); }
void PutU32(std::vector<uint8_t>& f, uint32_t v) { PutU16(f, v & 0xFFFF); PutU16(f, v >> 16); }

// The BMP file: file header, BITMAPINFOHEADER, rows bottom-up in B, G, R order
// padded to four bytes.
std::vector<uint8_t> EncodeBmp() {
  const uint32_t stride = (kWidth * 3 + 3) / 4 * 4;
  const uint32_t pixelBytes = stride * kHeight;
  std::vector<uint8_t> f;
  f.push_back('B');
  f.push_back('M');
  PutU32(f, 14 + 40 + pixelBytes);
  PutU32(f, 0);          // reserved
  PutU32(f, 14 + 40);    // offset of the pixels
  PutU32(f, 40);
  PutU32(f, kWidth);
  PutU32(f, kHeight);    // positive: bottom row first
  PutU16(f, 1);          // planes
  PutU16(f, 24);
  PutU32(f, 0);          // BI_RGB
  PutU32(f, pixelBytes);
  PutU32(f, 3780);       // pixels per metre, x and y
  PutU32(f, 3780);
  PutU32(f, 0);          // colours used
  PutU32(f, 0);          // colours important
  for (int y = kHeight - 1; y >= 0; --y) {
    for (int x = 0; x < kWidth; ++x) {
      const Rgb& c = image[y * kWidth + x];
      f.push_back(uint8_t(c.b));
      f.push_back(uint8_t(c.g));
      f.push_back(uint8_t(c.r));
    }
    for (uint32_t pad = kWidth * 3; pad < stride; ++pad) f.push_back(0);
  }
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_legend OUTPUT.bmp\n");
    return 2;
  }
  DrawBar();
  for (int x = 45; x <= 61; ++x) Put(x, 53, Rgb{0, 0, 0});
  for (int x = 47; x <= 62; ++x) Put(x, 117, Rgb{0, 0, 0});
  DrawLabel("0.75", 10, 48);
  DrawLabel("0.4", 14, 111);

  const std::vector<uint8_t> bytes = EncodeBmp();
  std::FILE* file = std::fopen(argv[1], "wb");
  if (!file) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    std::fprintf(stderr, "make_legend: could not write %s\n", argv[1]);
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
