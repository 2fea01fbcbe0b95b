// The window procedure of the OpenGL window.
#pragma once

#include "platform/platform.h"

intptr_t MainWndProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam);
// One clock tick: count it, update the seconds, step the simulation, ask for a frame.
void TickClock();
