// What the window and dialog procedures of a platform test heard, in order,
// and the pixel format the program asks for: the common ground of the
// platform's tests (tests/contract, tests/headless, tests/platform), written
// against platform.h only.
#pragma once

#include "platform/platform.h"

#include <vector>

struct Heard {
  WindowHandle window;
  unsigned message;
  uintptr_t wParam;
  intptr_t lParam;
};
extern std::vector<Heard> heard;
void Hear(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam);
// Of a window, or of any when window is null.
int CountHeard(unsigned message, WindowHandle window = nullptr);
const Heard* LastHeard(unsigned message, WindowHandle window = nullptr);   // null when none

// As the program asks: RGBA, double-buffered, 8 colour bits, a 16-bit depth buffer.
PixelFormatDescriptor ProgramFormatRequest();
