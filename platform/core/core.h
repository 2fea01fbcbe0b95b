// What the core's own files share, beyond backend.h: the parts of a window's
// life each file forgets of it, and the resources as handed over.
#pragma once

#include "platform/backend.h"

PlatformWindow* NewWindow(WindowKind kind);   // core/windows.cpp

// core/queue.cpp
void ForgetQueueOf(PlatformWindow* window);   // its messages, timers and capture
void ResetQueue();

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
