// Window classes and windows as records: creation with WM_CREATE inside, the
// first WM_SIZE at the first show, size and place, paint, default handling,
// and the destroy order (owned windows first). Relies on backend.h; the backend shows what needs showing.
#include "platform/core/core.h"

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_set>

namespace {

struct Windows {
  std::vector<std::unique_ptr<PlatformWindow>> records;
  std::vector<PlatformWindow*> all;
  std::unordered_set<const PlatformWindow*> known;
  std::map<std::string, WindowClass> classes;   // by name; a copy's className (the caller's) is never read
};
Windows* windows = new Windows;   // lives as long as the process: a handle is never a dangling pointer
PlatformInstance instance{0};

bool TopLevel(const PlatformWindow* window) { return window->kind != WindowKind::Control; }

}  // namespace

InstanceHandle ProgramInstance() { return &instance; }
bool Known(const PlatformWindow* window) { return window && windows->known.count(window) != 0; }
bool Live(const PlatformWindow* window) { return Known(window) && window->alive; }
const std::vector<PlatformWindow*>& AllWindows() { return windows->all; }

PlatformWindow* NewWindow(WindowKind kind) {
  windows->records.push_back(std::make_unique<PlatformWindow>());
  PlatformWindow* window = windows->records.back().get();
  window->kind = kind;
  windows->all.push_back(window);
  windows->known.insert(window);
  return window;
}


void ResetCore() {
  ResetKeyboard();
  ResetContexts();
  ResetQueue();
  ResetGdi();
  delete windows;
  windows = new Windows;
}

// A dialog procedure's unhandled WM_PAINT still validates the dialog, as the
// dialog manager's default does; an unhandled WM_CLOSE does nothing.
intptr_t SendTo(PlatformWindow* window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (!Live(window)) return 0;
  if (window->kind == WindowKind::Dialog) {
    intptr_t result = window->dialogProc ? window->dialogProc(window, message, wParam, lParam) : 0;
    if (message == WM_PAINT && result == 0 && Live(window)) window->needsPaint = false;
    if (result == 0 && Live(window)) DefaultDialogMessage(window, message, wParam, lParam);
    return result;
  }
  if (window->kind == WindowKind::Control) return ControlMessage(window, message, wParam, lParam);
  if (window->windowProc) return window->windowProc(window, message, wParam, lParam);
  return DefWindowProc(window, message, wParam, lParam);
}

intptr_t SendMessage(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  return SendTo(window, message, wParam, lParam);
}

void Destroy(PlatformWindow* window) {
  if (!Live(window) || window->destroying) return;
  window->destroying = true;
  for (size_t i = 0; i < windows->all.size(); ++i)   // the list may grow meanwhile
    if (windows->all[i]->owner == window) Destroy(windows->all[i]);
  SendTo(window, WM_DESTROY, 0, 0);
  for (PlatformWindow* control : window->controls) {
    ForgetQueueOf(control);
    control->alive = false;
  }
  ForgetFocusOf(window);
  ForgetQueueOf(window);
  ForgetDCsOf(window);
  ForgetContextsOf(window);
  BackendDestroyed(window);
  window->style &= ~WS_VISIBLE;
  window->alive = false;
}

namespace {
void ReportSize(PlatformWindow* window, int width, int height, bool evenIfSame) {
  if (!Live(window) || !TopLevel(window) || window->destroying) return;
  width = std::max(1, width);
  height = std::max(1, height);
  if (width == window->width && height == window->height && !evenIfSame) return;
  window->width = width;
  window->height = height;
  window->sizeSent = true;
  SendTo(window, WM_SIZE, SIZE_RESTORED, MakeLParam(width, height));
}
}  // namespace

void Resized(PlatformWindow* window, int width, int height) { ReportSize(window, width, height, false); }
void SizeRestored(PlatformWindow* window, int width, int height) { ReportSize(window, width, height, true); }

void Invalidate(PlatformWindow* window) {
  if (Live(window) && TopLevel(window)) window->needsPaint = true;
}

// ---- platform.h -------------------------------------------------------------------------
int RegisterClass(const WindowClass* windowClass) {
  if (!windowClass || !windowClass->className || !windowClass->windowProc) return 0;
  // already registered: refused, as on Windows
  return windows->classes.emplace(windowClass->className, *windowClass).second ? 1 : 0;
}

// The size given is the client size: the frame belongs to the window manager.
WindowHandle CreateWindow(const char* className, const char* caption, unsigned style, int x, int y,
                          int width, int height, WindowHandle parent) {
  if (!className) return nullptr;
  auto found = windows->classes.find(className);
  if (found == windows->classes.end()) return nullptr;
  if ((style & WS_CHILD) || (parent && !Live(parent))) return nullptr;   // child windows: not needed
  PlatformWindow* window = NewWindow(WindowKind::Main);
  window->windowProc = found->second.windowProc;
  window->className = className;
  window->classStyle = found->second.style;
  window->icon = found->second.icon;
  window->text = caption ? caption : "";
  window->style = style & ~WS_VISIBLE;
  window->x = x;
  window->y = y;
  window->width = std::max(1, width);
  window->height = std::max(1, height);
  window->owner = parent;
  BackendCreated(window);
  if (SendTo(window, WM_CREATE, 0, 0) == -1) {
    Destroy(window);
    return nullptr;
  }
  if (Live(window) && (style & WS_VISIBLE)) ShowWindow(window, SW_SHOWNORMAL);
  return Live(window) ? window : nullptr;
}

int ShowWindow(WindowHandle window, int) {
  if (!Live(window)) return 0;
  int was = (window->style & WS_VISIBLE) ? 1 : 0;
  if (was) return was;
  window->style |= WS_VISIBLE;
  Invalidate(window);
  FocusShown(window);
  BackendShown(window);
  // As on Windows, a window made by CreateWindow hears its first WM_SIZE when
  // it is first shown, unless a size was reported before.
  if (window->kind == WindowKind::Main && !window->sizeSent) ReportSize(window, window->width, window->height, true);
  return was;
}

int UpdateWindow(WindowHandle window) {
  if (!Live(window)) return 0;
  if (window->needsPaint && TopLevel(window) && BackendOnScreen(window)) SendTo(window, WM_PAINT, 0, 0);
  return 1;
}

// Only a new size is emulated (SWP_NOMOVE, as the program asks): a move is refused.
int SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int width, int height,
                 unsigned flags) {
  if (!Live(window) || !TopLevel(window) || !(flags & SWP_NOMOVE)) return 0;
  width = std::max(1, width);
  height = std::max(1, height);
  BackendPlace(window, insertAfter, x, y, &width, &height, flags);
  Resized(window, width, height);
  return 1;
}

intptr_t GetWindowLong(WindowHandle window, int index) {
  if (!Live(window)) return 0;
  if (index == GWL_ID) return window->id;
  if (index == GWL_HINSTANCE) return (intptr_t)ProgramInstance();
  return 0;
}

int InvalidateRect(WindowHandle window, const Rect*, int) {
  if (!Live(window)) return 0;
  Invalidate(window);
  BackendRedraw(window);
  return 1;
}

intptr_t DefWindowProc(WindowHandle window, unsigned message, uintptr_t, intptr_t) {
  if (!Live(window)) return 0;
  if (message == WM_CLOSE) Destroy(window);
  else if (message == WM_PAINT) window->needsPaint = false;
  return 0;
}
