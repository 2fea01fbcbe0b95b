// The whole program back to its start state over an emptied headless
// platform, and the main window and its panel opened the way the entry opens
// them, for the tests of the shell and the panels, the extreme states and the
// message fuzzer. Relies on platform/headless.h.
#pragma once

#include <gtest/gtest.h>

#include "platform/headless/headless.h"

// The headless platform emptied, then every module variable of the program
// at its start value (ResetSceneState, the shell's and the panels').
void ResetProgramState();

// The program's resources handed over again without its bitmaps: the legend
// (bitmap 104) is missing for every LoadBitmap that follows.
void HandResourcesWithoutLegend();

// The entry's window (CreateMainWindow) on a screen whose height makes it
// side x side pixels: class "OpenGL", WM_CREATE run, windowWidth and
// windowHeight set. Null if its creation failed.
WindowHandle OpenMainWindow(int side = 96);
// The main panel as the entry opens it, owned by the given window.
WindowHandle OpenMainPanel(WindowHandle owner);

// Format 1 described as 8-bit colour through a palette (PFD_NEED_PALETTE;
// red 3 bits at shift 0, green 3 at 3, blue 2 at 6), as on an 8-bit display.
void UseThreeThreeTwoFormat();

bool RedrawRequested();
// The modelview matrix of the current context.
void CurrentModelview(float m[16]);

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }
  void TearDown() override { ResetProgramState(); }
};
