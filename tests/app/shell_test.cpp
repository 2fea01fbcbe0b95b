// The application shell driven through its messages on the headless
// platform: window size, clock, held size, palette, pixel-format failures,
// a missing rendering context, mouse and the idle-driven loop.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "tests/app/program_fixture.h"

namespace {

class Shell : public ::testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }
};

TEST_F(Shell, WindowIsFourFifthsOfTheScreenHeightOnBothSides) {
  const struct { int screen, side; } cases[] = {{1024, 819}, {768, 614}, {1080, 864}, {1200, 960}};
  for (const auto& c : cases) {
    ResetProgramState();
    headless::SetScreenHeight(c.screen);
    headless::SetIdleCallback([] {
      WindowHandle main = headless::FindMainWindow("OpenGL");
      if (main != nullptr) headless::Post(main, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(headless::RunProgram(), 0) << "a normal close ends with exit code 0";
    EXPECT_EQ(windowWidth, c.side) << c.screen;
    EXPECT_EQ(windowHeight, c.side) << c.screen;
  }
  headless::SetIdleCallback(nullptr);
}

TEST_F(Shell, StartUpOpensTheCaptionedWindowAndItsPanel) {
  WindowHandle main = nullptr;
  headless::SetIdleCallback([&main] {
    main = headless::FindMainWindow("OpenGL");
    if (main != nullptr) headless::Post(main, WM_CLOSE, 0, 0);
  });
  ASSERT_EQ(headless::RunProgram(), 0);
  headless::SetIdleCallback(nullptr);
  headless::WindowInfo window = headless::Describe(main);
  EXPECT_EQ(window.text, "  Velmora - free distribution soft");
  EXPECT_EQ(window.x, 10);
  EXPECT_EQ(window.y, 10);
  EXPECT_EQ(window.width, 204);
  EXPECT_FALSE(window.alive) << "closed by the end of the run";
  EXPECT_EQ(redrawHook, nullptr) << "no frame is pending after the window is gone";
  EXPECT_EQ(glContext, nullptr);
  EXPECT_EQ(headless::FindDialog("ColorScrDlg"), nullptr) << "the owned panel goes with the window";
}

TEST_F(Shell, ClockCountsWholeSecondsAtTwentyTicks) {
  WindowHandle main = OpenMainWindow();
  const struct { int ticks, seconds; } cases[] = {{1, 0}, {19, 0}, {20, 1}, {39, 1}, {40, 2}, {2000, 100}};
  for (const auto& c : cases) {
    tickCount = 0;
    for (int i = 0; i < c.ticks; ++i) headless::Send(main, WM_TIMER, 1, 0);
    EXPECT_EQ(elapsedSeconds, c.seconds) << c.ticks << " ticks";
  }
}

TEST_F(Shell, EachTickStepsTheSimulationAndAsksForAFrame) {
  WindowHandle main = OpenMainWindow();
  redrawHook = nullptr;
  headless::Send(main, WM_TIMER, 1, 0);
  EXPECT_NEAR(tempGrid[10][0], 1.37752, 1e-10) << "the first step heats row 10";
  EXPECT_EQ(tempGrid[9][0], 1.0);
  EXPECT_EQ(redrawHook, IdleRedraw);
}

TEST_F(Shell, TickCountRestartsInsteadOfOverflowing) {
  WindowHandle main = OpenMainWindow();
  tickCount = INT_MAX - 1;
  headless::Send(main, WM_TIMER, 1, 0);
  EXPECT_EQ(tickCount, INT_MAX);
  EXPECT_EQ(elapsedSeconds, (int)((float)INT_MAX * 0.05f));
  headless::Send(main, WM_TIMER, 1, 0);
  EXPECT_EQ(tickCount, 0);
  EXPECT_EQ(elapsedSeconds, 0);
}

TEST_F(Shell, ResizedWindowSnapsBackToItsSize) {
  WindowHandle main = OpenMainWindow();
  const size_t before = headless::WindowPosCalls().size();
  headless::Resize(main, 500, 120);
  ASSERT_GT(headless::WindowPosCalls().size(), before);
  const headless::WindowPosCall& call = headless::WindowPosCalls()[before];
  EXPECT_EQ(call.window, main);
  EXPECT_EQ(call.insertAfter, nullptr);
  EXPECT_EQ(call.width, windowWidth);
  EXPECT_EQ(call.height, windowHeight);
  EXPECT_EQ(call.flags, (unsigned)SWP_NOMOVE);
  headless::WindowInfo window = headless::Describe(main);
  EXPECT_EQ(window.width, 204);
  EXPECT_EQ(window.height, 204);
  EXPECT_EQ(window.x, 10) << "the position is kept";
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 204);
  EXPECT_EQ(viewport[3], 204);
}

TEST_F(Shell, PaintAsksForAFrameAndDrawsNothingItself) {
  WindowHandle main = OpenMainWindow();
  redrawHook = nullptr;
  const int frames = headless::FrameCount();
  headless::Send(main, WM_PAINT, 0, 0);
  EXPECT_EQ(redrawHook, IdleRedraw);
  EXPECT_EQ(headless::FrameCount(), frames);
}

TEST_F(Shell, TrueColourDisplayGetsNoPaletteAndPaletteMessagesGoToDefault) {
  WindowHandle main = OpenMainWindow();
  EXPECT_EQ(glPalette, nullptr);
  redrawHook = nullptr;
  EXPECT_EQ(headless::Send(main, WM_QUERYNEWPALETTE, 0, 0), 0);
  EXPECT_EQ(headless::Send(main, WM_PALETTECHANGED, 0, 0), 0);
  EXPECT_TRUE(headless::PaletteCalls().empty());
  EXPECT_EQ(redrawHook, nullptr);
}

TEST_F(Shell, PaletteDisplayGetsTheColourRamp) {
  headless::UsePaletteFormat(true);
  OpenMainWindow();
  ASSERT_NE(glPalette, nullptr);
  std::vector<PaletteEntry> entries = headless::PaletteEntries(glPalette);
  ASSERT_EQ(entries.size(), 256u);
  const struct { int index, r, g, b; } cases[] = {
      {0, 0, 0, 0}, {7, 255, 0, 0}, {56, 0, 255, 0}, {192, 0, 0, 255}, {255, 255, 255, 255},
      {1, 36, 0, 0}, {64, 0, 0, 85}};
  for (const auto& c : cases) {
    EXPECT_EQ(entries[c.index].peRed, c.r) << c.index;
    EXPECT_EQ(entries[c.index].peGreen, c.g) << c.index;
    EXPECT_EQ(entries[c.index].peBlue, c.b) << c.index;
  }
}

TEST_F(Shell, ChannelWithoutBitsStaysDark) {
  PixelFormatDescriptor format = {};
  format.cColorBits = 4;
  format.cRedBits = 0;
  format.cGreenBits = 2;
  format.cGreenShift = 0;
  format.cBlueBits = 2;
  format.cBlueShift = 2;
  PaletteEntry entries[16];
  ComputePaletteRamp(&format, entries, 16);
  for (const PaletteEntry& e : entries) EXPECT_EQ(e.peRed, 0);
  EXPECT_EQ(entries[15].peGreen, 255);
  EXPECT_EQ(entries[15].peBlue, 255);
}

TEST_F(Shell, PaletteMessagesRealiseThePaletteUnlessThisWindowChangedIt) {
  headless::UsePaletteFormat(true);
  WindowHandle main = OpenMainWindow();
  const size_t before = headless::PaletteCalls().size();
  redrawHook = nullptr;
  EXPECT_EQ(headless::Send(main, WM_PALETTECHANGED, (uintptr_t)main, 0), 0);
  EXPECT_EQ(headless::PaletteCalls().size(), before) << "its own change is not answered";
  EXPECT_EQ(redrawHook, nullptr);

  EXPECT_EQ(headless::Send(main, WM_PALETTECHANGED, 12345, 0), 0);
  ASSERT_EQ(headless::PaletteCalls().size(), before + 3);
  EXPECT_EQ(headless::PaletteCalls()[before].op, headless::PaletteOp::Unrealize);
  EXPECT_EQ(headless::PaletteCalls()[before + 1].op, headless::PaletteOp::Select);
  EXPECT_EQ(headless::PaletteCalls()[before + 1].forceBackground, 0);
  EXPECT_EQ(headless::PaletteCalls()[before + 2].op, headless::PaletteOp::Realize);
  EXPECT_EQ(redrawHook, IdleRedraw);

  EXPECT_EQ(headless::Send(main, WM_QUERYNEWPALETTE, 0, 0), 1);
}

void PrintMessageBoxes() {
  for (const headless::MessageBoxCall& box : headless::MessageBoxes())
    std::fprintf(stderr, "box[%s|%s|%u]\n", box.text.c_str(), box.caption.c_str(), box.style);
}

TEST_F(Shell, UnchoosablePixelFormatEndsTheProgramWithItsMessage) {
  EXPECT_EXIT(
      {
        std::atexit(PrintMessageBoxes);
        headless::FailChoosePixelFormat(true);
        OpenMainWindow();
      },
      ::testing::ExitedWithCode(1), "box\\[ChoosePixelFormat failed\n\\|Error\\|16\\]");
}

TEST_F(Shell, UnsettablePixelFormatEndsTheProgramWithItsMessage) {
  EXPECT_EXIT(
      {
        std::atexit(PrintMessageBoxes);
        headless::FailSetPixelFormat(true);
        OpenMainWindow();
      },
      ::testing::ExitedWithCode(1), "box\\[SetPixelFormat failed\\|Error\\|16\\]");
}

TEST_F(Shell, WithoutRenderingContextOnlyTheClockRuns) {
  headless::FailCreateContext(true);
  WindowHandle main = OpenMainWindow();
  ASSERT_EQ(glContext, nullptr);
  redrawHook = nullptr;
  headless::Send(main, WM_TIMER, 1, 0);
  EXPECT_EQ(tickCount, 1);
  EXPECT_EQ(redrawHook, IdleRedraw) << "the timer still asks for frames";

  redrawHook = nullptr;
  const size_t moves = headless::WindowPosCalls().size();
  headless::Send(main, WM_LBUTTONDOWN, 0, MakeLParam(20, 30));
  headless::Send(main, WM_RBUTTONDOWN, 0, MakeLParam(20, 30));
  headless::Send(main, WM_MOUSEMOVE, 0, MakeLParam(25, 10));
  headless::Send(main, WM_PAINT, 0, 0);
  headless::Resize(main, 300, 300);
  EXPECT_EQ(dragging, 0);
  EXPECT_EQ(zoomDrag, 0);
  EXPECT_EQ(modelScale, 2.0f);
  EXPECT_EQ(headless::Capture(), nullptr);
  EXPECT_EQ(headless::WindowPosCalls().size(), moves) << "the size is not held without a context";
  EXPECT_EQ(redrawHook, nullptr);
}

TEST_F(Shell, MouseCoordinatesAreSignedClientPixels) {
  WindowHandle main = OpenMainWindow();
  headless::Send(main, WM_LBUTTONDOWN, 0, MakeLParam(-5, -7));
  EXPECT_EQ(pressX, -5);
  EXPECT_EQ(pressY, -7);
  EXPECT_EQ(headless::Capture(), main);
  headless::Send(main, WM_LBUTTONUP, 0, MakeLParam(-5, -7));
  EXPECT_EQ(tracking, 0) << "released where pressed: the model stops";
  EXPECT_EQ(headless::Capture(), nullptr);
}

// Runs the real loop until the virtual clock reaches the given time, then closes.
int RunFor(unsigned milliseconds) {
  headless::SetIdleCallback([milliseconds] {
    WindowHandle main = headless::FindMainWindow("OpenGL");
    if (main != nullptr && headless::Now() >= milliseconds) headless::Post(main, WM_CLOSE, 0, 0);
  });
  int code = headless::RunProgram();
  headless::SetIdleCallback(nullptr);
  return code;
}

TEST_F(Shell, StoppedModelDrawsOneFramePerTick) {
  spinning = 0;
  tracking = 0;
  ASSERT_EQ(RunFor(1000), 0);
  EXPECT_EQ(tickCount, 20);
  // One frame per tick, and at most one for the first paint.
  EXPECT_GE(headless::FrameCount(), 20);
  EXPECT_LE(headless::FrameCount(), 21);
}

TEST_F(Shell, SpinningModelDrawsFramesBackToBack) {
  headless::SetFrameTime(2);   // each frame takes 2 ms of virtual time
  ASSERT_EQ(RunFor(1000), 0);
  EXPECT_GE(headless::FrameCount(), 450) << "frames follow each other while spinning";
  EXPECT_GE(tickCount, 19) << "the clock still runs between frames";
  EXPECT_LE(tickCount, 21);
}

}  // namespace
