// The headless platform: windows, dialogs and controls as records, a message
// queue on a virtual clock, recorded GDI calls, OpenGL contexts over OSMesa.
// Relies on resources.h (the program's templates), OSMesa and, when built
// with it, the image decoders of platform_decode.
#include "platform/headless.h"
#include "platform/resources.h"

#include <GL/osmesa.h>

#ifdef HEADLESS_HAVE_DECODE
#include "platform/image_decode.h"
#endif

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// ---- the handle structs ------------------------------------------------------
struct PlatformInstance { int unused; };

struct PlatformWindow {
  headless::Kind kind = headless::Kind::None;
  bool alive = true;
  bool destroying = false;
  WindowProc windowProc = nullptr;   // main windows
  DialogProc dialogProc = nullptr;   // dialogs
  std::string className;
  unsigned classStyle = 0;
  std::string text;
  std::string templateName;
  unsigned style = 0;
  int id = 0;
  int x = 0, y = 0, width = 0, height = 0;
  PlatformWindow* owner = nullptr;
  PlatformWindow* parent = nullptr;
  std::vector<PlatformWindow*> controls;
  int scrollMin = 0, scrollMax = 0, scrollPos = 0;
  int paintCount = 0;
  bool needsPaint = false;
  int pixelFormat = 0;
  PlatformDC* ownDC = nullptr;       // CS_OWNDC: one context for the window's life
};

enum class DCKind { Window, Paint, Memory };

struct PlatformDC {
  DCKind kind = DCKind::Window;
  bool alive = true;
  PlatformWindow* window = nullptr;   // null for a memory context
  PlatformBitmap* bitmap = nullptr;
  PlatformPalette* palette = nullptr;
};

struct PlatformBitmap {
  int id = 0;
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;   // top row first
};

struct PlatformIcon { int id; };
struct PlatformCursor { int id; };
struct PlatformPalette { std::vector<PaletteEntry> entries; };

struct PlatformGLContext {
  OSMesaContext mesa = nullptr;
  bool alive = true;
  int width = 0, height = 0;
  std::vector<unsigned char> buffer;   // RGBA, bottom row first (OSMesa's default)
  PlatformWindow* window = nullptr;
};

namespace {

PlatformInstance theInstance{0};
PlatformCursor arrowCursor{IDC_ARROW};

struct Timer {
  PlatformWindow* window;
  uintptr_t id;
  uint64_t period;
  uint64_t due;
  bool pending;
};

// Everything Reset forgets. Records are kept until then, so a handle of a
// destroyed window stays a valid pointer and is never reused.
struct State {
  std::vector<std::unique_ptr<PlatformWindow>> windows;
  std::set<const PlatformWindow*> known;
  std::vector<std::unique_ptr<PlatformDC>> dcs;
  std::set<const PlatformDC*> knownDCs;
  std::map<std::string, WindowClass> classes;
  std::map<std::string, std::unique_ptr<std::string>> classNames;
  std::deque<Message> posted;
  bool quitPending = false;
  int quitCode = 0;
  std::vector<Timer> timers;
  uint64_t now = 0;
  unsigned frameTime = 0;
  std::function<void()> idle;
  PlatformWindow* capture = nullptr;
  PlatformWindow* focus = nullptr;
  std::vector<headless::MessageBoxCall> messageBoxes;
  std::vector<headless::WindowPosCall> windowPosCalls;
  std::vector<headless::StretchBltCall> bltCalls;
  std::vector<headless::PaletteCall> paletteCalls;
  std::vector<std::unique_ptr<PlatformPalette>> palettes;
  std::map<int, std::unique_ptr<PlatformBitmap>> bitmaps;   // loaded once each
  std::map<int, std::unique_ptr<PlatformIcon>> icons;
  std::set<int> missingBitmaps;
  std::vector<std::unique_ptr<PlatformGLContext>> contexts;
  PlatformGLContext* current = nullptr;
  int screenHeight = 1024;
  int screenWidth = 1280;
  bool failChoose = false, failSet = false, failContext = false, paletteFormat = false;
  bool failPalette = false;
  bool describedAsGiven = false;
  PixelFormatDescriptor described{};
  bool requested = false;
  PixelFormatDescriptor lastRequest{};
  int swaps = 0, frames = 0;
};

State* state = new State;   // lives as long as the process

bool Live(const PlatformWindow* window) {
  return window && state->known.count(window) && window->alive;
}
bool LiveDC(const PlatformDC* dc) { return dc && state->knownDCs.count(dc) && dc->alive; }
bool LivePalette(const PlatformPalette* palette) {
  for (auto& p : state->palettes)
    if (p.get() == palette) return true;
  return false;
}
PlatformGLContext* LiveContext(RenderContext context) {
  for (auto& c : state->contexts)
    if (c.get() == context && c->alive) return c.get();
  return nullptr;
}

PlatformWindow* NewWindow(headless::Kind kind) {
  state->windows.push_back(std::make_unique<PlatformWindow>());
  PlatformWindow* window = state->windows.back().get();
  window->kind = kind;
  state->known.insert(window);
  return window;
}

PlatformDC* NewDC(DCKind kind, PlatformWindow* window) {
  state->dcs.push_back(std::make_unique<PlatformDC>());
  PlatformDC* dc = state->dcs.back().get();
  dc->kind = kind;
  dc->window = window;
  state->knownDCs.insert(dc);
  return dc;
}

bool BelongsTo(const PlatformWindow* window, const PlatformWindow* filter) {
  for (; window; window = window->parent)
    if (window == filter) return true;
  return false;
}

bool Passes(const Message& message, const PlatformWindow* filter, unsigned first, unsigned last) {
  if (filter && message.message != WM_QUIT && !BelongsTo(message.window, filter)) return false;
  if (first == 0 && last == 0) return true;
  return message.message >= first && message.message <= last;
}

bool Shown(const PlatformWindow* window) { return (window->style & WS_VISIBLE) != 0; }

// The next message in Windows' order: posted, quit, paint, timers. A
// WM_PAINT stays pending until the window is validated.
bool FindMessage(Message* out, const PlatformWindow* filter, unsigned first, unsigned last, bool remove) {
  for (auto it = state->posted.begin(); it != state->posted.end(); ++it) {
    if (!Passes(*it, filter, first, last)) continue;
    *out = *it;
    if (remove) state->posted.erase(it);
    return true;
  }
  if (state->quitPending) {
    Message quit{nullptr, WM_QUIT, (uintptr_t)(intptr_t)state->quitCode, 0};
    if (Passes(quit, filter, first, last)) {
      *out = quit;
      if (remove) state->quitPending = false;
      return true;
    }
  }
  for (auto& owned : state->windows) {
    PlatformWindow* window = owned.get();
    if (!window->alive || window->destroying || !window->needsPaint || !Shown(window)) continue;
    if (window->kind == headless::Kind::Control) continue;
    Message paint{window, WM_PAINT, 0, 0};
    if (!Passes(paint, filter, first, last)) continue;
    *out = paint;
    return true;
  }
  for (Timer& timer : state->timers) {
    if (!timer.pending) continue;
    Message tick{timer.window, WM_TIMER, timer.id, 0};
    if (!Passes(tick, filter, first, last)) continue;
    *out = tick;
    if (remove) timer.pending = false;
    return true;
  }
  return false;
}

void ClockTo(uint64_t when) {
  if (when > state->now) state->now = when;
  for (Timer& timer : state->timers) {
    if (timer.due > state->now) continue;
    timer.pending = true;
    timer.due += timer.period * (1 + (state->now - timer.due) / timer.period);
  }
}

void RunIdle() {
  if (!state->idle) return;
  std::function<void()> idle = state->idle;   // the callback may replace itself
  idle();
}

void PurgeFor(PlatformWindow* window) {
  auto& posted = state->posted;
  posted.erase(std::remove_if(posted.begin(), posted.end(),
                              [window](const Message& m) { return BelongsTo(m.window, window); }),
               posted.end());
  auto& timers = state->timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(),
                              [window](const Timer& t) { return t.window == window; }),
               timers.end());
  if (BelongsTo(state->capture, window)) state->capture = nullptr;
}

intptr_t SendTo(PlatformWindow* window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (!Live(window)) return 0;
  if (window->kind == headless::Kind::Dialog) {
    intptr_t result = window->dialogProc ? window->dialogProc(window, message, wParam, lParam) : 0;
    // The dialog manager's default: a paint the procedure left alone still
    // validates the dialog, so that WM_PAINT does not come back for ever.
    if (message == WM_PAINT && Live(window)) window->needsPaint = false;
    return result;
  }
  if (window->kind == headless::Kind::Main && window->windowProc)
    return window->windowProc(window, message, wParam, lParam);
  return DefWindowProc(window, message, wParam, lParam);
}

void Destroy(PlatformWindow* window) {
  if (!Live(window) || window->destroying) return;
  window->destroying = true;
  // Owned windows go first, then the window itself.
  for (size_t i = 0; i < state->windows.size(); ++i) {
    PlatformWindow* other = state->windows[i].get();
    if (other->owner == window && other->alive) Destroy(other);
  }
  SendTo(window, WM_DESTROY, 0, 0);
  for (PlatformWindow* control : window->controls) {
    PurgeFor(control);
    control->alive = false;
  }
  PurgeFor(window);
  for (auto& dc : state->dcs)
    if (dc->window == window) dc->alive = false;
  window->ownDC = nullptr;
  window->style &= ~WS_VISIBLE;
  window->alive = false;
}

// Windows' MulDiv: a * b / c, rounded half away from zero.
int MulDiv(int a, int b, int c) {
  long long product = (long long)a * b;
  long long magnitude = (product < 0 ? -product : product) + c / 2;
  long long quotient = magnitude / c;
  return (int)(product < 0 ? -quotient : quotient);
}
int DialogX(int x) { return MulDiv(x, 6, 4); }
int DialogY(int y) { return MulDiv(y, 13, 8); }

const DialogTemplate* FindTemplate(const char* name) {
  if (!name) return nullptr;
  for (int i = 0; i < programResources.dialogCount; ++i)
    if (programResources.dialogs[i].name && std::strcmp(programResources.dialogs[i].name, name) == 0)
      return &programResources.dialogs[i];
  return nullptr;
}

const BinaryResource* FindResource(const BinaryResource* table, int count, int id) {
  for (int i = 0; i < count; ++i)
    if (table && table[i].id == id && table[i].data) return &table[i];
  return nullptr;
}

bool IsScrollBar(const PlatformWindow* window) {
  return window->kind == headless::Kind::Control && window->className == "SCROLLBAR";
}

void ReleaseCurrent() {
  if (state->current) OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
  state->current = nullptr;
}

}  // namespace

// ---- test hooks ----------------------------------------------------------------
namespace headless {

void Reset() {
  ReleaseCurrent();
  for (auto& context : state->contexts)
    if (context->mesa) OSMesaDestroyContext(context->mesa);
  delete state;
  state = new State;
}

InstanceHandle Instance() { return &theInstance; }

intptr_t Send(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  return SendTo(window, message, wParam, lParam);
}

bool Post(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (!Live(window)) return false;
  state->posted.push_back(Message{window, message, wParam, lParam});
  return true;
}

std::vector<Message> Pending() {
  std::vector<Message> pending(state->posted.begin(), state->posted.end());
  if (state->quitPending) pending.push_back(Message{nullptr, WM_QUIT, (uintptr_t)(intptr_t)state->quitCode, 0});
  for (auto& window : state->windows)
    if (window->alive && !window->destroying && window->needsPaint && Shown(window.get()) &&
        window->kind != Kind::Control)
      pending.push_back(Message{window.get(), WM_PAINT, 0, 0});
  for (const Timer& timer : state->timers)
    if (timer.pending) pending.push_back(Message{timer.window, WM_TIMER, timer.id, 0});
  return pending;
}

bool Click(WindowHandle control) {
  if (!Live(control) || control->kind != Kind::Control || control->className != "BUTTON") return false;
  unsigned kind = control->style & 0xFu;
  if (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON) return false;
  if (!Shown(control) || !Live(control->parent) || !Shown(control->parent)) return false;
  SendTo(control->parent, WM_COMMAND, MakeWParam((unsigned)control->id, BN_CLICKED), (intptr_t)control);
  return true;
}

void Resize(WindowHandle window, int width, int height) {
  if (!Live(window) || window->kind == Kind::Control) return;
  window->width = std::max(1, width);
  window->height = std::max(1, height);
  SendTo(window, WM_SIZE, SIZE_RESTORED, MakeLParam(window->width, window->height));
}

void SetIdleCallback(std::function<void()> callback) { state->idle = std::move(callback); }

uint64_t Now() { return state->now; }
void AdvanceClock(unsigned milliseconds) { ClockTo(state->now + milliseconds); }
void SetFrameTime(unsigned milliseconds) { state->frameTime = milliseconds; }

WindowInfo Describe(WindowHandle window) {
  WindowInfo info;
  if (!window || !state->known.count(window)) return info;
  info.kind = window->kind;
  info.alive = window->alive;
  info.className = window->className;
  info.text = window->text;
  info.templateName = window->templateName;
  info.style = window->style;
  info.id = window->id;
  info.x = window->x;
  info.y = window->y;
  info.width = window->width;
  info.height = window->height;
  info.owner = window->owner;
  info.parent = window->parent;
  info.scrollMin = window->scrollMin;
  info.scrollMax = window->scrollMax;
  info.scrollPos = window->scrollPos;
  info.paintCount = window->paintCount;
  info.needsPaint = window->needsPaint;
  info.pixelFormat = window->pixelFormat;
  return info;
}

bool IsAlive(WindowHandle window) { return Live(window); }

WindowHandle FindMainWindow(const char* className) {
  if (!className) return nullptr;
  for (auto& window : state->windows)
    if (window->alive && window->kind == Kind::Main && window->className == className) return window.get();
  return nullptr;
}

WindowHandle FindDialog(const char* templateName) {
  if (!templateName) return nullptr;
  for (auto it = state->windows.rbegin(); it != state->windows.rend(); ++it)
    if ((*it)->alive && (*it)->kind == Kind::Dialog && (*it)->templateName == templateName) return it->get();
  return nullptr;
}

WindowHandle FindControl(WindowHandle dialog, int id) {
  if (dialog) return GetDlgItem(dialog, id);
  for (auto& window : state->windows)
    if (window->alive && window->kind == Kind::Control && window->id == id) return window.get();
  return nullptr;
}

std::vector<WindowHandle> Controls(WindowHandle dialog) {
  std::vector<WindowHandle> controls;
  if (Live(dialog))
    for (PlatformWindow* control : dialog->controls)
      if (control->alive) controls.push_back(control);
  return controls;
}

WindowHandle Capture() { return state->capture; }
WindowHandle Focus() { return Live(state->focus) ? state->focus : nullptr; }

const std::vector<MessageBoxCall>& MessageBoxes() { return state->messageBoxes; }
const std::vector<WindowPosCall>& WindowPosCalls() { return state->windowPosCalls; }
const std::vector<StretchBltCall>& StretchBltCalls() { return state->bltCalls; }
const std::vector<PaletteCall>& PaletteCalls() { return state->paletteCalls; }

std::vector<PaletteEntry> PaletteEntries(PaletteHandle palette) {
  if (!LivePalette(palette)) return {};
  return palette->entries;
}

void SetScreenHeight(int pixels) { state->screenHeight = pixels; }
void SetScreenWidth(int pixels) { state->screenWidth = pixels; }
void SetBitmapMissing(int id, bool missing) {
  if (missing) state->missingBitmaps.insert(id);
  else state->missingBitmaps.erase(id);
}
void FailChoosePixelFormat(bool fail) { state->failChoose = fail; }
void FailSetPixelFormat(bool fail) { state->failSet = fail; }
void FailCreateContext(bool fail) { state->failContext = fail; }
void UsePaletteFormat(bool palette) { state->paletteFormat = palette; }
void DescribeFormatAs(const PixelFormatDescriptor* format) {
  state->describedAsGiven = format != nullptr;
  if (format) state->described = *format;
}
void FailCreatePalette(bool fail) { state->failPalette = fail; }
const PixelFormatDescriptor* LastFormatRequest() { return state->requested ? &state->lastRequest : nullptr; }

int SwapCount() { return state->swaps; }
int FrameCount() { return state->frames; }

std::vector<unsigned char> ReadPixels(int* width, int* height) {
  PlatformGLContext* context = state->current;
  if (width) *width = context ? context->width : 0;
  if (height) *height = context ? context->height : 0;
  if (!context) return {};
  glFinish();
  size_t row = (size_t)context->width * 4;
  std::vector<unsigned char> pixels(context->buffer.size());
  for (int y = 0; y < context->height; ++y)
    std::memcpy(&pixels[(size_t)y * row], &context->buffer[(size_t)(context->height - 1 - y) * row], row);
  return pixels;
}

}  // namespace headless

// ---- windows ----------------------------------------------------------------------
int RegisterClass(const WindowClass* windowClass) {
  if (!windowClass || !windowClass->className || !windowClass->windowProc) return 0;
  std::string name = windowClass->className;
  if (state->classes.count(name)) return 0;   // already registered, as on Windows
  auto kept = std::make_unique<std::string>(name);
  WindowClass copy = *windowClass;
  copy.className = kept->c_str();
  state->classNames[name] = std::move(kept);
  state->classes[name] = copy;
  return 1;
}

int GetSystemMetrics(int index) {
  if (index == SM_CYSCREEN) return state->screenHeight;
  if (index == SM_CXSCREEN) return state->screenWidth;
  return 0;
}

WindowHandle CreateWindow(const char* className, const char* caption, unsigned style, int x, int y,
                          int width, int height, WindowHandle parent) {
  if (!className) return nullptr;
  auto found = state->classes.find(className);
  if (found == state->classes.end()) return nullptr;
  if ((style & WS_CHILD) || (parent && !Live(parent))) return nullptr;   // child windows: not needed
  PlatformWindow* window = NewWindow(headless::Kind::Main);
  window->windowProc = found->second.windowProc;
  window->className = className;
  window->classStyle = found->second.style;
  window->text = caption ? caption : "";
  window->style = style & ~WS_VISIBLE;
  window->x = x;
  window->y = y;
  window->width = std::max(1, width);
  window->height = std::max(1, height);
  window->owner = parent;
  if (SendTo(window, WM_CREATE, 0, 0) == -1) {
    Destroy(window);
    return nullptr;
  }
  if (!Live(window)) return nullptr;
  SendTo(window, WM_SIZE, SIZE_RESTORED, MakeLParam(window->width, window->height));
  if (Live(window) && (style & WS_VISIBLE)) ShowWindow(window, SW_SHOWNORMAL);
  return Live(window) ? window : nullptr;
}

int ShowWindow(WindowHandle window, int) {
  if (!Live(window)) return 0;
  int was = Shown(window) ? 1 : 0;
  window->style |= WS_VISIBLE;
  if (!was && window->kind != headless::Kind::Control) window->needsPaint = true;
  return was;
}

int UpdateWindow(WindowHandle window) {
  if (!Live(window)) return 0;
  if (window->needsPaint && Shown(window) && window->kind != headless::Kind::Control)
    SendTo(window, WM_PAINT, 0, 0);
  return 1;
}

int SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int width, int height,
                 unsigned flags) {
  state->windowPosCalls.push_back(headless::WindowPosCall{window, insertAfter, x, y, width, height, flags});
  if (!Live(window) || window->kind == headless::Kind::Control) return 0;
  if (!(flags & SWP_NOMOVE)) {
    window->x = x;
    window->y = y;
  }
  width = std::max(1, width);
  height = std::max(1, height);
  if (width != window->width || height != window->height) {
    window->width = width;
    window->height = height;
    SendTo(window, WM_SIZE, SIZE_RESTORED, MakeLParam(width, height));
  }
  return 1;
}

intptr_t GetWindowLong(WindowHandle window, int index) {
  if (!Live(window)) return 0;
  if (index == GWL_ID) return window->id;
  if (index == GWL_HINSTANCE) return (intptr_t)&theInstance;
  return 0;
}

int InvalidateRect(WindowHandle window, const Rect*, int) {
  if (!Live(window)) return 0;
  if (window->kind != headless::Kind::Control) window->needsPaint = true;
  return 1;
}

DeviceContext BeginPaint(WindowHandle window, PaintStruct* paint) {
  if (!Live(window)) return nullptr;
  window->needsPaint = false;
  PlatformDC* dc = NewDC(DCKind::Paint, window);
  if (paint) {
    paint->dc = dc;
    paint->erase = 0;
    paint->paint = Rect{0, 0, window->width, window->height};
  }
  return dc;
}

int EndPaint(WindowHandle window, const PaintStruct* paint) {
  if (!Live(window)) return 0;
  if (paint && LiveDC(paint->dc) && paint->dc->kind == DCKind::Paint) paint->dc->alive = false;
  ++window->paintCount;
  return 1;
}

intptr_t DefWindowProc(WindowHandle window, unsigned message, uintptr_t, intptr_t) {
  if (!Live(window)) return 0;
  if (message == WM_CLOSE) Destroy(window);
  else if (message == WM_PAINT) window->needsPaint = false;
  return 0;
}

// ---- message loop, timer, capture ------------------------------------------------
int PeekMessage(Message* message, WindowHandle window, unsigned first, unsigned last, unsigned remove) {
  if (!message) return 0;
  bool take = (remove & 1u) != 0;   // PM_REMOVE
  if (FindMessage(message, window, first, last, take)) return 1;
  RunIdle();
  return FindMessage(message, window, first, last, take) ? 1 : 0;
}

int GetMessage(Message* message, WindowHandle window, unsigned first, unsigned last) {
  if (!message) return -1;
  if (window && !Live(window)) return -1;
  for (;;) {
    if (FindMessage(message, window, first, last, true)) return message->message == WM_QUIT ? 0 : 1;
    RunIdle();
    if (FindMessage(message, window, first, last, true)) return message->message == WM_QUIT ? 0 : 1;
    if (state->timers.empty()) return -1;   // nothing could ever arrive: do not hang
    uint64_t next = state->timers.front().due;
    for (const Timer& timer : state->timers) next = std::min(next, timer.due);
    ClockTo(next);
  }
}

int TranslateMessage(const Message*) { return 0; }

intptr_t DispatchMessage(const Message* message) {
  if (!message || !Live(message->window)) return 0;
  return SendTo(message->window, message->message, message->wParam, message->lParam);
}

void PostQuitMessage(int exitCode) {
  state->quitPending = true;
  state->quitCode = exitCode;
}

uintptr_t SetTimer(WindowHandle window, uintptr_t id, unsigned periodMs, void* callback) {
  if (callback || !Live(window)) return 0;
  uint64_t period = std::max(10u, periodMs);   // Windows' shortest period
  for (Timer& timer : state->timers) {
    if (timer.window == window && timer.id == id) {   // restarts the timer
      timer.period = period;
      timer.due = state->now + period;
      timer.pending = false;
      return id == 0 ? 1 : id;
    }
  }
  state->timers.push_back(Timer{window, id, period, state->now + period, false});
  return id == 0 ? 1 : id;
}

WindowHandle SetCapture(WindowHandle window) {
  PlatformWindow* previous = state->capture;
  if (Live(window)) state->capture = window;
  return previous;
}

int ReleaseCapture() {
  state->capture = nullptr;
  return 1;
}

// ---- dialogs and controls -----------------------------------------------------------
WindowHandle CreateDialogParam(InstanceHandle, const char* templateName, WindowHandle owner, DialogProc proc,
                               intptr_t param) {
  const DialogTemplate* t = FindTemplate(templateName);
  if (!t) return nullptr;
  if (owner && !Live(owner)) return nullptr;
  while (owner && owner->kind == headless::Kind::Control) owner = owner->parent;

  PlatformWindow* dialog = NewWindow(headless::Kind::Dialog);
  dialog->dialogProc = proc;
  dialog->className = "#32770";   // the dialog class
  dialog->templateName = t->name;
  dialog->text = t->caption ? t->caption : "";
  dialog->style = t->style & ~WS_VISIBLE;
  dialog->owner = owner;
  dialog->x = (owner ? owner->x : 0) + DialogX(t->x);
  dialog->y = (owner ? owner->y : 0) + DialogY(t->y);
  dialog->width = std::max(1, DialogX(t->width));
  dialog->height = std::max(1, DialogY(t->height));

  for (int i = 0; i < t->itemCount && t->items; ++i) {
    const DialogItem& item = t->items[i];
    PlatformWindow* control = NewWindow(headless::Kind::Control);
    control->id = item.id;
    control->className = item.className ? item.className : "";
    for (char& c : control->className) c = (char)std::toupper((unsigned char)c);
    control->text = item.text ? item.text : "";
    control->style = item.style;
    control->parent = dialog;
    control->x = DialogX(item.x);
    control->y = DialogY(item.y);
    control->width = std::max(1, DialogX(item.width));
    control->height = std::max(1, DialogY(item.height));
    dialog->controls.push_back(control);
  }

  WindowHandle focus = nullptr;
  for (PlatformWindow* control : dialog->controls)
    if ((control->style & WS_TABSTOP) && Shown(control)) {
      focus = control;
      break;
    }
  if (SendTo(dialog, WM_INITDIALOG, (uintptr_t)focus, param) != 0 && Live(focus)) state->focus = focus;
  if (!Live(dialog)) return nullptr;   // ended during its initialisation
  if (t->style & WS_VISIBLE) ShowWindow(dialog, SW_SHOWNORMAL);
  return dialog;
}

int EndDialog(WindowHandle dialog, intptr_t) {
  if (!Live(dialog) || dialog->kind != headless::Kind::Dialog) return 0;
  Destroy(dialog);
  return 1;
}

WindowHandle GetDlgItem(WindowHandle dialog, int id) {
  if (!Live(dialog)) return nullptr;
  for (PlatformWindow* control : dialog->controls)
    if (control->alive && control->id == id) return control;
  return nullptr;
}

// As on Windows: an inverted range becomes 0..0, and the thumb stays inside the range.
int SetScrollRange(WindowHandle window, int bar, int minimum, int maximum, int) {
  if (!Live(window) || !IsScrollBar(window) || bar != SB_CTL) return 0;
  if (minimum > maximum) minimum = maximum = 0;
  window->scrollMin = minimum;
  window->scrollMax = maximum;
  window->scrollPos = std::max(minimum, std::min(maximum, window->scrollPos));
  return 1;
}

int SetScrollPos(WindowHandle window, int bar, int position, int) {
  if (!Live(window) || !IsScrollBar(window) || bar != SB_CTL) return 0;
  int previous = window->scrollPos;
  window->scrollPos = std::max(window->scrollMin, std::min(window->scrollMax, position));
  return previous;
}

int MessageBox(WindowHandle owner, const char* text, const char* caption, unsigned style) {
  state->messageBoxes.push_back(
      headless::MessageBoxCall{owner, text ? text : "", caption ? caption : "Error", style});
  return IDOK;
}

// ---- resources ----------------------------------------------------------------------
IconHandle LoadIcon(InstanceHandle, int id) {
  auto found = state->icons.find(id);
  if (found != state->icons.end()) return found->second.get();
  if (!FindResource(programResources.icons, programResources.iconCount, id)) return nullptr;
  auto icon = std::make_unique<PlatformIcon>(PlatformIcon{id});
  IconHandle handle = icon.get();
  state->icons[id] = std::move(icon);
  return handle;
}

CursorHandle LoadCursor(InstanceHandle instance, int id) {
  if (instance || id != IDC_ARROW) return nullptr;
  return &arrowCursor;
}

BitmapHandle LoadBitmap(InstanceHandle, int id) {
  if (state->missingBitmaps.count(id)) return nullptr;
  auto found = state->bitmaps.find(id);
  if (found != state->bitmaps.end()) return found->second.get();
  const BinaryResource* resource = FindResource(programResources.bitmaps, programResources.bitmapCount, id);
  if (!resource) return nullptr;
#ifdef HEADLESS_HAVE_DECODE
  DecodedImage image;
  if (!DecodeBmp(resource->data, resource->size, &image)) return nullptr;
  auto bitmap = std::make_unique<PlatformBitmap>();
  bitmap->id = id;
  bitmap->width = image.width;
  bitmap->height = image.height;
  bitmap->rgba = std::move(image.rgba);
  BitmapHandle handle = bitmap.get();
  state->bitmaps[id] = std::move(bitmap);
  return handle;
#else
  return nullptr;   // no decoder: the bitmap counts as undecodable
#endif
}

int GetObject(BitmapHandle bitmap, int size, BitmapInfo* info) {
  if (!bitmap || !info || size < (int)sizeof(BitmapInfo)) return 0;
  bool known = false;
  for (auto& entry : state->bitmaps) known = known || entry.second.get() == bitmap;
  if (!known) return 0;
  info->bmType = 0;
  info->bmWidth = bitmap->width;
  info->bmHeight = bitmap->height;
  info->bmWidthBytes = (bitmap->width * 24 + 15) / 16 * 2;   // rows padded to a whole word
  info->bmPlanes = 1;
  info->bmBitsPixel = 24;
  info->bmBits = nullptr;
  return (int)sizeof(BitmapInfo);
}

// ---- GDI ------------------------------------------------------------------------------
DeviceContext GetDC(WindowHandle window) {
  if (!Live(window) || window->kind == headless::Kind::Control) return nullptr;
  if (window->classStyle & CS_OWNDC) {
    if (!window->ownDC) window->ownDC = NewDC(DCKind::Window, window);
    return window->ownDC;
  }
  return NewDC(DCKind::Window, window);
}

int ReleaseDC(WindowHandle window, DeviceContext dc) {
  if (!LiveDC(dc) || dc->window != window || dc->kind != DCKind::Window) return 0;
  if (dc != window->ownDC) dc->alive = false;   // a private context stays with its window
  return 1;
}

WindowHandle WindowFromDC(DeviceContext dc) { return LiveDC(dc) ? dc->window : nullptr; }

DeviceContext CreateCompatibleDC(DeviceContext dc) {
  if (dc && !LiveDC(dc)) return nullptr;
  return NewDC(DCKind::Memory, nullptr);
}

BitmapHandle SelectObject(DeviceContext dc, BitmapHandle bitmap) {
  if (!LiveDC(dc) || dc->kind != DCKind::Memory) return nullptr;
  BitmapHandle previous = dc->bitmap;
  dc->bitmap = bitmap;
  return previous;
}

int StretchBlt(DeviceContext destination, int x, int y, int width, int height, DeviceContext source,
               int sourceX, int sourceY, int sourceWidth, int sourceHeight, unsigned rasterOperation) {
  if (!LiveDC(destination) || !LiveDC(source)) return 0;
  state->bltCalls.push_back(headless::StretchBltCall{destination, destination->window, x, y, width, height,
                                                     source, source->bitmap, sourceX, sourceY, sourceWidth,
                                                     sourceHeight, rasterOperation});
  return 1;
}

int DeleteDC(DeviceContext dc) {
  if (!LiveDC(dc) || dc->kind != DCKind::Memory) return 0;
  dc->alive = false;
  return 1;
}

PaletteHandle CreatePalette(const LogPalette* palette) {
  if (!palette || palette->palNumEntries == 0 || !palette->palPalEntry || state->failPalette) return nullptr;
  auto created = std::make_unique<PlatformPalette>();
  created->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  PaletteHandle handle = created.get();
  state->palettes.push_back(std::move(created));
  state->paletteCalls.push_back(headless::PaletteCall{headless::PaletteOp::Create, handle, nullptr, 0});
  return handle;
}

PaletteHandle SelectPalette(DeviceContext dc, PaletteHandle palette, int forceBackground) {
  if (!LiveDC(dc) || !LivePalette(palette)) return nullptr;
  PaletteHandle previous = dc->palette;
  dc->palette = palette;
  state->paletteCalls.push_back(headless::PaletteCall{headless::PaletteOp::Select, palette, dc, forceBackground});
  return previous;
}

unsigned RealizePalette(DeviceContext dc) {
  if (!LiveDC(dc) || !dc->palette) return 0;
  state->paletteCalls.push_back(headless::PaletteCall{headless::PaletteOp::Realize, dc->palette, dc, 0});
  return (unsigned)dc->palette->entries.size();
}

int UnrealizeObject(PaletteHandle palette) {
  if (!LivePalette(palette)) return 0;
  state->paletteCalls.push_back(headless::PaletteCall{headless::PaletteOp::Unrealize, palette, nullptr, 0});
  return 1;
}

// ---- pixel formats and GL contexts ---------------------------------------------------
// One format, index 1: 24-bit RGBA, double-buffered, 16-bit depth; or, in
// palette mode, 8-bit colour through a palette.
int ChoosePixelFormat(DeviceContext dc, const PixelFormatDescriptor* request) {
  if (!LiveDC(dc) || !request) return 0;
  state->requested = true;
  state->lastRequest = *request;
  if (state->failChoose) return 0;
  return 1;
}

int SetPixelFormat(DeviceContext dc, int format, const PixelFormatDescriptor*) {
  if (!LiveDC(dc) || !dc->window || state->failSet || format != 1) return 0;
  PlatformWindow* window = dc->window;
  if (window->pixelFormat && window->pixelFormat != format) return 0;   // fixed once set
  window->pixelFormat = format;
  return 1;
}

int GetPixelFormat(DeviceContext dc) {
  if (!LiveDC(dc) || !dc->window) return 0;
  return dc->window->pixelFormat;
}

int DescribePixelFormat(DeviceContext, int format, unsigned size, PixelFormatDescriptor* out) {
  if (!out) return 1;   // the number of formats
  if (format != 1 || size < sizeof(PixelFormatDescriptor)) return 0;
  PixelFormatDescriptor pfd{};
  pfd.nSize = sizeof(PixelFormatDescriptor);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cDepthBits = 16;
  pfd.iLayerType = PFD_MAIN_PLANE;
  if (state->describedAsGiven) {
    *out = state->described;
    return 1;
  }
  if (state->paletteFormat) {
    pfd.dwFlags |= PFD_NEED_PALETTE;
    pfd.cColorBits = 8;
    pfd.cRedBits = 3;
    pfd.cRedShift = 0;
    pfd.cGreenBits = 3;
    pfd.cGreenShift = 3;
    pfd.cBlueBits = 2;
    pfd.cBlueShift = 6;
  } else {
    pfd.cColorBits = 24;
    pfd.cRedBits = 8;
    pfd.cRedShift = 16;
    pfd.cGreenBits = 8;
    pfd.cGreenShift = 8;
    pfd.cBlueBits = 8;
    pfd.cBlueShift = 0;
  }
  *out = pfd;
  return 1;
}

RenderContext wglCreateContext(DeviceContext dc) {
  if (!LiveDC(dc) || !dc->window || !dc->window->pixelFormat || state->failContext) return nullptr;
  OSMesaContext mesa = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
  if (!mesa) return nullptr;
  auto context = std::make_unique<PlatformGLContext>();
  context->mesa = mesa;
  context->window = dc->window;
  context->width = dc->window->width;
  context->height = dc->window->height;
  context->buffer.assign((size_t)context->width * context->height * 4, 0);
  RenderContext handle = context.get();
  state->contexts.push_back(std::move(context));
  return handle;
}

int wglMakeCurrent(DeviceContext dc, RenderContext context) {
  if (!context) {   // whatever the device context, no context current
    ReleaseCurrent();
    return 1;
  }
  PlatformGLContext* live = LiveContext(context);
  if (!live || !LiveDC(dc) || !dc->window) return 0;
  if (!OSMesaMakeCurrent(live->mesa, live->buffer.data(), GL_UNSIGNED_BYTE, live->width, live->height))
    return 0;
  state->current = live;
  return 1;
}

int wglDeleteContext(RenderContext context) {
  PlatformGLContext* live = LiveContext(context);
  if (!live) return 0;
  if (state->current == live) ReleaseCurrent();
  OSMesaDestroyContext(live->mesa);
  live->mesa = nullptr;
  live->alive = false;
  live->buffer.clear();
  live->buffer.shrink_to_fit();
  return 1;
}

int SwapBuffers(DeviceContext dc) {
  ++state->swaps;
  if (!LiveDC(dc) || !Live(dc->window)) return 0;
  if (state->current) glFinish();
  if (state->current && state->current->window == dc->window) ++state->frames;
  if (state->frameTime) ClockTo(state->now + state->frameTime);
  return 1;
}
