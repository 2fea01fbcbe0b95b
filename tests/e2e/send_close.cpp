// Asks a window to close the way a window manager does: a WM_DELETE_WINDOW
// client message. Xvfb has no window manager to send it. With --destroy it
// destroys the window instead, as any other client of the display may.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  const bool destroy = argc == 3 && std::strcmp(argv[1], "--destroy") == 0;
  if (argc != 2 && !destroy) {
    std::fprintf(stderr, "usage: send-close [--destroy] WINDOW-ID\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "send-close: no X display\n");
    return 1;
  }
  Window window = (Window)std::strtoul(argv[argc - 1], nullptr, 0);
  if (destroy) {
    XDestroyWindow(display, window);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
  }
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &e);
  XSync(display, False);
  XCloseDisplay(display);
  return 0;
}
