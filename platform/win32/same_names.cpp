// The four platform operations whose parameters are the very same as those of
// the Win32 functions they stand on: GetSystemMetrics, PostQuitMessage,
// ReleaseCapture and GetFocus. A file that sees <windows.h> would take their
// declarations in platform.h for the Windows ones, so this file does not
// include it: it names the four Windows functions itself, in a namespace of
// their own.
#include "platform/platform.h"

namespace win32 {
extern "C" {
__declspec(dllimport) int __stdcall GetSystemMetrics(int index);
__declspec(dllimport) void __stdcall PostQuitMessage(int exitCode);
__declspec(dllimport) int __stdcall ReleaseCapture();
__declspec(dllimport) void* __stdcall GetFocus();
}
}  // namespace win32

int GetSystemMetrics(int index) { return win32::GetSystemMetrics(index); }

void PostQuitMessage(int exitCode) { win32::PostQuitMessage(exitCode); }

int ReleaseCapture() { return win32::ReleaseCapture(); }

WindowHandle GetFocus() { return static_cast<WindowHandle>(win32::GetFocus()); }
