// The X display and the program's instance handle, shared by every platform
// file. Relies on FLTK 1.3 and Xlib.
#include "platform/fltk_internal.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <cerrno>
#include <cstdio>

namespace {
Display* display = nullptr;
PlatformInstance instance{0};
}  // namespace

bool OpenPlatformDisplay() {
  if (display) return true;
  Display* opened = XOpenDisplay(nullptr);
  if (!opened) {
    const char* name = XDisplayName(nullptr);
    if (!name || !*name)
      std::fprintf(stderr, "%s: no X display to open: DISPLAY is not set\n", program_invocation_short_name);
    else
      std::fprintf(stderr, "%s: cannot open the X display \"%s\"; is an X server running there?\n",
                   program_invocation_short_name, name);
    return false;
  }
  fl_open_display(opened);
  display = opened;
  Fl::visible_focus(0);   // no keyboard focus marks: the program has no keyboard interface
  return true;
}

Display* PlatformDisplay() { return display; }
int PlatformScreen() { return display ? fl_screen : 0; }
InstanceHandle ProgramInstance() { return &instance; }
