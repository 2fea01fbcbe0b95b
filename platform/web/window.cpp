// The web backend's windows and clock: a canvas in the page for each program
// window, the viewport as the screen, the caption as the page's title, the
// user's mouse and keys (page.js) into the core's queue, the page's focus
// kept with the core's, and the waits that give the browser its turn
// (Asyncify suspends the program there). Relies on backend.h, Emscripten's
// EM_JS and page.js.
#include "platform/web/web.h"

#include <emscripten.h>

#include <string>

namespace {

EM_JS(double, PageNow, (), { return performance.now(); });
EM_JS(double, PageWaited, (), { return HeatPage.waited; });
EM_JS(double, SinceLastTurn, (), { return performance.now() - HeatPage.lastTurn; });
EM_JS(int, ViewportSize, (int height), { return HeatPage.viewport()[height]; });
EM_JS(int, PageHidden, (), { return document.hidden ? 1 : 0; });
EM_ASYNC_JS(void, WaitForEvent, (double milliseconds), { await HeatPage.wait(milliseconds); });
EM_ASYNC_JS(void, WaitForFrame, (), { await HeatPage.frame(); });
EM_ASYNC_JS(void, TakeTurn, (), { await HeatPage.turn(); });

EM_JS(void, AddCanvas, (PlatformWindow* window, const char* id, int x, int y, int width, int height), {
  HeatPage.addCanvas(window, UTF8ToString(id), x, y, width, height);
});
EM_JS(void, PlaceWindow, (PlatformWindow* window, int x, int y, int width, int height), {
  HeatPage.place(window, x, y, width, height);
});
EM_JS(void, SetTitle, (const char* caption), {
  // The title element keeps the caption's blanks; document.title would fold them.
  var title = document.querySelector('title') || document.head.appendChild(document.createElement('title'));
  title.textContent = UTF8ToString(caption);
});
EM_JS(void, LabelCanvas, (PlatformWindow* window, const char* caption), {
  HeatPage.element(window).setAttribute('aria-label', UTF8ToString(caption).trim());
});
EM_JS(void, ShowElement, (PlatformWindow* window), { HeatPage.element(window).style.visibility = 'visible'; });
EM_JS(int, ElementShown, (PlatformWindow* window), {
  var element = HeatPage.element(window);
  return element && element.style.visibility == 'visible' ? 1 : 0;
});
EM_JS(void, RemoveElement, (PlatformWindow* window), { HeatPage.remove(window); });
EM_JS(void, FocusElement, (PlatformWindow* window), {
  var element = HeatPage.element(window);
  if (element && document.activeElement !== element) element.focus({preventScroll: true});
});

// The window whose element has the page's focus, as far as the backend knows.
PlatformWindow* focusInPage = nullptr;

// The browser gets a turn at least this often while the program draws.
const double longestWithoutTurn = 50.0;

}  // namespace

// ---- the user's mouse, from page.js ----------------------------------------------------
// Outside the client area only the window holding the capture hears it.
extern "C" EMSCRIPTEN_KEEPALIVE void heat_Mouse(PlatformWindow* window, unsigned message, int x, int y) {
  if (!Live(window) || window->destroying || window->kind != WindowKind::Main) return;
  if ((x < 0 || y < 0 || x >= window->width || y >= window->height) && CaptureWindow() != window) return;
  QueueInput(window, message, 0, MakeLParam(x, y));   // no key-state flags: nothing reads them
}

std::string CanvasSelector(const PlatformWindow* window) {
  return "#heat-window-" + std::to_string((uintptr_t)window);
}

// ---- the user's keys and the page's focus, from page.js ------------------------------------
extern "C" EMSCRIPTEN_KEEPALIVE void heat_Key(unsigned virtualKey, int down, unsigned character) {
  QueueKey(virtualKey, down != 0, character);
}

// The browser moved its focus onto a window's element (Tab, a click, a touch).
extern "C" EMSCRIPTEN_KEEPALIVE void heat_Focus(PlatformWindow* window) {
  if (!Live(window) || window->destroying) return;
  if (GetFocus() != window) SetFocus(window);
  focusInPage = window;
}

// Where the core's focus moved since (a key, SetFocus, a window gone).
void SyncFocus() {
  PlatformWindow* focus = GetFocus();
  if (focus == focusInPage) return;
  focusInPage = focus;
  if (Live(focus)) FocusElement(focus);
}

// ---- the browser's turns ------------------------------------------------------------------
void WaitForPresentation() {
  SyncFocus();
  WaitForFrame();
}
double MillisecondsWaited() { return PageWaited(); }

int GetSystemMetrics(int index) {
  if (index == SM_CYSCREEN) return ViewportSize(1);
  return index == SM_CXSCREEN ? ViewportSize(0) : 0;
}

// ---- what the core asks of a backend --------------------------------------------------
uint64_t BackendNow() { return (uint64_t)PageNow(); }

// Events are taken in as they come (page.js queues them); a program that
// finds nothing waiting and draws on still lets the browser handle its own.
void BackendIdle() {
  if (SinceLastTurn() <= longestWithoutTurn) return;
  SyncFocus();
  TakeTurn();
}

bool BackendWait(int64_t milliseconds) {
  SyncFocus();
  WaitForEvent((double)milliseconds);
  return true;   // the user can always do something
}

// A hidden page (another tab, a minimised browser) draws no frames.
bool BackendProgramUnseen() {
  if (!PageHidden()) return false;
  for (PlatformWindow* window : AllWindows())
    if (window->alive && window->kind == WindowKind::Main && (window->style & WS_VISIBLE)) return true;
  return false;
}

void BackendCreated(PlatformWindow* window) {
  if (window->kind == WindowKind::Dialog) {
    MakeDialog(window);
    return;
  }
  AddCanvas(window, CanvasSelector(window).c_str() + 1, window->x, window->y, window->width, window->height);
  LabelCanvas(window, window->text.c_str());
  SetTitle(window->text.c_str());
}

void BackendShown(PlatformWindow* window) {
  if (window->kind == WindowKind::Control) UpdateControl(window);
  else if (window->kind == WindowKind::Dialog) ShowDialog(window);
  else ShowElement(window);
}

bool BackendOnScreen(const PlatformWindow* window) {
  return window->kind != WindowKind::Control && ElementShown(const_cast<PlatformWindow*>(window)) && !PageHidden();
}

// The program's size is the window's: nobody else sizes it.
void BackendPlace(PlatformWindow* window, WindowHandle, int, int, int* width, int* height, unsigned) {
  if (window->kind == WindowKind::Main) PlaceWindow(window, window->x, window->y, *width, *height);
}

void BackendRedraw(PlatformWindow* window) {
  if (window->kind == WindowKind::Control) UpdateControl(window);
}

void BackendDestroyed(PlatformWindow* window) {
  if (window->kind != WindowKind::Control) RemoveElement(window);   // its controls' with it
}

void BackendClientOrigin(const PlatformWindow* window, int* x, int* y) {
  *x = window->x;
  *y = window->y;
}
