// The core's message queue, on the headless backend's virtual clock: what
// PeekMessage and GetMessage hand out, in what order, what coalesces, and when
// timers fire. The FLTK backend runs the same queue on the real clock.
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr unsigned PM_REMOVE_FLAG = 1;
constexpr unsigned WM_APP_PING = 0x8001;

std::vector<unsigned> received;

intptr_t RecordingProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  received.push_back(message);
  if (message == WM_DESTROY) PostQuitMessage(7);
  return DefWindowProc(window, message, wParam, lParam);
}

class Queue : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    received.clear();
    WindowClass windowClass{CS_OWNDC, RecordingProc, ProgramInstance(), nullptr, nullptr, "Probe"};
    ASSERT_EQ(RegisterClass(&windowClass), 1);
    window = CreateWindow("Probe", "probe", WS_OVERLAPPEDWINDOW, 10, 10, 64, 48, nullptr);
    ASSERT_NE(window, nullptr);
    received.clear();
  }
  void TearDown() override { headless::Reset(); }
  WindowHandle window = nullptr;
};

TEST_F(Queue, PeekWithoutRemoveOnlyLooksAndGetTakesInPostedOrder) {
  Post(window, WM_APP_PING, 1, 0);
  Post(window, WM_APP_PING, 2, 0);
  Message message{};
  ASSERT_EQ(PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE), 1);
  EXPECT_EQ(message.wParam, 1u);
  ASSERT_EQ(PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE), 1);
  EXPECT_EQ(message.wParam, 1u) << "a look leaves the message in place";

  ASSERT_EQ(GetMessage(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.window, window);
  EXPECT_EQ(message.wParam, 1u);
  ASSERT_EQ(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE_FLAG), 1);
  EXPECT_EQ(message.wParam, 2u);
  EXPECT_EQ(PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE), 0);
  EXPECT_TRUE(received.empty()) << "nothing is dispatched by fetching";
}

TEST_F(Queue, QuitComesAfterPostedMessagesAndAnEmptyQueueDoesNotHang) {
  Message message{};
  message.wParam = 99;
  EXPECT_EQ(GetMessage(&message, nullptr, 0, 0), -1) << "no message and no timer: an error, not a wait";
  EXPECT_EQ(message.wParam, 99u);

  Post(window, WM_APP_PING, 0, 0);
  PostQuitMessage(3);
  ASSERT_EQ(GetMessage(&message, nullptr, 0, 0), 1) << "posted messages come before the quit";
  ASSERT_EQ(GetMessage(&message, nullptr, 0, 0), 0);
  EXPECT_EQ(GetMessage(&message, nullptr, 0, 0), -1) << "then nothing";

  // WM_QUIT belongs to no window: a fetch for one window does not take it.
  PostQuitMessage(4);
  message = Message{};
  EXPECT_EQ(PeekMessage(&message, window, 0, 0, PM_REMOVE_FLAG), 0);
  ASSERT_EQ(GetMessage(&message, nullptr, 0, 0), 0);
  EXPECT_EQ(message.wParam, 4u);
}

// As the user's mouse: a move replaces the move queued right before it, for
// the same window; a posted move is a message like any other.
TEST_F(Queue, TheUsersMouseMovesCoalesceButPostedMovesDoNot) {
  WindowHandle other = CreateWindow("Probe", "other", WS_OVERLAPPEDWINDOW, 0, 0, 8, 8, nullptr);
  struct Step { bool input; WindowHandle window; unsigned message; int x; };
  struct Case { const char* what; std::vector<Step> steps; std::vector<int> expectedX; };
  const Case cases[] = {
      {"moves in a row: the last", {{true, window, WM_MOUSEMOVE, 1}, {true, window, WM_MOUSEMOVE, 2},
                                    {true, window, WM_MOUSEMOVE, 3}}, {3}},
      {"a press in between", {{true, window, WM_MOUSEMOVE, 1}, {true, window, WM_LBUTTONDOWN, 2},
                              {true, window, WM_MOUSEMOVE, 3}, {true, window, WM_MOUSEMOVE, 4}}, {1, 2, 4}},
      {"another window's move", {{true, window, WM_MOUSEMOVE, 1}, {true, other, WM_MOUSEMOVE, 2},
                                 {true, window, WM_MOUSEMOVE, 3}}, {1, 2, 3}},
      {"posted moves", {{false, window, WM_MOUSEMOVE, 1}, {false, window, WM_MOUSEMOVE, 2},
                        {true, window, WM_MOUSEMOVE, 3}}, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const Step& step : c.steps) {
      if (step.input) QueueInput(step.window, step.message, 0, MakeLParam(step.x, 0));
      else Post(step.window, step.message, 0, MakeLParam(step.x, 0));
    }
    std::vector<int> xs;
    Message message{};
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE_FLAG)) xs.push_back(SignedLoWord(message.lParam));
    EXPECT_EQ(xs, c.expectedX);
  }
}

TEST_F(Queue, InputComesBeforePaintAndPaintBeforeTimers) {
  SetTimer(window, 1, 50, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);   // invalidates the client area
  received.clear();                    // its first WM_SIZE
  headless::AdvanceClock(50);
  Post(window, WM_MOUSEMOVE, 0, MakeLParam(3, 4));
  std::vector<unsigned> order;
  for (const Message& m : PendingMessages()) order.push_back(m.message);
  EXPECT_EQ(order, (std::vector<unsigned>{WM_MOUSEMOVE, WM_PAINT, WM_TIMER}));

  Message message{};
  ASSERT_EQ(GetMessage(&message, nullptr, 0, 0), 1);
  DispatchMessage(&message);
  ASSERT_EQ(GetMessage(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.message, (unsigned)WM_PAINT);
  DispatchMessage(&message);   // the default handling validates the window
  ASSERT_EQ(GetMessage(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.message, (unsigned)WM_TIMER);
  EXPECT_EQ(message.wParam, 1u);
  EXPECT_EQ(received, (std::vector<unsigned>{WM_MOUSEMOVE, WM_PAINT}));
}

// An empty queue moves the virtual clock to the next due tick, on the period's grid.
TEST_F(Queue, TheClockJumpsToTheNextTickOnThePeriodsGrid) {
  ASSERT_EQ(SetTimer(window, 1, 50, nullptr), 1u);
  headless::AdvanceClock(570);
  Message message{};
  ASSERT_EQ(GetMessage(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.message, (unsigned)WM_TIMER);
  EXPECT_EQ(headless::Now(), 570u) << "the tick that was due";
  ASSERT_EQ(GetMessage(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(headless::Now(), 600u);
  ASSERT_EQ(GetMessage(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(headless::Now(), 650u);
}

TEST_F(Queue, TimerZeroIsOneAndCallbacksAreRefused) {
  EXPECT_EQ(SetTimer(window, 0, 1, nullptr), 1u) << "timer 0 is reported as 1";
  EXPECT_EQ(SetTimer(window, 7, 50, &received), 0u) << "no callbacks: every tick is WM_TIMER";
}

TEST_F(Queue, PostingToADeadWindowFailsAndItsQueuedMessagesAreDropped) {
  Post(window, WM_APP_PING, 0, 0);
  SendTo(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(Post(window, WM_APP_PING, 0, 0));
  Message message{};
  ASSERT_EQ(GetMessage(&message, nullptr, 0, 0), 0);
  EXPECT_EQ(message.message, (unsigned)WM_QUIT);
  message.window = window;
  message.message = WM_APP_PING;
  EXPECT_EQ(DispatchMessage(&message), 0);
  EXPECT_EQ(received, (std::vector<unsigned>{WM_CLOSE, WM_DESTROY}));
}

// The program's own loop, in small: draw while idle with PeekMessage, wait
// in GetMessage otherwise, stop on WM_QUIT. Frames advance the clock, so the
// timer keeps coming; the idle callback closes the window after 200 ms.
TEST_F(Queue, AnIdleDrivenLoopRunsOnTheVirtualClockAndEndsOnClose) {
  SetTimer(window, 1, 50, nullptr);
  headless::SetFrameTime(20);
  DeviceContext dc = GetDC(window);
  ASSERT_EQ(SetPixelFormat(dc, 1, nullptr), 1) << "nothing is presented without one";
  headless::SetIdleCallback([this] {
    if (headless::Now() >= 200) Post(window, WM_CLOSE, 0, 0);
  });
  int frames = 0;
  Message message{};
  for (;;) {
    while (frames < 1000 && !PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      ++frames;
      SwapBuffers(dc);
    }
    if (GetMessage(&message, nullptr, 0, 0) != 1) break;
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_EQ(frames, 10) << "200 ms of 20 ms frames";
  int ticks = 0;
  for (unsigned m : received) ticks += m == WM_TIMER;
  EXPECT_EQ(ticks, 4) << "ticks at 50, 100, 150 and 200 ms";
  EXPECT_EQ(received.back(), (unsigned)WM_DESTROY);
}

}  // namespace
