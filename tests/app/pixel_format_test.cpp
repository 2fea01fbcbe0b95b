// The pixel format request, its two failures (error box, exit code 1), and
// the palette made for palette formats, over the headless platform.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/pixel_format.h"
#include "shared/shell_state.h"
#include "tests/support/program_state.h"

namespace {

using PixelFormat = ShellTest;

// A described format of the given type and colour depth, no channels yet.
PixelFormatDescriptor FormatOf(uint8_t type, uint8_t colorBits) {
  PixelFormatDescriptor format{};
  format.nSize = 40;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = type;
  format.cColorBits = colorBits;
  format.cDepthBits = 16;
  return format;
}

TEST_F(PixelFormat, TheRequestAsksForADoubleBufferedRgbaFormatWithDepth) {
  OpenMainWindow();
  const PixelFormatDescriptor* request = headless::LastFormatRequest();
  ASSERT_NE(request, nullptr);
  EXPECT_EQ(request->nSize, 40);
  EXPECT_EQ(request->nVersion, 1);
  EXPECT_EQ(request->dwFlags, 0x25u);
  EXPECT_EQ(request->iPixelType, PFD_TYPE_RGBA);
  EXPECT_EQ(request->cColorBits, 8);
  EXPECT_EQ(request->cDepthBits, 16);
  // Everything else stays zero.
  PixelFormatDescriptor rest = *request;
  rest.nSize = 0;
  rest.nVersion = 0;
  rest.dwFlags = 0;
  rest.cColorBits = 0;
  rest.cDepthBits = 0;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&rest);
  for (size_t i = 0; i < sizeof rest; ++i) EXPECT_EQ(bytes[i], 0) << "byte " << i;
}

// Death tests see only the output of the dying process: its message boxes
// are written out by the runtime's normal exit path.
void WriteMessageBoxes() {
  for (const headless::MessageBoxCall& box : headless::MessageBoxes()) {
    std::string text;
    for (char c : box.text) text += c == '\n' ? std::string("\\n") : std::string(1, c);
    std::fprintf(stderr, "box owner=%s caption=\"%s\" style=0x%x text=\"%s\" context=%s\n",
                 box.owner != nullptr && box.owner == headless::FindMainWindow("OpenGL") ? "main" : "other",
                 box.caption.c_str(), box.style, text.c_str(), glContext ? "made" : "none");
  }
}

void OpenWithFailure(bool choose) {
  ResetProgramState();
  if (choose) headless::FailChoosePixelFormat(true);
  else headless::FailSetPixelFormat(true);
  std::atexit(WriteMessageBoxes);
  OpenMainWindow();
  std::fprintf(stderr, "creation went on\n");
  std::exit(0);
}

TEST(PixelFormatDeathTest, NoFormatChosenShowsTheErrorBoxAndExitsWithOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(OpenWithFailure(true), ::testing::ExitedWithCode(1),
              "box owner=main caption=\"Error\" style=0x10 text=\"ChoosePixelFormat failed\\\\n\" context=none");
}

TEST(PixelFormatDeathTest, AFormatThatCannotBeSetShowsTheErrorBoxAndExitsWithOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(OpenWithFailure(false), ::testing::ExitedWithCode(1),
              "box owner=main caption=\"Error\" style=0x10 text=\"SetPixelFormat failed\" context=none");
}

TEST_F(PixelFormat, AThreeThreeTwoFormatGetsTheFullColourRamp) {
  UseThreeThreeTwoFormat();
  OpenMainWindow();
  ASSERT_NE(glPalette, nullptr);
  std::vector<PaletteEntry> entries = glPalette->entries;
  ASSERT_EQ(entries.size(), 256u);
  struct Case {
    int index;
    int red, green, blue;
  };
  const Case cases[] = {
      {0, 0, 0, 0},     {7, 255, 0, 0},   {56, 0, 255, 0},     {192, 0, 0, 255},
      {255, 255, 255, 255}, {1, 36, 0, 0}, {64, 0, 0, 85},     {9, 36, 36, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(entries[c.index].peRed, c.red);
    EXPECT_EQ(entries[c.index].peGreen, c.green);
    EXPECT_EQ(entries[c.index].peBlue, c.blue);
    EXPECT_EQ(entries[c.index].peFlags, 0);
  }
  // Selected into the window's DC as a foreground palette and realised.
  const std::vector<headless::PaletteCall>& calls = headless::PaletteCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].op, PaletteOp::Create);
  EXPECT_EQ(calls[1].op, PaletteOp::Select);
  EXPECT_EQ(calls[1].dc, mainDC);
  EXPECT_EQ(calls[1].forceBackground, 0);
  EXPECT_EQ(calls[2].op, PaletteOp::Realize);
}

TEST_F(PixelFormat, AChannelWithoutBitsStaysBlackInThePalette) {
  // A colour-index format whose description has no red bits.
  PixelFormatDescriptor format = FormatOf(PFD_TYPE_COLORINDEX, 4);
  format.cGreenBits = 2;
  format.cGreenShift = 0;
  format.cBlueBits = 2;
  format.cBlueShift = 2;
  headless::DescribeFormatAs(&format);
  OpenMainWindow();
  ASSERT_NE(glPalette, nullptr);
  std::vector<PaletteEntry> entries = glPalette->entries;
  ASSERT_EQ(entries.size(), 16u);
  for (int i = 0; i < 16; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(entries[i].peRed, 0);
    EXPECT_EQ(entries[i].peGreen, (i & 3) * 85);
    EXPECT_EQ(entries[i].peBlue, ((i >> 2) & 3) * 85);
  }
}

TEST_F(PixelFormat, FormatsThatNeedNoUsablePaletteGetNone) {
  struct Case {
    const char* what;
    uint8_t type;
    uint8_t colorBits;
    bool needPalette;
    uint8_t redShift;
  };
  const Case cases[] = {
      {"true colour", PFD_TYPE_RGBA, 24, false, 16},
      {"16 bits claiming a palette", PFD_TYPE_RGBA, 16, true, 11},
      {"colour index of 32 bits", PFD_TYPE_COLORINDEX, 32, false, 0},
      {"a shift beyond the pixel", PFD_TYPE_COLORINDEX, 8, true, 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetProgramState();
    PixelFormatDescriptor format = FormatOf(c.type, c.colorBits);
    if (c.needPalette) format.dwFlags |= PFD_NEED_PALETTE;
    format.cRedBits = 3;
    format.cRedShift = c.redShift;
    headless::DescribeFormatAs(&format);
    WindowHandle window = OpenMainWindow();
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(glPalette, nullptr);
    EXPECT_TRUE(headless::PaletteCalls().empty());
  }
}

TEST_F(PixelFormat, APaletteThatCannotBeMadeLeavesNoneSelected) {
  UseThreeThreeTwoFormat();
  headless::FailCreatePalette(true);
  WindowHandle window = OpenMainWindow();
  EXPECT_EQ(glPalette, nullptr);
  EXPECT_TRUE(headless::PaletteCalls().empty());
  EXPECT_EQ(SendTo(window, WM_QUERYNEWPALETTE, 0, 0), 0) << "the default result";
}

}  // namespace
