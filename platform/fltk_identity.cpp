// Who the program's top-level windows say they are: WM_CLASS with the name
// the program was started under as instance and the window class as class,
// in place before any window manager or dock reads it. Relies on FLTK 1.3 and Xlib.
#include "platform/fltk_internal.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <cerrno>   // program_invocation_short_name

void ShowTopLevel(Fl_Window* window) {
  Display* display = PlatformDisplay();
  if (window->shown() || !display) {
    window->show();
    return;
  }
  // FLTK maps a new window right after writing its own WM_CLASS (the class
  // name twice). Holding the server keeps the window manager from acting on
  // the map request until the class below has replaced it.
  XGrabServer(display);
  window->show();
  if (Window xid = fl_xid(window)) {
    XClassHint hint;
    hint.res_name = program_invocation_short_name;
    hint.res_class = const_cast<char*>(window->xclass());   // the window class; dialogs take the first one made
    XSetClassHint(display, xid, &hint);
  }
  XUngrabServer(display);
  XFlush(display);
}
