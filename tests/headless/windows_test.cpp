// The core's windows, dialogs and controls, on the headless backend: creation
// messages and their order, dialog units, owned windows going with their
// owner, scroll bars, capture and the size held through SetWindowPos.
#include "platform/core/core.h"
#include "platform/headless/headless.h"
#include "tests/support/test_resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Event {
  WindowHandle window;
  unsigned message;
  uintptr_t wParam;
  intptr_t lParam;
  bool createReturned;   // CreateWindow or CreateDialogParam had returned when it came
  bool shown;            // the window was WS_VISIBLE when it came
};
std::vector<Event> events;
WindowHandle created = nullptr;   // set from the results of the creating calls
int heldWidth = 0, heldHeight = 0;   // what the main window's WM_SIZE holds it at

void Note(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  events.push_back(Event{window, message, wParam, lParam, created == window,
                         (headless::Describe(window).style & WS_VISIBLE) != 0});
}

intptr_t MainProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  Note(window, message, wParam, lParam);
  if (message == WM_SIZE && heldWidth)
    SetWindowPos(window, nullptr, 80, 80, heldWidth, heldHeight, SWP_NOMOVE);
  return DefWindowProc(window, message, wParam, lParam);
}

intptr_t DialogProcedure(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t lParam) {
  Note(dialog, message, wParam, lParam);
  if (message == WM_INITDIALOG) {
    // The controls exist before the dialog procedure hears of the dialog.
    EXPECT_FALSE(headless::Controls(dialog).empty());
  }
  return 0;
}

int CountOf(unsigned message, WindowHandle window) {
  int n = 0;
  for (const Event& e : events) n += e.message == message && e.window == window;
  return n;
}

class Windows : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    SetProgramResources(&testResources);
    events.clear();
    created = nullptr;
    heldWidth = heldHeight = 0;
    WindowClass windowClass{CS_OWNDC | CS_HREDRAW | CS_VREDRAW, MainProc, ProgramInstance(), nullptr,
                            LoadCursor(nullptr, IDC_ARROW), "OpenGL"};
    ASSERT_EQ(RegisterClass(&windowClass), 1);
  }
  void TearDown() override { headless::Reset(); }
  WindowHandle MakeMain() {
    created = CreateWindow("OpenGL", "main", WS_OVERLAPPEDWINDOW, 10, 10, 819, 819, nullptr);
    return created;
  }
  WindowHandle MakePanel(WindowHandle owner, intptr_t param = 0) {
    created = CreateDialogParam(nullptr, "Panel", owner, DialogProcedure, param);
    return created;
  }
};

TEST_F(Windows, CreationSendsWmCreateThenWmSizeBeforeReturning) {
  WindowHandle window = MakeMain();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].message, (unsigned)WM_CREATE);
  EXPECT_FALSE(events[0].createReturned);
  EXPECT_EQ(events[1].message, (unsigned)WM_SIZE);
  EXPECT_EQ(events[1].lParam, MakeLParam(819, 819));
  EXPECT_EQ(headless::FindMainWindow("OpenGL"), window);
  EXPECT_EQ(headless::FindMainWindow("Other"), nullptr);
  EXPECT_EQ(RegisterClass(nullptr), 0);
  EXPECT_EQ(CreateWindow("Unregistered", "", 0, 0, 0, 1, 1, nullptr), nullptr);

  PlatformWindow info = headless::Describe(window);
  EXPECT_EQ(info.kind, WindowKind::Main);
  EXPECT_EQ(info.text, "main");
  EXPECT_EQ(info.style & WS_VISIBLE, 0u) << "hidden until shown";
  EXPECT_EQ(ShowWindow(window, SW_SHOWDEFAULT), 0);
  EXPECT_EQ(ShowWindow(window, SW_SHOWDEFAULT), 1) << "returns whether it was shown before";
  EXPECT_EQ(GetWindowLong(window, GWL_HINSTANCE), (intptr_t)ProgramInstance());
}

TEST_F(Windows, ADialogHearsWmInitDialogWithItsParameterBeforeItIsShown) {
  WindowHandle owner = MakeMain();
  events.clear();
  WindowHandle panel = MakePanel(owner, 1234);
  ASSERT_NE(panel, nullptr);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].message, (unsigned)WM_INITDIALOG);
  EXPECT_EQ(events[0].lParam, 1234);
  EXPECT_EQ(events[0].wParam, (uintptr_t)GetDlgItem(panel, 1008)) << "the first shown tab stop";
  EXPECT_FALSE(events[0].createReturned);
  EXPECT_FALSE(events[0].shown);
  EXPECT_NE(headless::Describe(panel).style & WS_VISIBLE, 0u) << "a WS_VISIBLE template is shown after";
  EXPECT_EQ(headless::FindDialog("Panel"), panel);
  EXPECT_EQ(CreateDialogParam(nullptr, "NoSuchTemplate", owner, DialogProcedure, 0), nullptr);
}

TEST(DialogUnits, MulDivRoundsHalfAwayFromZero) {
  struct Case { int a, b, c, expected; } cases[] = {
      {147, 6, 4, 221}, {131, 15, 8, 246}, {400, 6, 4, 600}, {16, 15, 8, 30},
      {5, 6, 4, 8}, {-3, 6, 4, -5}, {3, -6, 4, -5}, {3, 6, -4, -5}, {-3, 6, -4, 5}, {7, 1, 2, 4},
      {10, 96, 72, 13}, {9, 96, 72, 12}, {11, 96, 72, 15}, {1, 1, 0, -1}, {65536, 65536, 65536, 65536},
  };
  for (const Case& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
}

TEST(DialogUnits, BaseUnitsComeFromTheAverageWidthOfTheLettersAndTheCharacterHeight) {
  struct Case { int letters, height, x; } cases[] = {
      {285, 15, 5}, {286, 15, 6}, {312, 15, 6}, {337, 15, 6}, {338, 15, 7}, {364, 16, 7}, {234, 13, 5},
  };
  for (const Case& c : cases) {
    DialogBaseUnits u = BaseUnitsFromMetrics(c.letters, c.height);
    EXPECT_EQ(u.x, c.x) << c.letters;
    EXPECT_EQ(u.y, c.height);
  }
  DialogBaseUnits u = BaseUnitsFromMetrics(300, 15);
  EXPECT_EQ(DialogXToPixels(147, u), 221);
  EXPECT_EQ(DialogYToPixels(131, u), 246);
  EXPECT_EQ(DialogXToPixels(0, u), 0);
}

TEST_F(Windows, DialogUnitsBecomePixelsWithFixedBaseUnits) {
  WindowHandle owner = MakeMain();
  WindowHandle panel = MakePanel(owner);
  // Base units 6 x 13: x * 6 / 4 and y * 13 / 8, rounded half away from zero.
  PlatformWindow dialog = headless::Describe(panel);
  EXPECT_EQ(dialog.x, 10 + 60);
  EXPECT_EQ(dialog.y, 10 + 26);
  EXPECT_EQ(dialog.width, 221);    // 147 -> 220.5
  EXPECT_EQ(dialog.height, 213);   // 131 -> 212.875
  EXPECT_EQ(dialog.owner, owner);
  EXPECT_EQ(dialog.text, "test panel ");

  struct Expected { int id; const char* cls; int x, y, w, h; bool shown; };
  const Expected expected[] = {
      {1008, "BUTTON", 116, 21, 84, 16, true},     // 77,13 56x10
      {1022, "BUTTON", 90, 124, 102, 21, false},   // 60,76 68x13, hidden
      {1039, "SCROLLBAR", 12, 8, 15, 107, true},   // 8,5 10x66
      {-1, "BUTTON", 96, 3, 123, 96, true},        // 64,2 82x59
      {-1, "STATIC", 3, 174, 126, 33, true},       // 2,107 84x20
      {-1, "STATIC", 135, 137, 36, 36, true},      // 90,84: the icon's 32 x 32 and its border and edge
  };
  std::vector<WindowHandle> controls = headless::Controls(panel);
  ASSERT_EQ(controls.size(), 6u);
  for (size_t i = 0; i < controls.size(); ++i) {
    PlatformWindow info = headless::Describe(controls[i]);
    SCOPED_TRACE(expected[i].id);
    EXPECT_EQ(info.kind, WindowKind::Control);
    EXPECT_EQ(info.id, expected[i].id);
    EXPECT_EQ(GetWindowLong(controls[i], GWL_ID), expected[i].id);
    EXPECT_EQ(info.className, expected[i].cls);
    EXPECT_EQ(info.parent, panel);
    EXPECT_EQ(info.x, expected[i].x);
    EXPECT_EQ(info.y, expected[i].y);
    EXPECT_EQ(info.width, expected[i].w);
    EXPECT_EQ(info.height, expected[i].h);
    EXPECT_EQ((info.style & WS_VISIBLE) != 0, expected[i].shown);
  }

  // Without an owner the position counts from the screen's corner.
  WindowHandle lonely = CreateDialogParam(nullptr, "Closable", nullptr, DialogProcedure, 0);
  EXPECT_EQ(headless::Describe(lonely).x, 300);   // 200
  EXPECT_EQ(headless::Describe(lonely).y, 228);   // 140 -> 227.5
  // Without the resources handed over there is no template to build from.
  SetProgramResources(nullptr);
  EXPECT_EQ(CreateDialogParam(nullptr, "Closable", nullptr, DialogProcedure, 0), nullptr);
}

TEST_F(Windows, ClosingTheMainWindowDestroysWhatItOwnsFirst) {
  WindowHandle owner = MakeMain();
  WindowHandle panel = MakePanel(owner);
  WindowHandle lonely = CreateDialogParam(nullptr, "Closable", nullptr, DialogProcedure, 0);
  WindowHandle button = GetDlgItem(panel, 1008);
  SetCapture(owner);
  events.clear();

  ASSERT_TRUE(Post(owner, WM_CLOSE, 0, 0));
  Message message{};
  ASSERT_EQ(GetMessage(&message, nullptr, 0, 0), 1);
  DispatchMessage(&message);

  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].message, (unsigned)WM_CLOSE);
  EXPECT_EQ(events[1].window, panel);
  EXPECT_EQ(events[1].message, (unsigned)WM_DESTROY);
  EXPECT_EQ(events[2].window, owner);
  EXPECT_EQ(events[2].message, (unsigned)WM_DESTROY);
  EXPECT_FALSE(Live(owner));
  EXPECT_FALSE(Live(panel));
  EXPECT_FALSE(Live(button));
  EXPECT_TRUE(Live(lonely)) << "a window without owner stays";
  EXPECT_EQ(GetDlgItem(panel, 1008), nullptr);
  EXPECT_EQ(CaptureWindow(), nullptr);
  EXPECT_EQ(headless::FindMainWindow("OpenGL"), nullptr);
  EXPECT_EQ(GetDC(owner), nullptr);
  EXPECT_EQ(SendTo(owner, WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(events.size(), 3u) << "a dead window hears nothing";
}

TEST_F(Windows, EndDialogDestroysTheDialogAndAClosedDialogIgnoresWmClose) {
  WindowHandle lonely = CreateDialogParam(nullptr, "Closable", nullptr, DialogProcedure, 0);
  events.clear();
  SendTo(lonely, WM_CLOSE, 0, 0);
  EXPECT_TRUE(Live(lonely)) << "a dialog procedure decides about its own close";
  EXPECT_EQ(EndDialog(lonely, 0), 1);
  EXPECT_FALSE(Live(lonely));
  EXPECT_EQ(CountOf(WM_DESTROY, lonely), 1);
  EXPECT_EQ(EndDialog(lonely, 0), 0);
  EXPECT_EQ(headless::FindDialog("Closable"), nullptr);
}

TEST_F(Windows, ADialogThatIgnoresItsPaintIsValidatedAllTheSame) {
  WindowHandle panel = MakePanel(MakeMain());
  events.clear();
  Message message{};
  ASSERT_EQ(GetMessage(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.window, panel);
  EXPECT_EQ(message.message, (unsigned)WM_PAINT);
  DispatchMessage(&message);   // the procedure returns 0 without painting
  EXPECT_EQ(GetMessage(&message, nullptr, 0, 0), -1) << "no second WM_PAINT";
  Resized(panel, 300, 300);
  EXPECT_EQ(CountOf(WM_SIZE, panel), 1);
  EXPECT_EQ(headless::Describe(panel).width, 300);
}

TEST_F(Windows, ClickingReachesTheDialogOnlyForShownButtons) {
  WindowHandle panel = MakePanel(MakeMain());
  events.clear();
  WindowHandle shown = GetDlgItem(panel, 1008);
  EXPECT_TRUE(headless::Click(shown));
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].message, (unsigned)WM_COMMAND);
  EXPECT_EQ(events[0].wParam, MakeWParam(1008, BN_CLICKED));
  EXPECT_EQ(events[0].lParam, (intptr_t)shown);
  EXPECT_FALSE(headless::Click(GetDlgItem(panel, 1022))) << "hidden";
  EXPECT_FALSE(headless::Click(GetDlgItem(panel, 1039))) << "a scroll bar";
  EXPECT_FALSE(headless::Click(GetDlgItem(panel, -1))) << "a group box";
  EXPECT_EQ(events.size(), 1u);
}

TEST_F(Windows, ScrollBarsClampTheirPositionAndReturnThePreviousOne) {
  WindowHandle bar = GetDlgItem(MakePanel(MakeMain()), 1039);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(SetScrollRange(bar, SB_CTL, 0, 255, 0), 1);
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 128, 0), 0);
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 300, 1), 128);
  EXPECT_EQ(headless::Describe(bar).scrollPos, 255);
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, -5, 1), 255);
  EXPECT_EQ(headless::Describe(bar).scrollPos, 0);
  SetScrollPos(bar, SB_CTL, 200, 0);
  SetScrollRange(bar, SB_CTL, 10, 100, 0);
  EXPECT_EQ(headless::Describe(bar).scrollPos, 100) << "a narrower range pulls the thumb in";
  SetScrollRange(bar, SB_CTL, 50, 20, 0);
  EXPECT_EQ(headless::Describe(bar).scrollMin, 0) << "an inverted range is empty";
  EXPECT_EQ(headless::Describe(bar).scrollMax, 0);
  EXPECT_EQ(headless::Describe(bar).scrollPos, 0);
  EXPECT_EQ(SetScrollRange(bar, SB_CTL, -1, 0x7FFFFFFF, 0), 0) << "wider than the largest int";
  EXPECT_EQ(SetScrollRange(bar, SB_CTL, -0x7FFFFFFF - 1, -1, 0), 1) << "as wide as the largest int";
  EXPECT_EQ(headless::Describe(bar).scrollPos, -1) << "the thumb pulled into the range";
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 5, 0), -1);
  EXPECT_EQ(headless::Describe(bar).scrollPos, -1);
  EXPECT_EQ(SetScrollPos(bar, 1 /* SB_VERT */, 5, 0), 0) << "a control's bar is SB_CTL";
  EXPECT_EQ(SetScrollPos(GetDlgItem(headless::FindDialog("Panel"), 1008), SB_CTL, 5, 0), 0)
      << "a button has no thumb";
}

TEST_F(Windows, HoldingTheSizeThroughSetWindowPosEndsAfterOneNestedResize) {
  heldWidth = heldHeight = 819;
  WindowHandle window = MakeMain();
  events.clear();
  Resized(window, 500, 400);
  // The drag's WM_SIZE snaps back; the nested WM_SIZE finds the size right.
  EXPECT_EQ(CountOf(WM_SIZE, window), 2);
  PlatformWindow info = headless::Describe(window);
  EXPECT_EQ(info.width, 819);
  EXPECT_EQ(info.height, 819);
  EXPECT_EQ(info.x, 10) << "SWP_NOMOVE keeps the position";
  ASSERT_FALSE(headless::WindowPosCalls().empty());
  const headless::WindowPosCall& last = headless::WindowPosCalls().back();
  EXPECT_EQ(last.window, window);
  EXPECT_EQ(last.x, 80);
  EXPECT_EQ(last.flags, (unsigned)SWP_NOMOVE);
  Resized(window, 819, 819);
  EXPECT_EQ(CountOf(WM_SIZE, window), 2) << "a size that does not change is no WM_SIZE";
  size_t calls = headless::WindowPosCalls().size();
  EXPECT_EQ(SetWindowPos(window, nullptr, 80, 80, 300, 300, 0), 0) << "a move is refused";
  EXPECT_EQ(headless::Describe(window).width, 819);
  EXPECT_EQ(headless::WindowPosCalls().size(), calls);
}

TEST_F(Windows, CaptureIsRecordedAndReleased) {
  WindowHandle window = MakeMain();
  EXPECT_EQ(SetCapture(window), nullptr);
  EXPECT_EQ(CaptureWindow(), window);
  EXPECT_EQ(SetCapture(window), window);
  ReleaseCapture();
  EXPECT_EQ(CaptureWindow(), nullptr);
}

}  // namespace
