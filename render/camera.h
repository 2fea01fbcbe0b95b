// The camera: perspective projection, view transform and viewport.
#pragma once

extern float cameraDistance;   // 5.0 at start

// The frustum's near plane lies nearPlane in front of the eye and spans
// -nearHalfHeight to nearHalfHeight up, that times the window's aspect
// across; the far plane lies farBeyondCamera beyond cameraDistance. The eye
// stands eyeBehindCamera farther than cameraDistance from the model's origin.
const double nearPlane = 2.0;
const double nearHalfHeight = 1.0;
const double farBeyondCamera = 4.0;
const double eyeBehindCamera = 0.7;

void SetProjection();      // leaves GL_MODELVIEW current
void SetViewTransform();
void ResizeViewport();
