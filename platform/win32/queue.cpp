// The message queue on Win32: looking, fetching, translating and dispatching,
// sending, the window timer, mouse capture and the keyboard's focus, over the
// real user32 calls. Relies on win32.h; PostQuitMessage, ReleaseCapture and
// GetFocus are in same_names.cpp.
#include "platform/win32/win32.h"

namespace {

void FromNative(const MSG& native, Message* message) {
  message->window = Handle(native.hwnd);
  message->message = native.message;
  message->wParam = native.wParam;
  message->lParam = native.lParam;
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
  const MSG native = NativeMessage(*message);
  return ::TranslateMessage(&native);
}

intptr_t DispatchMessage(const Message* message) {
  if (message == nullptr) return 0;
  const MSG native = NativeMessage(*message);
  return DispatchMessageA(&native);
}

// Only timers that arrive as WM_TIMER: a callback is refused.
uintptr_t SetTimer(WindowHandle window, uintptr_t id, unsigned periodMs, void* callback) {
  if (callback != nullptr) return 0;
  return ::SetTimer(Hwnd(window), id, periodMs, nullptr);
}

WindowHandle SetCapture(WindowHandle window) { return Handle(::SetCapture(Hwnd(window))); }

intptr_t SendMessage(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  return SendMessageA(Hwnd(window), message, wParam, lParam);
}

WindowHandle SetFocus(WindowHandle window) { return Handle(::SetFocus(Hwnd(window))); }
