// The contract suite on the X11 backend: the real clock, and a message box's
// OK pressed from an FLTK timeout while the box waits.
#include "tests/contract/backend_probe.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

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

}  // namespace probe
