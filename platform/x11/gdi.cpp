// Drawing on FLTK: StretchBlt of a decoded bitmap onto a dialog, icons on
// the face and on the window manager's frame, palettes that change nothing.
// Relies on x11.h and FLTK 1.3.
#include "platform/x11/x11.h"

#include <FL/Fl.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <vector>

// Nearest-pixel, to its size at the display's resolution.
void DrawIcon(const PlatformIcon* icon, int x, int y) {
  if (!icon || icon->width <= 0 || icon->height <= 0) return;
  const int width = ScaledForDisplay(icon->width), height = ScaledForDisplay(icon->height);
  std::vector<unsigned char> rgb((size_t)width * height * 3);
  const unsigned char face = 192;   // the dialog face, grey
  for (int j = 0; j < height; ++j) {
    for (int i = 0; i < width; ++i) {
      const unsigned char* p = &icon->rgba[((size_t)(j * icon->height / height) * icon->width + i * icon->width / width) * 4];
      unsigned char* out = &rgb[((size_t)j * width + i) * 3];
      for (int c = 0; c < 3; ++c) out[c] = (unsigned char)((p[c] * p[3] + face * (255 - p[3]) + 127) / 255);
    }
  }
  fl_draw_image(rgb.data(), x, y, width, height, 3);
}

void SetWindowIcon(Fl_Window* flWindow, const PlatformIcon* icon) {
  if (!icon) return;
  Fl_RGB_Image image(icon->rgba.data(), icon->width, icon->height, 4);
  flWindow->icon(&image);   // FLTK keeps a copy
}

// Nearest-pixel scaling of the source rectangle into the destination one, as
// StretchBlt's default mode, onto a shown dialog. A source rectangle that does
// not lie inside the bitmap is not drawn (the program copies the whole legend).
// The destination is in pixels at 96 dpi, as the program's dialogs are laid
// out, and lands where its dialog's controls are at the display's resolution.
void BackendStretchBlt(PlatformDC* destination, int x, int y, int width, int height, PlatformDC* source,
                       int sourceX, int sourceY, int sourceWidth, int sourceHeight, unsigned rasterOperation) {
  const PlatformBitmap* bitmap = source->bitmap;
  PlatformWindow* window = destination->window;
  if (rasterOperation != SRCCOPY || source->kind != DCKind::Memory || !bitmap || !Live(window) ||
      window->kind != WindowKind::Dialog || !XWindowOf(window))
    return;
  if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0 || sourceX < 0 || sourceY < 0 ||
      (long long)sourceX + sourceWidth > bitmap->width || (long long)sourceY + sourceHeight > bitmap->height)
    return;
  const int right = ScaledForDisplay(x + width), bottom = ScaledForDisplay(y + height);
  x = ScaledForDisplay(x);
  y = ScaledForDisplay(y);
  width = right - x;
  height = bottom - y;
  window->native->flWindow->make_current();
  std::vector<unsigned char> row((size_t)width * 3);
  for (int j = 0; j < height; ++j) {
    long long sy = sourceY + (long long)j * sourceHeight / height;
    for (int i = 0; i < width; ++i) {
      long long sx = sourceX + (long long)i * sourceWidth / width;
      for (int c = 0; c < 3; ++c) row[(size_t)i * 3 + c] = bitmap->rgba[((size_t)sy * bitmap->width + sx) * 4 + c];
    }
    fl_draw_image(row.data(), x, y + j, width, 1, 3);
  }
}

// Every pixel format here is TrueColor (gl.cpp), which maps pixel
// values to colours by itself: a palette is made, selected and realised, and
// changes nothing on the screen.
unsigned BackendPalette(PaletteOp op, PlatformPalette*, PlatformDC*, int) { return op == PaletteOp::Create ? 1 : 0; }
