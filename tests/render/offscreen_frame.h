// Offscreen frames (platform/headless_egl.h) for the pixel tests and the snapshots:
// one 819 x 819 RGBA surface with a depth buffer, current for the process.
#pragma once

#include <string>

const int offscreenSize = 819;

// Creates the surface and makes it current; false when EGL cannot.
bool OpenOffscreen();
void CloseOffscreen();
// The window's start-up against the surface, viewport included.
void StartUpOffscreenScene();
// RenderScene, then keeps the picture for PixelAt and WritePpm.
void RenderOffscreen();
// Keeps the picture drawn so far for PixelAt and WritePpm.
void KeepOffscreenFrame();
// Red, green and blue (0 to 255) of the pixel x columns from the left and
// y rows from the top.
void PixelAt(int x, int y, int rgb[3]);
// With a width and height, only that much of the frame from its top-left
// corner.
bool WritePpm(const std::string& path, int width = offscreenSize, int height = offscreenSize);

