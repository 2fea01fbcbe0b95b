// A tiny platform for tests of the scene and the trackball: buffer swaps are
// counted and mouse capture is recorded; nothing else of platform.h exists.
// Never linked together with the full headless platform.
#pragma once

#include "platform/platform.h"

extern int swapCount;                  // SwapBuffers calls since the last reset
extern DeviceContext lastSwappedDC;
extern WindowHandle captureWindow;     // null when nothing holds the capture
extern int setCaptureCount;
extern int releaseCaptureCount;

void ResetTestPlatform();
