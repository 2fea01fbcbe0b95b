// Chooses and sets a double-buffered, depth-buffered RGBA pixel format, and
// builds a palette when the chosen format needs one. Relies on platform.h.
#include "app/pixel_format.h"

#include <cstdlib>

int doubleBuffer = 1;
int depthBuffer = 1;
PaletteHandle glPalette = nullptr;

namespace {
// A palette is made only for formats of at most 8 colour bits; the entries
// live here for the life of the program.
PaletteEntry paletteEntries[256];
}

void SetupPixelFormat(DeviceContext dc) {
  PixelFormatDescriptor request = {};
  request.nSize = 40;
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  if (doubleBuffer == 1) request.dwFlags |= PFD_DOUBLEBUFFER;
  request.iPixelType = PFD_TYPE_RGBA;
  request.cColorBits = 8;
  if (depthBuffer == 1) request.cDepthBits = 16;
  request.iLayerType = PFD_MAIN_PLANE;

  int format = ChoosePixelFormat(dc, &request);
  if (format == 0) {
    MessageBox(WindowFromDC(dc), "ChoosePixelFormat failed\n", "Error", MB_OK | MB_ICONHAND);
    std::exit(1);
  }
  if (SetPixelFormat(dc, format, &request) != 1) {
    MessageBox(WindowFromDC(dc), "SetPixelFormat failed", "Error", MB_OK | MB_ICONHAND);
    std::exit(1);
  }
}

void ComputePaletteRamp(const PixelFormatDescriptor* format, PaletteEntry* entries, int count) {
  const int redMax = (1 << format->cRedBits) - 1;
  const int greenMax = (1 << format->cGreenBits) - 1;
  const int blueMax = (1 << format->cBlueBits) - 1;
  // A channel without bits has no ramp: its component stays 0.
  for (int i = 0; i < count; ++i) {
    entries[i].peRed = redMax > 0 ? (unsigned char)(((i >> format->cRedShift) & redMax) * 255 / redMax) : 0;
    entries[i].peGreen = greenMax > 0 ? (unsigned char)(((i >> format->cGreenShift) & greenMax) * 255 / greenMax) : 0;
    entries[i].peBlue = blueMax > 0 ? (unsigned char)(((i >> format->cBlueShift) & blueMax) * 255 / blueMax) : 0;
    entries[i].peFlags = 0;
  }
}

void SetupPalette(DeviceContext dc) {
  PixelFormatDescriptor format = {};
  DescribePixelFormat(dc, GetPixelFormat(dc), sizeof format, &format);
  if ((format.dwFlags & PFD_NEED_PALETTE) == 0 && format.iPixelType != PFD_TYPE_COLORINDEX) return;
  // Channel widths and shifts beyond 8 bits would not describe a palette display.
  if (format.cColorBits > 8 || format.cRedBits > 8 || format.cGreenBits > 8 || format.cBlueBits > 8 ||
      format.cRedShift > 8 || format.cGreenShift > 8 || format.cBlueShift > 8)
    return;

  const int count = 1 << format.cColorBits;
  ComputePaletteRamp(&format, paletteEntries, count);
  LogPalette palette;
  palette.palVersion = 0x300;
  palette.palNumEntries = (unsigned short)count;
  palette.palPalEntry = paletteEntries;
  glPalette = CreatePalette(&palette);
  if (glPalette != nullptr) {
    SelectPalette(dc, glPalette, 0);
    RealizePalette(dc);
  }
}
