// Orientation and zoom of the model: the virtual trackball on the left
// button and the zoom on the right, as the main window hands them mouse events.
#pragma once

#include "platform/platform.h"

// The orientation and zoom it steers (rotation, spinAngle, spinAxis,
// tracking, spinning, modelScale) are shared with the frame: shared/orientation.h.
extern int dragging;
extern int zoomDrag;
extern float lastSpherePoint[3];
extern int pressX;
extern int pressY;
extern int zoomLastY;

void SetIdentity(float m[16]);
void PointToSphere(int px, int py, int width, int height, float out[3]);
void TrackRotate(int x, int y);
void EndRotate(int x, int y);
// rotation := R x rotation, R a turn of degrees about an axis fixed on the
// screen (eye coordinates, not normalised; needs a current GL context).
void TurnRotation(float degrees, float x, float y, float z);
// The start orientation: a turn of -60 degrees about the vertical axis.
void SetInitialRotation();

// The five mouse messages of the main window, x and y in client pixels.
void HandleLeftButtonDown(WindowHandle window, int x, int y);
void HandleLeftButtonUp(int x, int y);
void HandleRightButtonDown(WindowHandle window, int x, int y);
void HandleRightButtonUp();
void HandleMouseMove(int x, int y);
