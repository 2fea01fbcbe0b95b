// State of the application shell that the scene and the panels read:
// the window's drawing resources, its fixed size and the simulation clock.
#pragma once

#include "platform/platform.h"

extern int windowWidth;        // outer size of the main window, fixed at start-up
extern int windowHeight;
extern DeviceContext mainDC;
extern RenderContext glContext;
extern int tickCount;          // timer ticks since start or the last restart
extern int elapsedSeconds;     // shown by the counter
