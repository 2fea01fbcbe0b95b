// The FLTK backend's top-level windows and clock: an FLTK window for each
// program window and dialog, the mouse as input, the sizes and close requests
// of the window manager, the real clock and the wait for X events. Relies on
// backend.h, FLTK 1.3 and Xlib; what the manager is told is manager.cpp's.
#define FL_INTERNALS 1
#include "platform/x11/x11.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <chrono>

extern const Fl_Color kFace;   // controls.cpp

namespace {

bool programResizing = false;   // inside SetWindowPos: a size change that is the program's own

// Escape reaches a window's callback too; only the window manager's close
// request (FL_CLOSE) counts, and only for a window with a close box.
void CloseRequested(Fl_Widget*, void* data) {
  PlatformWindow* window = static_cast<PlatformWindow*>(data);
  if (Fl::event() == FL_CLOSE && Live(window) && !window->destroying && (window->style & WS_SYSMENU))
    Post(window, WM_CLOSE, 0, 0);
}

// A top-level window. FLTK never draws into a program window: an expose only
// marks its client area invalid, which becomes WM_PAINT, and only the
// program's SwapBuffers presents a frame. A dialog draws its face and its
// controls; an expose of the face then asks the dialog's procedure to paint
// (WM_PAINT through the queue) over it. The keys either receives go to the
// core (keys.cpp), which hands them to the window with the focus.
class TopLevel : public Fl_Window {
 public:
  explicit TopLevel(PlatformWindow* window)
      : Fl_Window(window->x, window->y, window->width, window->height), window_(window) {
    if (window->kind == WindowKind::Dialog) color(kFace);
  }

  void show() override {
    if (shown() || !window_->pixelFormat) {
      Fl_Window::show();
      return;
    }
    Fl_X::make_xid(this, &window_->native->visual, window_->native->colormap);
  }

  int handle(int event) override {
    // A key down comes as FL_SHORTCUT when FLTK has no focus widget (the
    // server's focus follows the pointer, no window manager gave one): the
    // window takes FLTK's focus, so that the key's release reaches it too.
    if (event == FL_KEYBOARD || event == FL_KEYUP || event == FL_SHORTCUT) {
      if (event == FL_SHORTCUT && !Fl::focus()) Fl::focus(this);
      KeyFromToolkit(event != FL_KEYUP);
      return 1;
    }
    if (window_->kind != WindowKind::Main) return Fl_Window::handle(event);
    switch (event) {
      case FL_PUSH: case FL_RELEASE: case FL_DRAG: case FL_MOVE:
        Mouse(event);
        return 1;
      case FL_ENTER: case FL_LEAVE: case FL_FOCUS: case FL_UNFOCUS:
        return 1;
      default:
        return Fl_Window::handle(event);
    }
  }

  void resize(int x, int y, int w, int h) override {
    // The manager answered with another size than the one it had when the
    // program last asked for its own, and holds the window in no maximised
    // or fullscreen state (where it may put its size back at once): the
    // program may ask once more.
    NativeWindow* native = window_->native;
    if (!programResizing && Live(window_) && (w != native->askedFromWidth || h != native->askedFromHeight) &&
        !HeldByManager(window_))
      native->askedFromWidth = native->askedFromHeight = -1;
    Fl_Window::resize(x, y, w, h);
    if (!programResizing) Resized(window_, w, h);
  }

 protected:
  void flush() override {
    if (window_->kind == WindowKind::Main) Invalidate(window_);
    else Fl_Window::flush();
  }
  void draw() override {
    if (window_->kind == WindowKind::Main) return;
    Fl_Window::draw();
    if (damage() & ~FL_DAMAGE_CHILD) Invalidate(window_);
  }

 private:
  void Mouse(int event) {
    if (!Live(window_) || window_->destroying) return;
    int x = Fl::event_x(), y = Fl::event_y();
    // Outside the client area only the window holding the capture hears the mouse.
    if ((x < 0 || y < 0 || x >= w() || y >= h()) && CaptureWindow() != window_) return;
    unsigned message = WM_MOUSEMOVE;
    if (event == FL_PUSH || event == FL_RELEASE) {
      int button = Fl::event_button();
      if (button == FL_LEFT_MOUSE) message = event == FL_PUSH ? WM_LBUTTONDOWN : WM_LBUTTONUP;
      else if (button == FL_RIGHT_MOUSE) message = event == FL_PUSH ? WM_RBUTTONDOWN : WM_RBUTTONUP;
      else return;   // the middle button has no message here
    }
    QueueInput(window_, message, 0, MakeLParam(x, y));   // no key-state flags: nothing reads them
  }

  PlatformWindow* window_;
};

}  // namespace

Window XWindowOf(const PlatformWindow* window) {
  Fl_Window* flWindow = FlWindowOf(window);
  if (!flWindow || !flWindow->shown() || window->native->destroyedByOthers) return 0;
  return fl_xid(flWindow);
}

void ClientOrigin(const PlatformWindow* window, int* x, int* y) {
  *x = window->x;
  *y = window->y;
  Window child, xid = XWindowOf(window);
  if (xid) XTranslateCoordinates(PlatformDisplay(), xid, RootWindow(PlatformDisplay(), PlatformScreen()), 0, 0, x, y,
                                 &child);
}

int GetSystemMetrics(int index) {
  int x, y, w, h;
  Fl::screen_xywh(x, y, w, h, 0);
  if (index == SM_CYSCREEN) return h;
  return index == SM_CXSCREEN ? w : 0;
}

// ---- what the core asks of a backend --------------------------------------------------
uint64_t BackendNow() {
  using namespace std::chrono;
  return (uint64_t)duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void BackendIdle() { Fl::wait(0.0); }   // takes in what the toolkit has waiting, without blocking

// Blocks in select() until an X event or the time is up: no processor time
// while nothing happens. FLTK runs its own timeouts' callbacks at the start of
// the following wait, hence the second, non-blocking one.
bool BackendWait(int64_t milliseconds) {
  Fl::wait(milliseconds < 0 ? 1e20 : milliseconds / 1000.0);
  Fl::wait(0.0);
  return true;
}

// A program window that was shown but is now unmapped (iconified, or on
// another desktop) or iconified while kept mapped.
bool BackendProgramUnseen() {
  for (PlatformWindow* window : AllWindows()) {
    Fl_Window* flWindow = window->alive && !window->destroying && window->kind == WindowKind::Main
                              ? FlWindowOf(window)
                              : nullptr;
    if (flWindow && flWindow->shown() && (!flWindow->visible() || window->native->iconic)) return true;
  }
  return false;
}

void BackendCreated(PlatformWindow* window) {
  window->native = new NativeWindow;   // kept with the record
  window->native->fixedWidth = window->width;
  window->native->fixedHeight = window->height;
  Fl_Group::current(nullptr);
  TopLevel* flWindow = new TopLevel(window);
  flWindow->copy_label(window->text.c_str());
  if (window->kind == WindowKind::Main) flWindow->xclass(window->className.c_str());   // dialogs take the first one's
  flWindow->callback(CloseRequested, window);
  SetWindowIcon(flWindow, window->icon);
  window->native->flWindow = flWindow;
  if (window->kind == WindowKind::Dialog) MakeDialogWindow(window);
  else flWindow->end();
}

void BackendShown(PlatformWindow* window) {
  if (window->kind == WindowKind::Control) {
    if (window->native->widget) window->native->widget->show();
    return;
  }
  ShowTopLevel(window);
  if (window->kind == WindowKind::Main) {
    GLWindowShown(window);
    if (WaitUntilPlaced(window)) WaitUntilShownByManager(window);
  } else if (WaitUntilPlaced(window)) {
    // The frame is known only now: a dialog that the manager's frame takes
    // past the work area moves in.
    FrameExtents frame = FrameOf(window);
    int x = window->x, y = window->y;
    KeepOnWorkArea(&x, &y, window->width + frame.left + frame.right, window->height + frame.top + frame.bottom);
    if (x != window->x || y != window->y) PlaceTopLevel(window, x, y);
  }
}

bool BackendOnScreen(const PlatformWindow* window) {
  Fl_Window* flWindow = FlWindowOf(window);
  return flWindow && flWindow->shown() && flWindow->visible();
}

// A size that the manager keeps instead of the program's is asked back
// once: asking again each time the manager answers with the same size
// would never end. Nor is a size asked back from a maximised or fullscreen
// state: the window leaves the state instead (manager.cpp), and the
// manager gives the size back itself.
void BackendPlace(PlatformWindow* window, WindowHandle, int, int, int* width, int* height, unsigned) {
  Fl_Window* flWindow = window->native->flWindow;
  NativeWindow* native = window->native;
  native->fixedWidth = *width;
  native->fixedHeight = *height;
  bool sized = *width != flWindow->w() || *height != flWindow->h();
  if (sized && flWindow->shown()) {
    bool held = HeldByManager(window);
    if (held) native->sizeHeld = true;   // asked again once the state is left (manager.cpp)
    if ((flWindow->w() == native->askedFromWidth && flWindow->h() == native->askedFromHeight) || held) {
      sized = false;
      *width = flWindow->w();
      *height = flWindow->h();
    } else {
      native->askedFromWidth = flWindow->w();
      native->askedFromHeight = flWindow->h();
    }
  }
  if (!sized) return;
  programResizing = true;
  flWindow->resize(flWindow->x(), flWindow->y(), *width, *height);
  programResizing = false;
  DeclareFixedSize(window);   // FLTK has just put its own size hints in
}

void BackendRedraw(PlatformWindow* window) {
  if (window->kind == WindowKind::Dialog) window->native->flWindow->redraw();
  else if (window->kind == WindowKind::Control && window->native->widget) window->native->widget->redraw();
}

void BackendDestroyed(PlatformWindow* window) {
  if (window->kind == WindowKind::Control) {
    if (window->native->widget) window->native->widget->hide();
    return;
  }
  GLWindowDestroyed(window);
  for (PlatformWindow* control : window->controls) control->native->widget = nullptr;   // they go with the window
  Fl_Window* flWindow = window->native->flWindow;
  flWindow->callback((Fl_Callback*)nullptr, nullptr);
  flWindow->hide();
  Fl::delete_widget(flWindow);
  window->native->flWindow = nullptr;
}

// Once the window manager has put a shown window where it stays.
void BackendClientOrigin(const PlatformWindow* window, int* x, int* y) {
  if (XWindowOf(window)) WaitUntilPlaced(const_cast<PlatformWindow*>(window));
  ClientOrigin(window, x, y);
}
