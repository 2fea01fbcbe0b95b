// The program's entry on X11: opens the display (or says in one line why it
// cannot), then hands over to ProgramMain. Relies on FLTK 1.3 and Xlib.
#include "platform/fltk_internal.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <cstdio>

int main() {
  if (!OpenPlatformDisplay()) return 1;
  return ProgramMain(ProgramInstance(), nullptr, "", SW_SHOWDEFAULT);
}
