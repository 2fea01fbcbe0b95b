// The message queue on Win32: looking, fetching, translating and dispatching,
// the window timer and mouse capture, over the real user32 calls.
// Relies on win32.h; PostQuitMessage and ReleaseCapture are in same_names.cpp.
#include "platform/win32/win32.h"

namespace {

void FromNative(const MSG& native, Message* message) {
  message->window = Handle(native.hwnd);
  message->message = native.message;
  message->wParam = native.wParam;
  message->lParam = native.lParam;
}

// The time and cursor position of a fetched message are not kept: dispatching
// and translating read only these four fields.
MSG ToNative(const Message* message) {
  MSG native = {};
  native.hwnd = Hwnd(message->window);
  native.message = message->message;
  native.wParam = message->wParam;
  native.lParam = message->lParam;
  return native;
}

}  // namespace

int PeekMessage(Message* message, WindowHandle window, unsigned first, unsigned last, unsigned remove) {
  MSG native = {};
  const BOOL found = PeekMessageA(&native, Hwnd(window), first, last, remove);
  if (found && message != nullptr) FromNative(native, message);
  return found;
}

int GetMessage(Message* message, WindowHandle window, unsigned first, unsigned last) {
  MSG native = {};
  const BOOL result = GetMessageA(&native, Hwnd(window), first, last);
  if (message != nullptr) FromNative(native, message);
  return result;
}

int TranslateMessage(const Message* message) {
  if (message == nullptr) return 0;
  const MSG native = ToNative(message);
  return ::TranslateMessage(&native);
}

intptr_t DispatchMessage(const Message* message) {
  if (message == nullptr) return 0;
  const MSG native = ToNative(message);
  return DispatchMessageA(&native);
}

// Only timers that arrive as WM_TIMER: a callback is refused.
uintptr_t SetTimer(WindowHandle window, uintptr_t id, unsigned periodMs, void* callback) {
  if (callback != nullptr) return 0;
  return ::SetTimer(Hwnd(window), id, periodMs, nullptr);
}

WindowHandle SetCapture(WindowHandle window) { return Handle(::SetCapture(Hwnd(window))); }
