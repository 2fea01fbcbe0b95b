// Window classes and top-level windows: creation with WM_CREATE inside, show,
// size, paint and destroy; the OpenGL window's mouse input. Relies on FLTK 1.3 and Xlib.
#define FL_INTERNALS 1
#include "platform/fltk_internal.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct ClassEntry {
  WindowClass windowClass;
  std::string name;
};
std::map<std::string, ClassEntry> classes;

// The Win32 key-state flags of a mouse message's wParam.
uintptr_t MouseKeyState() {
  int state = Fl::event_state();
  uintptr_t keys = 0;
  if (state & FL_BUTTON1) keys |= 0x1;    // MK_LBUTTON
  if (state & FL_BUTTON3) keys |= 0x2;    // MK_RBUTTON
  if (state & FL_SHIFT) keys |= 0x4;      // MK_SHIFT
  if (state & FL_CTRL) keys |= 0x8;       // MK_CONTROL
  if (state & FL_BUTTON2) keys |= 0x10;   // MK_MBUTTON
  return keys;
}

// A top-level window of a registered class. FLTK never draws into it: an
// expose only marks the client area invalid, which becomes WM_PAINT for the
// window procedure, and only the program's SwapBuffers presents a frame.
class ProgramWindow : public Fl_Window {
 public:
  ProgramWindow(PlatformWindow* owner, int x, int y, int w, int h)
      : Fl_Window(x, y, w, h), owner_(owner) {}

  void show() override {
    if (shown() || !owner_->pixelFormat) {
      Fl_Window::show();
      return;
    }
    Fl_X::make_xid(this, &owner_->visual, owner_->colormap);
  }

  int handle(int event) override {
    switch (event) {
      case FL_PUSH:
      case FL_RELEASE:
      case FL_DRAG:
      case FL_MOVE:
        Mouse(event);
        return 1;
      case FL_ENTER:
      case FL_LEAVE:
      case FL_FOCUS:
      case FL_UNFOCUS:
        return 1;
      case FL_KEYBOARD:
      case FL_KEYUP:
      case FL_SHORTCUT:
        return 1;   // no keyboard interface; Escape does not close the window
      default:
        return Fl_Window::handle(event);
    }
  }

  void resize(int x, int y, int w, int h) override {
    bool sized = w != this->w() || h != this->h();
    Fl_Window::resize(x, y, w, h);
    if (sized && IsLiveWindow(owner_) && !owner_->destroying)
      SendToWindow(owner_, WM_SIZE, SIZE_RESTORED, MakeLParam(w, h));
  }

 protected:
  void flush() override {
    if (IsLiveWindow(owner_)) owner_->needsPaint = true;
  }
  void draw() override {}

 private:
  void Mouse(int event) {
    if (!IsLiveWindow(owner_) || owner_->destroying) return;
    int x = Fl::event_x(), y = Fl::event_y();
    bool inside = x >= 0 && y >= 0 && x < w() && y < h();
    // Outside the client area only the window holding the capture hears the mouse.
    if (!inside && CaptureWindow() != owner_) return;
    int button = Fl::event_button();
    unsigned message = WM_MOUSEMOVE;
    if (event == FL_PUSH || event == FL_RELEASE) {
      if (button == FL_LEFT_MOUSE) message = event == FL_PUSH ? WM_LBUTTONDOWN : WM_LBUTTONUP;
      else if (button == FL_RIGHT_MOUSE) message = event == FL_PUSH ? WM_RBUTTONDOWN : WM_RBUTTONUP;
      else return;   // the middle button has no message here
    }
    PostToQueue(owner_, message, MouseKeyState(), MakeLParam(x, y));
  }

  PlatformWindow* owner_;
};

Atom InternAtom(const char* name) { return XInternAtom(PlatformDisplay(), name, False); }

}  // namespace

void CloseRequested(Fl_Widget*, void* data) {
  // Escape reaches a window's callback too; only the window manager's close
  // request (FL_CLOSE) counts, and only for a window with a close box.
  if (Fl::event() != FL_CLOSE) return;
  PlatformWindow* window = static_cast<PlatformWindow*>(data);
  if (!IsLiveWindow(window) || window->destroying) return;
  if (!(window->style & WS_SYSMENU)) return;
  PostToQueue(window, WM_CLOSE, 0, 0);
}

Window XWindowOf(const PlatformWindow* window) {
  if (!window || !window->flWindow || !window->flWindow->shown()) return 0;
  return fl_xid(window->flWindow);
}

void ClientOrigin(const PlatformWindow* window, int* x, int* y) {
  *x = window->flWindow ? window->flWindow->x() : 0;
  *y = window->flWindow ? window->flWindow->y() : 0;
  Window xid = XWindowOf(window);
  if (!xid) return;
  Display* display = PlatformDisplay();
  Window child;
  XTranslateCoordinates(display, xid, RootWindow(display, PlatformScreen()), 0, 0, x, y, &child);
}

// Puts a shown top-level window where the program asked. Windows positions
// the outer frame; an X window manager does the same with north-west gravity
// (FLTK asks for static gravity, which places the client area instead, and
// keeps a bordered window 20 pixels below the screen's top edge).
void PlaceTopLevel(PlatformWindow* window, int x, int y) {
  Window xid = XWindowOf(window);
  if (!xid) return;
  Display* display = PlatformDisplay();
  XSizeHints* hints = XAllocSizeHints();
  long supplied = 0;
  if (hints) {
    XGetWMNormalHints(display, xid, hints, &supplied);
    hints->flags |= USPosition | PWinGravity;
    hints->x = x;
    hints->y = y;
    hints->win_gravity = NorthWestGravity;
    XSetWMNormalHints(display, xid, hints);
    XFree(hints);
  }
  XMoveWindow(display, xid, x, y);
  Fl_X::x(window->flWindow, x);
  Fl_X::y(window->flWindow, y);
  if (window->owner && IsLiveWindow(window->owner) && XWindowOf(window->owner))
    XSetTransientForHint(display, xid, XWindowOf(window->owner));
  if (window->kind == WindowKind::Dialog) {
    // Motif hints: a fixed-size dialog frame, with a close box only for WS_SYSMENU.
    long motif[5] = {1 | 2, 4, 2 | 8, 0, 0};   // functions: move; decorations: border, title
    if (window->style & WS_SYSMENU) {
      motif[1] |= 32;   // close
      motif[2] |= 16;   // window menu
    }
    Atom property = InternAtom("_MOTIF_WM_HINTS");
    XChangeProperty(display, xid, property, property, 32, PropModeReplace, (unsigned char*)motif, 5);
  }
  XFlush(display);
}

int RegisterClass(const WindowClass* windowClass) {
  if (!windowClass || !windowClass->className || !windowClass->windowProc) return 0;
  std::string name = windowClass->className;
  if (classes.count(name)) return 0;   // already registered, as on Windows
  ClassEntry& entry = classes[name];
  entry.name = name;
  entry.windowClass = *windowClass;
  entry.windowClass.className = entry.name.c_str();
  return 1;
}

int GetSystemMetrics(int index) {
  if (!PlatformDisplay()) return 0;
  int x, y, w, h;
  Fl::screen_xywh(x, y, w, h, 0);
  if (index == SM_CYSCREEN) return h;
  if (index == 0) return w;   // SM_CXSCREEN
  return 0;
}

WindowHandle CreateWindow(const char* className, const char* caption, unsigned style, int x, int y,
                          int width, int height, WindowHandle parent) {
  if (!className || !PlatformDisplay()) return nullptr;
  auto found = classes.find(className);
  if (found == classes.end()) return nullptr;
  if ((style & WS_CHILD) || (parent && !IsLiveWindow(parent))) return nullptr;   // child windows: not needed
  const WindowClass& windowClass = found->second.windowClass;
  if (width <= 0) width = 1;
  if (height <= 0) height = 1;

  PlatformWindow* window = new PlatformWindow;
  window->kind = WindowKind::Main;
  window->windowProc = windowClass.windowProc;
  window->className = className;
  window->classStyle = windowClass.style;
  window->style = style;
  window->caption = caption ? caption : "";
  window->owner = parent;
  window->icon = windowClass.icon;
  RegisterWindow(window);

  // The size given is taken as the client size: on X11 the frame belongs to
  // the window manager.
  Fl_Group::current(nullptr);
  ProgramWindow* flWindow = new ProgramWindow(window, x, y, width, height);
  flWindow->end();
  flWindow->copy_label(window->caption.c_str());
  flWindow->xclass(className);
  flWindow->resizable(flWindow);   // the user may drag the size; WM_SIZE decides
  flWindow->size_range(1, 1);
  flWindow->callback(CloseRequested, window);
  if (window->icon && window->icon->image) flWindow->icon(window->icon->image.get());
  window->flWindow = flWindow;

  if (SendToWindow(window, WM_CREATE, 0, 0) == -1) {
    DestroyPlatformWindow(window);
    return nullptr;
  }
  if (!IsLiveWindow(window)) return nullptr;
  SendToWindow(window, WM_SIZE, SIZE_RESTORED, MakeLParam(width, height));
  if (IsLiveWindow(window) && (style & WS_VISIBLE)) ShowWindow(window, SW_SHOWNORMAL);
  return IsLiveWindow(window) ? window : nullptr;
}

int ShowWindow(WindowHandle window, int) {
  if (!IsLiveWindow(window)) return 0;
  if (window->kind == WindowKind::Control) {
    int was = window->widget && window->widget->visible();
    if (window->widget) window->widget->show();
    return was;
  }
  Fl_Window* flWindow = window->flWindow;
  int was = flWindow->shown() && flWindow->visible();
  if (!was) {
    int x = flWindow->x(), y = flWindow->y();
    ShowTopLevel(flWindow);
    PlaceTopLevel(window, x, y);
    if (window->kind == WindowKind::Main) {
      window->needsPaint = true;
      GLWindowShown(window);
    }
  }
  return was;
}

int UpdateWindow(WindowHandle window) {
  if (!IsLiveWindow(window)) return 0;
  if (window->kind == WindowKind::Main) {
    if (window->needsPaint && window->flWindow->shown()) SendToWindow(window, WM_PAINT, 0, 0);
  } else {
    Fl::flush();
  }
  return 1;
}

int SetWindowPos(WindowHandle window, WindowHandle, int x, int y, int width, int height, unsigned flags) {
  if (!IsLiveWindow(window) || window->kind == WindowKind::Control) return 0;
  Fl_Window* flWindow = window->flWindow;
  if (width <= 0) width = 1;
  if (height <= 0) height = 1;
  if (!(flags & SWP_NOMOVE)) {
    flWindow->resize(x, y, width, height);
    PlaceTopLevel(window, x, y);
  } else {
    flWindow->resize(flWindow->x(), flWindow->y(), width, height);
  }
  return 1;
}

intptr_t GetWindowLong(WindowHandle window, int index) {
  if (!IsLiveWindow(window)) return 0;
  if (index == GWL_ID) return window->id;
  if (index == GWL_HINSTANCE) return (intptr_t)ProgramInstance();
  return 0;
}

int InvalidateRect(WindowHandle window, const Rect*, int) {
  if (!IsLiveWindow(window)) return 0;
  if (window->kind == WindowKind::Main) window->needsPaint = true;
  else if (window->kind == WindowKind::Dialog) window->flWindow->redraw();
  else if (window->widget) window->widget->redraw();
  return 1;
}

intptr_t DefWindowProc(WindowHandle window, unsigned message, uintptr_t, intptr_t) {
  if (!IsLiveWindow(window)) return 0;
  switch (message) {
    case WM_CLOSE:
      DestroyPlatformWindow(window);
      return 0;
    case WM_PAINT:
      window->needsPaint = false;
      return 0;
    default:
      return 0;
  }
}

void DestroyPlatformWindow(PlatformWindow* window) {
  if (!IsLiveWindow(window) || window->destroying) return;
  window->destroying = true;
  // Owned windows go first, then the window itself, as on Windows.
  while (PlatformWindow* owned = FindOwnedWindow(window)) DestroyPlatformWindow(owned);
  if (window->kind == WindowKind::Dialog) SendToWindow(window, WM_DESTROY, 0, 0);
  else if (window->windowProc) window->windowProc(window, WM_DESTROY, 0, 0);
  DestroyControls(window);
  PurgeQueueFor(window);
  GLWindowDestroyed(window);
  if (window->ownDC) {
    ForgetDC(window->ownDC);
    window->ownDC = nullptr;
  }
  if (window->flWindow) {
    window->flWindow->callback((Fl_Callback*)nullptr, nullptr);
    window->flWindow->hide();
    Fl::delete_widget(window->flWindow);
    window->flWindow = nullptr;
  }
  ForgetWindow(window);
}
