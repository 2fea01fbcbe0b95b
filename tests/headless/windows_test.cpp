// The core's windows, dialogs and controls, on the headless backend, where it
// goes beyond what tests/contract states for every backend: its fixed dialog
// units, clicks, sizes given from outside or held through SetWindowPos, and
// the keyboard (keys without a focus, a character once, a button held down
// by Space).
#include "platform/core/core.h"
#include "platform/headless/headless.h"
#include "tests/support/heard.h"
#include "tests/support/test_resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr unsigned PM_REMOVE_FLAG = 1;   // Windows' PM_REMOVE
int heldWidth = 0, heldHeight = 0;   // what the main window's WM_SIZE holds it at

intptr_t MainProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  Hear(window, message, wParam, lParam);
  if (message == WM_SIZE && heldWidth)
    SetWindowPos(window, nullptr, 80, 80, heldWidth, heldHeight, SWP_NOMOVE);
  return DefWindowProc(window, message, wParam, lParam);
}

intptr_t DialogProcedure(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t lParam) {
  Hear(dialog, message, wParam, lParam);
  if (message == WM_INITDIALOG) {
    // The controls exist before the dialog procedure hears of the dialog.
    EXPECT_FALSE(headless::Controls(dialog).empty());
  }
  return 0;
}

class Windows : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    SetProgramResources(&testResources);
    heard.clear();
    heldWidth = heldHeight = 0;
    WindowClass windowClass{CS_OWNDC | CS_HREDRAW | CS_VREDRAW, MainProc, ProgramInstance(), nullptr,
                            LoadCursor(nullptr, IDC_ARROW), "OpenGL"};
    ASSERT_EQ(RegisterClass(&windowClass), 1);
  }
  void TearDown() override { headless::Reset(); }
  WindowHandle MakeMain() {
    return CreateWindow("OpenGL", "main", WS_OVERLAPPEDWINDOW, 10, 10, 819, 819, nullptr);
  }
  WindowHandle MakePanel(WindowHandle owner, intptr_t param = 0) {
    return CreateDialogParam(nullptr, "Panel", owner, DialogProcedure, param);
  }
  // Everything queued, as a loop without a dialog takes it.
  static void Pump() {
    Message message{};
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE_FLAG)) {
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
  }
};

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

  // Every control by the same units (tests/contract); an icon static takes
  // the icon's 32 x 32 and its border and edge, whatever the template says.
  const PlatformWindow icon = headless::Describe(headless::Controls(panel).back());
  EXPECT_EQ(icon.className, "STATIC");
  EXPECT_EQ(icon.x, 135);   // 90, 84
  EXPECT_EQ(icon.y, 137);
  EXPECT_EQ(icon.width, 36);
  EXPECT_EQ(icon.height, 36);

  // Without an owner the position counts from the screen's corner.
  WindowHandle lonely = CreateDialogParam(nullptr, "Closable", nullptr, DialogProcedure, 0);
  EXPECT_EQ(headless::Describe(lonely).x, 300);   // 200
  EXPECT_EQ(headless::Describe(lonely).y, 228);   // 140 -> 227.5
  // Without the resources handed over there is no template to build from.
  SetProgramResources(nullptr);
  EXPECT_EQ(CreateDialogParam(nullptr, "Closable", nullptr, DialogProcedure, 0), nullptr);
}

TEST_F(Windows, ADialogResizedFromOutsideHearsWmSize) {
  WindowHandle panel = MakePanel(MakeMain());
  heard.clear();
  Resized(panel, 300, 300);
  EXPECT_EQ(CountHeard(WM_SIZE, panel), 1);
  EXPECT_EQ(headless::Describe(panel).width, 300);
}

TEST_F(Windows, ClickingReachesTheDialogOnlyForShownButtons) {
  WindowHandle panel = MakePanel(MakeMain());
  heard.clear();
  WindowHandle shown = GetDlgItem(panel, 1008);
  EXPECT_TRUE(headless::Click(shown));
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].message, (unsigned)WM_COMMAND);
  EXPECT_EQ(heard[0].wParam, MakeWParam(1008, BN_CLICKED));
  EXPECT_EQ(heard[0].lParam, (intptr_t)shown);
  EXPECT_FALSE(headless::Click(GetDlgItem(panel, 1022))) << "hidden";
  EXPECT_FALSE(headless::Click(GetDlgItem(panel, 1039))) << "a scroll bar";
  EXPECT_FALSE(headless::Click(GetDlgItem(panel, -1))) << "a group box";
  EXPECT_EQ(heard.size(), 1u);
}

TEST_F(Windows, HoldingTheSizeThroughSetWindowPosEndsAfterOneNestedResize) {
  heldWidth = heldHeight = 819;
  WindowHandle window = MakeMain();
  heard.clear();
  Resized(window, 500, 400);
  // The drag's WM_SIZE snaps back; the nested WM_SIZE finds the size right.
  EXPECT_EQ(CountHeard(WM_SIZE, window), 2);
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
  EXPECT_EQ(CountHeard(WM_SIZE, window), 2) << "a size that does not change is no WM_SIZE";
  size_t calls = headless::WindowPosCalls().size();
  EXPECT_EQ(SetWindowPos(window, nullptr, 80, 80, 300, 300, 0), 0) << "a move is refused";
  EXPECT_EQ(headless::Describe(window).width, 819);
  EXPECT_EQ(headless::WindowPosCalls().size(), calls);
}

TEST_F(Windows, KeysFetchedWhileNoWindowHasTheFocusAreLost) {
  WindowHandle window = MakeMain();
  EXPECT_EQ(GetFocus(), nullptr) << "not shown yet";
  QueueKey(VK_SPACE, true, ' ');
  QueueKey(VK_SPACE, false, 0);
  Pump();
  ShowWindow(window, SW_SHOWNORMAL);
  Pump();
  EXPECT_EQ(CountHeard(WM_KEYDOWN) + CountHeard(WM_KEYUP) + CountHeard(WM_CHAR), 0);
  EXPECT_EQ(GetFocus(), window);
}

// Before the user's next key, and only for the key down it belongs to.
TEST_F(Windows, TheCharacterOfAKeyComesOnceAndBeforeTheNextKey) {
  WindowHandle window = MakeMain();
  ShowWindow(window, SW_SHOWNORMAL);
  Pump();
  heard.clear();
  QueueKey(VK_PACKET, true, '+');
  QueueKey(VK_PACKET, false, 0);
  Message down{};
  ASSERT_EQ(PeekMessage(&down, nullptr, 0, 0, PM_REMOVE_FLAG), 1);
  ASSERT_EQ(down.message, (unsigned)WM_KEYDOWN);
  TranslateMessage(&down);
  TranslateMessage(&down);
  std::vector<unsigned> order;
  for (const Message& m : PendingMessages()) order.push_back(m.message);
  EXPECT_EQ(order, (std::vector<unsigned>{WM_CHAR, WM_KEYUP}));
  Message posted{window, WM_KEYDOWN, VK_PACKET, down.lParam};
  Pump();
  heard.clear();
  TranslateMessage(&posted);
  Pump();
  EXPECT_EQ(CountHeard(WM_CHAR), 0) << "a key message no key made types nothing";
}

// The button goes down with the key and clicks when it comes up; a button
// the focus leaves while it is down is let go without a click.
TEST_F(Windows, SpaceHoldsAFocusedButtonDownAndClicksItWhenItComesUp) {
  WindowHandle window = MakeMain();
  ShowWindow(window, SW_SHOWNORMAL);
  WindowHandle dialog = MakePanel(window);
  ASSERT_NE(dialog, nullptr);
  WindowHandle button = GetNextDlgTabItem(dialog, nullptr, 0);
  ASSERT_NE(button, nullptr);
  ASSERT_EQ(GetFocus(), button) << "a dialog shown takes the keyboard to its first tab stop";
  heard.clear();
  QueueKey(VK_SPACE, true, ' ');
  QueueKey(VK_SPACE, true, ' ');   // held: repeats
  Pump();
  EXPECT_TRUE(headless::Describe(button).pushed);
  EXPECT_EQ(CountHeard(WM_COMMAND), 0) << "no click while the key is down";
  QueueKey(VK_SPACE, false, 0);
  Pump();
  EXPECT_FALSE(headless::Describe(button).pushed);
  ASSERT_EQ(CountHeard(WM_COMMAND, dialog), 1);
  EXPECT_EQ(LastHeard(WM_COMMAND)->wParam, MakeWParam((unsigned)GetWindowLong(button, GWL_ID), BN_CLICKED));

  heard.clear();
  QueueKey(VK_SPACE, true, ' ');
  Pump();
  SetFocus(window);
  QueueKey(VK_SPACE, false, 0);
  Pump();
  EXPECT_FALSE(headless::Describe(button).pushed);
  EXPECT_EQ(CountHeard(WM_COMMAND), 0);
}

}  // namespace
