// The program by keyboard alone, its loop run whole over the headless
// platform with the user's keys queued as a backend queues them: the model's
// keys at start, F6 into the panel, Tab and Space or Enter restarting the
// run, Escape and F6 back to the model, keys typed ahead.
#include <functional>
#include <vector>

#include "panels/resource_ids.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "tests/support/program_state.h"

namespace {

using Keys = ShellTest;

WindowHandle MainWindow() { return headless::FindMainWindow("OpenGL"); }
WindowHandle Panel() { return headless::FindDialog(IDD_MAIN_PANEL); }
WindowHandle Button(int id) { return GetDlgItem(Panel(), id); }

// A key pressed and let go; the character is what the key types.
void Type(unsigned key, unsigned character = 0) {
  QueueKey(key, true, character);
  QueueKey(key, false, 0);
}
void ShiftTab() {
  QueueKey(VK_SHIFT, true, 0);
  Type(VK_TAB, '\t');
  QueueKey(VK_SHIFT, false, 0);
}

// Runs the program; each time the queue is found empty the next step runs
// (the keys it queues are handled before the one after it), then the main
// window closes. Every step runs once.
void RunSteps(const std::vector<std::function<void()>>& steps) {
  headless::SetScreenHeight(120);
  size_t next = 0;
  bool closed = false;
  headless::SetIdleCallback([&] {
    if (closed) return;
    if (next < steps.size()) steps[next++]();
    else closed = Post(MainWindow(), WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(ProgramMain(ProgramInstance(), nullptr, "", SW_SHOWDEFAULT), 0);
  EXPECT_EQ(next, steps.size());
}

TEST_F(Keys, AtStartTheKeysTurnStopAndZoomTheModel) {
  RunSteps({
      [] {
        EXPECT_EQ(GetFocus(), MainWindow());
        Type(VK_SPACE, ' ');
      },
      [] {
        EXPECT_EQ(tracking, 0) << "Space stopped it";
        Type(VK_PRIOR);
        Type(VK_PACKET, '+');   // '+' of the main keyboard, by its character
        Type(VK_ADD, '+');      // of the keypad
      },
      [] {
        EXPECT_NEAR(modelScale, 2.0f * 1.1f * 1.1f * 1.1f, 1e-5);
        Type(VK_SPACE, ' ');
      },
      [] { EXPECT_EQ(spinning, 1) << "and Space set it spinning again"; },
  });
}

// Each of the three shown buttons in turn, as the panel's template orders
// them; the hidden ones are skipped and the walk wraps round.
TEST_F(Keys, F6ThenTabAndSpaceOrEnterRestartTheRunAtEachTemperature) {
  auto expectRestartAt = [](double temperature) {
    EXPECT_EQ(boundaryTemp, temperature);
    EXPECT_EQ(tickCount, 0);
  };
  RunSteps({
      [] { Type(VK_F6); },
      [] {
        EXPECT_EQ(GetFocus(), Button(IDC_BOUNDARY_2_3)) << "the first shown button";
        tickCount = 77;
        boundaryTemp = 0.0;
        Type(VK_SPACE, ' ');
      },
      [&] {
        expectRestartAt(2.3);
        Type(VK_TAB, '\t');
      },
      [] {
        EXPECT_EQ(GetFocus(), Button(IDC_BOUNDARY_3_3));
        tickCount = 77;
        Type(VK_SPACE, ' ');
      },
      [&] {
        expectRestartAt(3.3);
        Type(VK_TAB, '\t');
        tickCount = 77;
        Type(VK_RETURN, '\r');
      },
      [&] {
        EXPECT_EQ(GetFocus(), Button(IDC_BOUNDARY_4_0));
        expectRestartAt(4.0);
        Type(VK_TAB, '\t');
      },
      [] {
        EXPECT_EQ(GetFocus(), Button(IDC_BOUNDARY_2_3)) << "round to the first";
        ShiftTab();
      },
      [] {
        EXPECT_EQ(GetFocus(), Button(IDC_BOUNDARY_4_0)) << "Shift+Tab goes back round";
        Type(VK_ESCAPE, 0x1B);
      },
      [] {
        EXPECT_EQ(GetFocus(), MainWindow()) << "Escape gives the keyboard back to the model";
        EXPECT_TRUE(Live(Panel())) << "and leaves the panel open";
        EXPECT_EQ(tracking, 1) << "the keys in the panel never reached the model";
        Type(VK_F6);
        Type(VK_F6);
      },
      [] { EXPECT_EQ(GetFocus(), MainWindow()) << "F6 from the panel back to the model"; },
  });
}

// A key goes to the window that has the focus when it is fetched: Space
// typed right after F6 presses the button F6 moved to.
TEST_F(Keys, KeysTypedAheadFollowTheFocusAnEarlierKeyMoved) {
  RunSteps({
      [] {
        tickCount = 77;
        Type(VK_F6);
        Type(VK_SPACE, ' ');
      },
      [] {
        EXPECT_EQ(tickCount, 0) << "\"0.4\" pressed";
        EXPECT_EQ(tracking, 1) << "the model did not hear the Space";
      },
  });
}

TEST_F(Keys, AHeldF6MovesTheFocusOnce) {
  RunSteps({
      [] {
        for (int i = 0; i < 4; ++i) QueueKey(VK_F6, true, 0);
        QueueKey(VK_F6, false, 0);
      },
      [] { EXPECT_EQ(GetFocus(), Button(IDC_BOUNDARY_2_3)); },
  });
}

// The mouse keeps what it does, and a click in the model takes the keyboard
// back from the panel.
TEST_F(Keys, AClickInTheModelStopsItAndTakesTheKeyboardBack) {
  RunSteps({
      [] { Type(VK_F6); },
      [] {
        QueueInput(MainWindow(), WM_LBUTTONDOWN, 0, MakeLParam(40, 40));
        QueueInput(MainWindow(), WM_LBUTTONUP, 0, MakeLParam(40, 40));
      },
      [] {
        EXPECT_EQ(tracking, 0) << "stopped by the click in place";
        EXPECT_EQ(GetFocus(), MainWindow());
        Type(VK_SPACE, ' ');
      },
      [] { EXPECT_EQ(tracking, 1); },
  });
}

}  // namespace
