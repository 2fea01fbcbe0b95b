// The X11 backend: the program's windows and dialogs on an X display, drawn
// by FLTK 1.3 (widgets, fonts through Xft), what the window manager is told
// in plain Xlib (manager.cpp), OpenGL through GLX (gl.cpp). It stands on the
// emulation core (backend.h) and needs an X server with GLX beside it: Xorg,
// Xvfb, or Xwayland under a Wayland compositor.
// It does not do: Wayland-native windows, palettes on anything but a
// TrueColor visual, more than one screen.
//
// What its files share: what a backend keeps beside the core's record of a
// window, the X display, the window manager's side, fonts and drawing.
#pragma once

#include "platform/backend.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>
#include <vector>

class Fl_Window;
class Fl_Widget;

struct NativeWindow {
  Fl_Window* flWindow = nullptr;   // a top-level window's
  Fl_Widget* widget = nullptr;     // a control's (it goes with its dialog's window)
  // an OpenGL window's visual, fixed with its pixel format
  XVisualInfo visual{};
  Colormap colormap = 0;
  Window standIn = 0;              // unmapped drawable for a context made current before the window is shown
  // the window manager's side (manager.cpp)
  int fixedWidth = 0, fixedHeight = 0;   // the size the program gave it, declared as its only size
  int askedFromWidth = -1, askedFromHeight = -1;   // the manager's size when the program last asked for its own
  bool backgroundUntilFrame = false;   // black at the map, until the first frame is presented
  bool sizeHeld = false;           // the program's size was not asked for while maximised or fullscreen
  bool iconic = false;             // iconified by the manager while kept mapped (WM_STATE and _NET_WM_STATE agree)
  // The properties the program owns and the manager only reads (size hints,
  // Motif hints, WM_HINTS), as the program last wrote them (manager.cpp).
  struct Declared {
    Atom property, type;
    std::vector<long> items;
  };
  std::vector<Declared> declared;
  double othersHintsUntil = 0;     // until then (seconds, steady clock) the manager's moves follow another client's hints
  int geometryAsked = 0;           // times the own size and place were asked back since another client's hints
  bool destroyedByOthers = false;  // another client destroyed its X window: nothing is drawn into it any more
};

inline Fl_Window* FlWindowOf(const PlatformWindow* window) {
  return window && window->native ? window->native->flWindow : nullptr;
}

// ---- the keyboard (keys.cpp)
// FLTK's key event (down: FL_KEYBOARD, else FL_KEYUP) of any program window, to the core.
void KeyFromToolkit(bool down);

// ---- windows (window.cpp)
Window XWindowOf(const PlatformWindow* window);                    // 0 until shown
void ClientOrigin(const PlatformWindow* window, int* x, int* y);   // on the screen, from the server

// ---- the window manager (manager.cpp)
// Shows a top-level window at its place (x, y) with everything the manager
// needs to know (fixed size, north-west gravity, the place; for dialogs
// owner, type, taskbar and Motif hints) set before it is mapped.
void ShowTopLevel(PlatformWindow* window);
void ShowBoxAt(Fl_Window* box, int x, int y);   // a message box, its outer top-left at x, y
void PlaceTopLevel(PlatformWindow* window, int x, int y);   // outer top-left on the screen
void DeclareFixedSize(PlatformWindow* window);   // again, after FLTK has rewritten the size hints
bool HeldByManager(PlatformWindow* window);      // maximised or fullscreen by the manager
// Whether another client has destroyed the window (xid, its X window), by the
// events received so far; the first time, its context is released and the
// main window asked to close.
bool DestroyedByOthers(PlatformWindow* window, Window xid);
// Waits, within a bound, until the manager has mapped the window where it
// puts it; false if it did not.
bool WaitUntilPlaced(PlatformWindow* window);
// Then, under a manager, until it has given the window the focus, as
// managers do once they show a new window (within a bound).
void WaitUntilShownByManager(PlatformWindow* window);
// The frame the manager draws around a window: on the left, right, top, bottom.
struct FrameExtents { int left, right, top, bottom; };
FrameExtents FrameOf(PlatformWindow* window);
// Moves an outer rectangle in, by as little as needed, so that it lies on the
// screen's work area (as far as it fits).
void KeepOnWorkArea(int* x, int* y, int outerWidth, int outerHeight);
void WatchWindowManager();   // once, when the display is opened

// ---- OpenGL (gl.cpp)
void GLWindowShown(PlatformWindow* window);  // moves a current context to the real window
void GLWindowDestroyed(PlatformWindow* window);

// ---- dialogs (dialog.cpp)
void MakeDialogWindow(PlatformWindow* dialog);   // its FLTK window and the controls' widgets
int FontForFace(const char* fontFace);           // the FLTK font standing in for a Windows face
// Dialog base units of a typeface at a size in points, from the font's
// metrics at 96 dpi; pixelSize is the character height asked for.
DialogBaseUnits BaseUnitsOfFont(const char* fontFace, int points, int* pixelSize = nullptr);

// ---- drawing (gdi.cpp)
void DrawIcon(const PlatformIcon* icon, int x, int y);   // over the dialog face
void SetWindowIcon(Fl_Window* flWindow, const PlatformIcon* icon);

// ---- the display (display.cpp): opened once, before ProgramMain
Display* PlatformDisplay();
int PlatformScreen();
bool OpenPlatformDisplay();   // false, with one line on standard error, when there is no X display
// The resolution text is drawn at: Xft.dpi in the resources the desktop put
// on the display (RESOURCE_MANAGER), 96 where it is unset. Dialogs, their
// fonts, pictures and places follow it as Windows scales a program at the
// same setting: by the resolution / 96. The main window and OpenGL do not.
int DpiOfResources(const char* resources);   // of a resource string; 96 for none
int ScaledForDisplay(int pixels);            // a size at 96 dpi at the display's resolution
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
