// The message loop the program runs, against the FLTK platform: one frame per
// burst of requests, frames back to back while requested, input and timer
// messages first, no processor time while waiting.
#include "tests/platform/support.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

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
    case WM_USER_REQUEST:
      hook = true;
      return 0;
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

TEST_F(LoopTest, ABurstOfRequestsDrawsOneFrame) {
  for (int i = 0; i < 50; ++i) Post(window, WM_USER_REQUEST, 0, 0);
  SetTimer(window, 1, 300, nullptr);
  quitAfterTicks = 1;
  EXPECT_EQ(RunLoop(), 7);
  EXPECT_EQ(frames, 1);
}

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

TEST_F(LoopTest, TicksMissedWhileBusyComeAsOneMessage) {
  SetTimer(window, 1, 100, nullptr);
  usleep(550 * 1000);   // busy elsewhere: five periods pass without the loop
  int timerMessages = 0;
  Message m;
  for (int i = 0; i < 20; ++i)
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE_FLAG))
      if (m.message == WM_TIMER) ++timerMessages;
  EXPECT_EQ(timerMessages, 1);
}

TEST_F(LoopTest, PeekWithoutRemovingLeavesTheMessageAndPostedMessagesComeFirst) {
  SetTimer(window, 5, 10, nullptr);
  usleep(30 * 1000);
  Post(window, WM_USER_REQUEST, 11, 22);
  Message m{};
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, WM_USER_REQUEST);   // before the pending WM_TIMER
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, WM_USER_REQUEST);
  ASSERT_EQ(GetMessage(&m, nullptr, 0, 0), 1);
  EXPECT_EQ(m.message, WM_USER_REQUEST);
  EXPECT_EQ(m.wParam, 11u);
  EXPECT_EQ(m.lParam, 22);
  EXPECT_EQ(m.window, window);
  ASSERT_EQ(GetMessage(&m, nullptr, 0, 0), 1);
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_EQ(m.wParam, 5u);
}

TEST_F(LoopTest, QuitEndsGetMessageWithItsCode) {
  PostQuitMessage(3);
  Message m{};
  EXPECT_EQ(GetMessage(&m, nullptr, 0, 0), 0);
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
}

TEST_F(LoopTest, ClosingDestroysTheWindowAndDropsItsMessages) {
  SetTimer(window, 1, 10, nullptr);
  Post(window, WM_USER_REQUEST, 0, 0);
  DefWindowProc(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(Live(window));
  usleep(30 * 1000);
  Message m{};
  int left = 0;
  for (int i = 0; i < 5; ++i)
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE_FLAG)) ++left;
  EXPECT_EQ(left, 0) << "neither the posted message nor the timer outlives the window";
  EXPECT_EQ(DispatchMessage(&m), 0);
  EXPECT_EQ(SetTimer(window, 1, 10, nullptr), 0u);
}

}  // namespace
