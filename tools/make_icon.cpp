// Writes the program icon, icon 32512: one 32 x 32 image of 16 colours (4 bits
// a pixel, the standard VGA colours) with its AND mask, as a .ico file.
// Standard library only. Usage: make_icon OUTPUT.ico
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSize = 32;

// The 16 VGA colours in the order of the Windows default palette.
const uint8_t kPalette[16][3] = {
  {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
  {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
  {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
  {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};
enum Colour : uint8_t { Black = 0, Maroon = 1, Green = 2, Olive = 3, Navy = 4, Red = 9,
                        Lime = 10, Yellow = 11, Blue = 12, White = 15 };

uint8_t pixels[kSize][kSize];      // [row from the top][column], palette indices
bool transparent[kSize][kSize];

// Letters three wide and five high for the lettering down the left edge.
const char* const kLetters[][5] = {
  {"#.#", "#.#", "###", "#.#", "#.#"},   // H
  {"###", "#..", "##.", "#..", "###"},   // E
  {".#.", "#.#", "###", "#.#", "#.#"},   // A
  {"###", ".#.", ".#.", ".#.", ".#."},   // T
};

bool Inside(double x, double y, double cx, double cy, double rx, double ry) {
  const double dx = (x - cx) / rx, dy = (y - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}

// The ball cut through its centre: the cut face, seen at a slant, is an
// ellipse (green, with the cooler blue core); beside it, to the right, the
// red outer half-shell with a darker rim.
enum Part { None, Face, Core, Shell, Rim };
Part BallPart(int col, int row) {
  const double x = col + 0.5, y = row + 0.5;
  const double cx = 19.5, cy = 16.0, r = 11.0;   // the ball's outline
  const double faceX = cx - 1.5;                  // the cut face, seen at a slant
  if (Inside(x, y, faceX, cy, 3.0, 5.5)) return Core;
  if (Inside(x, y, faceX, cy, 5.0, r)) return Face;
  if (x >= faceX && Inside(x, y, cx, cy, r, r))
    return Inside(x, y, cx - 1.0, cy - 1.0, r - 0.5, r - 0.5) ? Shell : Rim;
  return None;
}

void Draw() {
  // The field: yellow, with rounded corners left transparent and an olive edge.
  for (int row = 0; row < kSize; ++row)
    for (int col = 0; col < kSize; ++col) {
      const int dx = col < 4 ? 4 - col : col > 27 ? col - 27 : 0;
      const int dy = row < 4 ? 4 - row : row > 27 ? row - 27 : 0;
      const int d2 = dx * dx + dy * dy;
      transparent[row][col] = d2 > 17;
      const bool edge = d2 > 10 || col == 0 || col == kSize - 1 || row == 0 || row == kSize - 1;
      pixels[row][col] = transparent[row][col] ? Black : edge ? Olive : Yellow;
    }
  Part part[kSize][kSize];
  for (int row = 0; row < kSize; ++row)
    for (int col = 0; col < kSize; ++col) part[row][col] = BallPart(col, row);
  for (int row = 0; row < kSize; ++row)
    for (int col = 0; col < kSize; ++col) {
      switch (part[row][col]) {
        case Core: pixels[row][col] = Blue; break;
        case Face: pixels[row][col] = Green; break;
        case Shell: pixels[row][col] = Red; break;
        case Rim: pixels[row][col] = Maroon; break;
        case None: {
          // A black outline around the ball.
          const bool near = (row > 0 && part[row - 1][col] != None) ||
                            (row + 1 < kSize && part[row + 1][col] != None) ||
                            (col > 0 && part[row][col - 1] != None) ||
                            (col + 1 < kSize && part[row][col + 1] != None);
          if (near) pixels[row][col] = Black;
          break;
        }
      }
    }
  // The lettering: one letter under the other, two rows apart.
  for (int i = 0; i < 4; ++i)
    for (int row = 0; row < 5; ++row)
      for (int col = 0; col < 3; ++col)
        if (kLetters[i][row][col] == '#') pixels[4 + 7 * i + row][2 + col] = Black;
}

void PutU16(std::vector<uint8_t>& f, unsigned v) { f.push_back(uint8_t(v)); f.push_back(uint8_t(v >> 8)); }
void PutU32(std::vector<uint8_t>& f, uint32_t v) { PutU16(f, v & 0xFFFF); PutU16(f, v >> 16); }

// Icon directory with one entry, then the image: BITMAPINFOHEADER of double
// height, palette, colour rows bottom-up, AND mask rows bottom-up.
std::vector<uint8_t> EncodeIco() {
  const uint32_t colourBytes = kSize * kSize / 2, maskBytes = kSize * 4;
  const uint32_t imageBytes = 40 + 16 * 4 + colourBytes + maskBytes;
  std::vector<uint8_t> f;
  PutU16(f, 0);   // reserved
  PutU16(f, 1);   // icon
  PutU16(f, 1);   // one image
  f.push_back(kSize);
  f.push_back(kSize);
  f.push_back(16);   // colours
  f.push_back(0);
  PutU16(f, 1);      // planes
  PutU16(f, 4);      // bits a pixel
  PutU32(f, imageBytes);
  PutU32(f, 6 + 16);
  PutU32(f, 40);
  PutU32(f, kSize);
  PutU32(f, 2 * kSize);   // colour rows and mask rows
  PutU16(f, 1);
  PutU16(f, 4);
  PutU32(f, 0);           // BI_RGB
  PutU32(f, colourBytes + maskBytes);
  PutU32(f, 0);
  PutU32(f, 0);
  PutU32(f, 0);
  PutU32(f, 0);
  for (const auto& c : kPalette) {
    f.push_back(c[2]);
    f.push_back(c[1]);
    f.push_back(c[0]);
    f.push_back(0);
  }
  for (int row = kSize - 1; row >= 0; --row)
    for (int col = 0; col < kSize; col += 2) f.push_back(uint8_t(pixels[row][col] << 4 | pixels[row][col + 1]));
  for (int row = kSize - 1; row >= 0; --row)
    for (int byte = 0; byte < 4; ++byte) {
      uint8_t bits = 0;
      for (int bit = 0; bit < 8; ++bit)
        if (transparent[row][byte * 8 + bit]) bits |= uint8_t(0x80 >> bit);
      f.push_back(bits);
    }
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
    return 2;
  }
  Draw();
  const std::vector<uint8_t> bytes = EncodeIco();
  std::FILE* file = std::fopen(argv[1], "wb");
  if (!file) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    std::fprintf(stderr, "make_icon: could not write %s\n", argv[1]);
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
