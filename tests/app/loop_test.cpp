// The entry and its idle-driven loop, run whole over the headless platform:
// window size and place, frames on request and while spinning, the order of
// input, timer and frame, the exit code after closing.
#include <functional>
#include <string>

#include "input/trackball.h"
#include "panels/panels.h"
#include "panels/resource_ids.h"
#include "render/redraw.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "tests/support/program_state.h"

namespace {

using Loop = ShellTest;

WindowHandle MainWindow() { return headless::FindMainWindow("OpenGL"); }

// Runs the program; at each idle moment (the queue found empty, before a
// frame or before waiting) asks closeNow whether to close the main window.
int RunUntil(const std::function<bool()>& closeNow) {
  int idles = 0;
  bool closed = false;
  headless::SetIdleCallback([&] {
    if (closed) return;
    if (++idles > 20000) ADD_FAILURE() << "the loop never came to the expected state";
    if (idles > 20000 || closeNow()) {
      closed = Post(MainWindow(), WM_CLOSE, 0, 0);
    }
  });
  return ProgramMain(ProgramInstance(), nullptr, "", SW_SHOWDEFAULT);
}

// On a portrait screen four fifths of the width bound the side instead, so
// that the window fits on the screen.
TEST_F(Loop, TheWindowIsSquareAtFourFifthsOfTheScreenHeight) {
  struct Case {
    int screenWidth, screenHeight;
    int side;
  };
  const Case cases[] = {{1280, 1024, 819}, {1024, 768, 614}, {1920, 1080, 864}, {1280, 1200, 960},
                        {640, 480, 384},   {1080, 1920, 864}, {1024, 1280, 819}, {1000, 1000, 800}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.screenWidth) + " x " + std::to_string(c.screenHeight));
    ResetProgramState();
    headless::SetScreenWidth(c.screenWidth);
    headless::SetScreenHeight(c.screenHeight);
    PlatformWindow window, panel;
    int exitCode = RunUntil([&] {
      window = headless::Describe(MainWindow());
      panel = headless::Describe(headless::FindDialog(IDD_MAIN_PANEL));
      return true;
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(windowWidth, c.side);
    EXPECT_EQ(windowHeight, c.side);
    EXPECT_EQ(window.width, c.side);
    EXPECT_EQ(window.height, c.side);
    EXPECT_EQ(window.x, 10);
    EXPECT_EQ(window.y, 10);
    EXPECT_EQ(window.className, "OpenGL");
    EXPECT_EQ(window.text, "  Velmora - free distribution soft");
    EXPECT_EQ(window.style, 0x06CF0000u | WS_VISIBLE);
    EXPECT_EQ(panel.kind, WindowKind::Dialog) << "the main panel is open";
  }
}

TEST_F(Loop, TheMainPanelIsOwnedByTheWindowAndPlacedFromItsClientArea) {
  WindowHandle owner = nullptr;
  PlatformWindow panel;
  RunUntil([&] {
    owner = MainWindow();
    panel = headless::Describe(headless::FindDialog(IDD_MAIN_PANEL));
    return true;
  });
  EXPECT_EQ(panel.owner, owner);
  EXPECT_EQ(panel.x, 10 + 600) << "400 dialog units across, from the window at x = 10";
  EXPECT_EQ(panel.y, 10 + 26) << "16 dialog units down, from the window at y = 10";
  EXPECT_EQ(headless::FindDialog(IDD_MAIN_PANEL), nullptr) << "closing the window closed its panel";
}

TEST_F(Loop, ClosingEndsWithExitCodeZeroAndNoFrameAfterwards) {
  headless::SetScreenHeight(120);
  int framesAtClose = -1;
  int exitCode = RunUntil([&] {
    if (headless::FrameCount() < 3) return false;
    framesAtClose = headless::FrameCount();
    return true;
  });
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(headless::FrameCount(), framesAtClose);
  EXPECT_EQ(redrawHook, nullptr);
  EXPECT_EQ(glContext, nullptr);
  EXPECT_EQ(MainWindow(), nullptr);
}

TEST_F(Loop, RequestsBetweenTwoIdleMomentsGiveOneFrame) {
  headless::SetScreenHeight(120);
  spinning = 0;
  int phase = 0, framesBefore = 0;
  uint64_t timeBefore = 0;
  int framesAfter = -1;
  uint64_t timeAfter = 0;
  RunUntil([&] {
    if (phase == 0 && redrawHook == nullptr) {   // the start-up frame is drawn; the loop is about to wait
      framesBefore = headless::FrameCount();
      timeBefore = headless::Now();
      WindowHandle panel = headless::FindDialog(IDD_MAIN_PANEL);
      for (int i = 0; i < 5; ++i) Post(panel, WM_COMMAND, MakeWParam(IDC_SHAPE_PLANE, BN_CLICKED), 0);
      Post(MainWindow(), WM_PAINT, 0, 0);
      phase = 1;
      return false;
    }
    if (phase == 1 && redrawHook == nullptr) {
      framesAfter = headless::FrameCount();
      timeAfter = headless::Now();
      return true;
    }
    return false;
  });
  EXPECT_EQ(framesBefore, 1) << "the first paint asked for the first frame";
  EXPECT_EQ(framesAfter, framesBefore + 1);
  EXPECT_EQ(timeAfter, timeBefore) << "no tick came in between";
}

TEST_F(Loop, WhileSpinningFramesFollowEachOtherWithoutAnyMessage) {
  headless::SetScreenHeight(120);
  uint64_t timeAtTenFrames = 99;
  int ticksAtTenFrames = -1;
  RunUntil([&] {
    if (headless::FrameCount() < 10) return false;
    timeAtTenFrames = headless::Now();
    ticksAtTenFrames = tickCount;
    return true;
  });
  EXPECT_EQ(timeAtTenFrames, 0u) << "frames take no time here, so no tick was due";
  EXPECT_EQ(ticksAtTenFrames, 0);
  EXPECT_EQ(spinning, 1);
}

TEST_F(Loop, WithoutSpinningEachTickGivesOneFrameAndTheLoopWaitsBetween) {
  headless::SetScreenHeight(120);
  spinning = 0;
  int frames = -1;
  uint64_t now = 0;
  RunUntil([&] {
    if (tickCount < 10 || redrawHook != nullptr) return false;
    frames = headless::FrameCount();
    now = headless::Now();
    return true;
  });
  EXPECT_EQ(frames, 11) << "the start-up frame, then one per tick";
  EXPECT_EQ(now, 500u) << "the loop waited for each tick";
}

TEST_F(Loop, InputAndTimerMessagesGoBeforeTheNextFrame) {
  headless::SetScreenHeight(120);
  headless::SetFrameTime(50);   // each frame lets a tick come due
  int idle = 0, framesAtPress = -1;
  bool ticksKeptUp = true, pressHandledFirst = false;
  RunUntil([&] {
    ++idle;
    if (idle <= 6) {
      ticksKeptUp = ticksKeptUp && tickCount == headless::FrameCount();
      if (idle == 6) {
        framesAtPress = headless::FrameCount();
        Post(MainWindow(), WM_LBUTTONDOWN, 0, MakeLParam(30, 30));
      }
      return false;
    }
    pressHandledFirst = headless::FrameCount() == framesAtPress && CaptureWindow() == MainWindow();
    return true;
  });
  EXPECT_TRUE(ticksKeptUp) << "every tick that came due was handled before the next frame";
  EXPECT_TRUE(pressHandledFirst) << "the button press was handled before the next frame";
  EXPECT_EQ(spinning, 0);
}

intptr_t RefusingProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_CREATE) return -1;
  return DefWindowProc(window, message, wParam, lParam);
}

TEST_F(Loop, AWindowThatCannotBeMadeEndsTheProgramInsteadOfWaiting) {
  // The class name is taken already, by a class whose windows refuse creation.
  WindowClass refusing = {};
  refusing.windowProc = RefusingProc;
  refusing.className = "OpenGL";
  ASSERT_EQ(RegisterClass(&refusing), 1);
  int idles = 0;
  headless::SetIdleCallback([&] { ++idles; });
  EXPECT_EQ(ProgramMain(ProgramInstance(), nullptr, "", SW_SHOWDEFAULT), 1);
  EXPECT_EQ(idles, 0) << "the loop was never entered";
  EXPECT_EQ(headless::FindDialog(IDD_MAIN_PANEL), nullptr);
}

}  // namespace
