// Mouse input of a program window: client coordinates as signed 16-bit
// halves, capture keeping a drag beyond the window, its release; close
// requests; a user's resize reaching the procedure as WM_SIZE.
#include "tests/platform/support.h"

#include <X11/keysym.h>

namespace {

const int kLeft = 100, kTop = 120, kSize = 200;
bool snapBack = false;

intptr_t InputProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  Hear(window, message, wParam, lParam);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      SetCapture(window);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      ReleaseCapture();
      return 0;
    case WM_SIZE:
      if (snapBack) SetWindowPos(window, nullptr, 80, 80, kSize, kSize, SWP_NOMOVE);
      return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

intptr_t PanelProc(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t lParam) {
  Hear(dialog, message, wParam, lParam);
  return 0;
}

class InputTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    OpenDisplayForTests();
    WindowClass wc{CS_OWNDC, InputProc, ProgramInstance(), nullptr, nullptr, "InputTest"};
    RegisterClass(&wc);
  }
  void SetUp() override {
    heard.clear();
    snapBack = false;
    window = CreateWindow("InputTest", "input", WS_OVERLAPPEDWINDOW, kLeft, kTop, kSize, kSize, nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    ASSERT_TRUE(WaitViewable(window));
    Drain();
    heard.clear();
  }
  void TearDown() override {
    Button(1, false);
    Button(3, false);
    if (Live(window)) DefWindowProc(window, WM_CLOSE, 0, 0);
    Drain();
  }
  // Waits for the next mouse message of the window and returns it.
  const Heard* NextMouse(unsigned message) {
    size_t from = heard.size();
    bool got = PumpUntil([&] {
      for (size_t i = from; i < heard.size(); ++i)
        if (heard[i].message == message) return true;
      return false;
    }, 5.0);
    if (!got) return nullptr;
    for (size_t i = from; i < heard.size(); ++i)
      if (heard[i].message == message) return &heard[i];
    return nullptr;
  }
  WindowHandle window = nullptr;
};

TEST_F(InputTest, PositionsAreClientCoordinatesAndACapturedDragGoesBeyondTheWindow) {
  MovePointer(kLeft + 50, kTop + 60);
  const Heard* move = NextMouse(WM_MOUSEMOVE);
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(SignedLoWord(move->lParam), 50);
  EXPECT_EQ(SignedHiWord(move->lParam), 60);

  Button(1, true);
  const Heard* down = NextMouse(WM_LBUTTONDOWN);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(SignedLoWord(down->lParam), 50);
  EXPECT_EQ(SignedHiWord(down->lParam), 60);

  MovePointer(kLeft - 30, kTop - 20);   // above and left of the window: negative coordinates
  move = NextMouse(WM_MOUSEMOVE);
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(SignedLoWord(move->lParam), -30);
  EXPECT_EQ(SignedHiWord(move->lParam), -20);

  Button(1, false);
  const Heard* up = NextMouse(WM_LBUTTONUP);
  ASSERT_NE(up, nullptr) << "the release outside reaches the window holding the capture";
  EXPECT_EQ(SignedLoWord(up->lParam), -30);
  EXPECT_EQ(SignedHiWord(up->lParam), -20);
  EXPECT_EQ(CaptureWindow(), nullptr);
}

TEST_F(InputTest, ReleasingEitherButtonEndsTheCapture) {
  MovePointer(kLeft + 10, kTop + 10);
  Button(3, true);
  ASSERT_NE(NextMouse(WM_RBUTTONDOWN), nullptr);
  Button(1, true);
  ASSERT_NE(NextMouse(WM_LBUTTONDOWN), nullptr);
  Button(3, false);
  ASSERT_NE(NextMouse(WM_RBUTTONUP), nullptr);
  EXPECT_EQ(CaptureWindow(), nullptr);

  // the left button is still down, but nothing holds the capture any more
  heard.clear();
  MovePointer(kLeft + kSize + 40, kTop + 10);
  PumpFor(0.2);
  for (const Heard& s : heard) {
    if (s.message == WM_MOUSEMOVE) {
      EXPECT_LT(SignedLoWord(s.lParam), kSize) << "a move outside arrived";
    }
  }
  MovePointer(kLeft + 20, kTop + 30);
  const Heard* move = NextMouse(WM_MOUSEMOVE);
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(SignedLoWord(move->lParam), 20);
  EXPECT_EQ(SignedHiWord(move->lParam), 30);
  Button(1, false);
  ASSERT_NE(NextMouse(WM_LBUTTONUP), nullptr);
}

TEST_F(InputTest, WithoutCaptureAReleaseOutsideIsNotDelivered) {
  // A procedure that never captures: press inside, release outside.
  ReleaseCapture();
  MovePointer(kLeft + 10, kTop + 10);
  Button(1, true);
  ASSERT_NE(NextMouse(WM_LBUTTONDOWN), nullptr);
  ReleaseCapture();
  MovePointer(kLeft + kSize + 50, kTop + 10);
  Button(1, false);
  PumpFor(0.3);
  EXPECT_EQ(CountHeard(WM_LBUTTONUP), 0);
}

TEST_F(InputTest, ACloseRequestBecomesWmCloseAndDestroysTheWindowWithWhatItOwns) {
  WindowHandle panel = CreateDialogParam(ProgramInstance(), "Panel", window, PanelProc, 0);
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitViewable(panel));
  SendCloseRequest(window);
  ASSERT_TRUE(PumpUntil([&] { return !Live(window); }));
  EXPECT_EQ(CountHeard(WM_CLOSE, window), 1);
  EXPECT_EQ(CountHeard(WM_DESTROY, window), 1);
  EXPECT_EQ(CountHeard(WM_DESTROY, panel), 1) << "the owned panel goes with its owner";
  EXPECT_FALSE(Live(panel));
  // the owned panel is destroyed first
  int panelAt = -1, windowAt = -1;
  for (size_t i = 0; i < heard.size(); ++i) {
    if (heard[i].message != WM_DESTROY) continue;
    if (heard[i].window == panel) panelAt = (int)i;
    if (heard[i].window == window) windowAt = (int)i;
  }
  EXPECT_LT(panelAt, windowAt);
}

TEST_F(InputTest, APanelWithoutCloseBoxIgnoresCloseRequestsAndEscape) {
  WindowHandle panel = CreateDialogParam(ProgramInstance(), "Panel", window, PanelProc, 0);
  ASSERT_TRUE(WaitViewable(panel));
  SendCloseRequest(panel);
  int x, y, w, h;
  Geometry(panel, &x, &y, &w, &h);
  MovePointer(x + 5, y + h - 5);
  Button(1, true);
  Button(1, false);
  Key(XK_Escape, true);
  Key(XK_Escape, false);
  Key(XK_Tab, true);
  Key(XK_Tab, false);
  PumpFor(0.4);
  EXPECT_TRUE(Live(panel));
  EXPECT_EQ(CountHeard(WM_CLOSE, panel), 0);
  EXPECT_EQ(CountHeard(WM_COMMAND, panel), 0) << "Escape is no cancel command, Tab no navigation";
  XWindowAttributes a{};
  XGetWindowAttributes(PlatformDisplay(), XWindowOf(panel), &a);
  EXPECT_EQ(a.map_state, IsViewable);
}

TEST_F(InputTest, ADialogWithACloseBoxHearsTheCloseRequest) {
  WindowHandle dialog = CreateDialogParam(ProgramInstance(), "Closable", nullptr, PanelProc, 0);
  ASSERT_TRUE(WaitViewable(dialog));
  SendCloseRequest(dialog);
  ASSERT_TRUE(PumpUntil([&] { return CountHeard(WM_CLOSE, dialog) == 1; }));
  EXPECT_TRUE(Live(dialog)) << "a dialog procedure decides what closing means";
  EXPECT_EQ(EndDialog(dialog, 0), 1);
  EXPECT_FALSE(Live(dialog));
  EXPECT_EQ(CountHeard(WM_DESTROY, dialog), 1);
  EXPECT_EQ(EndDialog(dialog, 0), 0) << "a stale handle is refused, not used";
}

TEST_F(InputTest, AResizeFromOutsideReachesTheProcedureWhichSnapsItBack) {
  snapBack = true;
  ResizeFromOutside(window, 320, 150);
  ASSERT_TRUE(PumpUntil([&] {
    for (const Heard& s : heard)
      if (s.message == WM_SIZE && LoWord(s.lParam) == 320 && HiWord(s.lParam) == 150) return true;
    return false;
  }));
  ASSERT_TRUE(PumpUntil([&] {
    int x, y, w, h;
    Geometry(window, &x, &y, &w, &h);
    return w == kSize && h == kSize;
  }));
  const Heard* last = LastHeard(WM_SIZE, window);
  EXPECT_EQ(LoWord(last->lParam), (unsigned)kSize) << "the nested WM_SIZE carries the size snapped back";
  int x, y, w, h;
  Geometry(window, &x, &y, &w, &h);
  EXPECT_EQ(x, kLeft);
  EXPECT_EQ(y, kTop);
}

}  // namespace
