// Helpers of the platform tests: the queue pump, XTest input and X queries.
#include "tests/platform/support.h"
#include "tests/support/test_resources.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <gtest/gtest.h>

#include <chrono>

namespace {
double WallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
}  // namespace

bool PumpUntil(const std::function<bool()>& done, double guardSeconds) {
  double end = WallSeconds() + guardSeconds;
  Message m;
  for (;;) {
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE_FLAG)) {
      if (m.message == WM_QUIT) continue;
      DispatchMessage(&m);
      if (done()) return true;
    }
    if (done()) return true;
    if (WallSeconds() > end) return false;
    Fl::wait(0.01);
  }
}

void PumpFor(double seconds) {
  double end = WallSeconds() + seconds;
  PumpUntil([end] { return WallSeconds() > end; }, seconds + 1.0);
}

void Drain() {
  XSync(PlatformDisplay(), False);
  Message m;
  for (int i = 0; i < 3; ++i) {
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE_FLAG))
      if (m.message != WM_QUIT) DispatchMessage(&m);
    Fl::wait(0.02);
  }
}

bool WaitViewable(WindowHandle window) {
  return PumpUntil([window] {
    Window xid = XWindowOf(window);
    if (!xid) return false;
    XWindowAttributes a{};
    XGetWindowAttributes(PlatformDisplay(), xid, &a);
    return a.map_state == IsViewable;
  });
}

void MovePointer(int rootX, int rootY) {
  XTestFakeMotionEvent(PlatformDisplay(), PlatformScreen(), rootX, rootY, CurrentTime);
  XSync(PlatformDisplay(), False);
}

void Button(int button, bool press) {
  XTestFakeButtonEvent(PlatformDisplay(), (unsigned)button, press ? True : False, CurrentTime);
  XSync(PlatformDisplay(), False);
}

void Key(unsigned long keysym, bool press) {
  KeyCode code = XKeysymToKeycode(PlatformDisplay(), keysym);
  XTestFakeKeyEvent(PlatformDisplay(), code, press ? True : False, CurrentTime);
  XSync(PlatformDisplay(), False);
}

void ResizeFromOutside(WindowHandle window, int width, int height) {
  Display* other = XOpenDisplay(nullptr);
  ASSERT_NE(other, nullptr);
  XResizeWindow(other, XWindowOf(window), (unsigned)width, (unsigned)height);
  XSync(other, False);
  XCloseDisplay(other);
}

void SendCloseRequest(WindowHandle window) {
  Display* d = PlatformDisplay();
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = XWindowOf(window);
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, XWindowOf(window), False, NoEventMask, &e);
  XSync(d, False);
}

void Geometry(WindowHandle window, int* x, int* y, int* width, int* height) {
  Display* d = PlatformDisplay();
  XSync(d, False);
  Window root, child;
  unsigned w = 0, h = 0, border = 0, depth = 0;
  int gx = 0, gy = 0;
  XGetGeometry(d, XWindowOf(window), &root, &gx, &gy, &w, &h, &border, &depth);
  XTranslateCoordinates(d, XWindowOf(window), root, 0, 0, x, y, &child);
  *width = (int)w;
  *height = (int)h;
}

unsigned long PixelAt(WindowHandle window, int x, int y) {
  Display* d = PlatformDisplay();
  XSync(d, False);
  XImage* image = XGetImage(d, XWindowOf(window), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0xFFFFFFFFul;
  unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFFul;
  XDestroyImage(image);
  return pixel;
}

void OpenDisplayForTests() {
  ASSERT_TRUE(OpenPlatformDisplay()) << "these tests run under Xvfb (tests/support/xvfb-run)";
  SetProgramResources(&testResources);
}
