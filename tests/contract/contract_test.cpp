// What the program relies on platform.h for, stated once and run on every
// backend: headless, x11 (on an X server) and win32 (under Wine). The suite
// is a program of its own: each backend's entry calls ProgramMain, which runs
// the tests. It calls platform.h and OpenGL only; what platform.h cannot say
// (where a window is, how time passes) and where the backends differ on
// purpose is asked of backend_probe.h.
#include "tests/contract/backend_probe.h"
#include "tests/support/heard.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr unsigned kRemove = 1;   // PeekMessage's PM_REMOVE, which the program never uses
InstanceHandle programInstance = nullptr;
const char* programCommandLine = nullptr;
int programShowCommand = -1;

// ---- resources: one template whose hidden ruler gives away the base units
const unsigned kShown = WS_CHILD | WS_VISIBLE;
const DialogItem unitItems[] = {
    {10, "STATIC", "", WS_CHILD, 4, 8, 400, 800},   // 100 base units wide and high
    {11, "BUTTON", "0.4", kShown | WS_TABSTOP, 77, 13, 56, 10},
    {12, "SCROLLBAR", "", kShown | SBS_VERT, 8, 5, 10, 66},
    {-1, "BUTTON", "group", kShown | BS_GROUPBOX, 64, 2, 82, 59},
};
// and one whose tab stops are shown, hidden and beside a text
const DialogItem keyItems[] = {
    {21, "BUTTON", "one", kShown | WS_TABSTOP, 10, 10, 50, 14},
    {22, "BUTTON", "hidden", WS_CHILD | WS_TABSTOP, 10, 28, 50, 14},
    {-1, "STATIC", "text", kShown, 70, 10, 50, 14},
    {23, "BUTTON", "two", kShown | WS_TABSTOP, 10, 46, 50, 14},
    {24, "BUTTON", "three", kShown | WS_TABSTOP, 10, 64, 50, 14},
};
const DialogTemplate dialogs[] = {
    {"Units", WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 40, 16, 160, 100, "units",
     "Arial", 10, unitItems, 4},
    {"Keys", WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 40, 16, 160, 100, "keys",
     "Arial", 10, keyItems, 5},
};
const ResourceTable contractResources = {dialogs, 2, nullptr, 0, nullptr, 0};

// ---- what the procedures heard: the messages of platform.h, in order ------------
void HearOwn(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_CREATE: case WM_DESTROY: case WM_SIZE: case WM_PAINT: case WM_CLOSE: case WM_TIMER:
    case WM_INITDIALOG: case WM_COMMAND: case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR:
      Hear(window, message, wParam, lParam);
  }
}
bool shownAtInit = true;

intptr_t MainProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  HearOwn(window, message, wParam, lParam);
  if (message == WM_PAINT) {
    PaintStruct paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

intptr_t PanelProc(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t lParam) {
  HearOwn(dialog, message, wParam, lParam);
  if (message == WM_INITDIALOG) {
    shownAtInit = probe::Shown(dialog);
    EXPECT_NE(GetDlgItem(dialog, 11), nullptr) << "the controls are made before WM_INITDIALOG";
    return 1;
  }
  return 0;
}

// Dispatches what is queued until done() holds; false when it does not
// within ten seconds (a guard against hanging, not a timing).
bool PumpUntil(const std::function<bool()>& done) {
  const uint64_t giveUp = probe::NowMs() + 10000;
  Message m;
  while (!done()) {
    if (probe::NowMs() > giveUp) return false;
    if (PeekMessage(&m, nullptr, 0, 0, kRemove)) DispatchMessage(&m);
    else probe::Pass(5);
  }
  return true;
}

// The same, as a program's loop with a dialog takes the user's keys: the
// dialog manager first, then translated (WM_CHAR) and dispatched.
bool PumpKeysUntil(WindowHandle dialog, const std::function<bool()>& done) {
  const uint64_t giveUp = probe::NowMs() + 10000;
  Message m;
  while (!done()) {
    if (probe::NowMs() > giveUp) return false;
    if (!PeekMessage(&m, nullptr, 0, 0, kRemove)) {
      probe::Pass(5);
    } else if (dialog == nullptr || !IsDialogMessage(dialog, &m)) {
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
  }
  return true;
}

// The messages queued now, each taken and dispatched.
std::vector<Message> Drain() {
  std::vector<Message> taken;
  Message m;
  while (PeekMessage(&m, nullptr, 0, 0, kRemove)) {
    taken.push_back(m);
    if (m.message != WM_QUIT) DispatchMessage(&m);
  }
  return taken;
}

int CountOf(const std::vector<Message>& messages, unsigned message, WindowHandle window) {
  int n = 0;
  for (const Message& m : messages) n += m.message == message && m.window == window;
  return n;
}

void Close(WindowHandle window) {
  Message close{window, WM_CLOSE, 0, 0};
  DispatchMessage(&close);
}

class Contract : public ::testing::Test {
 protected:
  void SetUp() override { heard.clear(); }
  void TearDown() override {
    for (WindowHandle window : made) Close(window);
    Drain();
  }
  WindowHandle MakeMain() {
    WindowHandle window = CreateWindow("Contract", "contract", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN |
                                       WS_CLIPSIBLINGS, 40, 40, 320, 240, nullptr);
    made.push_back(window);
    return window;
  }
  WindowHandle MakeShownMain() {
    WindowHandle window = MakeMain();
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    EXPECT_TRUE(PumpUntil([&] { return CountHeard(WM_PAINT, window) > 0; })) << "the first paint";
    return window;
  }
  WindowHandle MakePanel(WindowHandle owner, intptr_t param = 0) {
    return CreateDialogParam(programInstance, "Units", owner, PanelProc, param);
  }
  std::vector<WindowHandle> made;
};

// ---- the entry ------------------------------------------------------------------------
TEST_F(Contract, TheEntryHandsOverTheInstanceNoArgumentsAndTheDefaultShow) {
  EXPECT_NE(programInstance, nullptr);
  EXPECT_STREQ(programCommandLine, "");
  EXPECT_EQ(programShowCommand, (int)SW_SHOWDEFAULT);
}

// ---- windows ------------------------------------------------------------------------
TEST_F(Contract, CreationSendsWmCreateAndTheFirstShowWmSizeWithTheClientSize) {
  WindowHandle window = MakeMain();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(heard.size(), 1u) << "heard before CreateWindow returned";
  EXPECT_EQ(heard[0].message, (unsigned)WM_CREATE);
  EXPECT_FALSE(probe::Shown(window));
  EXPECT_EQ(ShowWindow(window, SW_SHOWNORMAL), 0) << "it was hidden";
  ASSERT_EQ(CountHeard(WM_SIZE, window), 1);
  const probe::Box client = probe::Client(window);
  EXPECT_EQ(LastHeard(WM_SIZE, window)->lParam, MakeLParam(client.width, client.height));
  if (probe::kCreateSizeIsOuter) {
    EXPECT_TRUE(client.width > 0 && client.width < 320 && client.height > 0 && client.height < 240);
  } else {
    EXPECT_EQ(client.width, 320);
    EXPECT_EQ(client.height, 240);
  }
  EXPECT_NE(ShowWindow(window, SW_SHOWNORMAL), 0) << "it was shown";
  EXPECT_TRUE(probe::Shown(window));
  EXPECT_EQ(CountHeard(WM_SIZE, window), 1) << "once";
  EXPECT_EQ(GetWindowLong(window, GWL_HINSTANCE), (intptr_t)programInstance);
  EXPECT_EQ(CreateWindow("Unregistered", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr), nullptr);
  EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
  EXPECT_GT(GetSystemMetrics(SM_CYSCREEN), 0);
}

TEST_F(Contract, ClosingDestroysTheOwnedWindowsFirstAndStaleHandlesAreRefused) {
  WindowHandle owner = MakeShownMain();
  WindowHandle panel = MakePanel(owner);
  WindowHandle lonely = MakePanel(nullptr);
  ASSERT_TRUE(panel && lonely);
  SetCapture(owner);
  heard.clear();
  Close(owner);
  std::vector<WindowHandle> destroyed;
  for (const Heard& h : heard)
    if (h.message == WM_DESTROY) destroyed.push_back(h.window);
  EXPECT_EQ(destroyed, (std::vector<WindowHandle>{panel, owner})) << "the window without owner stays";
  EXPECT_EQ(GetDlgItem(panel, 11), nullptr);
  EXPECT_EQ(ShowWindow(owner, SW_SHOWNORMAL), 0);
  EXPECT_EQ(InvalidateRect(owner, nullptr, 0), 0);
  EXPECT_EQ(SetTimer(owner, 1, 10, nullptr), 0u);
  EXPECT_EQ(GetDC(owner), nullptr);
  EXPECT_EQ(SetCapture(lonely), nullptr) << "the capture went with its window";
  ReleaseCapture();

  Close(lonely);
  EXPECT_TRUE(probe::Shown(lonely)) << "a dialog's procedure decides about its close";
  EXPECT_NE(EndDialog(lonely, 0), 0);
  EXPECT_EQ(CountHeard(WM_DESTROY, lonely), 1);
  EXPECT_EQ(GetDlgItem(lonely, 11), nullptr);
  EXPECT_EQ(EndDialog(lonely, 0), 0) << "a dialog ends once";
}

// ---- the queue ------------------------------------------------------------------------
TEST_F(Contract, QuitCarriesItsCodeAndALookLeavesItQueued) {
  PostQuitMessage(7);
  Message m{};
  ASSERT_NE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE), 0);
  EXPECT_EQ(m.message, (unsigned)WM_QUIT);
  EXPECT_EQ(GetMessage(&m, nullptr, 0, 0), 0);
  EXPECT_EQ(m.message, (unsigned)WM_QUIT);
  EXPECT_EQ(m.wParam, 7u);
  EXPECT_EQ(CountOf(Drain(), WM_QUIT, nullptr), 0) << "taken once";
}

TEST_F(Contract, QuitComesBeforePaintAndPaintBeforeTimers) {
  WindowHandle window = MakeShownMain();
  Drain();
  ASSERT_NE(SetTimer(window, 1, 10, nullptr), 0u);
  probe::Pass(50);
  InvalidateRect(window, nullptr, 0);
  PostQuitMessage(3);
  std::vector<unsigned> order;
  Message m;
  while (order.size() < 3 && PeekMessage(&m, nullptr, 0, 0, kRemove)) {
    if (m.message == WM_QUIT || m.window == window) order.push_back(m.message);
    if (m.message != WM_QUIT) DispatchMessage(&m);
  }
  EXPECT_EQ(order, (std::vector<unsigned>{WM_QUIT, WM_PAINT, WM_TIMER}));
}

// Whether a window is valid is asked right after its paint was dispatched,
// with no message fetched in between: a window system may expose a window
// again at any later moment (Wine 10 does, a few milliseconds after a
// window's first paint under a manager), and that paint is a new one.
TEST_F(Contract, APaintStaysQueuedUntilTheWindowIsValidated) {
  WindowHandle window = MakeShownMain();
  Drain();
  heard.clear();
  InvalidateRect(window, nullptr, 0);
  EXPECT_TRUE(probe::NeedsPaint(window));
  for (int look = 0; look < 2; ++look) {
    Message m{};
    ASSERT_NE(PeekMessage(&m, window, 0, 0, kRemove), 0) << "look " << look;
    EXPECT_EQ(m.message, (unsigned)WM_PAINT) << "taken but not painted: queued again";
    EXPECT_TRUE(probe::NeedsPaint(window)) << "look " << look;
    if (look == 1) DispatchMessage(&m);
  }
  EXPECT_EQ(CountHeard(WM_PAINT, window), 1);
  EXPECT_FALSE(probe::NeedsPaint(window)) << "BeginPaint and EndPaint validate";
}

// ---- timers ---------------------------------------------------------------------------
TEST_F(Contract, TicksMissedComeAsOneAndNoTickComesBeforeItsPeriod) {
  WindowHandle window = MakeMain();
  const unsigned period = 100;
  ASSERT_NE(SetTimer(window, 5, period, nullptr), 0u);
  probe::Pass(3 * period + period / 2);
  const uint64_t look = probe::NowMs();
  const std::vector<Message> missed = Drain();
  const uint64_t looked = probe::NowMs() - look;   // more ticks may fall due while looking
  EXPECT_GE(CountOf(missed, WM_TIMER, window), 1);
  EXPECT_LE(CountOf(missed, WM_TIMER, window), 1 + (int)(looked / period));
  for (const Message& m : missed) {
    if (m.message == WM_TIMER) {
      EXPECT_EQ(m.wParam, 5u);
    }
  }

  // Set again, it starts over; a period below 10 ms is 10 ms. A tick may
  // come up to one timer resolution (16 ms on Windows) early, never more.
  for (unsigned asked : {period, 1u}) {
    const unsigned expected = asked < 10 ? 10 : asked;
    ASSERT_NE(SetTimer(window, 5, asked, nullptr), 0u);
    const uint64_t start = probe::NowMs();
    heard.clear();
    ASSERT_TRUE(PumpUntil([&] { return CountHeard(WM_TIMER, window) >= 4; }));
    EXPECT_GE(probe::NowMs() - start, 4 * (expected - (expected > 16 ? 16 : expected / 2))) << asked;
  }

  Close(window);
  probe::Pass(2 * period);
  EXPECT_EQ(CountOf(Drain(), WM_TIMER, window), 0) << "the timer goes with its window";
}

// ---- the program's loop ---------------------------------------------------------------
// Frames back to back while nothing is queued (PeekMessage PM_NOREMOVE), as
// the program draws: a due timer still gets through.
TEST_F(Contract, WhileFramesFollowEachOtherTimerTicksStillArrive) {
  WindowHandle window = MakeShownMain();
  Drain();
  ASSERT_NE(SetTimer(window, 1, 200, nullptr), 0u);
  const uint64_t giveUp = probe::NowMs() + 10000;
  int frames = 0;
  Message m;
  while (CountHeard(WM_TIMER, window) < 3) {
    for (; !PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE); ++frames) {
      ASSERT_LT(probe::NowMs(), giveUp) << "no tick while spinning";
      probe::Pass(2);   // a frame
    }
    ASSERT_EQ(GetMessage(&m, nullptr, 0, 0), 1);
    DispatchMessage(&m);
  }
  EXPECT_GT(frames, 3) << "frames whenever the queue is empty, not once a tick";
}

TEST_F(Contract, WaitingForATickTakesNoProcessorTime) {
  if (!probe::kRealClock) GTEST_SKIP() << "the virtual clock jumps to the tick";
  WindowHandle window = MakeMain();
  ASSERT_NE(SetTimer(window, 1, 400, nullptr), 0u);
  const double processor = probe::ProcessorSeconds();
  const uint64_t start = probe::NowMs();
  Message m{};
  while (m.message != WM_TIMER) ASSERT_EQ(GetMessage(&m, nullptr, 0, 0), 1);
  const double waited = (probe::NowMs() - start) / 1000.0, used = probe::ProcessorSeconds() - processor;
  EXPECT_LT(used, waited * 0.25) << "GetMessage blocks, it does not poll";
  std::printf("[ measure  ] blocked %.3f s in GetMessage using %.4f s of processor time\n", waited, used);
}

// ---- capture --------------------------------------------------------------------------
TEST_F(Contract, SetCaptureAnswersThePreviousWindowAndReleaseEndsIt) {
  WindowHandle first = MakeShownMain(), second = MakeShownMain();
  EXPECT_EQ(SetCapture(first), nullptr);
  EXPECT_EQ(SetCapture(second), first);
  EXPECT_NE(ReleaseCapture(), 0);
  EXPECT_EQ(SetCapture(first), nullptr);
  ReleaseCapture();
}

// ---- dialogs and controls -------------------------------------------------------------
TEST_F(Contract, ATemplateBecomesPixelsWithOneSetOfBaseUnits) {
  WindowHandle owner = MakeShownMain();
  heard.clear();
  WindowHandle panel = MakePanel(owner, 1234);
  ASSERT_NE(panel, nullptr);
  ASSERT_EQ(CountHeard(WM_INITDIALOG, panel), 1) << "heard before CreateDialogParam returned";
  EXPECT_EQ(LastHeard(WM_INITDIALOG)->lParam, 1234);
  EXPECT_EQ(LastHeard(WM_INITDIALOG)->wParam, (uintptr_t)GetDlgItem(panel, 11)) << "the first shown tab stop";
  EXPECT_FALSE(shownAtInit) << "a WS_VISIBLE template is shown after WM_INITDIALOG";
  EXPECT_TRUE(probe::Shown(panel));

  const probe::Box ruler = probe::InDialog(GetDlgItem(panel, 10));
  const int bx = ruler.width / 100, by = ruler.height / 100;
  ASSERT_GT(bx, 0);
  ASSERT_GT(by, 0);
  EXPECT_EQ(ruler.width % 100 + ruler.height % 100, 0) << "base units are whole pixels";
  // Windows' MulDiv of positive numbers: rounded half up.
  auto x = [&](int units) { return (units * bx + 2) / 4; };
  auto y = [&](int units) { return (units * by + 4) / 8; };
  for (const DialogItem& item : unitItems) {
    if (item.id < 0) continue;
    SCOPED_TRACE(item.id);
    WindowHandle control = GetDlgItem(panel, item.id);
    ASSERT_NE(control, nullptr);
    const probe::Box box = probe::InDialog(control);
    EXPECT_EQ(box.x, x(item.x));
    EXPECT_EQ(box.y, y(item.y));
    EXPECT_EQ(box.width, x(item.width));
    EXPECT_EQ(box.height, y(item.height));
    EXPECT_EQ(GetWindowLong(control, GWL_ID), item.id);
    EXPECT_EQ(probe::Shown(control), (item.style & WS_VISIBLE) != 0);
  }
  EXPECT_EQ(GetDlgItem(panel, 99), nullptr);
  const probe::Box client = probe::Client(panel), ownerClient = probe::Client(owner);
  EXPECT_EQ(client.width, x(160));
  EXPECT_EQ(client.height, y(100));
  EXPECT_EQ(client.x, ownerClient.x + x(40)) << "an owned dialog counts from its owner's client area";
  EXPECT_EQ(client.y, ownerClient.y + y(16));
  WindowHandle lonely = MakePanel(nullptr);
  EXPECT_EQ(probe::Client(lonely).x, x(40)) << "one without owner from the screen's corner";
  EXPECT_EQ(probe::Client(lonely).y, y(16));
  EndDialog(lonely, 0);
  EXPECT_EQ(CreateDialogParam(programInstance, "NoSuchTemplate", owner, PanelProc, 0), nullptr);
}

TEST_F(Contract, AScrollBarHoldsItsPositionInItsRangeAndAnswersThePreviousOne) {
  WindowHandle panel = MakePanel(MakeMain());
  WindowHandle bar = GetDlgItem(panel, 12);
  ASSERT_NE(bar, nullptr);
  EXPECT_NE(SetScrollRange(bar, SB_CTL, 0, 10, 1), 0);
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 5, 1), 0);
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 15, 1), 5);
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, -3, 1), 10) << "held at the top of the range";
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 8, 1), 0) << "and at its bottom";
  SetScrollRange(bar, SB_CTL, 2, 5, 0);
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 3, 0), 5) << "a narrower range pulls the thumb in";
  SetScrollRange(bar, SB_CTL, 50, 20, 0);
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 9, 0), 0) << "an inverted range is empty";
  EXPECT_EQ(SetScrollRange(bar, SB_CTL, -1, 0x7FFFFFFF, 0) == 0, probe::kWideScrollRangeRefused)
      << "wider than the largest int";
  EXPECT_NE(SetScrollRange(bar, SB_CTL, -0x7FFFFFFF - 1, -1, 0), 0) << "as wide as the largest int";
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 5, 0), -1) << "the thumb pulled into that range";
  EXPECT_EQ(SetScrollPos(bar, 1 /* SB_VERT */, 5, 0), 0) << "a control's bar is SB_CTL";
  EXPECT_EQ(SetScrollPos(GetDlgItem(panel, 11), SB_CTL, 5, 0), 0) << "a button has no thumb";
}

TEST_F(Contract, ADialogLeftToItsDefaultPaintIsValidated) {
  WindowHandle panel = MakePanel(MakeShownMain());
  ASSERT_TRUE(PumpUntil([&] { return CountHeard(WM_PAINT, panel) > 0; }));
  Drain();
  InvalidateRect(panel, nullptr, 1);
  Message m{};
  ASSERT_NE(PeekMessage(&m, panel, WM_PAINT, WM_PAINT, kRemove), 0) << "invalid, it is painted";
  DispatchMessage(&m);
  EXPECT_FALSE(probe::NeedsPaint(panel)) << "its procedure returned 0 without painting";
}

// ---- pixel formats, contexts, device contexts and palettes --------------------------------
// As the program does: a format and a context current inside WM_CREATE, both
// gone in WM_DESTROY.
struct GLWindow {
  DeviceContext dc = nullptr;
  RenderContext context = nullptr;
  int format = 0, setAgain = -1, setOther = -1, current = 0, formats = 0;
  PixelFormatDescriptor described{};
  int viewport[4] = {};
} gl;

intptr_t GLProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_CREATE) {
    const PixelFormatDescriptor request = ProgramFormatRequest();
    gl.dc = GetDC(window);
    gl.format = ChoosePixelFormat(gl.dc, &request);
    gl.formats = DescribePixelFormat(gl.dc, gl.format, sizeof gl.described, &gl.described);
    if (SetPixelFormat(gl.dc, gl.format, &request) != 1) return -1;
    gl.setAgain = SetPixelFormat(gl.dc, gl.format, &request);
    gl.setOther = SetPixelFormat(gl.dc, gl.format == 1 ? 2 : 1, &request);
    gl.context = wglCreateContext(gl.dc);
    gl.current = wglMakeCurrent(gl.dc, gl.context);
    glGetIntegerv(GL_VIEWPORT, gl.viewport);
  } else if (message == WM_DESTROY) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(gl.context);
  }
  return MainProc(window, message, wParam, lParam);
}

TEST_F(Contract, AFormatIsFixedOnceAndAContextMadeCurrentInCreationDrawsAndPresents) {
  WindowClass glClass{CS_OWNDC, GLProc, programInstance, nullptr, nullptr, "ContractGL"};
  static const int registered = RegisterClass(&glClass);
  ASSERT_NE(registered, 0);
  gl = GLWindow{};
  WindowHandle window = CreateWindow("ContractGL", "gl", WS_OVERLAPPEDWINDOW, 40, 40, 160, 120, nullptr);
  ASSERT_NE(window, nullptr);
  made.push_back(window);
  ASSERT_GT(gl.format, 0);
  ASSERT_GE(gl.formats, gl.format);
  const uint32_t asked = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  EXPECT_EQ(gl.described.dwFlags & asked, asked);
  EXPECT_EQ(gl.described.dwFlags & PFD_NEED_PALETTE, 0u);
  EXPECT_EQ(gl.described.iPixelType, PFD_TYPE_RGBA);
  EXPECT_GE(gl.described.cColorBits, 24);
  EXPECT_GE(gl.described.cDepthBits, 16);
  EXPECT_EQ(GetPixelFormat(gl.dc), gl.format);
  EXPECT_EQ(gl.setAgain, 1) << "the same format again";
  if (gl.formats > 1) {
    EXPECT_EQ(gl.setOther, 0) << "another one is refused";
  }
  ASSERT_NE(gl.context, nullptr);
  EXPECT_EQ(gl.current, 1);
  const probe::Box client = probe::Client(window);
  EXPECT_EQ(gl.viewport[2], client.width) << "the first binding sizes the viewport to the window";
  EXPECT_EQ(gl.viewport[3], client.height);
  EXPECT_EQ(GetDC(window), gl.dc) << "CS_OWNDC: one device context for the window's life";
  EXPECT_EQ(WindowFromDC(gl.dc), window);
  EXPECT_EQ(ReleaseDC(window, gl.dc), 1);
  EXPECT_EQ(WindowFromDC(gl.dc), window) << "released, it stays with the window";

  ShowWindow(window, SW_SHOWNORMAL);
  ASSERT_EQ(wglMakeCurrent(gl.dc, gl.context), 1);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  unsigned char pixel[4] = {};
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(pixel[0], 255);
  EXPECT_EQ(pixel[1], 0);
  EXPECT_NE(SwapBuffers(gl.dc), 0);

  WindowHandle plain = MakeMain();
  DeviceContext plainDC = GetDC(plain);
  EXPECT_EQ(wglCreateContext(plainDC), nullptr) << "no context before a pixel format";
  EXPECT_EQ(wglMakeCurrent(plainDC, gl.context), 0) << "nor one of another window's format";

  Close(window);
  EXPECT_EQ(wglDeleteContext(gl.context), 0) << "deleted in WM_DESTROY";
  EXPECT_EQ(SwapBuffers(gl.dc), 0);
  EXPECT_EQ(WindowFromDC(gl.dc), nullptr);
}

TEST_F(Contract, APaletteIsSelectedAnsweringThePreviousOneAndUnrealized) {
  PaletteEntry entries[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  LogPalette logical{0x300, 2, entries};
  PaletteHandle palette = CreatePalette(&logical), other = CreatePalette(&logical);
  ASSERT_TRUE(palette && other);
  DeviceContext memory = CreateCompatibleDC(nullptr);
  ASSERT_NE(memory, nullptr);
  SelectPalette(memory, palette, 0);
  EXPECT_EQ(SelectPalette(memory, other, 0), palette);
  EXPECT_EQ(UnrealizeObject(palette), 1);
  EXPECT_EQ(UnrealizeObject(nullptr), 0);
  LogPalette empty{0x300, 0, entries};
  EXPECT_EQ(CreatePalette(&empty), nullptr);
  EXPECT_EQ(DeleteDC(memory), 1);
}

// ---- the keyboard ---------------------------------------------------------------------
// The key messages a window heard, in order.
std::vector<Heard> KeysHeardBy(WindowHandle window) {
  std::vector<Heard> keys;
  for (const Heard& h : heard)
    if (h.window == window && (h.message == WM_KEYDOWN || h.message == WM_KEYUP || h.message == WM_CHAR))
      keys.push_back(h);
  return keys;
}

// A key's character comes right after its down, with the down's lParam; its
// up says the key was down and is going up. (How a held key repeats is each
// system's own: the X server repeats it, Windows' keyboard driver does.)
TEST_F(Contract, TheFocusedWindowHearsTheKeysAndEachDownItsCharacter) {
  WindowHandle window = MakeShownMain();
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == window; })) << "a window shown takes the keyboard";
  EXPECT_EQ(SetFocus(window), window) << "SetFocus answers the window that had the focus";
  Drain();
  heard.clear();
  probe::Key(window, VK_ADD, true);
  probe::Key(window, VK_ADD, false);
  ASSERT_TRUE(PumpKeysUntil(nullptr, [&] { return CountHeard(WM_KEYUP, window) > 0; }));
  const std::vector<Heard> keys = KeysHeardBy(window);
  struct Expected {
    unsigned message;
    uintptr_t wParam;
    unsigned flags;
  };
  const Expected expected[] = {{WM_KEYDOWN, VK_ADD, 0}, {WM_CHAR, '+', 0}, {WM_KEYUP, VK_ADD, KF_REPEAT | KF_UP}};
  ASSERT_EQ(keys.size(), 3u);
  for (size_t i = 0; i < keys.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(keys[i].message, expected[i].message);
    EXPECT_EQ(keys[i].wParam, expected[i].wParam);
    EXPECT_EQ(HiWord((uintptr_t)keys[i].lParam) & (KF_REPEAT | KF_UP), expected[i].flags);
    EXPECT_EQ(LoWord((uintptr_t)keys[i].lParam), 1u) << "a repeat count of one";
  }
}

intptr_t KeysPanelProc(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t lParam) {
  HearOwn(dialog, message, wParam, lParam);
  return 0;   // no focus asked for in WM_INITDIALOG
}

// Tab and Shift+Tab walk the shown tab stops in template order, round;
// Space and Enter press the focused button as a click does; Escape asks to
// cancel.
TEST_F(Contract, TheDialogManagerWalksTheShownTabStopsAndPressesTheFocusedButton) {
  WindowHandle owner = MakeShownMain();
  WindowHandle panel = CreateDialogParam(programInstance, "Keys", owner, KeysPanelProc, 0);
  ASSERT_NE(panel, nullptr);
  WindowHandle one = GetDlgItem(panel, 21), two = GetDlgItem(panel, 23), three = GetDlgItem(panel, 24);
  EXPECT_EQ(GetNextDlgTabItem(panel, nullptr, 0), one);
  EXPECT_EQ(GetNextDlgTabItem(panel, one, 0), two) << "past the hidden one and the text";
  EXPECT_EQ(GetNextDlgTabItem(panel, three, 0), one) << "round";
  EXPECT_EQ(GetNextDlgTabItem(panel, one, 1), three) << "round backwards";

  SendMessage(panel, WM_NEXTDLGCTL, (uintptr_t)one, 1);
  EXPECT_EQ(GetFocus(), one);
  EXPECT_EQ(SetFocus(three), one) << "SetFocus answers the window that had the focus";
  EXPECT_EQ(GetFocus(), three);
  auto press = [&](unsigned key) {
    probe::Key(panel, key, true);
    probe::Key(panel, key, false);
  };
  struct Step {
    bool shift;
    WindowHandle to;
  };
  const Step walk[] = {{false, one}, {false, two}, {true, one}, {true, three}};
  for (const Step& step : walk) {
    if (step.shift) probe::Key(panel, VK_SHIFT, true);
    press(VK_TAB);
    if (step.shift) probe::Key(panel, VK_SHIFT, false);
    EXPECT_TRUE(PumpKeysUntil(panel, [&] { return GetFocus() == step.to; }))
        << (step.shift ? "Shift+Tab" : "Tab") << " to " << GetWindowLong(step.to, GWL_ID);
  }

  heard.clear();
  for (unsigned key : {VK_SPACE, VK_RETURN}) {
    press(key);
    ASSERT_TRUE(PumpKeysUntil(panel, [&] { return CountHeard(WM_COMMAND, panel) > 0; })) << key;
    EXPECT_EQ(LastHeard(WM_COMMAND, panel)->wParam, MakeWParam(24, BN_CLICKED));
    EXPECT_EQ(LastHeard(WM_COMMAND, panel)->lParam, (intptr_t)three);
    heard.clear();
  }
  press(VK_ESCAPE);
  ASSERT_TRUE(PumpKeysUntil(panel, [&] { return CountHeard(WM_COMMAND, panel) > 0; }));
  EXPECT_EQ(LastHeard(WM_COMMAND, panel)->wParam, (uintptr_t)IDCANCEL);
  EXPECT_TRUE(probe::Shown(panel)) << "the dialog's procedure decides what a cancel does";
  EXPECT_EQ(GetFocus(), three);
}

TEST_F(Contract, AFocusedDialogAnsweringWmInitDialogNonzeroFocusesItsFirstTabStopAndLosesItWhenItEnds) {
  WindowHandle owner = MakeShownMain();
  WindowHandle panel = MakePanel(owner);
  WindowHandle button = GetDlgItem(panel, 11);
  EXPECT_EQ(GetFocus(), button);
  EndDialog(panel, 0);
  EXPECT_EQ(GetFocus(), owner) << "back to its owner";
  EXPECT_EQ(SetFocus(button), nullptr) << "a window gone takes no focus";
  EXPECT_EQ(GetFocus(), owner);
}

// ---- message boxes ---------------------------------------------------------------------
TEST_F(Contract, AnErrorBoxReturnsIdokOnceItsUserPressesOk) {
  probe::AnswerNextMessageBox("contract box");
  EXPECT_EQ(MessageBox(nullptr, "The contract suite asks for an OK.", "contract box", MB_OK | MB_ICONHAND), IDOK);
}

}  // namespace

int ProgramMain(InstanceHandle instance, InstanceHandle, const char* commandLine, int showCommand) {
  programInstance = instance;
  programCommandLine = commandLine;
  programShowCommand = showCommand;
  SetProgramResources(&contractResources);
  WindowClass windowClass{CS_OWNDC | CS_HREDRAW | CS_VREDRAW, MainProc, instance, nullptr,
                          LoadCursor(nullptr, IDC_ARROW), "Contract"};
  if (RegisterClass(&windowClass) == 0) return 2;
  int argc = 1;
  char name[] = "contract";
  char* argv[] = {name, nullptr};
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
