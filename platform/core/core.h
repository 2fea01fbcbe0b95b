// What the core's own files share, beyond backend.h: the parts of a window's
// life each file forgets of it, and the resources as handed over.
#pragma once

#include "platform/backend.h"

PlatformWindow* NewWindow(WindowKind kind);   // core/windows.cpp

// core/queue.cpp
void ForgetQueueOf(PlatformWindow* window);   // its messages, timers and capture
void ResetQueue();
// A key as QueueKey queues it: WM_KEYDOWN or WM_KEYUP, for the focus.
void QueueKeyInput(unsigned message, unsigned virtualKey, intptr_t lParam, unsigned character);
// Queued after the messages posted so far, before the user's input (WM_CHAR).
void PostBeforeInput(PlatformWindow* window, unsigned message, uintptr_t wParam, intptr_t lParam);

// core/keyboard.cpp
// A message was fetched: a key updates the key state the dialog manager
// reads and leaves its character for TranslateMessage; a mouse press moves
// the focus to its window.
void Fetched(const Message& message, bool input, unsigned character);
// What the dialog manager does with a message a dialog's procedure left
// (returned 0 for), and a control's own handling of one.
void DefaultDialogMessage(PlatformWindow* dialog, unsigned message, uintptr_t wParam, intptr_t lParam);
intptr_t ControlMessage(PlatformWindow* control, unsigned message, uintptr_t wParam, intptr_t lParam);
void FocusShown(PlatformWindow* window);      // a top-level window first shown takes the keyboard
void ForgetFocusOf(PlatformWindow* window);   // destroyed: the focus goes to its owner, or nowhere
void ResetKeyboard();

// core/dialogs.cpp
int DialogXToPixels(int x, const DialogBaseUnits& units);
int DialogYToPixels(int y, const DialogBaseUnits& units);

// core/gdi.cpp
const ResourceTable& Resources();             // handed over by SetProgramResources (empty before)
PlatformIcon* IconOf(int id);                 // decoded once; null when missing or undecodable
PlatformIcon* ProgramIcon();                  // the first icon of the resources, as a desktop shows it
void ForgetDCsOf(PlatformWindow* window);
void ResetGdi();

void ResetContexts();                         // core/gl.cpp: every context deleted
