// The core's keyboard, where only it decides (the contract suite holds what
// every backend shares): keys without a focus, the character posted once
// and ahead of later input, a push button held down by Space.
#include "platform/headless/headless.h"
#include "tests/support/heard.h"
#include "tests/support/test_resources.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned PM_REMOVE_FLAG = 1;

intptr_t HearingProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  Hear(window, message, wParam, lParam);
  return DefWindowProc(window, message, wParam, lParam);
}

intptr_t HearingDialogProc(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t lParam) {
  Hear(dialog, message, wParam, lParam);
  return 0;
}

class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    SetProgramResources(&testResources);
    heard.clear();
    WindowClass windowClass{CS_OWNDC, HearingProc, ProgramInstance(), nullptr, nullptr, "Keys"};
    ASSERT_EQ(RegisterClass(&windowClass), 1);
    window = CreateWindow("Keys", "keys", WS_OVERLAPPEDWINDOW, 10, 10, 64, 48, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override { headless::Reset(); }
  // Everything queued, as a loop without a dialog takes it.
  static void Pump() {
    Message message{};
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE_FLAG)) {
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
  }
  WindowHandle window = nullptr;
};

TEST_F(Keyboard, KeysFetchedWhileNoWindowHasTheFocusAreLost) {
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
TEST_F(Keyboard, TheCharacterOfAKeyComesOnceAndBeforeTheNextKey) {
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
TEST_F(Keyboard, SpaceHoldsAFocusedButtonDownAndClicksItWhenItComesUp) {
  ShowWindow(window, SW_SHOWNORMAL);
  WindowHandle dialog = CreateDialogParam(ProgramInstance(), "Panel", window, HearingDialogProc, 0);
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
