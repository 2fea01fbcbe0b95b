// Resources of known sizes for the platform's own tests (tests/headless,
// tests/platform): two dialog templates, a 4 x 2 bitmap, a bitmap that does
// not decode and a 32 x 32 icon. A test hands them over as a program hands
// its own: SetProgramResources(&testResources).
//
// "Panel" (40, 16), 147 x 131 in Arial 10, no close box: 1008 "0.4" shown,
// 1022 hidden, scroll bar 1039, a group box, a hint text and the icon 32512.
// "Closable" (200, 140), 112 x 89 in Arial Black 9, a close box: 1 "OK".
// Bitmap 104: top row red, green, blue, white; bottom row black, grey,
// yellow, cyan. Bitmap 105: cut short. Icon 32512: red, its left half transparent.
#pragma once

#include "platform/platform.h"

extern const ResourceTable testResources;
