// The pixel format of the window's device context and, on palette displays, its palette.
#pragma once

#include "platform/platform.h"

extern int doubleBuffer;
extern int depthBuffer;
extern PaletteHandle glPalette;

// Returns only on success; otherwise shows the error box and ends the process with code 1.
void SetupPixelFormat(DeviceContext dc);
void SetupPalette(DeviceContext dc);
// Entry i shows the colour that pixel value i stands for in the format's channel layout.
void ComputePaletteRamp(const PixelFormatDescriptor* format, PaletteEntry* entries, int count);
