// The X display, shared by every file of the FLTK backend; the resolution
// the desktop asks for; what becomes of X protocol errors; the reason behind
// a failed call. Relies on FLTK 1.3, Xlib (its resource manager) and
// fontconfig.
#include "platform/x11/x11.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/XKBlib.h>
#include <X11/Xresource.h>
#include <fontconfig/fontconfig.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
Display* display = nullptr;
int dpi = 96;

bool trapping = false;
std::string trapped;           // the first error caught by the trap, described
int errorsShown = 0;
const int kErrorsShownAtMost = 10;
std::string failureNote;

// The server's extensions by major opcode, asked for once when the display is
// opened: an error handler may make no request of its own (Xlib would wait
// for its own reply inside the one it is reading, for good).
std::vector<std::string> extensionNames(256);

void LearnExtensions(Display* d) {
  int count = 0;
  char** names = XListExtensions(d, &count);
  for (int i = 0; i < count; ++i) {
    int opcode, event, error;
    if (XQueryExtension(d, names[i], &opcode, &event, &error) && opcode >= 0 && opcode < 256)
      extensionNames[opcode] = names[i];
  }
  if (names) XFreeExtensionList(names);
}

// Reads only what is on this side of the connection: Xlib's texts and the
// names learnt above.
std::string DescribeError(Display* d, const XErrorEvent& e) {
  char text[160] = "";
  XGetErrorText(d, e.error_code, text, sizeof text);
  char number[16], request[160] = "";
  std::snprintf(number, sizeof number, "%d", e.request_code);
  XGetErrorDatabaseText(d, "XRequest", number, "", request, sizeof request);
  char line[400];
  if (*request) {
    std::snprintf(line, sizeof line, "%s in %s", text, request);
  } else {   // an extension's request: its name and minor opcode
    const std::string& extension = extensionNames[e.request_code];
    std::snprintf(line, sizeof line, "%s in %s request %d", text,
                  extension.empty() ? number : extension.c_str(), e.minor_code);
  }
  return line;
}

// Xlib's own handler ends the process on any error. Here an error inside a
// trap is only caught; any other is shown and the program goes on: a window
// that vanished under a request is no reason to stop.
int OnXError(Display* d, XErrorEvent* e) {
  if (trapping) {
    if (trapped.empty()) trapped = DescribeError(d, *e);
    return 0;
  }
  if (errorsShown < kErrorsShownAtMost) {
    std::fprintf(stderr, "%s: X error ignored: %s\n", program_invocation_short_name, DescribeError(d, *e).c_str());
    if (++errorsShown == kErrorsShownAtMost)
      std::fprintf(stderr, "%s: further X errors are not shown\n", program_invocation_short_name);
  }
  return 0;
}
// A standard descriptor the program was started without is opened on
// /dev/null, before the display is: otherwise the X connection may become
// descriptor 2, and whatever the program or a library writes to standard
// error would go into the protocol stream.
// In ascending order, so that open gives the very descriptor that is missing.
void FillStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd)
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
}
}  // namespace

bool OpenPlatformDisplay() {
  if (display) return true;
  FillStandardDescriptors();
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
  // FLTK installs no error handler for a display opened by its caller.
  LearnExtensions(opened);
  // FLTK's text (Xft) uses fontconfig without initialising it, which newer
  // fontconfig reports on standard error at the first label drawn.
  FcInit();
  dpi = DpiOfResources(XResourceManagerString(opened));
  XSetErrorHandler(OnXError);
  fl_open_display(opened);
  display = opened;
  Fl::visible_focus(0);   // FLTK's focus never moves to a control: the keyboard's focus is the core's
  // A held key's repeats come as presses alone, without a release before
  // each (which FLTK can tell from a real one only while both are queued).
  Bool detectable = False;
  XkbSetDetectableAutoRepeat(opened, True, &detectable);
  WatchWindowManager();
  return true;
}

Display* PlatformDisplay() { return display; }
int PlatformScreen() { return display ? fl_screen : 0; }

// Desktops at 150 or 200 % (GNOME, KDE, Xfce) say so in Xft.dpi, the
// resource that text on X follows. Anything but a positive number counts as
// unset; a number beyond what any screen needs is held to 48..480 (half to
// five times the normal size), so that a mistyped value cannot make a panel
// larger than any screen or too small to read.
int DpiOfResources(const char* resources) {
  if (!resources) return 96;
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(resources);
  if (!database) return 96;
  char* type = nullptr;
  XrmValue value{};
  int found = 96;
  if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
    char* end = nullptr;
    double number = std::strtod(value.addr, &end);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (end != value.addr && end && *end == '\0' && std::isfinite(number) && number > 0)
      found = (int)std::lround(std::min(480.0, std::max(48.0, number)));
  }
  XrmDestroyDatabase(database);
  return found;
}

int ScaledForDisplay(int pixels) { return MulDiv(pixels, dpi, 96); }
void TrapXErrors() {
  if (display) XSync(display, False);   // errors of earlier requests are not this trap's
  trapping = true;
  trapped.clear();
}

std::string EndXErrorTrap() {
  if (display) XSync(display, False);
  trapping = false;
  std::string caught = trapped;
  trapped.clear();
  return caught;
}

void NoteFailure(const std::string& why) { failureNote = why; }

std::string TakeFailureNote() {
  std::string note = failureNote;
  failureNote.clear();
  return note;
}
