// What the FLTK/GLX files of the platform share: the handle structs, the
// registries of live handles, the message queue's entry points. Relies on FLTK 1.3 and Xlib.
#pragma once

#include "platform/platform.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>
#include <string>
#include <vector>

class Fl_Window;
class Fl_Widget;
class Fl_RGB_Image;

enum class WindowKind { Main, Dialog, Control };
enum class ControlKind { NoControl, PushButton, GroupBox, Text, Icon, ScrollBar };

struct PlatformInstance { int unused; };

struct PlatformWindow {
  WindowKind kind = WindowKind::Main;
  ControlKind control = ControlKind::NoControl;
  WindowProc windowProc = nullptr;   // main windows
  DialogProc dialogProc = nullptr;   // dialogs
  std::string className;
  unsigned classStyle = 0;
  unsigned style = 0;
  int id = 0;                        // GWL_ID of a control
  PlatformWindow* owner = nullptr;   // the owner of a top-level window
  PlatformWindow* parent = nullptr;  // the dialog of a control
  std::vector<PlatformWindow*> controls;
  Fl_Window* flWindow = nullptr;     // top-level windows
  Fl_Widget* widget = nullptr;       // controls
  std::string caption;
  bool needsPaint = false;           // an OpenGL window with an invalid client area
  bool destroying = false;
  PlatformDC* ownDC = nullptr;       // the class's private device context (CS_OWNDC)
  // pixel format of an OpenGL window, fixed once by SetPixelFormat
  int pixelFormat = 0;
  XVisualInfo visual{};
  Colormap colormap = 0;
  Window stand_in = 0;               // unmapped drawable for a context made current before the window is shown
  // the window manager's side (fltk_manager.cpp)
  int placeX = 0, placeY = 0;        // where the program put the outer frame's top-left corner
  int askedFromWidth = -1, askedFromHeight = -1;   // the manager's size when the program last asked for its own
  bool iconic = false;               // the manager's WM_STATE says iconified (some keep such windows mapped)
  // scroll bar
  int scrollMin = 0, scrollMax = 100, scrollPos = 0;
  // the icon of an SS_ICON static and of a window class
  PlatformIcon* icon = nullptr;
};

enum class DCKind { Window, Paint, Memory };

struct PlatformDC {
  DCKind kind = DCKind::Window;
  PlatformWindow* window = nullptr;   // null for a memory DC
  PlatformBitmap* bitmap = nullptr;   // selected into a memory DC
  PlatformPalette* palette = nullptr;
};

struct PlatformGLContext {
  void* glx = nullptr;               // GLXContext
  PlatformWindow* window = nullptr;  // the window whose format it was made for
};

// A decoded image: rows top-down, 3 bytes (RGB) or 4 bytes (RGBA) a pixel.
struct PlatformBitmap {
  int width = 0, height = 0;
  int bitsPerPixel = 24;
  std::vector<unsigned char> rgb;    // width * height * 3, top row first
};

struct PlatformIcon {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;   // width * height * 4, top row first
  std::unique_ptr<Fl_RGB_Image> image;
  ~PlatformIcon();
};

struct PlatformPalette { std::vector<PaletteEntry> entries; };
struct PlatformCursor { int id; };

// ---- registries: every handle the program passes in is checked against them
bool IsLiveWindow(const PlatformWindow* window);
void RegisterWindow(PlatformWindow* window);
void ForgetWindow(PlatformWindow* window);   // and deletes it
bool IsLiveDC(const PlatformDC* dc);
void RegisterDC(PlatformDC* dc);
void ForgetDC(PlatformDC* dc);               // and deletes it

// ---- the queue (fltk_queue.cpp)
void PostToQueue(PlatformWindow* window, unsigned message, uintptr_t wParam, intptr_t lParam);
intptr_t SendToWindow(PlatformWindow* window, unsigned message, uintptr_t wParam, intptr_t lParam);
void PurgeQueueFor(PlatformWindow* window);  // drops its messages, timers and capture
PlatformWindow* CaptureWindow();
PlatformWindow* FindOwnedWindow(PlatformWindow* owner);   // a live window it owns, not being destroyed

// ---- windows (fltk_window.cpp)
void DestroyPlatformWindow(PlatformWindow* window);
Window XWindowOf(const PlatformWindow* window);             // 0 until shown
void ClientOrigin(const PlatformWindow* window, int* x, int* y);   // on the screen
void CloseRequested(Fl_Widget* widget, void* data);         // the window manager's close request

// ---- the window manager (fltk_manager.cpp)
// Shows a top-level window at its place (placeX, placeY) with everything the
// manager needs to know (fixed size, north-west gravity, the place; for
// dialogs owner, type, taskbar and Motif hints) set before it is mapped.
void ShowTopLevel(PlatformWindow* window);
void ShowBoxAt(Fl_Window* box, int x, int y);   // a message box, its outer top-left at x, y
void PlaceTopLevel(PlatformWindow* window, int x, int y);   // outer top-left on the screen
void DeclareFixedSize(PlatformWindow* window);   // again, after FLTK has rewritten the size hints
bool HeldByManager(PlatformWindow* window);      // maximised or fullscreen by the manager
// Waits, within a bound, until the manager has mapped the window where it
// puts it; false if it did not.
bool WaitUntilPlaced(PlatformWindow* window);
// The frame the manager draws around a window: on the left, right, top, bottom.
struct FrameExtents { int left, right, top, bottom; };
FrameExtents FrameOf(PlatformWindow* window);
// Moves an outer rectangle in, by as little as needed, so that it lies on the
// screen's work area (as far as it fits).
void KeepOnWorkArea(int* x, int* y, int outerWidth, int outerHeight);
void WatchWindowManager();   // once, when the display is opened

// ---- OpenGL (fltk_gl.cpp)
void GLWindowShown(PlatformWindow* window);  // moves a current context to the real window
void GLWindowDestroyed(PlatformWindow* window);
bool ChooseVisualForWindow(PlatformWindow* window, XVisualInfo* visual);

// ---- dialogs (fltk_dialog.cpp)
void DestroyControls(PlatformWindow* dialog);

// ---- resources and drawing (fltk_gdi.cpp)
PlatformIcon* IconForId(int id);
void DrawIcon(const PlatformIcon* icon, int x, int y, unsigned char backR, unsigned char backG,
              unsigned char backB);

// ---- the display (fltk_main.cpp): opened once, before ProgramMain
Display* PlatformDisplay();
int PlatformScreen();
InstanceHandle ProgramInstance();
bool OpenPlatformDisplay();   // false, with one line on standard error, when there is no X display
// X protocol errors: by default each is shown on standard error and the
// program goes on. Between TrapXErrors and EndXErrorTrap they are only
// caught; EndXErrorTrap waits for the server's answers and returns the first
// one caught, described (empty when there was none).
void TrapXErrors();
std::string EndXErrorTrap();
// Why the last platform call failed, as far as the platform knows; the next
// error box takes it into its line on standard error.
void NoteFailure(const std::string& why);
std::string TakeFailureNote();

// Windows' MulDiv: a * b / c rounded half away from zero.
int MulDivRound(int a, int b, int c);

// Dialog base units of a typeface at a size in points, the way the Windows
// dialog manager computes them from the font's metrics at 96 dpi.
struct DialogBaseUnits { int x, y, pixelSize; };
DialogBaseUnits BaseUnitsFromMetrics(int widthOfLetters, int characterHeight, int pixelSize);
DialogBaseUnits BaseUnitsOfFont(const char* fontFace, int points);
int FontForFace(const char* fontFace);       // the FLTK font standing in for a Windows face
int DialogXToPixels(int x, const DialogBaseUnits& units);
int DialogYToPixels(int y, const DialogBaseUnits& units);
