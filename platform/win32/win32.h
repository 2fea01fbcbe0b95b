// The Win32 backend: every platform.h call over the real user32, gdi32 and
// opengl32 call, with WinMain as the entry (main.cpp). It needs Windows or
// Wine and the MinGW-w64 toolchain (tools/mingw-w64-x86_64.cmake), and stands
// on nothing else of platform/: no emulation core, no backend.h. Dialog
// templates come from the table the program hands over; bitmaps and icons
// are the executable's own resources (panels/heatball.rc). It does not do:
// anything the program does not call (no Unicode W functions).
//
// What the Win32 files of the platform share: <windows.h> and platform.h in
// one translation unit, and the casts between the two sets of handles.
//
// How both headers live side by side. <windows.h> defines macros under
// platform.h's names: the function names (RegisterClass -> RegisterClassA,
// ...) and the constants (WM_CREATE, WS_POPUP, ...). So platform.h comes
// first: its constants are enumerators before they become macros of the
// same value, which this file checks at compile time; after <windows.h> it
// removes the function macros. The backend then calls the A functions by
// their full names. The platform's own functions are C++ overloads beside the Windows
// ones (their handle types differ), except four with the very same
// parameters (GetSystemMetrics, PostQuitMessage, ReleaseCapture, GetFocus):
// a file that sees <windows.h> cannot define those, so they live in
// same_names.cpp, which does not include this file. The program's files, which never see
// <windows.h>, call the platform's C++ functions; the link keeps the two
// apart by their (mangled and plain) names.
//
// The program's own files never see <windows.h>: <GL/gl.h> would pull it in
// unless WINGDIAPI and APIENTRY are defined, so the Windows build defines
// both for every file (platform/win32/CMakeLists.txt), and this file removes them
// again before <windows.h> defines its own.
#pragma once

// ---- platform.h first: its constants are enumerators before <windows.h> ------
// platform.h would redeclare the four functions whose parameters are the
// Windows ones' (GetSystemMetrics, PostQuitMessage, ReleaseCapture,
// GetFocus) and so take them for the Windows functions; here it declares
// them under other names, which nothing uses, and the backend's calls reach
// Windows.
#define GetSystemMetrics PlatformGetSystemMetricsUnused
#define PostQuitMessage PlatformPostQuitMessageUnused
#define ReleaseCapture PlatformReleaseCaptureUnused
#define GetFocus PlatformGetFocusUnused
#include "platform/platform.h"
#undef GetSystemMetrics
#undef PostQuitMessage
#undef ReleaseCapture
#undef GetFocus

// The constants both headers name: the platform's values, taken before
// <windows.h> makes each name a macro, then checked against the macro.
#define HEAT_SHARED_CONSTANTS(X)                                                              \
  X(WM_CREATE) X(WM_DESTROY) X(WM_SIZE) X(WM_PAINT) X(WM_CLOSE) X(WM_QUIT)                    \
  X(WM_QUERYNEWPALETTE) X(WM_PALETTECHANGED) X(WM_INITDIALOG) X(WM_COMMAND) X(WM_TIMER)       \
  X(WM_VSCROLL) X(WM_MOUSEMOVE) X(WM_LBUTTONDOWN) X(WM_LBUTTONUP) X(WM_RBUTTONDOWN)           \
  X(WM_RBUTTONUP) X(SIZE_RESTORED) X(BN_CLICKED)                                              \
  X(WM_NEXTDLGCTL) X(WM_KEYDOWN) X(WM_KEYUP) X(WM_CHAR) X(KF_REPEAT) X(KF_UP)                  \
  X(VK_TAB) X(VK_RETURN) X(VK_SHIFT) X(VK_ESCAPE) X(VK_SPACE) X(VK_PRIOR) X(VK_NEXT)          \
  X(VK_LEFT) X(VK_UP) X(VK_RIGHT) X(VK_DOWN) X(VK_ADD) X(VK_SUBTRACT) X(VK_F6) X(VK_PACKET)  \
  X(SB_LINEUP) X(SB_LINEDOWN) X(SB_PAGEUP) X(SB_PAGEDOWN) X(SB_THUMBPOSITION)                 \
  X(SB_THUMBTRACK) X(SB_TOP) X(SB_BOTTOM) X(SB_ENDSCROLL) X(SB_CTL)                           \
  X(WS_POPUP) X(WS_CHILD) X(WS_VISIBLE) X(WS_CLIPSIBLINGS) X(WS_CLIPCHILDREN) X(WS_CAPTION)   \
  X(WS_BORDER) X(WS_SYSMENU) X(WS_TABSTOP) X(WS_OVERLAPPEDWINDOW)                             \
  X(DS_MODALFRAME) X(DS_SETFONT) X(BS_PUSHBUTTON) X(BS_DEFPUSHBUTTON) X(BS_GROUPBOX)          \
  X(SS_ICON) X(SS_SUNKEN) X(SBS_VERT) X(CS_VREDRAW) X(CS_HREDRAW) X(CS_OWNDC)                 \
  X(SW_SHOWNORMAL) X(SW_SHOWDEFAULT) X(SM_CXSCREEN) X(SM_CYSCREEN) X(GWL_ID) X(SWP_NOMOVE) X(PM_NOREMOVE) \
  X(MB_OK) X(MB_ICONHAND) X(IDOK) X(IDCANCEL) X(SRCCOPY) X(PFD_DOUBLEBUFFER) X(PFD_DRAW_TO_WINDOW)        \
  X(PFD_SUPPORT_OPENGL) X(PFD_NEED_PALETTE) X(PFD_TYPE_RGBA) X(PFD_TYPE_COLORINDEX)           \
  X(PFD_MAIN_PLANE)
namespace platformValue {
#define HEAT_TAKE_VALUE(name) constexpr long long name##_value = (long long)(name);
HEAT_SHARED_CONSTANTS(HEAT_TAKE_VALUE)
#undef HEAT_TAKE_VALUE
}  // namespace platformValue

// ---- then <windows.h>, and its function macros removed ------------------------
#undef WINGDIAPI
#undef APIENTRY
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#define HEAT_CHECK_VALUE(name) \
  static_assert(platformValue::name##_value == (long long)(name), #name " differs from <windows.h>");
HEAT_SHARED_CONSTANTS(HEAT_CHECK_VALUE)
#undef HEAT_CHECK_VALUE

#undef RegisterClass
#undef CreateWindow
#undef GetMessage
#undef PeekMessage
#undef DispatchMessage
#undef MessageBox
#undef LoadIcon
#undef LoadBitmap
#undef LoadCursor
#undef GetObject
#undef DefWindowProc
#undef GetWindowLong
#undef CreateDialogParam
#undef SendMessage
#undef IsDialogMessage

// ---- handles: the platform's opaque handles are the Windows handles ----------
inline HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle Handle(HWND window) { return reinterpret_cast<WindowHandle>(window); }
inline HDC Hdc(DeviceContext dc) { return reinterpret_cast<HDC>(dc); }
inline DeviceContext Handle(HDC dc) { return reinterpret_cast<DeviceContext>(dc); }
inline HINSTANCE Hinstance(InstanceHandle instance) { return reinterpret_cast<HINSTANCE>(instance); }
inline HBITMAP Hbitmap(BitmapHandle bitmap) { return reinterpret_cast<HBITMAP>(bitmap); }
inline HPALETTE Hpalette(PaletteHandle palette) { return reinterpret_cast<HPALETTE>(palette); }
inline HGLRC Hglrc(RenderContext context) { return reinterpret_cast<HGLRC>(context); }

// The instance whose resources a null instance stands for: the program itself.
inline HINSTANCE ProgramModule(InstanceHandle instance) {
  return instance != nullptr ? Hinstance(instance) : GetModuleHandleA(nullptr);
}

// A message as Windows takes it. The time and cursor position of a fetched
// message are not kept: translating, dispatching and the dialog manager read
// only these four fields.
inline MSG NativeMessage(const Message& message) {
  MSG native = {};
  native.hwnd = Hwnd(message.window);
  native.message = message.message;
  native.wParam = message.wParam;
  native.lParam = message.lParam;
  return native;
}
