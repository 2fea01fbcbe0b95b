// Offscreen OpenGL for the headless backend and the pixel tests: Mesa's
// software renderer (llvmpipe) through EGL on Mesa's surfaceless platform, so
// no X server and no GPU are needed. Each surface is a compatibility-profile
// context (immediate mode) with a pbuffer of its own, 8 bits each of red,
// green, blue and alpha and a depth buffer of the size asked for.
#pragma once

#include <vector>

namespace headless {

struct OffscreenSurface;

// A new surface; nullptr (and the reason on standard error, once) when EGL or
// the surfaceless platform is missing or has no such configuration.
OffscreenSurface* CreateOffscreenSurface(int width, int height, int depthBits);
// Makes the surface's context current on its own pbuffer; nullptr releases
// whatever is current. False when EGL refuses.
bool MakeOffscreenCurrent(OffscreenSurface* surface);
// Destroys it; released first when it is current.
void DestroyOffscreenSurface(OffscreenSurface* surface);
// Whether any of these surfaces is current on this thread.
bool OffscreenContextCurrent();
// The current surface's pixels after glFinish: RGBA, bottom row first (as
// glReadPixels gives them), width * height * 4 bytes.
std::vector<unsigned char> ReadOffscreenPixels(int width, int height);

}  // namespace headless
