// Pixel formats and OpenGL contexts over GLX: the format in the server's
// layout, or none; the context moved to the window when it is shown; frames
// presented by SwapBuffers only, never painted over by the toolkit. What
// every backend promises of formats and contexts is tests/contract's.
#include "tests/platform/support.h"

#include <GL/gl.h>
#include <GL/glx.h>

namespace {

struct Creation {
  int chosen = -1, swapBeforeShow = -1;
} creation;
DeviceContext dc = nullptr;
RenderContext rc = nullptr;

intptr_t GLProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  Hear(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: {
      dc = GetDC(window);
      PixelFormatDescriptor request = ProgramFormatRequest();
      creation.chosen = ChoosePixelFormat(dc, &request);
      SetPixelFormat(dc, creation.chosen, &request);
      rc = wglCreateContext(dc);
      wglMakeCurrent(dc, rc);
      creation.swapBeforeShow = SwapBuffers(dc);
      return 0;
    }
    case WM_PAINT: {
      PaintStruct paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      wglMakeCurrent(nullptr, nullptr);
      wglDeleteContext(rc);
      ReleaseDC(window, dc);
      return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

class GLTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    OpenDisplayForTests();
    WindowClass wc{CS_OWNDC, GLProc, ProgramInstance(), nullptr, nullptr, "GLTest"};
    RegisterClass(&wc);
  }
  void SetUp() override {
    heard.clear();
    creation = Creation{};
    window = CreateWindow("GLTest", "gl", WS_OVERLAPPEDWINDOW, 30, 40, 160, 120, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (Live(window)) DefWindowProc(window, WM_CLOSE, 0, 0);
    Drain();
  }
  WindowHandle window = nullptr;
};

TEST_F(GLTest, TheRequestedFormatIsTrueColourInTheServersLayout) {
  ASSERT_GT(creation.chosen, 0);
  PixelFormatDescriptor d{};
  int count = DescribePixelFormat(dc, creation.chosen, sizeof d, &d);
  EXPECT_GE(count, creation.chosen);
  EXPECT_EQ(d.nSize, sizeof d);
  EXPECT_EQ(d.nVersion, 1);
  EXPECT_EQ(d.cColorBits, 24);
  EXPECT_EQ(d.cRedBits, 8);
  EXPECT_EQ(d.cRedShift, 16);
  EXPECT_EQ(d.cGreenShift, 8);
  EXPECT_EQ(d.cBlueShift, 0);
  EXPECT_EQ(GetPixelFormat(dc), creation.chosen);
  EXPECT_EQ(DescribePixelFormat(dc, 0, sizeof d, &d), 0);
  EXPECT_EQ(DescribePixelFormat(dc, count + 1, sizeof d, &d), 0);
  EXPECT_EQ(DescribePixelFormat(dc, 1, 0, nullptr), count) << "without a descriptor: the number of formats";
}

TEST_F(GLTest, ARequestNoVisualMeetsGetsNoFormat) {
  PixelFormatDescriptor request = ProgramFormatRequest();
  request.cDepthBits = 200;
  EXPECT_EQ(ChoosePixelFormat(dc, &request), 0);
  request = ProgramFormatRequest();
  request.iPixelType = PFD_TYPE_COLORINDEX;
  EXPECT_EQ(ChoosePixelFormat(dc, &request), 0) << "only TrueColor RGBA visuals are formats";
  EXPECT_EQ(ChoosePixelFormat(nullptr, &request), 0);
}

TEST_F(GLTest, OnlySwapBuffersPresentsAndAnExposeBecomesWmPaint) {
  EXPECT_EQ(creation.swapBeforeShow, 0) << "nothing is presented before the window is on the screen";
  InvalidateRect(window, nullptr, 0);
  Message m{};
  EXPECT_FALSE(PeekMessage(&m, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE)) << "a hidden window is not painted";
  ShowWindow(window, SW_SHOWNORMAL);
  EXPECT_TRUE(PeekMessage(&m, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE)) << "showing it asks for paint";
  ASSERT_TRUE(WaitViewable(window));
  EXPECT_EQ(glXGetCurrentDrawable(), XWindowOf(window)) << "the context moved to the window when shown";
  UpdateWindow(window);
  Drain();
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_NE(PixelAt(window, 80, 60), 0xFF0000ul) << "not before the swap";
  EXPECT_EQ(SwapBuffers(dc), 1);
  glFinish();
  EXPECT_EQ(PixelAt(window, 80, 60), 0xFF0000ul);
  int paints = CountHeard(WM_PAINT, window);
  XClearArea(PlatformDisplay(), XWindowOf(window), 0, 0, 0, 0, True);   // as when uncovered
  ASSERT_TRUE(PumpUntil([&] { return CountHeard(WM_PAINT, window) > paints; }));
  Drain();
  EXPECT_EQ(PixelAt(window, 80, 60), 0xFF0000ul) << "the toolkit drew nothing over the frame";
  EXPECT_EQ(PixelAt(window, 2, 2), 0xFF0000ul);
}

}  // namespace
