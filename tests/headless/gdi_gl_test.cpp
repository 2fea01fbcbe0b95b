// The core's GDI on the headless backend: the resources handed over,
// bitmaps, icons, palettes and StretchBlt records; and the headless backend's
// pixel formats with their failure modes, offscreen contexts and what a frame
// leaves in the buffer.
#include "platform/headless/headless.h"
#include "platform/headless/egl.h"
#include "tests/support/heard.h"
#include "tests/support/test_resources.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

intptr_t PlainProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  return DefWindowProc(window, message, wParam, lParam);
}

class Gdi : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    SetProgramResources(&testResources);
    WindowClass windowClass{CS_OWNDC, PlainProc, ProgramInstance(), nullptr, nullptr, "GL"};
    RegisterClass(&windowClass);
    window = CreateWindow("GL", "gl", WS_OVERLAPPEDWINDOW, 0, 0, 40, 30, nullptr);
    ASSERT_NE(window, nullptr);
    dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
  }
  void TearDown() override { headless::Reset(); }
  WindowHandle window = nullptr;
  DeviceContext dc = nullptr;
};

TEST_F(Gdi, TheScreenIsTheHooksAndNothingPresentsWithoutAFormat) {
  EXPECT_EQ(SwapBuffers(dc), 0) << "nothing to present without a pixel format";
  EXPECT_EQ(headless::SwapCount(), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
  headless::SetScreenHeight(768);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

TEST_F(Gdi, TheDefaultFormatIsTrueColourDoubleBufferedWithA16BitDepth) {
  PixelFormatDescriptor request = ProgramFormatRequest();
  int format = ChoosePixelFormat(dc, &request);
  ASSERT_GT(format, 0);
  EXPECT_EQ(GetPixelFormat(dc), 0) << "nothing set yet";
  ASSERT_EQ(SetPixelFormat(dc, format, &request), 1);
  EXPECT_EQ(GetPixelFormat(dc), format);
  PixelFormatDescriptor described{};
  ASSERT_NE(DescribePixelFormat(dc, format, sizeof described, &described), 0);
  EXPECT_EQ(described.nSize, 40);
  EXPECT_EQ(described.iPixelType, PFD_TYPE_RGBA);
  EXPECT_EQ(described.cColorBits, 24);
  EXPECT_EQ(described.cDepthBits, 16);
  EXPECT_EQ(DescribePixelFormat(dc, 99, sizeof described, &described), 0);
}

TEST_F(Gdi, FailureModesAndTheDescribedFormatFollowTheHooks) {
  PixelFormatDescriptor request = ProgramFormatRequest();
  headless::FailChoosePixelFormat(true);
  EXPECT_EQ(ChoosePixelFormat(dc, &request), 0);
  headless::FailChoosePixelFormat(false);
  int format = ChoosePixelFormat(dc, &request);
  headless::FailSetPixelFormat(true);
  EXPECT_EQ(SetPixelFormat(dc, format, &request), 0);
  EXPECT_EQ(GetPixelFormat(dc), 0);
  headless::FailSetPixelFormat(false);
  ASSERT_EQ(SetPixelFormat(dc, format, &request), 1);
  headless::FailCreateContext(true);
  EXPECT_EQ(wglCreateContext(dc), nullptr);

  PixelFormatDescriptor given{};
  given.dwFlags = PFD_NEED_PALETTE;
  given.cColorBits = 8;
  headless::DescribeFormatAs(&given);
  PixelFormatDescriptor described{};
  ASSERT_NE(DescribePixelFormat(dc, GetPixelFormat(dc), sizeof described, &described), 0);
  EXPECT_EQ(described.dwFlags, (uint32_t)PFD_NEED_PALETTE);
  EXPECT_EQ(described.cColorBits, 8);
  headless::DescribeFormatAs(nullptr);
  ASSERT_NE(DescribePixelFormat(dc, GetPixelFormat(dc), sizeof described, &described), 0);
  EXPECT_EQ(described.cColorBits, 24) << "back to RGBA";

  headless::Reset();
  EXPECT_EQ(WindowFromDC(dc), nullptr) << "Reset forgets every context";
}

TEST_F(Gdi, APaletteIsACopyAndItsUseIsRecorded) {
  std::vector<PaletteEntry> entries = {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}};
  LogPalette logical{0x300, 3, entries.data()};
  PaletteHandle palette = CreatePalette(&logical);
  ASSERT_NE(palette, nullptr);
  entries[0].peRed = 1;   // the caller frees or reuses its structure
  std::vector<PaletteEntry> kept = palette->entries;
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[0].peRed, 255);
  EXPECT_EQ(kept[2].peBlue, 255);

  EXPECT_EQ(SelectPalette(dc, palette, 0), nullptr);
  EXPECT_EQ(RealizePalette(dc), 3u);
  EXPECT_EQ(UnrealizeObject(palette), 1);
  const std::vector<headless::PaletteCall>& calls = headless::PaletteCalls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].op, PaletteOp::Create);
  EXPECT_EQ(calls[1].op, PaletteOp::Select);
  EXPECT_EQ(calls[1].dc, dc);
  EXPECT_EQ(calls[2].op, PaletteOp::Realize);
  EXPECT_EQ(calls[3].op, PaletteOp::Unrealize);

  EXPECT_EQ(CreatePalette(nullptr), nullptr);
}

TEST_F(Gdi, BitmapsLoadFromTheResourcesAndCanBeMadeMissing) {
  BitmapHandle bitmap = LoadBitmap(ProgramInstance(), 104);
  ASSERT_NE(bitmap, nullptr);
  BitmapInfo info{};
  ASSERT_EQ(GetObject(bitmap, sizeof info, &info), (int)sizeof info);
  EXPECT_EQ(info.bmWidth, 4);
  EXPECT_EQ(info.bmHeight, 2);
  EXPECT_EQ(info.bmBitsPixel, 24);
  EXPECT_EQ(info.bmWidthBytes, 12) << "rows of whole 16-bit words";
  EXPECT_EQ(info.bmPlanes, 1);
  EXPECT_EQ(GetObject(bitmap, 4, &info), 0) << "too small a structure";
  EXPECT_EQ(LoadBitmap(ProgramInstance(), 105), nullptr) << "undecodable";
  EXPECT_EQ(LoadBitmap(ProgramInstance(), 777), nullptr) << "not there";
  EXPECT_EQ(LoadBitmap(ProgramInstance(), 104), bitmap) << "loaded once";

  headless::Reset();
  ResourceTable withoutBitmaps = testResources;
  withoutBitmaps.bitmapCount = 0;
  SetProgramResources(&withoutBitmaps);
  EXPECT_EQ(LoadBitmap(ProgramInstance(), 104), nullptr) << "missing from the resources";
}

// The platform reads only what the program handed over; the handed table
// outlives a reset, as resources belong to the program, not to a run.
TEST_F(Gdi, ResourcesAreThoseHandedOverAndOutliveAReset) {
  EXPECT_NE(LoadIcon(ProgramInstance(), 32512), nullptr);
  EXPECT_EQ(LoadIcon(ProgramInstance(), 32513), nullptr);
  EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), LoadCursor(nullptr, IDC_ARROW)) << "the system's arrow";
  EXPECT_EQ(LoadCursor(ProgramInstance(), IDC_ARROW), nullptr) << "the program has no cursors";
  headless::Reset();
  EXPECT_NE(LoadBitmap(ProgramInstance(), 104), nullptr);
  SetProgramResources(nullptr);
  headless::Reset();
  EXPECT_EQ(LoadBitmap(ProgramInstance(), 104), nullptr);
  EXPECT_EQ(LoadIcon(ProgramInstance(), 32512), nullptr);
}

TEST_F(Gdi, StretchBltRecordsBothRectanglesAndTheSelectedBitmap) {
  BitmapHandle bitmap = LoadBitmap(ProgramInstance(), 104);
  DeviceContext memory = CreateCompatibleDC(dc);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(SelectObject(memory, bitmap), nullptr);
  EXPECT_EQ(StretchBlt(dc, 5, 0, 95, 200, memory, 0, 0, 4, 2, SRCCOPY), 1);
  EXPECT_EQ(DeleteDC(memory), 1);
  EXPECT_EQ(StretchBlt(dc, 0, 0, 1, 1, memory, 0, 0, 1, 1, SRCCOPY), 0) << "a deleted source";
  ASSERT_EQ(headless::StretchBltCalls().size(), 1u);
  const headless::StretchBltCall& call = headless::StretchBltCalls()[0];
  EXPECT_EQ(call.destinationWindow, window);
  EXPECT_EQ(call.sourceBitmap, bitmap);
  EXPECT_EQ(call.x, 5);
  EXPECT_EQ(call.width, 95);
  EXPECT_EQ(call.height, 200);
  EXPECT_EQ(call.sourceWidth, 4);
  EXPECT_EQ(call.sourceHeight, 2);
  EXPECT_EQ(call.rasterOperation, (unsigned)SRCCOPY);
}

TEST_F(Gdi, MessageBoxesAreRecordedAndAnsweredOk) {
  EXPECT_EQ(MessageBox(window, "SetPixelFormat failed", "Error", MB_OK | MB_ICONHAND), IDOK);
  EXPECT_EQ(MessageBox(nullptr, "  no cargo ima  ", " aviso", MB_OK), IDOK);
  ASSERT_EQ(headless::MessageBoxes().size(), 2u);
  EXPECT_EQ(headless::MessageBoxes()[0].owner, window);
  EXPECT_EQ(headless::MessageBoxes()[0].style, (unsigned)(MB_OK | MB_ICONHAND));
  EXPECT_EQ(headless::MessageBoxes()[1].text, "  no cargo ima  ");
  EXPECT_EQ(headless::MessageBoxes()[1].caption, " aviso");
}

TEST_F(Gdi, AContextDrawsOffScreenAndTheReadbackIsTopDown) {
  PixelFormatDescriptor request = ProgramFormatRequest();
  ASSERT_EQ(SetPixelFormat(dc, ChoosePixelFormat(dc, &request), &request), 1);
  RenderContext context = wglCreateContext(dc);
  ASSERT_NE(context, nullptr);
  ASSERT_EQ(wglMakeCurrent(dc, context), 1);

  int depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_EQ(depthBits, 16);
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // The bottom five rows green: OpenGL counts rows from the bottom.
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 40, 5);
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  EXPECT_EQ(SwapBuffers(dc), 1);
  EXPECT_EQ(headless::SwapCount(), 1);
  EXPECT_EQ(headless::FrameCount(), 1);

  int width = 0, height = 0;
  std::vector<unsigned char> pixels = headless::ReadPixels(&width, &height);
  ASSERT_EQ(width, 40);
  ASSERT_EQ(height, 30);
  ASSERT_EQ(pixels.size(), 40u * 30u * 4u);
  auto at = [&](int x, int y) { return &pixels[((size_t)y * 40 + x) * 4]; };
  EXPECT_EQ(at(0, 0)[0], 255);
  EXPECT_EQ(at(0, 0)[1], 0);
  EXPECT_EQ(at(39, 24)[0], 255) << "row 24 from the top is above the green";
  EXPECT_EQ(at(39, 25)[0], 0);
  EXPECT_EQ(at(39, 25)[1], 255);
  EXPECT_EQ(at(20, 29)[3], 255);

  ASSERT_EQ(wglMakeCurrent(dc, nullptr), 1) << "a null context releases, whatever the device context";
  EXPECT_FALSE(headless::OffscreenContextCurrent());
  EXPECT_TRUE(headless::ReadPixels(&width, &height).empty());
  EXPECT_EQ(width, 0);
  SwapBuffers(dc);
  EXPECT_EQ(headless::SwapCount(), 2);
  EXPECT_EQ(headless::FrameCount(), 1) << "no context current: nothing presented";
  EXPECT_EQ(wglDeleteContext(context), 1);
  EXPECT_EQ(wglDeleteContext(context), 0);
  EXPECT_EQ(wglMakeCurrent(dc, context), 0);
}

// The core's context records: a window destroyed under a current context
// takes the binding with it but leaves the context to be deleted.
TEST_F(Gdi, AContextBindsToWindowsOfItsFormatAndOutlivesItsWindow) {
  ASSERT_EQ(SetPixelFormat(dc, 1, nullptr), 1);
  EXPECT_EQ(SetPixelFormat(dc, 2, nullptr), 0) << "fixed once";
  RenderContext context = wglCreateContext(dc);
  ASSERT_NE(context, nullptr);
  WindowHandle other = CreateWindow("GL", "other", WS_OVERLAPPEDWINDOW, 0, 0, 40, 30, nullptr);
  DeviceContext otherDC = GetDC(other);
  ASSERT_EQ(SetPixelFormat(otherDC, 1, nullptr), 1);
  EXPECT_EQ(wglMakeCurrent(otherDC, context), 1);
  EXPECT_EQ(SwapBuffers(dc), 1);
  EXPECT_EQ(headless::FrameCount(), 0) << "the context is current on the other window";
  EXPECT_EQ(SwapBuffers(otherDC), 1);
  EXPECT_EQ(headless::FrameCount(), 1);

  DefWindowProc(other, WM_CLOSE, 0, 0);
  EXPECT_FALSE(headless::OffscreenContextCurrent()) << "released with the window it was current on";
  EXPECT_EQ(wglMakeCurrent(dc, context), 1) << "the context itself lives on";
  DefWindowProc(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(wglDeleteContext(context), 1);
  EXPECT_EQ(wglDeleteContext(context), 0);
}

}  // namespace
