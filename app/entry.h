// The entry's first steps, which every program that opens the main window
// takes the same way (the entry itself, the tests, the benchmarks).
#pragma once

#include "platform/platform.h"

// Registers the window class "OpenGL" with MainWndProc and icon 32512, fixes
// windowWidth and windowHeight at four fifths of the screen height (of its
// width on a portrait screen) and creates the window at (10, 10); its
// WM_CREATE sets up the scene. Null when the window could not be made.
WindowHandle CreateMainWindow(InstanceHandle instance);
