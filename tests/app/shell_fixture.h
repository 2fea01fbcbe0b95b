// Test support for the shell and the panels: every module variable of the
// program back to its start value, the headless platform emptied, and the
// main window opened on a small screen. Relies on platform/headless.h.
#pragma once

#include <gtest/gtest.h>

#include "platform/headless.h"

// The values the program starts with, in every module; the headless platform emptied.
void ResetProgramState();

// Registers the "OpenGL" class with MainWndProc and creates the main window
// at (10, 10) with the given square size, which also becomes
// windowWidth and windowHeight. Returns the window (null if creation failed).
WindowHandle OpenMainWindow(int size = 96);

bool RedrawRequested();

// The modelview matrix of the current context.
void CurrentModelview(float m[16]);

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }
  void TearDown() override { ResetProgramState(); }
};
