// The program's state below the shell back to its start values, and the scene
// as the window's creation leaves it, for tests that run the scene and the
// trackball one test after another in one process, with no window.
#pragma once

#include "platform/platform.h"

// Every module variable of sim/, shared/, render/ and input/ at its start
// value: the grid zero-filled, no frame drawn yet, no frame pending.
void ResetSceneState();

// A device context that belongs to no window, for mainDC.
DeviceContext TestDC();

// ResetSceneState, then what the window's creation does on the GL context
// the caller has made current, at 819 x 819 with mainDC = TestDC():
// InitLighting, the grid, the view transform and the start orientation.
void StartUpScene();
