// The contract suite on the X11 backend: the real clock, a message box's OK
// pressed from an FLTK timeout while the box waits, keys through XTest.
#include <gtest/gtest.h>   // before Xlib, whose None and Bool macros it cannot take

#include "tests/contract/backend_probe.h"
#include "platform/x11/x11.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <ctime>
#include <string>
#include <thread>

namespace probe {

const bool kCreateSizeIsOuter = false;
const bool kRealClock = true;

double ProcessorSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return (double)t.tv_sec + t.tv_nsec * 1e-9;
}

uint64_t NowMs() {
  using namespace std::chrono;
  return (uint64_t)duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void Pass(unsigned milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

void AnswerNextMessageBox(const char* caption) {
  static std::string wanted;
  wanted = caption;
  Fl::add_timeout(0.1, [](void*) {
    for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w))
      if (w->modal() && w->label() != nullptr && wanted == w->label() && w->children() > 0) {
        w->child(w->children() - 1)->do_callback();   // its OK button, the last child
        return;
      }
    Fl::repeat_timeout(0.1, nullptr);
  });
}

// The window takes the server's keyboard focus (no window manager here),
// then the key goes through the server as the user's would.
void Key(WindowHandle topLevel, unsigned virtualKey, bool down) {
  Display* display = PlatformDisplay();
  KeySym symbol = NoSymbol;
  switch (virtualKey) {
    case VK_TAB: symbol = XK_Tab; break;
    case VK_RETURN: symbol = XK_Return; break;
    case VK_SHIFT: symbol = XK_Shift_L; break;
    case VK_ESCAPE: symbol = XK_Escape; break;
    case VK_SPACE: symbol = XK_space; break;
    case VK_ADD: symbol = XK_KP_Add; break;
    default: ADD_FAILURE() << "no key for " << virtualKey; return;
  }
  if (Window xid = XWindowOf(topLevel)) XSetInputFocus(display, xid, RevertToParent, CurrentTime);
  XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), down ? True : False, CurrentTime);
  XSync(display, False);
}

}  // namespace probe
