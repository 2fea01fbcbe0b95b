// The main window procedure: what creation sets up, the held size, paint,
// mouse, the context-less window and teardown, over the headless platform.
#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "app/main_window.h"
#include "app/pixel_format.h"
#include "input/trackball.h"
#include "render/camera.h"
#include "render/redraw.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "tests/support/program_state.h"

namespace {

using MainWindow = ShellTest;

bool TimerPending(WindowHandle window, uintptr_t id) {
  for (const Message& m : PendingMessages())
    if (m.message == WM_TIMER && m.window == window && m.wParam == id) return true;
  return false;
}

bool QuitPending(uintptr_t* code) {
  for (const Message& m : PendingMessages())
    if (m.message == WM_QUIT) {
      *code = m.wParam;
      return true;
    }
  return false;
}

TEST_F(MainWindow, CreationLeavesTheSceneReadyWithoutAFrame) {
  tempGrid[5][3] = 7.0;   // whatever the grid held before
  WindowHandle window = OpenMainWindow(96);
  ASSERT_NE(window, nullptr);

  EXPECT_NE(glContext, nullptr);
  ASSERT_NE(mainDC, nullptr);
  EXPECT_EQ(WindowFromDC(mainDC), window);
  EXPECT_EQ(GetDC(window), mainDC) << "the class's own device context, kept for the window's life";
  EXPECT_EQ(headless::Describe(window).pixelFormat, 1);
  EXPECT_EQ(glPalette, nullptr) << "a true-colour format needs no palette";

  EXPECT_EQ(tempGrid[5][3], 1.0);
  EXPECT_EQ(tempGrid[11][0], 2.3);

  float view[16];
  CurrentModelview(view);
  EXPECT_FLOAT_EQ(view[14], -5.7f) << "the view transform at the initial camera distance";
  EXPECT_FLOAT_EQ(view[12], 0.0f);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 96);
  EXPECT_EQ(viewport[3], 96);

  // A turn of -60 degrees about the vertical axis.
  EXPECT_NEAR(rotation[0], 0.5f, 1e-6);
  EXPECT_NEAR(rotation[2], 0.8660254f, 1e-6);
  EXPECT_NEAR(rotation[8], -0.8660254f, 1e-6);
  EXPECT_NEAR(rotation[5], 1.0f, 1e-6);
  EXPECT_NEAR(rotation[10], 0.5f, 1e-6);

  EXPECT_FALSE(RedrawRequested()) << "the first request comes from the first paint or tick";
  EXPECT_EQ(headless::FrameCount(), 0);
}

TEST_F(MainWindow, TimerOneTicksEveryFiftyMilliseconds) {
  WindowHandle window = OpenMainWindow();
  headless::AdvanceClock(49);
  EXPECT_FALSE(TimerPending(window, 1));
  headless::AdvanceClock(1);
  EXPECT_TRUE(TimerPending(window, 1));
}

TEST_F(MainWindow, TheOuterSizeSnapsBackAtTheSamePlace) {
  struct Case {
    const char* what;
    int width, height;
  };
  const Case cases[] = {
      {"dragged larger", 300, 250},
      {"dragged smaller", 40, 60},
      {"maximised", 1280, 1024},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetProgramState();
    WindowHandle window = OpenMainWindow(96);
    glViewport(0, 0, 1, 1);
    size_t callsBefore = headless::WindowPosCalls().size();

    Resized(window, c.width, c.height);

    PlatformWindow info = headless::Describe(window);
    EXPECT_EQ(info.width, 96);
    EXPECT_EQ(info.height, 96);
    EXPECT_EQ(info.x, 10);
    EXPECT_EQ(info.y, 10);
    ASSERT_GT(headless::WindowPosCalls().size(), callsBefore);
    const headless::WindowPosCall& call = headless::WindowPosCalls()[callsBefore];
    EXPECT_EQ(call.window, window);
    EXPECT_EQ(call.insertAfter, nullptr);
    EXPECT_EQ(call.width, 96);
    EXPECT_EQ(call.height, 96);
    EXPECT_EQ(call.flags, (unsigned)SWP_NOMOVE);
    // The nested WM_SIZE finds the size right and asks for no further change.
    EXPECT_EQ(headless::WindowPosCalls().size(), callsBefore + 2);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 96) << "the viewport is set again";
    EXPECT_EQ(viewport[3], 96);
  }
}

TEST_F(MainWindow, PaintValidatesAndRequestsAFrameWithoutDrawing) {
  WindowHandle window = OpenMainWindow();
  ShowWindow(window, SW_SHOWNORMAL);
  ASSERT_TRUE(headless::Describe(window).needsPaint);

  EXPECT_EQ(SendTo(window, WM_PAINT, 0, 0), 0);

  EXPECT_FALSE(headless::Describe(window).needsPaint);
  EXPECT_EQ(headless::Describe(window).paintCount, 1);
  EXPECT_TRUE(RedrawRequested());
  EXPECT_EQ(headless::FrameCount(), 0) << "frames come only from the idle loop";
}

TEST_F(MainWindow, MouseMessagesReachTheTrackballWithSignedCoordinates) {
  WindowHandle window = OpenMainWindow();
  EXPECT_EQ(SendTo(window, WM_LBUTTONDOWN, 0, MakeLParam(-5, -7)), 0);
  EXPECT_EQ(CaptureWindow(), window);
  EXPECT_EQ(spinning, 0);
  EXPECT_EQ(pressX, -5) << "beyond the left edge, x is negative";
  EXPECT_EQ(pressY, -7) << "above the top edge, y is negative";
  EXPECT_EQ(SendTo(window, WM_LBUTTONUP, 0, MakeLParam(-5, -7)), 0);
  EXPECT_EQ(CaptureWindow(), nullptr);

  EXPECT_EQ(SendTo(window, WM_RBUTTONDOWN, 0, MakeLParam(10, 50)), 0);
  EXPECT_EQ(zoomDrag, 1);
  redrawHook = nullptr;
  SendTo(window, WM_MOUSEMOVE, 0, MakeLParam(10, 30));
  EXPECT_FLOAT_EQ(modelScale, 2.0f * 1.1f) << "moving up zooms in";
  EXPECT_TRUE(RedrawRequested());
  EXPECT_EQ(SendTo(window, WM_RBUTTONUP, 0, 0), 0);
  EXPECT_EQ(zoomDrag, 0);
  EXPECT_EQ(CaptureWindow(), nullptr);
}

TEST_F(MainWindow, WithoutAContextTheClockRunsAndEverythingElseIsDefault) {
  headless::FailCreateContext(true);
  WindowHandle window = OpenMainWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(glContext, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);

  // Paint: default handling validates, and asks for no frame.
  EXPECT_EQ(SendTo(window, WM_PAINT, 0, 0), 0);
  EXPECT_FALSE(headless::Describe(window).needsPaint);
  EXPECT_EQ(headless::Describe(window).paintCount, 0) << "MainWndProc did not paint";
  // Mouse: nothing reaches the trackball.
  SendTo(window, WM_LBUTTONDOWN, 0, MakeLParam(20, 20));
  SendTo(window, WM_RBUTTONDOWN, 0, MakeLParam(20, 20));
  SendTo(window, WM_MOUSEMOVE, 0, MakeLParam(20, 5));
  EXPECT_EQ(CaptureWindow(), nullptr);
  EXPECT_EQ(spinning, 1);
  EXPECT_EQ(zoomDrag, 0);
  EXPECT_FLOAT_EQ(modelScale, 2.0f);
  // Size: not held.
  size_t callsBefore = headless::WindowPosCalls().size();
  Resized(window, 300, 200);
  EXPECT_EQ(headless::WindowPosCalls().size(), callsBefore);
  EXPECT_EQ(headless::Describe(window).width, 300);
  EXPECT_FALSE(RedrawRequested());

  // The clock still steps the simulation and asks for frames.
  EXPECT_EQ(SendTo(window, WM_TIMER, 1, 0), 0);
  EXPECT_EQ(tickCount, 1);
  EXPECT_GT(tempGrid[10][0], 1.0) << "one step heats the row next to the surface";
  EXPECT_TRUE(RedrawRequested());
  // Such a frame draws into no context and presents nothing, without harm.
  IdleRedraw();
  EXPECT_EQ(headless::FrameCount(), 0);
}

TEST_F(MainWindow, PaletteMessagesWithoutAPaletteGoToDefaultHandling) {
  WindowHandle window = OpenMainWindow();
  const uintptr_t other = 12345;   // another window's handle
  size_t callsBefore = headless::PaletteCalls().size();
  redrawHook = nullptr;

  EXPECT_EQ(SendTo(window, WM_QUERYNEWPALETTE, 0, 0), 0);
  EXPECT_EQ(SendTo(window, WM_PALETTECHANGED, other, 0), 0);

  EXPECT_EQ(headless::PaletteCalls().size(), callsBefore);
  EXPECT_FALSE(RedrawRequested());
}

TEST_F(MainWindow, PaletteMessagesWithAPaletteRealiseItAgain) {
  UseThreeThreeTwoFormat();
  WindowHandle window = OpenMainWindow();
  ASSERT_NE(glPalette, nullptr);
  struct Case {
    const char* what;
    unsigned message;
    uintptr_t wParam;
    intptr_t result;
    bool realised;
  };
  const Case cases[] = {
      {"the window gets the focus", WM_QUERYNEWPALETTE, 0, 1, true},
      {"another window changed the palette", WM_PALETTECHANGED, 12345, 0, true},
      {"this window changed it", WM_PALETTECHANGED, (uintptr_t)window, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    redrawHook = nullptr;
    size_t before = headless::PaletteCalls().size();
    EXPECT_EQ(SendTo(window, c.message, c.wParam, 0), c.result);
    const std::vector<headless::PaletteCall>& calls = headless::PaletteCalls();
    if (!c.realised) {
      EXPECT_EQ(calls.size(), before);
      EXPECT_FALSE(RedrawRequested());
      continue;
    }
    ASSERT_EQ(calls.size(), before + 3);
    EXPECT_EQ(calls[before].op, PaletteOp::Unrealize);
    EXPECT_EQ(calls[before].palette, glPalette);
    EXPECT_EQ(calls[before + 1].op, PaletteOp::Select);
    EXPECT_EQ(calls[before + 1].dc, mainDC);
    EXPECT_EQ(calls[before + 1].forceBackground, 0) << "as a foreground palette";
    EXPECT_EQ(calls[before + 2].op, PaletteOp::Realize);
    EXPECT_TRUE(RedrawRequested());
  }
}

TEST_F(MainWindow, ASizeMessageWithoutAContextIsTakenAsAPaletteChange) {
  UseThreeThreeTwoFormat();
  headless::FailCreateContext(true);
  WindowHandle window = OpenMainWindow();
  ASSERT_NE(glPalette, nullptr);
  redrawHook = nullptr;
  size_t before = headless::PaletteCalls().size();

  EXPECT_EQ(SendTo(window, WM_SIZE, SIZE_RESTORED, MakeLParam(50, 50)), 0);

  ASSERT_EQ(headless::PaletteCalls().size(), before + 3);
  EXPECT_EQ(headless::PaletteCalls()[before].op, PaletteOp::Unrealize);
  EXPECT_TRUE(RedrawRequested());
}

TEST_F(MainWindow, ClosingReleasesTheContextStopsTheTimerAndPostsQuitZero) {
  WindowHandle window = OpenMainWindow();
  redrawHook = IdleRedraw;

  EXPECT_EQ(SendTo(window, WM_CLOSE, 0, 0), 0);

  EXPECT_FALSE(Live(window));
  EXPECT_EQ(glContext, nullptr);
  EXPECT_EQ(mainDC, nullptr);
  EXPECT_EQ(redrawHook, nullptr) << "no frame after WM_DESTROY";
  int width = -1, height = -1;
  EXPECT_TRUE(headless::ReadPixels(&width, &height).empty()) << "no context is current";
  uintptr_t code = 99;
  ASSERT_TRUE(QuitPending(&code));
  EXPECT_EQ(code, 0u);
  headless::AdvanceClock(500);
  EXPECT_FALSE(TimerPending(window, 1));
}

}  // namespace
