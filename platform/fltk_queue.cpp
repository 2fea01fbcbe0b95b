// The message queue: posted messages, WM_PAINT, WM_TIMER and WM_QUIT in the
// order Windows hands them out, fed by FLTK's event handlers; mouse capture. Relies on FLTK 1.3.
#include "platform/fltk_internal.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <algorithm>
#include <chrono>
#include <deque>
#include <memory>
#include <unordered_set>

namespace {

std::unordered_set<const PlatformWindow*> liveWindows;
std::unordered_set<const PlatformDC*> liveDCs;
std::deque<Message> posted;
bool quitPending = false;
int quitCode = 0;
PlatformWindow* capture = nullptr;

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A window timer. At most one WM_TIMER is pending per timer: the tick only
// sets a flag, and fetching the message clears it. Ticks keep to the period
// without drifting; ticks missed while the program was busy are dropped, not
// delivered late in a burst.
struct Timer {
  PlatformWindow* window;
  uintptr_t id;
  double period;
  double due;
  bool pending;
};
std::vector<std::unique_ptr<Timer>> timers;

void TimerTick(void* data) {
  Timer* timer = static_cast<Timer*>(data);
  timer->pending = true;
  double now = Now();
  timer->due += timer->period;
  if (timer->due <= now) timer->due += timer->period * (1 + (long long)((now - timer->due) / timer->period));
  Fl::add_timeout(timer->due - now, TimerTick, data);
}

void StartTimer(Timer* timer) {
  timer->due = Now() + timer->period;
  Fl::add_timeout(timer->period, TimerTick, timer);
}

bool BelongsTo(const PlatformWindow* window, const PlatformWindow* filter) {
  for (; window; window = window->parent)
    if (window == filter) return true;
  return false;
}

bool Passes(const Message& message, PlatformWindow* filter, unsigned first, unsigned last) {
  if (filter && message.message != WM_QUIT && !BelongsTo(message.window, filter)) return false;
  if (first == 0 && last == 0) return true;
  return message.message >= first && message.message <= last;
}

// Finds the next message the way Windows orders them: posted and input
// messages first, then the quit request, then paint, then timers.
bool FindMessage(Message* out, PlatformWindow* filter, unsigned first, unsigned last, bool remove) {
  for (auto it = posted.begin(); it != posted.end(); ++it) {
    if (!Passes(*it, filter, first, last)) continue;
    *out = *it;
    if (remove) posted.erase(it);
    return true;
  }
  if (quitPending) {
    Message quit{nullptr, WM_QUIT, (uintptr_t)(intptr_t)quitCode, 0};
    if (Passes(quit, filter, first, last)) {
      *out = quit;
      if (remove) quitPending = false;
      return true;
    }
  }
  for (const PlatformWindow* window : liveWindows) {
    if (!window->needsPaint || window->destroying) continue;
    if (!window->flWindow || !window->flWindow->shown() || !window->flWindow->visible()) continue;   // hidden: no paint
    Message paint{const_cast<PlatformWindow*>(window), WM_PAINT, 0, 0};
    if (!Passes(paint, filter, first, last)) continue;
    *out = paint;   // stays pending until BeginPaint validates the window
    return true;
  }
  for (auto& timer : timers) {
    if (!timer->pending) continue;
    Message tick{timer->window, WM_TIMER, timer->id, 0};
    if (!Passes(tick, filter, first, last)) continue;
    *out = tick;
    if (remove) timer->pending = false;
    return true;
  }
  return false;
}

// A program window that was shown but is now unmapped (iconified, or on
// another desktop) or iconified while kept mapped: nobody sees its frames.
bool ProgramWindowUnseen() {
  for (const PlatformWindow* window : liveWindows)
    if (window->kind == WindowKind::Main && !window->destroying && window->flWindow &&
        window->flWindow->shown() && (!window->flWindow->visible() || window->iconic))
      return true;
  return false;
}

}  // namespace

// ---- registries -----------------------------------------------------------
bool IsLiveWindow(const PlatformWindow* window) { return window && liveWindows.count(window) != 0; }
void RegisterWindow(PlatformWindow* window) { liveWindows.insert(window); }
void ForgetWindow(PlatformWindow* window) {
  liveWindows.erase(window);
  delete window;
}
bool IsLiveDC(const PlatformDC* dc) { return dc && liveDCs.count(dc) != 0; }
void RegisterDC(PlatformDC* dc) { liveDCs.insert(dc); }
void ForgetDC(PlatformDC* dc) {
  liveDCs.erase(dc);
  delete dc;
}

// ---- queue ----------------------------------------------------------------
void PostToQueue(PlatformWindow* window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (!IsLiveWindow(window)) return;
  // Mouse moves coalesce as on Windows: a move right after a move of the
  // same window replaces it.
  if (message == WM_MOUSEMOVE && !posted.empty() && posted.back().message == WM_MOUSEMOVE &&
      posted.back().window == window) {
    posted.back().wParam = wParam;
    posted.back().lParam = lParam;
    return;
  }
  posted.push_back(Message{window, message, wParam, lParam});
}

intptr_t SendToWindow(PlatformWindow* window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (!IsLiveWindow(window)) return 0;
  if (window->kind == WindowKind::Dialog) {
    intptr_t result = window->dialogProc ? window->dialogProc(window, message, wParam, lParam) : 0;
    // A dialog procedure that leaves a message unhandled gets the default
    // handling; for a dialog that is nothing at all (a close request that
    // the procedure ignores does not close it).
    return result;
  }
  if (window->kind == WindowKind::Main && window->windowProc)
    return window->windowProc(window, message, wParam, lParam);
  return DefWindowProc(window, message, wParam, lParam);
}

void PurgeQueueFor(PlatformWindow* window) {
  posted.erase(std::remove_if(posted.begin(), posted.end(),
                              [window](const Message& m) {
                                return BelongsTo(m.window, window) ||
                                       ((m.message == WM_COMMAND || m.message == WM_VSCROLL) &&
                                        BelongsTo((PlatformWindow*)m.lParam, window));
                              }),
               posted.end());
  for (auto it = timers.begin(); it != timers.end();) {
    if ((*it)->window == window) {
      Fl::remove_timeout(TimerTick, it->get());
      it = timers.erase(it);
    } else {
      ++it;
    }
  }
  if (BelongsTo(capture, window)) capture = nullptr;
}

PlatformWindow* CaptureWindow() { return capture; }

PlatformWindow* FindOwnedWindow(PlatformWindow* owner) {
  for (const PlatformWindow* window : liveWindows)
    if (window->owner == owner && !window->destroying) return const_cast<PlatformWindow*>(window);
  return nullptr;
}

int PeekMessage(Message* message, WindowHandle window, unsigned first, unsigned last, unsigned remove) {
  if (!message) return 0;
  Fl::wait(0.0);   // takes in what the toolkit has pending, without blocking
  if (FindMessage(message, window, first, last, (remove & 1u) != 0)) return 1;
  // The queue is never idle while a program window is unseen: an idle queue
  // is when the program draws, and frames nobody can see would only burn the
  // processor. It waits for the next message instead (the clock's tick, or
  // the window shown again, which asks for a paint).
  while (ProgramWindowUnseen()) {
    Fl::wait(1e20);
    Fl::wait(0.0);
    if (FindMessage(message, window, first, last, (remove & 1u) != 0)) return 1;
  }
  return 0;
}

int GetMessage(Message* message, WindowHandle window, unsigned first, unsigned last) {
  if (!message) return -1;
  if (window && !IsLiveWindow(window)) return -1;
  for (;;) {
    if (FindMessage(message, window, first, last, true)) return message->message == WM_QUIT ? 0 : 1;
    // Blocks in select() until an X event or the next toolkit timeout: no
    // processor time while nothing happens. FLTK runs a timeout's callback at
    // the start of the following wait, hence the second, non-blocking one.
    Fl::wait(1e20);
    Fl::wait(0.0);
  }
}

int TranslateMessage(const Message*) { return 0; }

intptr_t DispatchMessage(const Message* message) {
  if (!message || !IsLiveWindow(message->window)) return 0;
  return SendToWindow(message->window, message->message, message->wParam, message->lParam);
}

void PostQuitMessage(int exitCode) {
  quitPending = true;
  quitCode = exitCode;
}

uintptr_t SetTimer(WindowHandle window, uintptr_t id, unsigned periodMs, void* callback) {
  if (callback || !IsLiveWindow(window)) return 0;
  if (periodMs == 0) periodMs = 10;   // Windows' minimum period
  for (auto& timer : timers) {
    if (timer->window == window && timer->id == id) {   // restarts an existing timer
      Fl::remove_timeout(TimerTick, timer.get());
      timer->period = periodMs / 1000.0;
      timer->pending = false;
      StartTimer(timer.get());
      return id;
    }
  }
  timers.push_back(std::unique_ptr<Timer>(new Timer{window, id, periodMs / 1000.0, 0.0, false}));
  StartTimer(timers.back().get());
  return id == 0 ? 1 : id;
}

WindowHandle SetCapture(WindowHandle window) {
  PlatformWindow* previous = capture;
  if (IsLiveWindow(window)) capture = window;
  return previous;
}

int ReleaseCapture() {
  capture = nullptr;
  return 1;
}
