// A hostile X client: for a given time it sends the program's two windows
// random events with XSendEvent (presses and releases of any button
// anywhere, motion, keys, focus, client messages of the kinds a toolkit and a
// window manager use, configure notifications with absurd sizes, expose
// storms) and rewrites their window-manager properties (size hints, state,
// Motif hints, WM_STATE, WM_HINTS) with random contents, about ten thousand
// a second. Any client of a display may do all of this. A right press is
// always followed by its release at the same place, so the run leaves the
// zoom where it was (the counter stays readable for the checks that follow);
// other presses and releases come alone as often as in pairs. Seeded, so
// that a run can be replayed.
// usage: hostile-client SEED SECONDS MAIN-WINDOW PANEL-WINDOW
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

namespace {

Display* display;
std::mt19937 rng;

long Any(long low, long high) { return std::uniform_int_distribution<long>(low, high)(rng); }
bool OneIn(int n) { return Any(0, n - 1) == 0; }

// A coordinate inside an 819-pixel window, near it, or anywhere a 16-bit
// field can say.
int Coordinate() {
  switch (Any(0, 3)) {
    case 0: return (int)Any(-32768, 32767);
    case 1: return (int)Any(-20, 840);
    default: return (int)Any(0, 818);
  }
}

Atom Named(const char* name) { return XInternAtom(display, name, False); }

void Send(Window window, XEvent& e) {
  e.xany.window = window;
  XSendEvent(display, window, False, NoEventMask, &e);
}

// A press, a release, both in place, or a motion, of any button.
void SendPointer(Window window) {
  XEvent e{};
  const int kind = (int)Any(0, 3);
  e.type = kind == 0 ? MotionNotify : kind == 1 ? ButtonRelease : ButtonPress;
  e.xbutton.root = DefaultRootWindow(display);
  e.xbutton.x = Coordinate();
  e.xbutton.y = Coordinate();
  e.xbutton.x_root = Coordinate();
  e.xbutton.y_root = Coordinate();
  e.xbutton.state = (unsigned)Any(0, 0x1fff);
  e.xbutton.button = (unsigned)Any(1, 9);
  e.xbutton.same_screen = True;
  if (e.xbutton.button == Button3 && e.type == ButtonRelease) e.type = ButtonPress;
  Send(window, e);
  if (e.type == ButtonPress && (kind == 3 || e.xbutton.button == Button3)) {
    e.type = ButtonRelease;
    Send(window, e);
  }
}

void SendKeyOrFocus(Window window) {
  XEvent e{};
  const int kind = (int)Any(0, 3);
  e.type = kind == 0 ? KeyPress : kind == 1 ? KeyRelease : kind == 2 ? FocusIn : FocusOut;
  if (e.type == KeyPress || e.type == KeyRelease) {
    e.xkey.keycode = (unsigned)Any(8, 255);
    e.xkey.state = (unsigned)Any(0, 0xff);
    e.xkey.x = Coordinate();
    e.xkey.y = Coordinate();
    e.xkey.same_screen = True;
  } else {
    e.xfocus.mode = (int)Any(0, 3);
    e.xfocus.detail = (int)Any(0, 7);
  }
  Send(window, e);
}

// WM_PROTOCOLS with anything but WM_DELETE_WINDOW (which would close the
// program, as it should), the window manager's (state, iconify, move,
// activate, ping) and drag and drop's messages, and messages of no known
// kind.
void SendClientMessage(Window window) {
  static const char* kinds[] = {"WM_PROTOCOLS", "_NET_WM_STATE", "WM_CHANGE_STATE", "_NET_WM_MOVERESIZE",
                                "_NET_ACTIVE_WINDOW", "XdndEnter", "XdndPosition", "XdndLeave", "XdndDrop",
                                "_NET_WM_PING", "_MOTIF_WM_MESSAGES"};
  static const char* protocols[] = {"WM_TAKE_FOCUS", "_NET_WM_PING", "_NET_WM_SYNC_REQUEST", "WM_SAVE_YOURSELF"};
  XEvent e{};
  e.type = ClientMessage;
  e.xclient.format = OneIn(8) ? (int)Any(0, 40) : 32;
  e.xclient.message_type = OneIn(6) ? (Atom)Any(0, 1000) : Named(kinds[Any(0, 10)]);
  for (long& value : e.xclient.data.l) value = Any(-2147483647L - 1, 2147483647L);
  if (e.xclient.message_type == Named("WM_PROTOCOLS")) {
    e.xclient.data.l[0] = (long)Named(protocols[Any(0, 3)]);
  } else if (e.xclient.message_type == Named("_NET_WM_STATE") && !OneIn(4)) {
    static const char* states[] = {"_NET_WM_STATE_FULLSCREEN", "_NET_WM_STATE_MAXIMIZED_VERT",
                                   "_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_WM_STATE_HIDDEN", "_NET_WM_STATE_SHADED"};
    e.xclient.data.l[0] = Any(0, 2);
    e.xclient.data.l[1] = (long)Named(states[Any(0, 4)]);
    e.xclient.data.l[2] = OneIn(2) ? (long)Named(states[Any(0, 4)]) : 0;
  }
  Send(window, e);
}

void SendConfigure(Window window) {
  static const int sizes[] = {0, 1, 2, 819, 820, 32767, 65535};
  XEvent e{};
  e.type = ConfigureNotify;
  e.xconfigure.event = window;
  e.xconfigure.x = Coordinate();
  e.xconfigure.y = Coordinate();
  e.xconfigure.width = OneIn(2) ? sizes[Any(0, 6)] : (int)Any(0, 70000);
  e.xconfigure.height = OneIn(2) ? sizes[Any(0, 6)] : (int)Any(0, 70000);
  e.xconfigure.border_width = (int)Any(0, 100);
  e.xconfigure.override_redirect = OneIn(10);
  Send(window, e);
}

void SendExposeStorm(Window window) {
  const int count = (int)Any(20, 80);
  for (int i = 0; i < count; ++i) {
    XEvent e{};
    e.type = Expose;
    e.xexpose.x = Coordinate();
    e.xexpose.y = Coordinate();
    e.xexpose.width = (int)Any(0, 70000);
    e.xexpose.height = (int)Any(0, 70000);
    e.xexpose.count = count - 1 - i;
    Send(window, e);
  }
}

// WM_NORMAL_HINTS, _NET_WM_STATE, _MOTIF_WM_HINTS, WM_STATE or WM_HINTS
// with random contents of the property's own type, and now and then of
// another. WM_STATE takes the three states a manager writes as often as
// anything else. _NET_WM_STATE never holds HIDDEN: with WM_STATE Iconic that
// is how a manager that keeps windows mapped says it iconified one, which
// nothing can tell from the real thing (and the frames rightly stop).
void ChangeProperty(Window window) {
  std::vector<long> values((size_t)Any(0, 20));
  for (long& value : values) value = OneIn(3) ? Any(-1, 5000) : Any(-2147483647L - 1, 2147483647L);
  Atom property = 0, type = 0;
  switch (Any(0, 4)) {
    case 0: property = XA_WM_NORMAL_HINTS; type = XA_WM_SIZE_HINTS; break;
    case 1: {
      static const char* states[] = {"_NET_WM_STATE_FULLSCREEN", "_NET_WM_STATE_MAXIMIZED_VERT",
                                     "_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_WM_STATE_SHADED",
                                     "_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR"};
      property = Named("_NET_WM_STATE");
      type = XA_ATOM;
      for (long& value : values)
        if (!OneIn(4)) value = (long)Named(states[Any(0, 5)]);
      break;
    }
    case 2: property = Named("_MOTIF_WM_HINTS"); type = property; break;
    case 3:
      property = Named("WM_STATE");
      type = property;
      if (!values.empty() && OneIn(2)) {
        static const long managerStates[] = {WithdrawnState, NormalState, IconicState};
        values[0] = managerStates[Any(0, 2)];
      }
      break;
    default: property = XA_WM_HINTS; type = XA_WM_HINTS; break;
  }
  if (OneIn(8)) type = OneIn(2) ? XA_STRING : XA_CARDINAL;
  if (OneIn(10)) {
    XDeleteProperty(display, window, property);
    return;
  }
  XChangeProperty(display, window, property, type, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(values.data()), (int)values.size());
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: hostile-client SEED SECONDS MAIN-WINDOW PANEL-WINDOW\n");
    return 2;
  }
  display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "hostile-client: no X display\n");
    return 1;
  }
  XSetErrorHandler(IgnoreErrors);   // a window may vanish under a request
  rng.seed((unsigned)std::strtoul(argv[1], nullptr, 10));
  const double seconds = std::atof(argv[2]);
  const Window windows[2] = {(Window)std::strtoul(argv[3], nullptr, 0), (Window)std::strtoul(argv[4], nullptr, 0)};

  const auto start = std::chrono::steady_clock::now();
  long sent = 0;
  while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() < seconds) {
    // About 10,000 events a second, in batches.
    for (int i = 0; i < 100; ++i, ++sent) {
      const Window window = windows[OneIn(3) ? 1 : 0];
      const long what = Any(0, 99);
      if (what < 45) SendPointer(window);
      else if (what < 55) SendKeyOrFocus(window);
      else if (what < 75) SendClientMessage(window);
      else if (what < 85) SendConfigure(window);
      else if (what < 88) SendExposeStorm(window);
      else ChangeProperty(window);
    }
    XFlush(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  XSync(display, False);
  XCloseDisplay(display);
  std::printf("%ld events and property changes sent in %.0f s\n", sent, seconds);
  return 0;
}
