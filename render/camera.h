// The camera: perspective projection, view transform and viewport.
#pragma once

extern float cameraDistance;   // 5.0 at start

void SetProjection();      // leaves GL_MODELVIEW current
void SetViewTransform();
void ResizeViewport();
