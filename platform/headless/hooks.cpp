// The headless backend: a virtual clock, nothing drawn, the calls a test
// looks at recorded, and the test hooks of headless.h over the core's records.
// Relies on backend.h; OpenGL is screen.cpp's.
#include "platform/headless/headless.h"


namespace headless {
void ResetScreen();   // screen.cpp
}

namespace {

struct Records {
  uint64_t now = 0;
  std::function<void()> idle;
  std::vector<headless::WindowPosCall> windowPosCalls;
  std::vector<headless::StretchBltCall> bltCalls;
  std::vector<headless::PaletteCall> paletteCalls;
  bool failPalette = false;
};
Records* records = new Records;

}  // namespace

// ---- what the core asks of a backend --------------------------------------------------
uint64_t BackendNow() { return records->now; }

void BackendIdle() {
  if (!records->idle) return;
  std::function<void()> idle = records->idle;   // the callback may replace itself
  idle();
}

// Waiting is the clock jumping to the next timer; without one nothing can come.
bool BackendWait(int64_t milliseconds) {
  if (milliseconds < 0) return false;
  records->now += (uint64_t)milliseconds;
  return true;
}

bool BackendProgramUnseen() { return false; }
void BackendCreated(PlatformWindow*) {}
void BackendShown(PlatformWindow*) {}
bool BackendOnScreen(const PlatformWindow*) { return true; }
void BackendRedraw(PlatformWindow*) {}
void BackendDestroyed(PlatformWindow*) {}

void BackendPlace(PlatformWindow* window, WindowHandle insertAfter, int x, int y, int* width, int* height,
                  unsigned flags) {
  records->windowPosCalls.push_back(headless::WindowPosCall{window, insertAfter, x, y, *width, *height, flags});
}

// No frame: a window's client area starts at its place.
void BackendClientOrigin(const PlatformWindow* window, int* x, int* y) {
  *x = window->x;
  *y = window->y;
}

// Fixed base units, whatever the template's font.
DialogBaseUnits BackendBaseUnits(const DialogTemplate&) { return DialogBaseUnits{6, 13}; }

void BackendStretchBlt(PlatformDC* destination, int x, int y, int width, int height, PlatformDC* source,
                       int sourceX, int sourceY, int sourceWidth, int sourceHeight, unsigned rasterOperation) {
  records->bltCalls.push_back(headless::StretchBltCall{destination, destination->window, x, y, width, height,
                                                       source, source->bitmap, sourceX, sourceY, sourceWidth,
                                                       sourceHeight, rasterOperation});
}

unsigned BackendPalette(PaletteOp op, PlatformPalette* palette, PlatformDC* dc, int forceBackground) {
  if (op == PaletteOp::Create && records->failPalette) return 0;
  records->paletteCalls.push_back(
      headless::PaletteCall{op, palette, dc, forceBackground});
  return (unsigned)palette->entries.size();
}

// ---- test hooks ---------------------------------------------------------------------------
namespace headless {

void Reset() {
  ResetCore();
  ResetScreen();
  delete records;
  records = new Records;
}

bool Click(WindowHandle control) {
  if (!Clickable(control)) return false;
  SetFocus(control);
  SendTo(control->parent, WM_COMMAND, MakeWParam((unsigned)control->id, BN_CLICKED), (intptr_t)control);
  return true;
}

void SetIdleCallback(std::function<void()> callback) { records->idle = std::move(callback); }

uint64_t Now() { return records->now; }
void AdvanceClock(unsigned milliseconds) { records->now += milliseconds; }

PlatformWindow Describe(WindowHandle window) {
  if (Known(window)) return *window;
  PlatformWindow none;
  none.alive = false;
  return none;
}

WindowHandle FindMainWindow(const char* className) {
  for (PlatformWindow* window : AllWindows())
    if (className && window->alive && window->kind == WindowKind::Main && window->className == className) return window;
  return nullptr;
}

WindowHandle FindDialog(const char* templateName) {
  const std::vector<PlatformWindow*>& all = AllWindows();
  for (auto it = all.rbegin(); templateName && it != all.rend(); ++it)
    if ((*it)->alive && (*it)->kind == WindowKind::Dialog && (*it)->templateName == templateName) return *it;
  return nullptr;
}

std::vector<WindowHandle> Controls(WindowHandle dialog) {
  std::vector<WindowHandle> controls;
  for (PlatformWindow* control : Live(dialog) ? dialog->controls : std::vector<PlatformWindow*>{})
    if (control->alive) controls.push_back(control);
  return controls;
}

const std::vector<WindowPosCall>& WindowPosCalls() { return records->windowPosCalls; }
const std::vector<StretchBltCall>& StretchBltCalls() { return records->bltCalls; }
const std::vector<PaletteCall>& PaletteCalls() { return records->paletteCalls; }

void FailCreatePalette(bool fail) { records->failPalette = fail; }

}  // namespace headless
