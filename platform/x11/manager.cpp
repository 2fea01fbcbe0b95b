// What the window manager is told about the program's top-level windows and
// how its answers are taken: a fixed size and north-west gravity declared
// before the map, owned dialogs, places kept on the work area, maximise and
// fullscreen undone, the map state. Relies on FLTK 1.3, Xlib, ICCCM, EWMH and
// the Motif window-manager hints.
#define FL_INTERNALS 1
#include "platform/x11/x11.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <algorithm>
#include <cerrno>   // program_invocation_short_name
#include <chrono>
#include <vector>

namespace {

Atom InternAtom(const char* name) { return XInternAtom(PlatformDisplay(), name, False); }

Window Root() { return RootWindow(PlatformDisplay(), PlatformScreen()); }

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Up to count 32-bit items of a property; how many were read.
int ReadLongs(Window xid, Atom property, Atom type, long offset, long* out, int count) {
  Atom actual = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(PlatformDisplay(), xid, property, offset, count, False, type, &actual, &format, &items,
                         &after, &data) != Success)
    return 0;
  int n = 0;
  if (data && actual == type && format == 32) {
    n = (int)std::min<unsigned long>(items, (unsigned long)count);
    for (int i = 0; i < n; ++i) out[i] = ((long*)data)[i];   // Xlib hands 32-bit items out as longs
  }
  if (data) XFree(data);
  return n;
}

// A property of 32-bit items of any type, as it stands: false when it is
// missing or of another format.
bool ReadItems(Window xid, Atom property, Atom* type, std::vector<long>* items) {
  Atom actual = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  items->clear();
  if (XGetWindowProperty(PlatformDisplay(), xid, property, 0, 64, False, AnyPropertyType, &actual, &format, &count,
                         &after, &data) != Success)
    return false;
  bool found = data && actual != None && format == 32;
  if (found) items->assign((long*)data, (long*)data + count);
  *type = actual;
  if (data) XFree(data);
  return found;
}

bool HasAtom(Window xid, const char* property, const char* atom) {
  long atoms[32];
  int n = ReadLongs(xid, InternAtom(property), XA_ATOM, 0, atoms, 32);
  return std::find(atoms, atoms + n, (long)InternAtom(atom)) != atoms + n;
}

// How long a manager may take to act on a property (a generous bound: a
// busy machine).
const double kManagerAnswersWithin = 2.0;
const int kAskForOwnGeometry = 4;

// What the program has just written of a property it owns, kept so that it
// can be put back when another client overwrites it.
void Remember(PlatformWindow* window, Window xid, Atom property) {
  NativeWindow::Declared now{property, None, {}};
  if (!ReadItems(xid, property, &now.type, &now.items)) return;
  auto& declared = window->native->declared;
  auto same = std::find_if(declared.begin(), declared.end(),
                           [&](const NativeWindow::Declared& d) { return d.property == property; });
  if (same != declared.end()) *same = now;
  else declared.push_back(now);
}

// After another client's hints have made the manager resize or move a
// window, the program's size and place are asked for again, half a second
// after the last such change and a few times over, since a manager may still
// act on hints that are gone: until the window is as the program gave it.
void AskForOwnGeometry(void* data) {
  PlatformWindow* window = static_cast<PlatformWindow*>(data);
  Window xid = Live(window) ? XWindowOf(window) : 0;
  if (!xid) return;
  NativeWindow* native = window->native;
  XWindowAttributes now{};
  int x = 0, y = 0;
  Window child;
  if (!XGetWindowAttributes(PlatformDisplay(), xid, &now) || now.map_state != IsViewable) return;
  XTranslateCoordinates(PlatformDisplay(), xid, Root(), 0, 0, &x, &y, &child);
  FrameExtents frame = FrameOf(window);
  if (now.width == native->fixedWidth && now.height == native->fixedHeight && x - frame.left == window->x &&
      y - frame.top == window->y)
    return;
  if (native->geometryAsked++ >= kAskForOwnGeometry) return;
  native->othersHintsUntil = Now() + kManagerAnswersWithin;
  native->askedFromWidth = native->askedFromHeight = -1;
  XWindowChanges own{};
  own.x = window->x;
  own.y = window->y;
  own.width = native->fixedWidth;
  own.height = native->fixedHeight;
  XConfigureWindow(PlatformDisplay(), xid, CWX | CWY | CWWidth | CWHeight, &own);
  XFlush(PlatformDisplay());
  Fl::repeat_timeout(0.5, AskForOwnGeometry, data);
}

// A property the program owns (the manager only reads it) that another
// client changed or deleted is written back as the program had it: a size,
// a place, decorations or a focus model that nobody asked for would
// otherwise stay. The manager's moves for a while after are not the user's.
void KeepDeclared(PlatformWindow* window, Window xid, Atom property) {
  for (const NativeWindow::Declared& d : window->native->declared) {
    if (d.property != property) continue;
    Atom type = None;
    std::vector<long> items;
    if (ReadItems(xid, property, &type, &items) && type == d.type && items == d.items) return;
    XChangeProperty(PlatformDisplay(), xid, property, d.type, 32, PropModeReplace,
                    (const unsigned char*)d.items.data(), (int)d.items.size());
    window->native->othersHintsUntil = Now() + kManagerAnswersWithin;
    window->native->geometryAsked = 0;
    Fl::remove_timeout(AskForOwnGeometry, window);
    Fl::add_timeout(0.5, AskForOwnGeometry, window);
    return;
  }
}

void SetAtoms(Window xid, const char* property, const std::vector<Atom>& atoms) {
  XChangeProperty(PlatformDisplay(), xid, InternAtom(property), XA_ATOM, 32, PropModeReplace,
                  (const unsigned char*)atoms.data(), (int)atoms.size());
}

PlatformWindow* WindowOfX(Window xid) {
  Fl_Window* flWindow = fl_find(xid);
  PlatformWindow* window = flWindow ? static_cast<PlatformWindow*>(flWindow->user_data()) : nullptr;
  if (!Live(window) || window->kind == WindowKind::Control || FlWindowOf(window) != flWindow) return nullptr;
  return window;
}

// Size hints: a size that only the program changes (minimum = maximum, so
// managers offer neither a resize handle nor maximise), and a place that
// counts for the outer frame's top-left corner, as on Windows.
void DeclareSizeAndPlace(PlatformWindow* window, Window xid) {
  XSizeHints* hints = XAllocSizeHints();
  if (!hints) return;
  hints->flags = USPosition | PMinSize | PMaxSize | PWinGravity;
  hints->x = window->x;
  hints->y = window->y;
  hints->min_width = hints->max_width = window->native->fixedWidth;
  hints->min_height = hints->max_height = window->native->fixedHeight;
  hints->win_gravity = NorthWestGravity;
  XSetWMNormalHints(PlatformDisplay(), xid, hints);
  XFree(hints);

  // Motif hints: which functions and decorations the frame offers. Never
  // resize or maximise; close and the window menu only with a system menu,
  // minimise only with a minimise box.
  enum { kFunctions = 1, kDecorations = 2 };
  enum { kFuncMove = 4, kFuncMinimize = 8, kFuncClose = 32 };
  enum { kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16, kDecorMinimize = 32 };
  const unsigned kMinimizeBox = 0x00020000u;   // WS_MINIMIZEBOX, a top-level window's use of WS_GROUP's bit
  long motif[5] = {kFunctions | kDecorations, kFuncMove, kDecorBorder | kDecorTitle, 0, 0};
  if (window->style & WS_SYSMENU) {
    motif[1] |= kFuncClose;
    motif[2] |= kDecorMenu;
  }
  if (window->style & kMinimizeBox) {
    motif[1] |= kFuncMinimize;
    motif[2] |= kDecorMinimize;
  }
  Atom property = InternAtom("_MOTIF_WM_HINTS");
  XChangeProperty(PlatformDisplay(), xid, property, property, 32, PropModeReplace, (unsigned char*)motif, 5);
  Remember(window, xid, XA_WM_NORMAL_HINTS);
  Remember(window, xid, property);
}

// Who the window is, for the manager's rules and for docks matching it to the
// menu entry's StartupWMClass: the name the program was started under as
// instance, the window class as class (FLTK writes the class twice).
void DeclareIdentity(Fl_Window* flWindow, Window xid) {
  XClassHint hint;
  hint.res_name = program_invocation_short_name;
  hint.res_class = const_cast<char*>(flWindow->xclass());   // the window class; dialogs and boxes take the first one made
  XSetClassHint(PlatformDisplay(), xid, &hint);
}

// An owned dialog: transient for its owner, a dialog to the manager, and off
// the taskbar and the pager, as owned windows are on Windows.
void DeclareDialog(PlatformWindow* window, Window xid) {
  Display* display = PlatformDisplay();
  SetAtoms(xid, "_NET_WM_WINDOW_TYPE", {InternAtom("_NET_WM_WINDOW_TYPE_DIALOG")});
  Window owner = Live(window->owner) ? XWindowOf(window->owner) : 0;
  if (!owner) return;
  XSetTransientForHint(display, xid, owner);
  SetAtoms(xid, "_NET_WM_STATE", {InternAtom("_NET_WM_STATE_SKIP_TASKBAR"), InternAtom("_NET_WM_STATE_SKIP_PAGER")});
}

// The states that would change a fixed size: maximised either way, fullscreen.
std::vector<Atom> UnwantedStates(Window xid) {
  long states[16];
  int n = ReadLongs(xid, InternAtom("_NET_WM_STATE"), XA_ATOM, 0, states, 16);
  std::vector<Atom> found;
  for (const char* name : {"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_WM_STATE_FULLSCREEN"}) {
    Atom state = InternAtom(name);
    if (std::find(states, states + n, (long)state) != states + n) found.push_back(state);
  }
  return found;
}

// A fixed-size window taken to maximised or fullscreen by the manager asks
// to leave that state again and to go back to its place, once for each time
// it was put there: a manager that refuses is not asked again.
void UndoMaximise(PlatformWindow* window, Window xid) {
  std::vector<Atom> unwanted = UnwantedStates(xid);
  if (unwanted.empty()) return;
  for (Atom state : unwanted) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = xid;
    e.xclient.message_type = InternAtom("_NET_WM_STATE");
    e.xclient.format = 32;
    e.xclient.data.l[0] = 0;   // _NET_WM_STATE_REMOVE
    e.xclient.data.l[1] = (long)state;
    e.xclient.data.l[3] = 1;   // from an application
    XSendEvent(PlatformDisplay(), Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  }
  // Some managers leave the window where the state put it.
  XMoveWindow(PlatformDisplay(), xid, window->x, window->y);
}

// A window moved by the user (its title bar dragged) belongs where it was
// put; a window taken to a state that it leaves again does not, nor one the
// manager moved by another client's hints (KeepDeclared puts it back).
void NotePlace(PlatformWindow* window, Window xid) {
  if (!UnwantedStates(xid).empty() || Now() < window->native->othersHintsUntil) return;
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(PlatformDisplay(), xid, &attributes) || attributes.map_state != IsViewable) return;
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(PlatformDisplay(), xid, Root(), 0, 0, &x, &y, &child);
  FrameExtents frame = FrameOf(window);
  window->x = x - frame.left;
  window->y = y - frame.top;
}

// Another client destroyed a window of ours (the program's own go through
// Destroy, which forgets them first). Nothing may be drawn into it again:
// Mesa's software path, asked for the size of a vanished drawable, has been
// seen to crash. Its context is released, and the main window is closed as a
// user closes it. A dialog is made again, a new X window with everything the
// manager needs, and painted anew: the panel's buttons are the only way to
// restart a run. FLTK is kept out of it: it would make the window again
// itself, without what the manager is told, and the way it forgets a
// vanished window crashes in Xft when no text was drawn before.
void LostToOthers(PlatformWindow* window) {
  if (window->native->destroyedByOthers) return;
  window->native->destroyedByOthers = true;
  ForgetContextsOf(window);
  if (window->kind != WindowKind::Dialog) {
    Post(window, WM_CLOSE, 0, 0);
    return;
  }
  TrapXErrors();   // FLTK's request to destroy the vanished window fails
  FlWindowOf(window)->hide();
  EndXErrorTrap();
  window->native->destroyedByOthers = false;
  ShowTopLevel(window);
  Invalidate(window);
}

// Iconified by a manager that keeps the window mapped (mutter does): its
// WM_STATE says Iconic and its _NET_WM_STATE hidden, as such a manager sets
// both. Either alone, which any client may write, stops no frame: a window
// the server shows as viewable is drawn.
bool IconifiedWhileMapped(Window xid) {
  long state[1] = {0};
  Atom type = InternAtom("WM_STATE");
  return ReadLongs(xid, type, type, 0, state, 1) == 1 && state[0] == IconicState &&
         HasAtom(xid, "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN");
}

// Events of the kinds only the X server or the user's devices make, sent to
// a window of ours by another client (XSendEvent): a click or a key nobody
// pressed, a press never released, a window said to be unmapped, destroyed
// or resized that is not. They are dropped, so that FLTK and the program
// believe only the server. What a manager itself sends passes: its close request (a
// client message) and its word on where it moved a window (a ConfigureNotify
// with the window's own size).
bool MadeUpByOthers(const XEvent& e) {
  if (!e.xany.send_event) return false;
  Fl_Window* flWindow = fl_find(e.xany.window);
  if (!flWindow) return false;
  switch (e.type) {
    case ButtonPress: case ButtonRelease: case KeyPress: case KeyRelease: case MotionNotify:
    case EnterNotify: case LeaveNotify:
    case FocusIn: case FocusOut: case KeymapNotify: case VisibilityNotify: case PropertyNotify:
    case CreateNotify: case DestroyNotify: case UnmapNotify: case MapNotify: case ReparentNotify:
    case GravityNotify: case CirculateNotify:
      return true;
    case ConfigureNotify:
      return e.xconfigure.width != flWindow->w() || e.xconfigure.height != flWindow->h();
    default:
      return false;
  }
}

int OnSystemEvent(void* event, void*) {
  const XEvent* e = static_cast<const XEvent*>(event);
  if (MadeUpByOthers(*e)) return 1;   // FLTK does not see it either
  if (e->type == PropertyNotify) {
    PlatformWindow* window = WindowOfX(e->xproperty.window);
    if (!window) return 0;
    const Window xid = e->xproperty.window;
    const Atom atom = e->xproperty.atom;
    if (atom == InternAtom("_NET_WM_STATE")) {
      if (e->xproperty.state == PropertyNewValue) UndoMaximise(window, xid);
      if (window->native->sizeHeld && UnwantedStates(xid).empty()) {
        // Out of the state with the size it imposed (sway leaves the
        // window so and says nothing more): the program hears its size
        // again and asks for its own, once.
        window->native->sizeHeld = false;
        Fl_Window* flWindow = FlWindowOf(window);
        SizeRestored(window, flWindow->w(), flWindow->h());
      }
    }
    if (atom == InternAtom("WM_STATE") || atom == InternAtom("_NET_WM_STATE"))
      window->native->iconic = IconifiedWhileMapped(xid);
    KeepDeclared(window, xid, atom);
  } else if (e->type == ConfigureNotify && e->xconfigure.event == e->xconfigure.window) {
    if (PlatformWindow* window = WindowOfX(e->xconfigure.window)) NotePlace(window, e->xconfigure.window);
  } else if (e->type == DestroyNotify && e->xdestroywindow.event == e->xdestroywindow.window) {
    if (PlatformWindow* window = WindowOfX(e->xdestroywindow.window)) {
      LostToOthers(window);
      return 1;
    }
  }
  return 0;   // FLTK sees every other event as well
}

// The server's own DestroyNotify of a window, not one another client made up.
Bool IsDestroyOf(Display*, XEvent* e, XPointer xid) {
  return e->type == DestroyNotify && !e->xany.send_event && e->xdestroywindow.window == *(Window*)xid;
}

}  // namespace

void WatchWindowManager() { Fl::add_system_handler(OnSystemEvent, nullptr); }

bool DestroyedByOthers(PlatformWindow* window, Window xid) {
  if (window->native->destroyedByOthers) return true;
  // What the server has sent so far, without a round trip: a frame is
  // drawn in milliseconds, and a destroy during it is seen here before the
  // frame is presented. The event is put back for FLTK.
  Display* display = PlatformDisplay();
  XEventsQueued(display, QueuedAfterReading);
  XEvent e;
  if (!XCheckIfEvent(display, &e, IsDestroyOf, (XPointer)&xid)) return false;
  XPutBackEvent(display, &e);
  LostToOthers(window);
  return true;
}

bool HeldByManager(PlatformWindow* window) {
  Window xid = XWindowOf(window);
  return xid && !UnwantedStates(xid).empty();
}

void DeclareFixedSize(PlatformWindow* window) {
  Window xid = XWindowOf(window);
  if (xid) DeclareSizeAndPlace(window, xid);
}

// A compositor (every Wayland desktop, through Xwayland) shows an X window
// once it has content; an OpenGL window has none until its first frame,
// which the program draws after it has made its panel, so the panel would
// reach the screen first and go under the main window. Black, the colour
// Windows shows for a window with no background of its class, is the main
// window's content from the moment it is mapped until its first frame;
// from then on an uncovered part keeps the last frame until the next one, as
// before (the server paints no background over it).
void GiveContentAtMap(PlatformWindow* window, Window xid) {
  Display* display = PlatformDisplay();
  XColor black{};
  Colormap colormap = window->native->colormap ? window->native->colormap
                                               : DefaultColormap(display, PlatformScreen());
  if (!XAllocColor(display, colormap, &black)) return;
  XSetWindowBackground(display, xid, black.pixel);
  window->native->backgroundUntilFrame = true;
}

// FLTK maps a window at the end of its creation and sets its own size hints
// (static gravity) just before. Under a server grab the manager handles the
// map request only after the hints here have replaced FLTK's, so it never
// sees a half-described window. Nothing in between waits for another client.
void ShowTopLevel(PlatformWindow* window) {
  Display* display = PlatformDisplay();
  Fl_Window* flWindow = FlWindowOf(window);
  window->native->iconic = false;   // a new X window: the manager has not iconified it
  window->native->declared.clear();
  XGrabServer(display);
  // FLTK keeps a new bordered window 20 pixels below the screen's top edge.
  // Made as a borderless one it stays at the program's place, so the manager
  // finds it there and need not move it after mapping it (a window read
  // between the two would be in the wrong place). FLTK's marks of a
  // borderless window (no Motif decorations, skip-taskbar) are replaced below.
  const bool bordered = flWindow->border();
  flWindow->clear_border();
  flWindow->show();
  if (bordered) flWindow->border(1);
  Window xid = XWindowOf(window);
  if (xid) {
    XDeleteProperty(display, xid, InternAtom("_NET_WM_STATE"));
    DeclareIdentity(flWindow, xid);
    DeclareSizeAndPlace(window, xid);
    if (window->kind == WindowKind::Dialog) DeclareDialog(window, xid);
    else GiveContentAtMap(window, xid);
    Remember(window, xid, XA_WM_HINTS);   // as FLTK wrote them
    // FLTK also keeps a new window inside the screen; the program's place is
    // where it asked for.
    Window root;
    int x = 0, y = 0;
    unsigned w, h, border, depth;
    XGetGeometry(display, xid, &root, &x, &y, &w, &h, &border, &depth);
    if (x != window->x || y != window->y) XMoveWindow(display, xid, window->x, window->y);
  }
  XUngrabServer(display);
  XFlush(display);
  Fl_X::x(flWindow, window->x);
  Fl_X::y(flWindow, window->y);
}

// A window of the platform's own (a message box) at x, y: its identity and
// place set before the manager handles the map, as for the program's windows.
void ShowBoxAt(Fl_Window* box, int x, int y) {
  Display* display = PlatformDisplay();
  XGrabServer(display);
  box->show();
  if (Window xid = fl_xid(box)) {
    DeclareIdentity(box, xid);
    XSizeHints* hints = XAllocSizeHints();
    if (hints) {
      long supplied = 0;
      XGetWMNormalHints(display, xid, hints, &supplied);
      hints->flags |= USPosition | PWinGravity;
      hints->x = x;
      hints->y = y;
      hints->win_gravity = NorthWestGravity;
      XSetWMNormalHints(display, xid, hints);
      XFree(hints);
    }
    XMoveWindow(display, xid, x, y);
  }
  XUngrabServer(display);
  XFlush(display);
}

// Puts a shown top-level window's outer frame at x, y: with north-west
// gravity a manager places the frame there; without one the window is there.
void PlaceTopLevel(PlatformWindow* window, int x, int y) {
  window->x = x;
  window->y = y;
  Window xid = XWindowOf(window);
  if (!xid) return;
  DeclareSizeAndPlace(window, xid);
  XMoveWindow(PlatformDisplay(), xid, x, y);
  Fl_X::x(FlWindowOf(window), x);
  Fl_X::y(FlWindowOf(window), y);
  XFlush(PlatformDisplay());
}

bool WaitUntilPlaced(PlatformWindow* window) {
  // Generous: a busy machine and a slow manager may take a while; a window
  // shown iconic is never viewable and only costs this wait.
  const double guard = Now() + 5.0;
  for (;;) {
    Window xid = XWindowOf(window);
    if (!xid) return false;
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(PlatformDisplay(), xid, &attributes) && attributes.map_state == IsViewable)
      return true;
    if (Now() > guard) return false;
    Fl::wait(0.01);
    if (!Live(window)) return false;
  }
}

// A compositor (every Wayland desktop, through Xwayland) shows a window
// only once its first content has reached it, some time after the map, and
// those that stack windows by their arrival (sway) would put the main window
// over a panel made in that time. A manager focuses a new window once it
// shows it: that is waited for, so that the panel arrives after. sway has
// been seen to miss the content a window has at its map (its black
// background) and to show the window only with the next content, the first
// frame, drawn once the panel is up: while the focus does not come, the
// background is painted again every quarter of a second, new content each
// time. Within a bound (a manager that does not focus new windows costs it,
// once): five seconds, as a busy machine may need.
void WaitUntilShownByManager(PlatformWindow* window) {
  long manager = 0;
  if (ReadLongs(Root(), InternAtom("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 0, &manager, 1) != 1 || !manager) return;
  const double start = Now(), guard = start + 5.0;
  double repaint = start + 0.25;
  while (Now() < guard && Live(window)) {
    Window xid = XWindowOf(window), focus = 0;
    int revert = 0;
    if (!xid) return;
    XGetInputFocus(PlatformDisplay(), &focus, &revert);
    if (focus == xid) return;
    if (Now() >= repaint && window->native->backgroundUntilFrame) {
      XClearWindow(PlatformDisplay(), xid);
      XFlush(PlatformDisplay());
      repaint = Now() + 0.25;
    }
    Fl::wait(0.01);
  }
}

FrameExtents FrameOf(PlatformWindow* window) {
  FrameExtents frame{0, 0, 0, 0};
  Window xid = XWindowOf(window);
  if (!xid) return frame;
  long extents[4];
  if (ReadLongs(xid, InternAtom("_NET_FRAME_EXTENTS"), XA_CARDINAL, 0, extents, 4) == 4) {
    frame = FrameExtents{(int)extents[0], (int)extents[1], (int)extents[2], (int)extents[3]};
    return frame;
  }
  // A manager without the property: the frame is the window's ancestor just
  // below the root.
  Display* display = PlatformDisplay();
  Window outer = xid;
  for (;;) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, outer, &root, &parent, &children, &count)) break;
    if (children) XFree(children);
    if (parent == root || parent == 0) break;
    outer = parent;
  }
  if (outer == xid) return frame;
  XWindowAttributes inner{}, around{};
  Window child;
  int ix, iy, ox, oy;
  XGetWindowAttributes(display, xid, &inner);
  XGetWindowAttributes(display, outer, &around);
  XTranslateCoordinates(display, xid, Root(), 0, 0, &ix, &iy, &child);
  XTranslateCoordinates(display, outer, Root(), 0, 0, &ox, &oy, &child);
  frame.left = ix - ox;
  frame.top = iy - oy;
  frame.right = std::max(0, around.width - inner.width - frame.left);
  frame.bottom = std::max(0, around.height - inner.height - frame.top);
  return frame;
}

void KeepOnWorkArea(int* x, int* y, int outerWidth, int outerHeight) {
  Display* display = PlatformDisplay();
  int areaX = 0, areaY = 0;
  int areaW = DisplayWidth(display, PlatformScreen()), areaH = DisplayHeight(display, PlatformScreen());
  long desktop = 0, area[4];
  ReadLongs(Root(), InternAtom("_NET_CURRENT_DESKTOP"), XA_CARDINAL, 0, &desktop, 1);
  if (ReadLongs(Root(), InternAtom("_NET_WORKAREA"), XA_CARDINAL, 4 * desktop, area, 4) == 4 && area[2] > 0 &&
      area[3] > 0) {
    areaX = (int)area[0];
    areaY = (int)area[1];
    areaW = (int)area[2];
    areaH = (int)area[3];
  }
  // Right and bottom edges first, so that a rectangle larger than the area
  // keeps its top-left corner (and its title bar) on the screen.
  *x = std::max(areaX, std::min(*x, areaX + areaW - outerWidth));
  *y = std::max(areaY, std::min(*y, areaY + areaH - outerHeight));
}
