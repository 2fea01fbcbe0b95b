// The platform tests' resources, as described in test_resources.h.
#include "tests/support/test_resources.h"

#include "platform/platform.h"

#include <vector>

namespace {

const unsigned kShown = WS_CHILD | WS_VISIBLE;

const DialogItem panelItems[] = {
    {1008, "BUTTON", "0.4", kShown | WS_TABSTOP, 77, 13, 56, 10},
    {1022, "BUTTON", "w/o greens", WS_CHILD | WS_TABSTOP, 60, 76, 68, 13},
    {1039, "SCROLLBAR", "", kShown | SBS_VERT, 8, 5, 10, 66},
    {-1, "BUTTON", "boundary temp", kShown | BS_GROUPBOX, 64, 2, 82, 59},
    {-1, "STATIC", "touch and move the image by the mouse", 0x50821000u, 2, 107, 84, 20},
    {-1, "STATIC", "#32512", 0x50801003u, 90, 84, 21, 18},   // bordered, sunken
};

const DialogItem closableItems[] = {
    {1, "BUTTON", "OK", kShown | WS_TABSTOP | BS_DEFPUSHBUTTON, 24, 64, 62, 11},
};

const DialogTemplate dialogs[] = {
    {"Panel", WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 40, 16, 147, 131, "test panel ",
     "Arial", 10, panelItems, (int)(sizeof panelItems / sizeof panelItems[0])},
    {"Closable", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 200, 140, 112, 89,
     "closable", "Arial Black", 9, closableItems, 1},
};

// 4 x 2 pixels, 24 bits, stored bottom-up (B, G, R).
const unsigned char bitmapBytes[] = {
    'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
    40, 0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0,
    0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 128, 128, 128, 0, 255, 255, 255, 255, 0,
    0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255,
};
const unsigned char brokenBytes[] = {'B', 'M', 1, 2, 3};

// 32 x 32, 4 bits: colour 9 (red in the standard 16 colours) everywhere,
// the left half of the mask transparent.
std::vector<unsigned char> MakeIcon() {
  std::vector<unsigned char> b;
  auto put16 = [&b](unsigned v) { b.push_back(v & 0xFF); b.push_back((v >> 8) & 0xFF); };
  auto put32 = [&b](unsigned v) { for (int i = 0; i < 4; ++i) b.push_back((v >> (8 * i)) & 0xFF); };
  const unsigned imageSize = 40 + 64 + 32 * 16 + 32 * 4;
  put16(0); put16(1); put16(1);                       // icon directory, one image
  b.push_back(32); b.push_back(32); b.push_back(16); b.push_back(0);
  put16(1); put16(4); put32(imageSize); put32(22);
  put32(40); put32(32); put32(64); put16(1); put16(4); put32(0); put32(32 * 16 + 32 * 4);
  put32(0); put32(0); put32(16); put32(0);
  static const unsigned palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                       0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                       0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  for (unsigned c : palette) { b.push_back(c & 0xFF); b.push_back((c >> 8) & 0xFF); b.push_back(c >> 16); b.push_back(0); }
  for (int i = 0; i < 32 * 16; ++i) b.push_back(0x99);   // two pixels of colour 9 a byte
  for (int row = 0; row < 32; ++row) { b.push_back(0xFF); b.push_back(0xFF); b.push_back(0); b.push_back(0); }
  return b;
}
const std::vector<unsigned char> iconBytes = MakeIcon();

const BinaryResource bitmaps[] = {{104, bitmapBytes, sizeof bitmapBytes}, {105, brokenBytes, sizeof brokenBytes}};
const BinaryResource icons[] = {{32512, iconBytes.data(), (unsigned)iconBytes.size()}};

}  // namespace

const ResourceTable testResources = {dialogs, 2, bitmaps, 2, icons, 1};
