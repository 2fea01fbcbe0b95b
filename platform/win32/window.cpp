// Windows on Win32: the window class, the window, its size and place, painting
// and default handling, each over the real user32 call. Relies on win32.h.
#include "platform/win32/win32.h"

namespace {

// The program's procedure of each registered class. Windows calls
// ClassProcedure, which finds the program's procedure by the window's class.
struct ClassEntry {
  ATOM atom;
  WindowProc proc;
};
ClassEntry classes[8];
int classCount = 0;

WindowProc ProcedureOf(HWND window) {
  const ATOM atom = (ATOM)GetClassWord(window, GCW_ATOM);
  for (int i = 0; i < classCount; ++i)
    if (classes[i].atom == atom) return classes[i].proc;
  return nullptr;
}

LRESULT CALLBACK ClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WindowProc proc = ProcedureOf(window);
  if (proc == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return proc(Handle(window), message, wParam, lParam);
}

}  // namespace

int RegisterClass(const WindowClass* windowClass) {
  if (windowClass == nullptr || classCount == (int)(sizeof classes / sizeof classes[0])) return 0;
  WNDCLASSA native = {};
  native.style = windowClass->style;
  native.lpfnWndProc = ClassProcedure;
  native.hInstance = ProgramModule(windowClass->instance);
  native.hIcon = reinterpret_cast<HICON>(windowClass->icon);
  native.hCursor = reinterpret_cast<HCURSOR>(windowClass->cursor);
  native.lpszClassName = windowClass->className;
  const ATOM atom = RegisterClassA(&native);
  if (atom == 0) return 0;
  classes[classCount++] = {atom, windowClass->windowProc};
  return atom;
}

WindowHandle CreateWindow(const char* className, const char* caption, unsigned style, int x, int y,
                          int width, int height, WindowHandle parent) {
  return Handle(CreateWindowExA(0, className, caption, style, x, y, width, height, Hwnd(parent),
                                nullptr, GetModuleHandleA(nullptr), nullptr));
}

int ShowWindow(WindowHandle window, int showCommand) { return ::ShowWindow(Hwnd(window), showCommand); }

int UpdateWindow(WindowHandle window) { return ::UpdateWindow(Hwnd(window)); }

int SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int width, int height,
                 unsigned flags) {
  return ::SetWindowPos(Hwnd(window), Hwnd(insertAfter), x, y, width, height, flags);
}

// GWL_ID and GWL_HINSTANCE have the values of GWLP_ID and GWLP_HINSTANCE; a
// 64-bit instance handle needs the pointer-sized form.
intptr_t GetWindowLong(WindowHandle window, int index) { return GetWindowLongPtrA(Hwnd(window), index); }

int InvalidateRect(WindowHandle window, const Rect* rect, int erase) {
  if (rect == nullptr) return ::InvalidateRect(Hwnd(window), nullptr, erase);
  const RECT native = {rect->left, rect->top, rect->right, rect->bottom};
  return ::InvalidateRect(Hwnd(window), &native, erase);
}

DeviceContext BeginPaint(WindowHandle window, PaintStruct* paint) {
  PAINTSTRUCT native = {};
  const HDC dc = ::BeginPaint(Hwnd(window), &native);
  if (paint != nullptr) {
    paint->dc = Handle(dc);
    paint->erase = native.fErase;
    paint->paint = {native.rcPaint.left, native.rcPaint.top, native.rcPaint.right, native.rcPaint.bottom};
  }
  return Handle(dc);
}

// EndPaint reads the device context of the structure BeginPaint filled.
int EndPaint(WindowHandle window, const PaintStruct* paint) {
  if (paint == nullptr) return 0;
  PAINTSTRUCT native = {};
  native.hdc = Hdc(paint->dc);
  native.fErase = paint->erase;
  native.rcPaint = {paint->paint.left, paint->paint.top, paint->paint.right, paint->paint.bottom};
  return ::EndPaint(Hwnd(window), &native);
}

intptr_t DefWindowProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  return DefWindowProcA(Hwnd(window), message, wParam, lParam);
}
