// The web backend: the program in a page of the browser, built with
// Emscripten. The main window is a <canvas> whose OpenGL is the layer over
// WebGL (gl/layer.h); dialogs and message boxes are the page's own HTML
// (buttons, texts, a fieldset, a modal <dialog>); the mouse, touch and keys
// come from the page's events. It stands on the emulation core (backend.h);
// the page's side is page.js, its look page.html. The program's own message
// loop runs as written: Asyncify suspends it in the backend's waits, which
// give the browser its turn, and resumes it when an event or its time comes.
//
// It does not do: more than one OpenGL context at a time (the layer keeps
// one state), palettes on the screen (the page is true colour: a palette is
// made and changes nothing), moving or resizing a window by the user,
// closing the main window (closing the page ends the program with it),
// another font than the page's for the message box.
//
// How it behaves where Windows leaves room:
// - The screen is the page's viewport (GetSystemMetrics), in CSS pixels. A
//   window's place and size, and all the program's pixels, are CSS pixels;
//   a canvas's drawing buffer has devicePixelRatio times as many, which the
//   OpenGL layer is told (its pixel ratio), so the picture is sharp on a
//   high-density screen. A new ratio (another screen, the browser's zoom)
//   sizes the buffer again and asks for a paint.
// - A top-level window's place (x, y) is where its client area lies in the
//   page: a canvas has no frame (the page's title is its caption), a dialog's
//   caption bar and frame lie around its client area. A dialog that would
//   leave the viewport moves in by as little as needed, as far as it fits.
// - Dialog units come from the template's font as the page draws it (the
//   width of the 52 letters and the font's height, core's arithmetic); a
//   face the page lacks falls back as page.html's font lists say.
// - Hidden controls are hidden elements: not drawn, not in the tab order,
//   not read by screen readers.
// - Keys: a key pressed on a canvas or a dialog's element goes to the core
//   with Windows' virtual-key code and its character (page.js says which
//   keys stay the browser's). The core's focus and the page's are one: the
//   browser moving its focus (Tab from a canvas, a click, a touch) sets the
//   core's, and before each of the browser's turns the page's focus follows
//   the core's (the dialog manager's Tab, SetFocus). A focused button's
//   Space and Enter press it through the core's dialog manager, once; the
//   browser's own press is refused.
// - The clock is the page's performance.now(). GetMessage, and PeekMessage
//   while the page is hidden, wait for the browser's next event, the next
//   timer or the page shown again; SwapBuffers waits for the browser's next
//   animation frame, which shows the picture; PeekMessage that finds nothing
//   gives the browser a turn when it has had none for a while.
// - A message box is modal for the page and for the program: its caller
//   waits until OK (or Enter, or Escape) closes it; an error box's text gets
//   one more sentence from the backend when it knows why a call failed (no
//   WebGL, say).
// - The program ending (its loop returning, exit()) takes its windows off
//   the page, which then says so.
#pragma once

#include <string>

#include "platform/backend.h"

// ---- windows (window.cpp)
std::string CanvasSelector(const PlatformWindow* window);   // of a main window's canvas: "#heat-window-..."

// Makes the page's focus the core's, if the core's moved since the page
// last heard of it (done before each of the browser's turns).
void SyncFocus();

// ---- the browser's turns (window.cpp)
// Until the browser has shown what was drawn (its next animation frame).
void WaitForPresentation();
// Milliseconds the program has spent waiting for the browser so far (the
// contract suite tells a blocking wait from a polling one by it).
double MillisecondsWaited();

// ---- dialogs (dialog.cpp)
void MakeDialog(PlatformWindow* dialog);       // its elements and its controls'
void ShowDialog(PlatformWindow* dialog);       // placed on the viewport
void UpdateControl(PlatformWindow* control);   // shown as its record says now

// ---- OpenGL (gl.cpp)
void PixelRatioChanged();   // the canvases' buffers were sized again

// ---- what went wrong (gl.cpp), said by the next error box (dialog.cpp)
void NoteFailure(const std::string& why);
std::string TakeFailureNote();
