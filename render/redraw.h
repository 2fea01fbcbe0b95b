// The redraw request: handlers ask for a frame, the idle loop of the entry draws it.
#pragma once

typedef int (*RedrawHook)();
extern RedrawHook redrawHook;   // null, or IdleRedraw while a frame is pending

void RequestRedraw();
int IdleRedraw();
