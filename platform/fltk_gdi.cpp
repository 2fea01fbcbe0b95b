// GDI over FLTK drawing: device contexts of windows and memory, StretchBlt of
// decoded bitmaps, icons and cursors, palettes. Relies on FLTK 1.3 and the image decoders.
#include "platform/fltk_controls.h"
#include "platform/resources.h"

#include <FL/Fl.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <map>
#include <memory>
#include <unordered_set>
#include <vector>

// Decoding of the embedded files (fltk_images.cpp).
bool DecodeBitmapResource(const unsigned char* data, unsigned size, PlatformBitmap* out);
bool DecodeIconResource(const unsigned char* data, unsigned size, PlatformIcon* out);

PlatformIcon::~PlatformIcon() = default;

namespace {

std::map<int, std::unique_ptr<PlatformBitmap>> bitmaps;   // loaded once, kept for the program's life
std::map<int, std::unique_ptr<PlatformIcon>> icons;
std::vector<std::unique_ptr<PlatformPalette>> palettes;
std::unordered_set<const PlatformBitmap*> liveBitmaps;

const BinaryResource* FindResource(const BinaryResource* table, int count, int id) {
  for (int i = 0; i < count; ++i)
    if (table[i].id == id && table[i].data) return &table[i];
  return nullptr;
}

bool IsLivePalette(const PlatformPalette* palette) {
  for (auto& p : palettes)
    if (p.get() == palette) return true;
  return false;
}

// Makes the window's own drawing current when a device context is used
// outside FLTK's drawing of that window.
bool DrawingTarget(PlatformDC* dc) {
  if (!IsLiveDC(dc) || dc->kind == DCKind::Memory) return false;
  PlatformWindow* window = dc->window;
  if (!IsLiveWindow(window) || window->kind != WindowKind::Dialog || !window->flWindow) return false;
  if (DialogWindow::Drawing() == window) return true;   // inside FLTK's draw(): draw where it draws
  if (!window->flWindow->shown()) return false;
  window->flWindow->make_current();
  return true;
}

}  // namespace

PlatformIcon* IconForId(int id) {
  auto found = icons.find(id);
  if (found != icons.end()) return found->second.get();
  const BinaryResource* resource = FindResource(programResources.icons, programResources.iconCount, id);
  if (!resource) return nullptr;
  std::unique_ptr<PlatformIcon> icon(new PlatformIcon);
  if (!DecodeIconResource(resource->data, resource->size, icon.get())) return nullptr;
  icon->image.reset(new Fl_RGB_Image(icon->rgba.data(), icon->width, icon->height, 4));
  PlatformIcon* kept = icon.get();
  icons[id] = std::move(icon);
  return kept;
}

void DrawIcon(const PlatformIcon* icon, int x, int y, unsigned char backR, unsigned char backG,
              unsigned char backB) {
  if (!icon || icon->width <= 0 || icon->height <= 0) return;
  std::vector<unsigned char> rgb((size_t)icon->width * icon->height * 3);
  for (size_t i = 0, n = (size_t)icon->width * icon->height; i < n; ++i) {
    const unsigned char* p = &icon->rgba[i * 4];
    unsigned a = p[3];
    rgb[i * 3 + 0] = (unsigned char)((p[0] * a + backR * (255 - a) + 127) / 255);
    rgb[i * 3 + 1] = (unsigned char)((p[1] * a + backG * (255 - a) + 127) / 255);
    rgb[i * 3 + 2] = (unsigned char)((p[2] * a + backB * (255 - a) + 127) / 255);
  }
  fl_draw_image(rgb.data(), x, y, icon->width, icon->height, 3);
}

// ---- resources ------------------------------------------------------------------
IconHandle LoadIcon(InstanceHandle, int id) { return IconForId(id); }

CursorHandle LoadCursor(InstanceHandle, int id) {
  static PlatformCursor arrow{IDC_ARROW};
  return id == IDC_ARROW ? &arrow : nullptr;
}

BitmapHandle LoadBitmap(InstanceHandle, int id) {
  auto found = bitmaps.find(id);
  if (found != bitmaps.end()) return found->second.get();
  const BinaryResource* resource = FindResource(programResources.bitmaps, programResources.bitmapCount, id);
  if (!resource) return nullptr;
  std::unique_ptr<PlatformBitmap> bitmap(new PlatformBitmap);
  if (!DecodeBitmapResource(resource->data, resource->size, bitmap.get())) return nullptr;
  PlatformBitmap* kept = bitmap.get();
  liveBitmaps.insert(kept);
  bitmaps[id] = std::move(bitmap);
  return kept;
}

int GetObject(BitmapHandle bitmap, int size, BitmapInfo* info) {
  if (!bitmap || !liveBitmaps.count(bitmap) || !info || size < (int)sizeof(BitmapInfo)) return 0;
  info->bmType = 0;
  info->bmWidth = bitmap->width;
  info->bmHeight = bitmap->height;
  info->bmWidthBytes = ((bitmap->width * bitmap->bitsPerPixel + 15) / 16) * 2;   // rows of whole words
  info->bmPlanes = 1;
  info->bmBitsPixel = (unsigned short)bitmap->bitsPerPixel;
  info->bmBits = nullptr;
  return (int)sizeof(BitmapInfo);
}

// ---- device contexts ----------------------------------------------------------
DeviceContext GetDC(WindowHandle window) {
  if (!IsLiveWindow(window)) return nullptr;
  if (window->kind == WindowKind::Main && (window->classStyle & CS_OWNDC)) {
    if (!window->ownDC) {
      window->ownDC = new PlatformDC;
      window->ownDC->kind = DCKind::Window;
      window->ownDC->window = window;
      RegisterDC(window->ownDC);
    }
    return window->ownDC;
  }
  PlatformDC* dc = new PlatformDC;
  dc->kind = DCKind::Window;
  dc->window = window;
  RegisterDC(dc);
  return dc;
}

int ReleaseDC(WindowHandle, DeviceContext dc) {
  if (!IsLiveDC(dc)) return 0;
  if (IsLiveWindow(dc->window) && dc->window->ownDC == dc) return 1;   // a class's own DC stays
  if (dc->kind != DCKind::Window) return 0;
  ForgetDC(dc);
  return 1;
}

WindowHandle WindowFromDC(DeviceContext dc) {
  if (!IsLiveDC(dc) || !IsLiveWindow(dc->window)) return nullptr;
  return dc->window;
}

DeviceContext BeginPaint(WindowHandle window, PaintStruct* paint) {
  if (!IsLiveWindow(window) || !paint) return nullptr;
  if (window->kind == WindowKind::Main) window->needsPaint = false;
  PlatformDC* dc = new PlatformDC;
  dc->kind = DCKind::Paint;
  dc->window = window;
  RegisterDC(dc);
  paint->dc = dc;
  paint->erase = 0;   // the background is already drawn
  int w = window->flWindow ? window->flWindow->w() : (window->widget ? window->widget->w() : 0);
  int h = window->flWindow ? window->flWindow->h() : (window->widget ? window->widget->h() : 0);
  paint->paint = Rect{0, 0, w, h};
  return dc;
}

int EndPaint(WindowHandle, const PaintStruct* paint) {
  if (!paint || !IsLiveDC(paint->dc) || paint->dc->kind != DCKind::Paint) return 0;
  ForgetDC(paint->dc);
  return 1;
}

DeviceContext CreateCompatibleDC(DeviceContext dc) {
  if (dc && !IsLiveDC(dc)) return nullptr;
  PlatformDC* memory = new PlatformDC;
  memory->kind = DCKind::Memory;
  RegisterDC(memory);
  return memory;
}

BitmapHandle SelectObject(DeviceContext dc, BitmapHandle bitmap) {
  if (!IsLiveDC(dc) || dc->kind != DCKind::Memory) return nullptr;
  if (bitmap && !liveBitmaps.count(bitmap)) return nullptr;
  PlatformBitmap* previous = dc->bitmap;
  dc->bitmap = bitmap;
  return previous;
}

int DeleteDC(DeviceContext dc) {
  if (!IsLiveDC(dc) || dc->kind != DCKind::Memory) return 0;
  ForgetDC(dc);
  return 1;
}

// Nearest-pixel scaling of the source rectangle into the destination one,
// as StretchBlt's default mode; parts of the source outside the bitmap are
// not drawn.
int StretchBlt(DeviceContext destination, int x, int y, int width, int height, DeviceContext source,
               int sourceX, int sourceY, int sourceWidth, int sourceHeight, unsigned rasterOperation) {
  if (rasterOperation != SRCCOPY) return 0;
  if (!IsLiveDC(source) || source->kind != DCKind::Memory || !source->bitmap) return 0;
  if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return 0;
  const PlatformBitmap* bitmap = source->bitmap;
  std::vector<unsigned char> rgb((size_t)width * height * 3);
  std::vector<unsigned char> inside((size_t)width * height, 0);
  bool any = false;
  for (int j = 0; j < height; ++j) {
    int sy = sourceY + (int)((long long)j * sourceHeight / height);
    for (int i = 0; i < width; ++i) {
      int sx = sourceX + (int)((long long)i * sourceWidth / width);
      if (sx < 0 || sy < 0 || sx >= bitmap->width || sy >= bitmap->height) continue;
      const unsigned char* p = &bitmap->rgb[((size_t)sy * bitmap->width + sx) * 3];
      unsigned char* q = &rgb[((size_t)j * width + i) * 3];
      q[0] = p[0];
      q[1] = p[1];
      q[2] = p[2];
      inside[(size_t)j * width + i] = 1;
      any = true;
    }
  }
  if (!any) return 1;
  if (IsLiveDC(destination) && destination->kind == DCKind::Memory) {
    PlatformBitmap* target = destination->bitmap;
    if (!target) return 0;
    for (int j = 0; j < height; ++j)
      for (int i = 0; i < width; ++i) {
        int tx = x + i, ty = y + j;
        if (!inside[(size_t)j * width + i] || tx < 0 || ty < 0 || tx >= target->width || ty >= target->height)
          continue;
        for (int c = 0; c < 3; ++c)
          target->rgb[((size_t)ty * target->width + tx) * 3 + c] = rgb[((size_t)j * width + i) * 3 + c];
      }
    return 1;
  }
  if (!DrawingTarget(destination)) return 0;
  bool whole = true;
  for (unsigned char v : inside) whole = whole && v;
  if (whole) {
    fl_draw_image(rgb.data(), x, y, width, height, 3);
  } else {
    for (int j = 0; j < height; ++j)   // row by row, only the covered runs
      for (int i = 0; i < width;) {
        if (!inside[(size_t)j * width + i]) {
          ++i;
          continue;
        }
        int start = i;
        while (i < width && inside[(size_t)j * width + i]) ++i;
        fl_draw_image(&rgb[((size_t)j * width + start) * 3], x + start, y + j, i - start, 1, 3);
      }
  }
  return 1;
}

// ---- palettes -------------------------------------------------------------------
// A TrueColor visual maps pixel values to colours by itself: selecting and
// realising a palette there changes nothing. On a PseudoColor or GrayScale
// visual the window has a writable colormap, and realising stores the entries.
PaletteHandle CreatePalette(const LogPalette* palette) {
  if (!palette || palette->palVersion != 0x300 || palette->palNumEntries == 0 || !palette->palPalEntry)
    return nullptr;
  std::unique_ptr<PlatformPalette> made(new PlatformPalette);
  made->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  palettes.push_back(std::move(made));
  return palettes.back().get();
}

PaletteHandle SelectPalette(DeviceContext dc, PaletteHandle palette, int) {
  if (!IsLiveDC(dc) || (palette && !IsLivePalette(palette))) return nullptr;
  PlatformPalette* previous = dc->palette;
  dc->palette = palette;
  return previous;
}

unsigned RealizePalette(DeviceContext dc) {
  if (!IsLiveDC(dc) || !dc->palette || !IsLivePalette(dc->palette)) return 0;
  PlatformWindow* window = dc->window;
  if (!IsLiveWindow(window) || !window->pixelFormat || !window->colormap) return 0;
  int visualClass = window->visual.c_class;
  if (visualClass != PseudoColor && visualClass != GrayScale) return 0;
  int cells = window->visual.colormap_size;
  std::vector<XColor> colors;
  for (int i = 0; i < cells && i < (int)dc->palette->entries.size(); ++i) {
    const PaletteEntry& e = dc->palette->entries[i];
    XColor c{};
    c.pixel = (unsigned long)i;
    c.red = (unsigned short)(e.peRed * 257);
    c.green = (unsigned short)(e.peGreen * 257);
    c.blue = (unsigned short)(e.peBlue * 257);
    c.flags = DoRed | DoGreen | DoBlue;
    colors.push_back(c);
  }
  if (colors.empty()) return 0;
  XStoreColors(PlatformDisplay(), window->colormap, colors.data(), (int)colors.size());
  return (unsigned)colors.size();
}

int UnrealizeObject(PaletteHandle palette) { return IsLivePalette(palette) ? 1 : 0; }
