// GDI on Win32: device contexts, the memory context and StretchBlt of the
// legend, logical palettes, and the resources compiled into the program
// (icon, cursor, bitmap) loaded by number. Relies on win32.h.
#include <vector>

#include "platform/win32/win32.h"

// ---- resources ------------------------------------------------------------------
IconHandle LoadIcon(InstanceHandle instance, int id) {
  return reinterpret_cast<IconHandle>(LoadIconA(Hinstance(instance), MAKEINTRESOURCEA(id)));
}

CursorHandle LoadCursor(InstanceHandle instance, int id) {
  return reinterpret_cast<CursorHandle>(LoadCursorA(Hinstance(instance), MAKEINTRESOURCEA(id)));
}

BitmapHandle LoadBitmap(InstanceHandle instance, int id) {
  return reinterpret_cast<BitmapHandle>(LoadBitmapA(Hinstance(instance), MAKEINTRESOURCEA(id)));
}

int GetObject(BitmapHandle bitmap, int size, BitmapInfo* info) {
  if (info == nullptr || size < (int)sizeof(BitmapInfo)) return 0;
  BITMAP native = {};
  if (GetObjectA(Hbitmap(bitmap), sizeof native, &native) == 0) return 0;
  info->bmType = native.bmType;
  info->bmWidth = native.bmWidth;
  info->bmHeight = native.bmHeight;
  info->bmWidthBytes = native.bmWidthBytes;
  info->bmPlanes = native.bmPlanes;
  info->bmBitsPixel = native.bmBitsPixel;
  info->bmBits = native.bmBits;
  return (int)sizeof(BitmapInfo);
}

// ---- device contexts ----------------------------------------------------------
DeviceContext GetDC(WindowHandle window) { return Handle(::GetDC(Hwnd(window))); }

int ReleaseDC(WindowHandle window, DeviceContext dc) { return ::ReleaseDC(Hwnd(window), Hdc(dc)); }

WindowHandle WindowFromDC(DeviceContext dc) { return Handle(::WindowFromDC(Hdc(dc))); }

DeviceContext CreateCompatibleDC(DeviceContext dc) { return Handle(::CreateCompatibleDC(Hdc(dc))); }

BitmapHandle SelectObject(DeviceContext dc, BitmapHandle bitmap) {
  return reinterpret_cast<BitmapHandle>(::SelectObject(Hdc(dc), Hbitmap(bitmap)));
}

int StretchBlt(DeviceContext destination, int x, int y, int width, int height, DeviceContext source,
               int sourceX, int sourceY, int sourceWidth, int sourceHeight, unsigned rasterOperation) {
  return ::StretchBlt(Hdc(destination), x, y, width, height, Hdc(source), sourceX, sourceY, sourceWidth,
                      sourceHeight, rasterOperation);
}

int DeleteDC(DeviceContext dc) { return ::DeleteDC(Hdc(dc)); }

// ---- palettes -------------------------------------------------------------------
// LOGPALETTE holds its entries in place, one declared and the rest after it.
PaletteHandle CreatePalette(const LogPalette* palette) {
  if (palette == nullptr || palette->palNumEntries == 0 || palette->palPalEntry == nullptr) return nullptr;
  const unsigned count = palette->palNumEntries;
  std::vector<unsigned char> storage(sizeof(LOGPALETTE) + (count - 1) * sizeof(PALETTEENTRY));
  LOGPALETTE* native = reinterpret_cast<LOGPALETTE*>(storage.data());
  native->palVersion = palette->palVersion;
  native->palNumEntries = palette->palNumEntries;
  for (unsigned i = 0; i < count; ++i) {
    const PaletteEntry& e = palette->palPalEntry[i];
    native->palPalEntry[i] = {e.peRed, e.peGreen, e.peBlue, e.peFlags};
  }
  return reinterpret_cast<PaletteHandle>(::CreatePalette(native));
}

PaletteHandle SelectPalette(DeviceContext dc, PaletteHandle palette, int forceBackground) {
  return reinterpret_cast<PaletteHandle>(::SelectPalette(Hdc(dc), Hpalette(palette), forceBackground));
}

unsigned RealizePalette(DeviceContext dc) { return ::RealizePalette(Hdc(dc)); }

int UnrealizeObject(PaletteHandle palette) { return ::UnrealizeObject(Hpalette(palette)); }
