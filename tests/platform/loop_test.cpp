// The program's message loop on the FLTK backend's real clock: frames back
// to back while requested with the timer still ticking, no processor time
// while waiting. The queue's order and its timers are every backend's,
// tested in tests/contract.
#include "tests/platform/support.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

DeviceContext dc = nullptr;
RenderContext rc = nullptr;
bool hook = false;       // a frame is pending
bool spinning = false;   // frames continue while set
int frames = 0;
int ticks = 0;
int quitAfterTicks = -1;

intptr_t LoopProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_CREATE: {
      dc = GetDC(window);
      PixelFormatDescriptor request{};
      request.nSize = sizeof request;
      request.nVersion = 1;
      request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
      request.cColorBits = 8;
      request.cDepthBits = 16;
      SetPixelFormat(dc, ChoosePixelFormat(dc, &request), &request);
      rc = wglCreateContext(dc);
      wglMakeCurrent(dc, rc);
      return 0;
    }
    case WM_TIMER:
      ++ticks;
      if (ticks == quitAfterTicks) PostQuitMessage(7);
      return 0;
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

void Frame() {
  if (!spinning) hook = false;
  glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glFlush();
  SwapBuffers(dc);
  ++frames;
}

// The program's loop: frames only while the queue is empty.
int RunLoop() {
  Message m;
  for (;;) {
    while (hook) {
      if (PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE)) break;
      Frame();
    }
    int fetched = GetMessage(&m, nullptr, 0, 0);
    if (fetched != 1) return (int)m.wParam;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
}

class LoopTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    OpenDisplayForTests();
    WindowClass wc{CS_OWNDC | CS_HREDRAW | CS_VREDRAW, LoopProc, ProgramInstance(), nullptr, nullptr, "LoopTest"};
    RegisterClass(&wc);
  }
  void SetUp() override {
    hook = spinning = false;
    frames = ticks = 0;
    quitAfterTicks = -1;
    window = CreateWindow("LoopTest", "loop", WS_OVERLAPPEDWINDOW, 10, 10, 819, 819, nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    ASSERT_TRUE(WaitViewable(window));
    Drain();
    frames = 0;
  }
  void TearDown() override {
    if (Live(window)) DefWindowProc(window, WM_CLOSE, 0, 0);
    Message m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE_FLAG)) {}   // the quit request of WM_DESTROY, if any
  }
  WindowHandle window = nullptr;
};

TEST_F(LoopTest, WhileSpinningFramesFollowEachOtherAndTimerTicksStillArrive) {
  spinning = true;
  hook = true;
  // Ticks 200 ms apart: a frame that takes four times its usual time on a
  // busy machine still leaves room for several between two ticks.
  SetTimer(window, 1, 200, nullptr);
  quitAfterTicks = 5;
  double start = WallSeconds();
  EXPECT_EQ(RunLoop(), 7);
  double elapsed = WallSeconds() - start;
  EXPECT_EQ(ticks, 5);
  EXPECT_GT(frames, ticks) << "frames are drawn whenever the queue is empty, not once per tick";
  std::printf("[ measure  ] empty 819 x 819 frames: %d in %.2f s, %.0f a second\n", frames, elapsed,
              frames / elapsed);
}

TEST_F(LoopTest, WaitingForAMessageUsesNoProcessorTime) {
  SetTimer(window, 1, 400, nullptr);
  double cpu = ProcessCpuSeconds(), wall = WallSeconds();
  Message m;
  int fetched;
  do {
    fetched = GetMessage(&m, nullptr, 0, 0);
    if (fetched == 1 && m.message != WM_TIMER) DispatchMessage(&m);
  } while (fetched == 1 && m.message != WM_TIMER);
  double usedCpu = ProcessCpuSeconds() - cpu, waited = WallSeconds() - wall;
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_LT(usedCpu, waited * 0.25) << "GetMessage must block, not poll";
  std::printf("[ measure  ] blocked %.3f s in GetMessage using %.4f s of processor time\n", waited, usedCpu);
}

}  // namespace
