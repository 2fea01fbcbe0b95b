// State of the application shell that the scene, the trackball and the panels
// read: the window's fixed size, its drawing resources and the simulation
// clock. Set by app/ (the entry and the window procedure); the panels reset
// the clock. Relies on platform.h for the handle types only.
#pragma once

#include "platform/platform.h"

extern int windowWidth;        // outer size of the main window, fixed at start-up
extern int windowHeight;
extern DeviceContext mainDC;
extern RenderContext glContext;
extern int tickCount;          // timer ticks since start or the last restart
extern int elapsedSeconds;     // shown by the counter
