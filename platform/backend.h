// The seam between the emulation core (platform/core/) and a backend that
// stands on it (platform/x11/, platform/headless/): the records the core
// keeps, every call a backend may make into the core, and everything a
// backend supplies. Each line says what the call promises. A backend that
// implements platform.h whole, as platform/win32/ does, needs none of it.
//
// - Windows, dialogs and controls are records. A record is kept until
//   ResetCore, even after its window is destroyed, so a stale handle never
//   names a newer window; every call checks that the window is still alive.
// - The queue hands out posted and input messages first (in order), then
//   WM_QUIT, then WM_PAINT for a window on the screen whose client area is
//   invalid, then WM_TIMER. A mouse move queued as input right after another
//   of the same window replaces it. A timer keeps at most one WM_TIMER
//   pending; ticks missed while nobody fetched are dropped.
// - Dialog units become pixels with the backend's base units for the
//   template's font, rounded half away from zero (MulDiv).
// - The keyboard's focus is the core's: set by SetFocus, by the dialog
//   manager, by the first show of a top-level window (as Windows activates
//   it), by a mouse press in a main window (queued; it moves the focus when
//   it is fetched) and by a backend when the user presses a push button. The
//   window manager's focus only decides whether the program gets keys.
//   A key is queued without a window and goes to the focus when it is
//   fetched (none: dropped), so keys typed ahead follow a focus that an
//   earlier key moved. A focused push button is its dialog's default one:
//   Enter presses it. The focus mark is always shown (Windows hides it
//   until the keyboard is used).
//
// What a backend supplies, beside the Backend... functions at the end:
// - the platform.h functions that need a screen: GetSystemMetrics,
//   MessageBox, ChoosePixelFormat and DescribePixelFormat;
// - struct NativeWindow (what it keeps beside a record; may stay empty) and
//   struct NativeContext (its OpenGL context);
// - an entry, platform_NAME_main (main.cpp), that calls ProgramMain.
// tests/contract proves a backend keeps platform.h's promises; docs/
// architecture.md says how to add one.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <string>
#include <vector>

enum class WindowKind { Main, Dialog, Control };

struct NativeWindow;   // what a backend keeps beside a record; the headless one keeps nothing

struct PlatformWindow {
  WindowKind kind = WindowKind::Main;
  bool alive = true;
  bool destroying = false;
  WindowProc windowProc = nullptr;   // main windows
  DialogProc dialogProc = nullptr;   // dialogs
  std::string className;             // window class; "#32770" for dialogs; a control's, in capitals
  unsigned classStyle = 0;
  std::string text;                  // caption, or a control's text
  std::string templateName;          // dialogs
  unsigned style = 0;                // WS_VISIBLE follows ShowWindow
  int id = 0;                        // GWL_ID of a control
  // Pixels: a top-level window's outer top-left corner on the screen and its
  // client size (the frame is the window manager's); a control's rectangle
  // in its dialog's client area.
  int x = 0, y = 0, width = 0, height = 0;
  PlatformWindow* owner = nullptr;   // of a top-level window
  PlatformWindow* parent = nullptr;  // the dialog of a control
  std::vector<PlatformWindow*> controls;
  int scrollMin = 0, scrollMax = 0, scrollPos = 0;
  bool pushed = false;               // a push button held down by the Space key
  bool needsPaint = false;           // client area invalid
  int paintCount = 0;                // completed BeginPaint/EndPaint pairs
  bool sizeSent = false;             // a WM_SIZE was sent (the first comes at the first show)
  int pixelFormat = 0;               // fixed once by SetPixelFormat
  PlatformDC* ownDC = nullptr;       // CS_OWNDC: one device context for the window's life
  PlatformIcon* icon = nullptr;      // the class's icon; an SS_ICON static's
  NativeWindow* native = nullptr;
};

enum class DCKind { Window, Paint, Memory };

struct PlatformDC {
  DCKind kind = DCKind::Window;
  PlatformWindow* window = nullptr;   // null for a memory device context
  PlatformBitmap* bitmap = nullptr;   // selected into a memory device context
  PlatformPalette* palette = nullptr;
};

// A decoded image: top row first, 4 bytes (R, G, B, A) a pixel.
struct PlatformBitmap {
  int width = 0, height = 0;
  int bitsPerPixel = 24;             // as stored in the resource
  std::vector<unsigned char> rgba;
};
struct PlatformIcon {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;   // A is 0 where the icon is transparent
};
struct PlatformPalette { std::vector<PaletteEntry> entries; };
struct PlatformCursor { int id; };
struct PlatformInstance { int unused; };

// ---- windows (core/windows.cpp) ---------------------------------------------------
InstanceHandle ProgramInstance();
bool Live(const PlatformWindow* window);    // made since the last reset and not destroyed
bool Known(const PlatformWindow* window);   // made since the last reset
const std::vector<PlatformWindow*>& AllWindows();   // in the order they were made
// SendMessage: the procedure's answer, at once; 0 for a window not alive.
intptr_t SendTo(PlatformWindow* window, unsigned message, uintptr_t wParam, intptr_t lParam);
void Destroy(PlatformWindow* window);       // owned windows first, then WM_DESTROY, then the controls
// A size the window manager or the user gave a top-level window: WM_SIZE
// (SIZE_RESTORED) when the client size changed.
void Resized(PlatformWindow* window, int width, int height);
// The same once the window has left a maximised or fullscreen state: WM_SIZE
// (SIZE_RESTORED) even when the size is the one last reported, as Windows
// sends it on a restore.
void SizeRestored(PlatformWindow* window, int width, int height);
void Invalidate(PlatformWindow* window);    // the client area needs WM_PAINT
// Forgets every window, class, message, timer, context, device context, bitmap,
// icon and palette; the handed resources stay. No procedure hears of it.
void ResetCore();

// ---- the queue (core/queue.cpp) -----------------------------------------------------
bool Post(PlatformWindow* window, unsigned message, uintptr_t wParam, intptr_t lParam);   // PostMessage
// The user's mouse: queued like a posted message, but a move right after an
// input move of the same window replaces it.
void QueueInput(PlatformWindow* window, unsigned message, uintptr_t wParam, intptr_t lParam);
// The user's keyboard: a key (a VK_ code) went down, again while held (a
// repeat), or up; character is what a key down types (Unicode), 0 for none.
// Queued like the mouse; it becomes WM_KEYDOWN or WM_KEYUP of the window that
// has the focus when it is fetched (KF_REPEAT when the key was down already).
void QueueKey(unsigned virtualKey, bool down, unsigned character);
std::vector<Message> PendingMessages();     // in the order they would be handed out
PlatformWindow* CaptureWindow();            // SetCapture's window; null when none

// ---- dialogs (core/dialogs.cpp) -------------------------------------------------------
// Windows' MulDiv: a * b / c rounded half away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);
struct DialogBaseUnits { int x, y; };
// Base units from a font's metrics, as the dialog manager computes them: the
// width of the 52 letters and the character height, in pixels.
DialogBaseUnits BaseUnitsFromMetrics(int widthOfLetters, int characterHeight);
bool Clickable(const PlatformWindow* control);         // a shown push button of a shown, live dialog
const DialogTemplate* FindTemplate(const char* name);   // in the handed resources

// ---- GDI (core/gdi.cpp) ---------------------------------------------------
bool LiveDC(const PlatformDC* dc);          // got and not released or deleted
enum class PaletteOp { Create, Select, Realize, Unrealize };

// ---- OpenGL contexts (core/gl.cpp) ---------------------------------------------------------
struct NativeContext;   // what a backend keeps of a context
struct PlatformGLContext {
  PlatformWindow* window = nullptr;   // made for; null once that window is destroyed
  int pixelFormat = 0;                // its window's when made
  NativeContext* native = nullptr;    // null once deleted
};
PlatformGLContext* CurrentContext();        // null when none is current
// 24-bit RGBA (red in the high byte), double-buffered, drawn to a window
// with OpenGL, with a depth buffer of depthBits: the one format the
// headless and web backends offer, described as Windows describes one.
PixelFormatDescriptor RgbaWindowFormat(uint8_t depthBits);
PlatformWindow* CurrentGLWindow();          // the window it is current on
void ForgetContextsOf(PlatformWindow* window);   // its window is gone: one current on it is released

// ---- what a backend supplies -------------------------------------------------------------
uint64_t BackendNow();                      // milliseconds on the backend's clock
// The queue was found empty: take in what the toolkit has waiting (and, in
// the headless backend, run the test's idle callback).
void BackendIdle();
// Waits until something may have arrived, at most this many milliseconds
// (negative: no limit); false when nothing ever can.
bool BackendWait(int64_t milliseconds);
// A program window is shown but nobody can see it (unmapped, iconified):
// PeekMessage then waits for a message instead of finding the queue idle.
bool BackendProgramUnseen();
// A top-level window's record is made (a dialog's with its controls), before
// WM_CREATE or WM_INITDIALOG; the backend may move a dialog (x, y) onto the screen.
void BackendCreated(PlatformWindow* window);
void BackendShown(PlatformWindow* window);            // a top-level window or a control
bool BackendOnScreen(const PlatformWindow* window);   // a paint of it can be seen
// SetWindowPos (SWP_NOMOVE) on a live top-level window: the backend may
// keep another size (*width, *height) than the one asked for.
void BackendPlace(PlatformWindow* window, WindowHandle insertAfter, int x, int y, int* width, int* height,
                  unsigned flags);
void BackendRedraw(PlatformWindow* window);           // InvalidateRect, and a control's new state
void BackendDestroyed(PlatformWindow* window);
void BackendClientOrigin(const PlatformWindow* window, int* x, int* y);   // on the screen
DialogBaseUnits BackendBaseUnits(const DialogTemplate& dialog);
void BackendStretchBlt(PlatformDC* destination, int x, int y, int width, int height, PlatformDC* source,
                       int sourceX, int sourceY, int sourceWidth, int sourceHeight, unsigned rasterOperation);
// A palette made, selected, realised or unrealised; Realize returns the
// number of entries that reached the display. Create may refuse (0).
unsigned BackendPalette(PaletteOp op, PlatformPalette* palette, PlatformDC* dc, int forceBackground);
// The pixel format of a window not yet given one; false when it cannot be had.
bool BackendSetPixelFormat(PlatformWindow* window, int format);
bool BackendCreateContext(PlatformGLContext* context);   // sets context->native
void BackendDeleteContext(PlatformGLContext* context);   // deletes it and sets it null
// Binds a context to a window of its format; both null: none current.
bool BackendMakeCurrent(PlatformGLContext* context, PlatformWindow* window);
bool BackendSwapBuffers(PlatformWindow* window);   // a program window with a pixel format
