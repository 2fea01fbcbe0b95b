// What the contract suite must ask a backend itself, because platform.h has
// no call for it (where a window is, whether it is shown, how time passes),
// and where the backends differ on purpose. One file per backend:
// probe_headless.cpp, probe_x11.cpp (both over the core's records,
// probe_core.cpp), probe_win32.cpp.
#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace probe {

struct Box { int x, y, width, height; };
Box Outer(WindowHandle topLevel);     // on the screen, frame included
Box Client(WindowHandle topLevel);    // the client area, on the screen
Box InDialog(WindowHandle control);   // in its dialog's client area
bool Shown(WindowHandle window);
bool NeedsPaint(WindowHandle window);   // its client area waits for WM_PAINT (not validated)

// Differences on purpose:
// - On Windows the system frames a top-level window: CreateWindow's size is
//   the outer one and the client area is smaller. Elsewhere it is the client
//   size, and a frame is the window manager's, outside it (the suite runs
//   the x11 backend on a server without a manager: no frame at all; Wine
//   under openbox, as it waits two seconds for a manager at every unmap).
extern const bool kCreateSizeIsOuter;
// - An X window's visual is fixed when it is made: the x11 backend takes a
//   pixel format only before the window is first shown (the program sets it
//   in WM_CREATE); Windows takes it at any time, once. The suite sets it
//   before showing.
// - The headless clock is virtual: it moves when a test lets time pass or
//   when GetMessage finds only timers waiting. The others' is the real one.
uint64_t NowMs();
extern const bool kRealClock;
double ProcessorSeconds();          // the process's, on the real clock
// - Windows refuses a scroll range wider than the largest int
//   (ERROR_INVALID_SCROLLBAR_RANGE), and so does the core; Wine accepts it.
extern const bool kWideScrollRangeRefused;
void Pass(unsigned milliseconds);   // without fetching a message
// - A message box waits for its user: the headless one answers at once;
//   elsewhere this presses its OK once the box is up.
void AnswerNextMessageBox(const char* caption);
// - The user's keyboard: a key (a VK_ code) pressed or let go the way the
//   backend's keys come, with the top-level window holding the system's
//   keyboard: through the X server (XTest), through Windows' input
//   (SendInput), headless straight into the core's queue.
void Key(WindowHandle topLevel, unsigned virtualKey, bool down);

}  // namespace probe
