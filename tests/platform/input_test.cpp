// Input of a program window through the real server: the mouse in client
// coordinates as signed 16-bit halves, capture keeping a drag beyond the
// window, its release; the keys as virtual keys and characters, a held key
// repeating, a Shift pressed before the program had the keyboard, the
// focused button's mark and pressed look as drawn; close requests; a user's
// resize reaching the procedure as WM_SIZE. What every backend shares is
// tested in tests/contract.
#include "tests/platform/support.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>
#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <functional>

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
    XSetInputFocus(PlatformDisplay(), PointerRoot, RevertToPointerRoot, CurrentTime);   // the server's default
    Drain();
  }
  // The server's keyboard to the window, as a window manager gives it.
  void TakeKeyboard() { XSetInputFocus(PlatformDisplay(), XWindowOf(window), RevertToParent, CurrentTime); }
  // As a loop without a dialog takes the keys: translated, then dispatched;
  // false when done() does not hold within five seconds.
  static bool TranslateUntil(const std::function<bool()>& done) {
    for (int look = 0; look < 500; ++look) {
      Message m;
      while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE_FLAG)) {
        if (m.message == WM_QUIT) continue;
        TranslateMessage(&m);
        DispatchMessage(&m);
      }
      if (done()) return true;
      Fl::wait(0.01);
    }
    return false;
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

// The keys the program and the dialog manager act on, as the server's
// keysyms come (the keypad's arrows with Num Lock off); any other key that
// types is known by its character alone.
TEST_F(InputTest, EachKeyComesAsItsVirtualKeyAndWhatItTypes) {
  struct Case {
    KeySym symbol;
    unsigned key, character;
  };
  const Case cases[] = {
      {XK_space, VK_SPACE, ' '},    {XK_Left, VK_LEFT, 0},       {XK_Right, VK_RIGHT, 0},
      {XK_Up, VK_UP, 0},            {XK_Down, VK_DOWN, 0},       {XK_Prior, VK_PRIOR, 0},
      {XK_Next, VK_NEXT, 0},        {XK_KP_Left, VK_LEFT, 0},    {XK_KP_Prior, VK_PRIOR, 0},
      {XK_KP_Add, VK_ADD, '+'},     {XK_KP_Subtract, VK_SUBTRACT, '-'},
      {XK_equal, VK_PACKET, '='},   {XK_minus, VK_PACKET, '-'},  {XK_F6, VK_F6, 0},
      {XK_Tab, VK_TAB, '\t'},       {XK_Return, VK_RETURN, '\r'}, {XK_KP_Enter, VK_RETURN, '\r'},
      {XK_Escape, VK_ESCAPE, 0x1B},
  };
  TakeKeyboard();
  for (const Case& c : cases) {
    SCOPED_TRACE(XKeysymToString(c.symbol));
    heard.clear();
    Key(c.symbol, true);
    Key(c.symbol, false);
    ASSERT_TRUE(TranslateUntil([&] { return CountHeard(WM_KEYUP, window) > 0; }));
    const Heard* down = LastHeard(WM_KEYDOWN, window);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->wParam, c.key);
    EXPECT_EQ(LastHeard(WM_KEYUP, window)->wParam, c.key) << "it comes up as it went down";
    const Heard* typed = LastHeard(WM_CHAR, window);
    EXPECT_EQ(typed ? typed->wParam : 0u, c.character);
  }
}

// The server repeats a held key; the program sees repeated downs marked as
// such and one up at the end (no ups in between).
TEST_F(InputTest, AKeyHeldRepeatsItsDownUntilItComesUp) {
  TakeKeyboard();
  Key(XK_Right, true);
  bool repeated = PumpUntil([&] { return CountHeard(WM_KEYDOWN, window) >= 3; }, 10.0);
  Key(XK_Right, false);
  ASSERT_TRUE(repeated) << "the server repeats a key held (auto repeat on, as xset q says)";
  ASSERT_TRUE(PumpUntil([&] { return CountHeard(WM_KEYUP, window) > 0; }, 5.0));
  int downs = 0;
  for (const Heard& h : heard) {
    if (h.window != window || (h.message != WM_KEYDOWN && h.message != WM_KEYUP)) continue;
    EXPECT_EQ(h.wParam, (uintptr_t)VK_RIGHT);
    if (h.message == WM_KEYDOWN) {
      EXPECT_EQ((HiWord((uintptr_t)h.lParam) & KF_REPEAT) != 0, downs++ > 0) << "only the first is new";
    }
  }
  EXPECT_EQ(CountHeard(WM_KEYUP, window), 1);
}

TEST_F(InputTest, AShiftPressedBeforeTheProgramHadTheKeyboardStillMakesShiftTab) {
  Display* display = PlatformDisplay();
  XSetInputFocus(display, None, RevertToNone, CurrentTime);
  Key(XK_Shift_L, true);
  TakeKeyboard();
  Key(XK_Tab, true);
  Key(XK_Tab, false);
  Key(XK_Shift_L, false);
  ASSERT_TRUE(PumpUntil([&] { return CountHeard(WM_KEYUP, window) >= 2; }, 5.0));
  std::vector<std::pair<unsigned, uintptr_t>> keys;
  for (const Heard& h : heard)
    if (h.window == window && (h.message == WM_KEYDOWN || h.message == WM_KEYUP)) keys.push_back({h.message, h.wParam});
  const std::vector<std::pair<unsigned, uintptr_t>> expected = {
      {WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, VK_TAB}, {WM_KEYUP, VK_TAB}, {WM_KEYUP, VK_SHIFT}};
  EXPECT_EQ(keys, expected);
}

// WCAG's 3:1 between the focus mark and the face it is drawn on.
double Luminance(unsigned long rgb) {
  auto channel = [](unsigned long v) {
    const double c = (double)(v & 0xFF) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(rgb >> 16) + 0.7152 * channel(rgb >> 8) + 0.0722 * channel(rgb);
}
double Contrast(unsigned long a, unsigned long b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Looked at down the left side of the button's face, away from its label:
// no mark without the focus; with it, every other pixel of a line inside the
// edge (the default button's black frame and the raised edge, then one
// pixel of face), at 3:1 or more against the face. Held down by Space the
// button is drawn pressed.
TEST_F(InputTest, TheFocusedButtonShowsADottedMarkAndSpaceDrawsItPressed) {
  WindowHandle panel = CreateDialogParam(ProgramInstance(), "Panel", window, PanelProc, 0);
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitViewable(panel));
  WindowHandle button = GetDlgItem(panel, 1008);
  const Fl_Widget* widget = button->native->widget;
  const int x = widget->x(), top = widget->y(), h = widget->h();
  auto column = [&](int at) {
    std::vector<unsigned long> pixels;
    for (int y = top + 5; y < top + h - 5; ++y) pixels.push_back(PixelAt(panel, at, y));
    return pixels;
  };
  const unsigned long face = PixelAt(panel, x + 6, top + h / 2);
  SetFocus(window);
  PumpFor(0.2);
  for (unsigned long pixel : column(x + 4)) EXPECT_EQ(pixel, face) << "no mark without the focus";

  SetFocus(button);
  PumpFor(0.2);
  const std::vector<unsigned long> marked = column(x + 4);
  int dots = 0;
  for (size_t i = 0; i < marked.size(); ++i) {
    if (marked[i] == face) continue;
    ++dots;
    EXPECT_GE(Contrast(marked[i], face), 3.0) << "pixel " << i;
    if (i > 0) {
      EXPECT_EQ(marked[i - 1], face) << "dotted: every other pixel";
    }
  }
  EXPECT_GE(dots, (int)marked.size() / 2 - 1);

  const unsigned long raised = PixelAt(panel, x + 2, top + 2);
  Key(XK_space, true);
  EXPECT_TRUE(PumpUntil([&] { return PixelAt(panel, x + 2, top + 2) != raised; }, 5.0)) << "drawn pressed";
  EXPECT_EQ(CountHeard(WM_COMMAND, panel), 0) << "clicked only when Space comes up";
  Key(XK_space, false);
  EXPECT_TRUE(PumpUntil([&] { return CountHeard(WM_COMMAND, panel) == 1; }, 5.0));
  EXPECT_TRUE(PumpUntil([&] { return PixelAt(panel, x + 2, top + 2) == raised; }, 5.0)) << "and raised again";
}

}  // namespace
