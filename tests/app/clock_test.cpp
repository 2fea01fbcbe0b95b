// The simulation clock of the main window: ticks, whole seconds at 20 ticks
// a second, and a count that stays defined past 2^31 ticks.
#include <climits>

#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "tests/support/program_state.h"

namespace {

using Clock = ShellTest;

TEST_F(Clock, SecondsAreWholeTwentiethsOfTheTickCount) {
  struct Case {
    int ticks;
    int seconds;
  };
  const Case cases[] = {{1, 0}, {19, 0}, {20, 1}, {39, 1}, {40, 2}, {2000, 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ticks);
    ResetProgramState();
    WindowHandle window = OpenMainWindow();
    for (int i = 0; i < c.ticks; ++i) SendTo(window, WM_TIMER, 1, 0);
    EXPECT_EQ(tickCount, c.ticks);
    EXPECT_EQ(elapsedSeconds, c.seconds);
  }
}

TEST_F(Clock, EveryTickStepsTheSimulationOnceWhateverTheTimerId) {
  WindowHandle window = OpenMainWindow();
  ASSERT_EQ(tempGrid[9][0], 1.0);
  SendTo(window, WM_TIMER, 7, 0);
  EXPECT_EQ(tickCount, 1);
  EXPECT_GT(tempGrid[10][0], 1.0) << "the first step heats row 10";
  EXPECT_EQ(tempGrid[9][0], 1.0) << "and only row 10";
  SendTo(window, WM_TIMER, 1, 0);
  EXPECT_GT(tempGrid[9][0], 1.0) << "the second step reaches row 9";
  EXPECT_TRUE(RedrawRequested());
}

TEST_F(Clock, TheCountStartsAgainFromZeroInsteadOfOverflowing) {
  WindowHandle window = OpenMainWindow();
  tickCount = INT_MAX - 1;
  SendTo(window, WM_TIMER, 1, 0);
  EXPECT_EQ(tickCount, INT_MAX);
  EXPECT_EQ(elapsedSeconds, 107374184) << "INT_MAX as a float times 0.05f";
  SendTo(window, WM_TIMER, 1, 0);
  EXPECT_EQ(tickCount, 0);
  EXPECT_EQ(elapsedSeconds, 0);
  SendTo(window, WM_TIMER, 1, 0);
  EXPECT_EQ(tickCount, 1);
}

}  // namespace
