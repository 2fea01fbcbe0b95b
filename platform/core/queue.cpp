// The message queue: posted and input messages, the quit request, paint and
// timers in the order Windows hands them out, on the backend's clock; the
// loop's fetching and dispatching, and mouse capture. Keys take the window
// with the focus when they are fetched (keyboard.cpp). Relies on backend.h.
#include "platform/core/core.h"

#include <algorithm>
#include <deque>
#include <functional>

namespace {

struct Queued {
  Message message;
  bool input;              // from the user, not PostMessage
  bool key = false;        // the user's key: its window is the focus when it is fetched
  unsigned character = 0;  // what a key down types
};

// A window timer: due on the period's grid; at most one WM_TIMER pending.
struct Timer {
  PlatformWindow* window;
  uintptr_t id;
  uint64_t period;
  uint64_t due;
  bool pending;
};

struct Queue {
  std::deque<Queued> posted;
  bool quitPending = false;
  int quitCode = 0;
  std::vector<Timer> timers;
  PlatformWindow* capture = nullptr;
};
Queue* queue = new Queue;

bool BelongsTo(const PlatformWindow* window, const PlatformWindow* filter) {
  for (; window; window = window->parent)
    if (window == filter) return true;
  return false;
}

// A window filter takes the window's messages and its controls'; thread
// messages (WM_QUIT) only come with no filter.
bool Passes(const Message& message, const PlatformWindow* filter, unsigned first, unsigned last) {
  if (filter && !BelongsTo(message.window, filter)) return false;
  if (first == 0 && last == 0) return true;
  return message.message >= first && message.message <= last;
}

// Ticks that came due: one pending message each, the next due time on the grid.
void CatchUpTimers() {
  uint64_t now = BackendNow();
  for (Timer& timer : queue->timers) {
    if (timer.due > now) continue;
    timer.pending = true;
    timer.due += timer.period * (1 + (now - timer.due) / timer.period);
  }
}

int64_t MillisecondsToNextTimer() {
  if (queue->timers.empty()) return -1;
  uint64_t now = BackendNow(), next = queue->timers.front().due;
  for (const Timer& timer : queue->timers) next = std::min(next, timer.due);
  return next > now ? (int64_t)(next - now) : 0;
}

enum class Source { Posted, Quit, Paint, Timer };

// Offers the waiting messages in the order they are handed out until take
// accepts one; the index says which of its source.
void Visit(const std::function<bool(const Message&, Source, size_t)>& take) {
  CatchUpTimers();
  PlatformWindow* focus = GetFocus();
  auto& posted = queue->posted;
  if (!focus)   // keys nobody has the focus for are lost, as on Windows
    posted.erase(std::remove_if(posted.begin(), posted.end(), [](const Queued& q) { return q.key; }), posted.end());
  for (size_t i = 0; i < posted.size(); ++i) {
    Message message = posted[i].message;
    if (posted[i].key) message.window = focus;
    if (take(message, Source::Posted, i)) return;
  }
  if (queue->quitPending && take(Message{nullptr, WM_QUIT, (uintptr_t)(intptr_t)queue->quitCode, 0}, Source::Quit, 0))
    return;
  for (PlatformWindow* window : AllWindows()) {
    if (!window->alive || window->destroying || !window->needsPaint || window->kind == WindowKind::Control ||
        !(window->style & WS_VISIBLE) || !BackendOnScreen(window))
      continue;
    if (take(Message{window, WM_PAINT, 0, 0}, Source::Paint, 0)) return;
  }
  for (size_t i = 0; i < queue->timers.size(); ++i) {
    const Timer& timer = queue->timers[i];
    if (timer.pending && take(Message{timer.window, WM_TIMER, timer.id, 0}, Source::Timer, i)) return;
  }
}

// A WM_PAINT stays until the window is validated.
bool Next(Message* out, const PlatformWindow* filter, unsigned first, unsigned last, bool remove) {
  bool found = false;
  Visit([&](const Message& message, Source source, size_t index) {
    if (!Passes(message, filter, first, last)) return false;
    *out = message;
    found = true;
    if (!remove) return true;
    if (source == Source::Posted) {
      const Queued taken = queue->posted[index];
      queue->posted.erase(queue->posted.begin() + (long)index);
      Fetched(*out, taken.input, taken.character);
    } else if (source == Source::Quit) queue->quitPending = false;
    else if (source == Source::Timer) queue->timers[index].pending = false;
    return true;
  });
  return found;
}

}  // namespace

bool Post(PlatformWindow* window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (!Live(window)) return false;
  queue->posted.push_back(Queued{Message{window, message, wParam, lParam}, false});
  return true;
}

void QueueInput(PlatformWindow* window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (!Live(window)) return;
  if (message == WM_MOUSEMOVE && !queue->posted.empty()) {
    Queued& last = queue->posted.back();
    if (last.input && last.message.message == WM_MOUSEMOVE && last.message.window == window) {
      last.message.wParam = wParam;
      last.message.lParam = lParam;
      return;
    }
  }
  queue->posted.push_back(Queued{Message{window, message, wParam, lParam}, true});
}

void QueueKeyInput(unsigned message, unsigned virtualKey, intptr_t lParam, unsigned character) {
  queue->posted.push_back(Queued{Message{nullptr, message, virtualKey, lParam}, true, true, character});
}

// Posted messages come before the user's, as on Windows, where they wait in
// a queue of their own.
void PostBeforeInput(PlatformWindow* window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  auto& posted = queue->posted;
  auto input = std::find_if(posted.begin(), posted.end(), [](const Queued& q) { return q.input; });
  posted.insert(input, Queued{Message{window, message, wParam, lParam}, false});
}

std::vector<Message> PendingMessages() {
  std::vector<Message> pending;
  Visit([&](const Message& message, Source, size_t) {
    pending.push_back(message);
    return false;
  });
  return pending;
}

PlatformWindow* CaptureWindow() { return queue->capture; }

// Neither its posted messages nor its timers outlive a window.
void ForgetQueueOf(PlatformWindow* window) {
  auto& posted = queue->posted;
  posted.erase(std::remove_if(posted.begin(), posted.end(),
                              [window](const Queued& q) { return BelongsTo(q.message.window, window); }),
               posted.end());
  auto& timers = queue->timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(), [window](const Timer& t) { return t.window == window; }),
               timers.end());
  if (BelongsTo(queue->capture, window)) queue->capture = nullptr;
}

void ResetQueue() {
  delete queue;
  queue = new Queue;
}

// ---- platform.h -------------------------------------------------------------------------
int PeekMessage(Message* message, WindowHandle window, unsigned first, unsigned last, unsigned remove) {
  if (!message) return 0;
  bool take = (remove & 1u) != 0;   // PM_REMOVE
  if (Next(message, window, first, last, take)) return 1;
  BackendIdle();
  if (Next(message, window, first, last, take)) return 1;
  // Frames nobody can see would only burn the processor: while a program
  // window is unseen the queue is never idle, it waits for the next message.
  while (BackendProgramUnseen() && BackendWait(MillisecondsToNextTimer()))
    if (Next(message, window, first, last, take)) return 1;
  return 0;
}

int GetMessage(Message* message, WindowHandle window, unsigned first, unsigned last) {
  if (!message) return -1;
  if (window && !Live(window)) return -1;
  for (;;) {
    if (Next(message, window, first, last, true)) return message->message == WM_QUIT ? 0 : 1;
    BackendIdle();
    if (Next(message, window, first, last, true)) return message->message == WM_QUIT ? 0 : 1;
    if (!BackendWait(MillisecondsToNextTimer())) return -1;   // nothing can ever come: no hang
  }
}

intptr_t DispatchMessage(const Message* message) {
  if (!message || !Live(message->window)) return 0;
  return SendTo(message->window, message->message, message->wParam, message->lParam);
}

void PostQuitMessage(int exitCode) {
  queue->quitPending = true;
  queue->quitCode = exitCode;
}

// Windows' shortest period is 10 ms; setting a timer again restarts it.
uintptr_t SetTimer(WindowHandle window, uintptr_t id, unsigned periodMs, void* callback) {
  if (callback || !Live(window)) return 0;
  uint64_t period = std::max(10u, periodMs), due = BackendNow() + period;
  auto same = std::find_if(queue->timers.begin(), queue->timers.end(),
                           [&](const Timer& t) { return t.window == window && t.id == id; });
  if (same != queue->timers.end()) *same = Timer{window, id, period, due, false};
  else queue->timers.push_back(Timer{window, id, period, due, false});
  return id == 0 ? 1 : id;
}

WindowHandle SetCapture(WindowHandle window) {
  PlatformWindow* previous = queue->capture;
  if (Live(window)) queue->capture = window;
  return previous;
}

int ReleaseCapture() {
  queue->capture = nullptr;
  return 1;
}
