// The test platform: SwapBuffers, SetCapture and ReleaseCapture that only
// count and remember, for tests that link the scene without a window system.
#include "tests/support/test_platform.h"

int swapCount = 0;
DeviceContext lastSwappedDC = nullptr;
WindowHandle captureWindow = nullptr;
int setCaptureCount = 0;
int releaseCaptureCount = 0;

void ResetTestPlatform() {
  swapCount = 0;
  lastSwappedDC = nullptr;
  captureWindow = nullptr;
  setCaptureCount = 0;
  releaseCaptureCount = 0;
}

int SwapBuffers(DeviceContext dc) {
  ++swapCount;
  lastSwappedDC = dc;
  return 1;
}

WindowHandle SetCapture(WindowHandle window) {
  WindowHandle previous = captureWindow;
  captureWindow = window;
  ++setCaptureCount;
  return previous;
}

int ReleaseCapture() {
  captureWindow = nullptr;
  ++releaseCaptureCount;
  return 1;
}
