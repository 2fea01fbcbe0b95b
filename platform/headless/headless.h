// The headless backend, for tests, benchmarks and the fuzz target: the
// emulation core (backend.h) with no screen, a virtual clock, the GDI calls
// recorded, OpenGL contexts offscreen over EGL's surfaceless platform
// (egl.cpp; Mesa's, no display needed). It does not draw anything but
// OpenGL, take any input a test does not queue, or wait on a real clock.
// These are its test hooks: the core's windows, dialogs, controls and queue
// looked at and driven from a test.
//
// How the headless backend behaves, where Windows leaves room:
// - Nothing is drawn but OpenGL. A window's outer size is its client size
//   (no frame); a top-level window sits where it was created.
// - Dialog units become pixels with fixed base units, whatever the template's
//   font: x pixels = MulDiv(x, 6, 4), y pixels = MulDiv(y, 13, 8), rounded
//   half away from zero. A dialog with an owner counts its position from the
//   owner's top-left corner, one without from the screen's (0, 0). Control
//   positions count from the dialog's client area.
// - CreateWindow sends WM_CREATE; the first ShowWindow, WM_SIZE, as on
//   Windows; a size change by SetWindowPos or Resized sends WM_SIZE (none
//   when the size is already right). A dialog
//   procedure that returns 0 from WM_PAINT without painting still has its
//   dialog validated, as by the dialog manager.
// - The queue hands out posted and input messages first (in order), then
//   WM_QUIT, then WM_PAINT for a shown window whose client area is invalid,
//   then WM_TIMER. An input mouse move right after another of the same window
//   replaces it. A timer keeps at most one WM_TIMER pending; ticks it missed
//   are dropped.
// - Time is a virtual clock in milliseconds, starting at 0 after Reset. It
//   moves only through AdvanceClock, SetFrameTime (each SwapBuffers), and
//   GetMessage on an empty queue, which jumps to the next timer that is due.
//   GetMessage with an empty queue and no timer does not wait: it returns -1
//   and leaves the message structure as it was.
// - Before GetMessage moves the clock or gives up, and whenever PeekMessage
//   finds nothing, the idle callback (if set) runs once; a test uses it to
//   post input or a close request into a running message loop.
// - A rendering context is an offscreen RGBA surface with a 16-bit depth buffer
//   of the window's size when the context was made; it keeps that size.
// - A handle stays a valid pointer until Reset, even after its window is
//   destroyed; every call checks that the window is still alive.
// - The resources handed over by SetProgramResources stay through Reset.
#pragma once

#include "platform/backend.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace headless {

// ---- the whole state ----------------------------------------------------------
// Forgets every window, class, queued message, timer, record, context and
// failure mode; the clock goes back to 0, the screen to 1280 x 1024. No
// message is sent to any procedure.
void Reset();

// ---- messages -------------------------------------------------------------------
// A test sends, posts and queues the user's mouse with the core's own calls
// (backend.h: SendTo, Post, QueueInput, PendingMessages, Resized for the user's
// drag of a frame), and asks it for ProgramInstance, Live and CaptureWindow.
// The user's keys are queued with QueueKey (backend.h).
// A user's click on a shown push button of a live dialog: the button takes
// the focus, then WM_COMMAND (id, BN_CLICKED) with the control as lParam is
// sent to the dialog. False, and nothing done, for a hidden control or one
// that is not a button.
bool Click(WindowHandle control);
// Runs when the queue is found empty (see above); empty function: none.
void SetIdleCallback(std::function<void()> callback);

// ---- the virtual clock ---------------------------------------------------------
uint64_t Now();                      // milliseconds since Reset
void AdvanceClock(unsigned milliseconds);   // timers that come due get their WM_TIMER
void SetFrameTime(unsigned milliseconds);   // each SwapBuffers advances the clock by this; 0 (default): none

// ---- windows, dialogs and controls ----------------------------------------------
// A copy of the window's record, as it is now; for a handle not made since
// Reset, an empty record that is not alive.
PlatformWindow Describe(WindowHandle window);
WindowHandle FindMainWindow(const char* className);   // a live window made by CreateWindow
WindowHandle FindDialog(const char* templateName);    // the latest live dialog of that template
std::vector<WindowHandle> Controls(WindowHandle dialog);   // in template order

// ---- recorded calls -------------------------------------------------------------
struct MessageBoxCall {
  WindowHandle owner;
  std::string text, caption;
  unsigned style;
};
const std::vector<MessageBoxCall>& MessageBoxes();

struct WindowPosCall {
  WindowHandle window, insertAfter;
  int x, y, width, height;
  unsigned flags;
};
const std::vector<WindowPosCall>& WindowPosCalls();

struct StretchBltCall {
  DeviceContext destination;
  WindowHandle destinationWindow;   // null for a memory device context
  int x, y, width, height;
  DeviceContext source;
  BitmapHandle sourceBitmap;        // selected into the source at the time
  int sourceX, sourceY, sourceWidth, sourceHeight;
  unsigned rasterOperation;
};
const std::vector<StretchBltCall>& StretchBltCalls();

struct PaletteCall {
  PaletteOp op;
  PaletteHandle palette;    // the palette created, selected, realised or unrealised
  DeviceContext dc;         // Select and Realize
  int forceBackground;      // Select
};
const std::vector<PaletteCall>& PaletteCalls();   // a palette's entries, as copied, are its record's

// ---- screen, resources, failure modes -----------------------------------------------
void SetScreenHeight(int pixels);              // GetSystemMetrics(SM_CYSCREEN); 1024 by default
void SetScreenWidth(int pixels);               // GetSystemMetrics(SM_CXSCREEN); 1280 by default
void FailChoosePixelFormat(bool fail);         // ChoosePixelFormat returns 0
void FailSetPixelFormat(bool fail);            // SetPixelFormat returns 0
void FailCreateContext(bool fail);             // wglCreateContext returns null
// Format 1 is described exactly as given (an 8-bit palette one, any odd
// layout) instead of as 24-bit RGBA; null goes back to that.
void DescribeFormatAs(const PixelFormatDescriptor* format);
void FailCreatePalette(bool fail);             // CreatePalette returns null
// The request of the latest ChoosePixelFormat call; null before any.
const PixelFormatDescriptor* LastFormatRequest();

// ---- OpenGL -------------------------------------------------------------------------
int SwapCount();    // SwapBuffers calls on a program window with a pixel format
int FrameCount();   // of them, those that presented: a live window's DC with a context current on it
// The pixels drawn so far in the current context (after glFinish): RGBA,
// top row first; empty with no context current.
std::vector<unsigned char> ReadPixels(int* width, int* height);

}  // namespace headless
