// Helpers of the platform tests: pumping the queue with a guard against
// hangs, synthetic X input through XTest, X queries; what the procedures
// heard is tests/support/heard.h.
#pragma once

#include <gtest/gtest.h>   // before Xlib, whose None and Bool macros it cannot take

#include "platform/x11/x11.h"
#include "tests/support/heard.h"

#include <functional>
#include <vector>

constexpr unsigned PM_REMOVE_FLAG = 1;   // Windows' PM_REMOVE


// Dispatches messages until done() holds; false if it does not within the
// guard (a guard against hanging, not a timing requirement).
bool PumpUntil(const std::function<bool()>& done, double guardSeconds = 10.0);
void PumpFor(double seconds);
void Drain();   // dispatches whatever is pending now

bool WaitViewable(WindowHandle window);   // shown and mapped on the server
void MovePointer(int rootX, int rootY);
void Button(int button, bool press);
void Key(unsigned long keysym, bool press);
void ResizeFromOutside(WindowHandle window, int width, int height);   // as a user or window manager would
void SendCloseRequest(WindowHandle window);                           // WM_DELETE_WINDOW, as a window manager
void Geometry(WindowHandle window, int* x, int* y, int* width, int* height);   // from the server
unsigned long PixelAt(WindowHandle window, int x, int y);   // 0xRRGGBB of a window pixel
void OpenDisplayForTests();
