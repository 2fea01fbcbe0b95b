// GDI as records: the program's resources (handed over by the program, its
// bitmaps and icons decoded once), device contexts of windows and of memory,
// painting, StretchBlt and palettes. Relies on backend.h and the image decoders;
// the backend draws and realises.
#include "platform/core/core.h"
#include "platform/core/image_decode.h"

#include <map>
#include <memory>
#include <unordered_map>

namespace {

struct Gdi {
  std::unordered_map<const PlatformDC*, std::unique_ptr<PlatformDC>> dcs;   // live ones
  std::map<int, std::unique_ptr<PlatformBitmap>> bitmaps;                   // loaded once each
  std::map<int, std::unique_ptr<PlatformIcon>> icons;
  std::vector<std::unique_ptr<PlatformPalette>> palettes;
};
Gdi* gdi = new Gdi;
ResourceTable resources{};
PlatformCursor arrowCursor{IDC_ARROW};

const BinaryResource* FindResource(const BinaryResource* table, int count, int id) {
  for (int i = 0; table && i < count; ++i)
    if (table[i].id == id && table[i].data) return &table[i];
  return nullptr;
}

PlatformDC* NewDC(DCKind kind, PlatformWindow* window) {
  auto dc = std::make_unique<PlatformDC>();
  dc->kind = kind;
  dc->window = window;
  PlatformDC* handle = dc.get();
  gdi->dcs[handle] = std::move(dc);
  return handle;
}

bool KnownBitmap(const PlatformBitmap* bitmap) {
  for (auto& entry : gdi->bitmaps)
    if (entry.second.get() == bitmap) return true;
  return false;
}

bool LivePalette(const PlatformPalette* palette) {
  for (auto& p : gdi->palettes)
    if (p.get() == palette) return true;
  return false;
}

}  // namespace

void SetProgramResources(const ResourceTable* table) { resources = table ? *table : ResourceTable{}; }
const ResourceTable& Resources() { return resources; }

PlatformIcon* IconOf(int id) {
  auto found = gdi->icons.find(id);
  if (found != gdi->icons.end()) return found->second.get();
  const BinaryResource* resource = FindResource(resources.icons, resources.iconCount, id);
  DecodedImage image;
  if (!resource || !DecodeIco(resource->data, resource->size, &image)) return nullptr;
  auto icon = std::make_unique<PlatformIcon>(PlatformIcon{image.width, image.height, std::move(image.rgba)});
  return (gdi->icons[id] = std::move(icon)).get();
}

PlatformIcon* ProgramIcon() { return resources.iconCount > 0 && resources.icons ? IconOf(resources.icons[0].id) : nullptr; }

bool LiveDC(const PlatformDC* dc) { return dc && gdi->dcs.count(dc) != 0; }

void ForgetDCsOf(PlatformWindow* window) {
  for (auto it = gdi->dcs.begin(); it != gdi->dcs.end();)
    it = it->second->window == window ? gdi->dcs.erase(it) : std::next(it);
  window->ownDC = nullptr;
}

void ResetGdi() {
  delete gdi;
  gdi = new Gdi;
}

// ---- resources ---------------------------------------------------------------------------
IconHandle LoadIcon(InstanceHandle, int id) { return IconOf(id); }

CursorHandle LoadCursor(InstanceHandle instance, int id) {
  return !instance && id == IDC_ARROW ? &arrowCursor : nullptr;   // the program has no cursors of its own
}

BitmapHandle LoadBitmap(InstanceHandle, int id) {
  auto found = gdi->bitmaps.find(id);
  if (found != gdi->bitmaps.end()) return found->second.get();
  const BinaryResource* resource = FindResource(resources.bitmaps, resources.bitmapCount, id);
  DecodedImage image;
  if (!resource || !DecodeBmp(resource->data, resource->size, &image)) return nullptr;
  auto bitmap = std::make_unique<PlatformBitmap>(
      PlatformBitmap{image.width, image.height, image.bitsPerPixel, std::move(image.rgba)});
  return (gdi->bitmaps[id] = std::move(bitmap)).get();
}

int GetObject(BitmapHandle bitmap, int size, BitmapInfo* info) {
  if (!KnownBitmap(bitmap) || !info || size < (int)sizeof(BitmapInfo)) return 0;
  *info = BitmapInfo{};
  info->bmWidth = bitmap->width;
  info->bmHeight = bitmap->height;
  info->bmWidthBytes = (bitmap->width * bitmap->bitsPerPixel + 15) / 16 * 2;   // rows of whole words
  info->bmPlanes = 1;
  info->bmBitsPixel = (unsigned short)bitmap->bitsPerPixel;
  return (int)sizeof(BitmapInfo);
}

// ---- device contexts and painting -----------------------------------------------------
DeviceContext GetDC(WindowHandle window) {
  if (!Live(window)) return nullptr;
  if (!(window->classStyle & CS_OWNDC)) return NewDC(DCKind::Window, window);
  if (!window->ownDC) window->ownDC = NewDC(DCKind::Window, window);
  return window->ownDC;
}

// A private device context stays with its window.
int ReleaseDC(WindowHandle window, DeviceContext dc) {
  if (!LiveDC(dc) || dc->window != window || dc->kind != DCKind::Window) return 0;
  if (dc != window->ownDC) gdi->dcs.erase(dc);
  return 1;
}

WindowHandle WindowFromDC(DeviceContext dc) { return LiveDC(dc) && Live(dc->window) ? dc->window : nullptr; }

DeviceContext BeginPaint(WindowHandle window, PaintStruct* paint) {
  if (!Live(window) || !paint) return nullptr;
  window->needsPaint = false;
  paint->dc = NewDC(DCKind::Paint, window);
  paint->erase = 0;   // the backend has drawn the background
  paint->paint = Rect{0, 0, window->width, window->height};
  return paint->dc;
}

int EndPaint(WindowHandle window, const PaintStruct* paint) {
  if (!Live(window) || !paint || !LiveDC(paint->dc) || paint->dc->kind != DCKind::Paint) return 0;
  gdi->dcs.erase(paint->dc);
  ++window->paintCount;
  return 1;
}

DeviceContext CreateCompatibleDC(DeviceContext dc) {
  if (dc && !LiveDC(dc)) return nullptr;
  return NewDC(DCKind::Memory, nullptr);
}

BitmapHandle SelectObject(DeviceContext dc, BitmapHandle bitmap) {
  if (!LiveDC(dc) || dc->kind != DCKind::Memory || (bitmap && !KnownBitmap(bitmap))) return nullptr;
  BitmapHandle previous = dc->bitmap;
  dc->bitmap = bitmap;
  return previous;
}

int DeleteDC(DeviceContext dc) {
  if (!LiveDC(dc) || dc->kind != DCKind::Memory) return 0;
  gdi->dcs.erase(dc);
  return 1;
}

int StretchBlt(DeviceContext destination, int x, int y, int width, int height, DeviceContext source,
               int sourceX, int sourceY, int sourceWidth, int sourceHeight, unsigned rasterOperation) {
  if (!LiveDC(destination) || !LiveDC(source)) return 0;
  BackendStretchBlt(destination, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight,
                    rasterOperation);
  return 1;
}

// ---- palettes -------------------------------------------------------------------------------
PaletteHandle CreatePalette(const LogPalette* palette) {
  if (!palette || palette->palNumEntries == 0 || !palette->palPalEntry) return nullptr;
  auto made = std::make_unique<PlatformPalette>();
  made->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  if (!BackendPalette(PaletteOp::Create, made.get(), nullptr, 0)) return nullptr;
  gdi->palettes.push_back(std::move(made));
  return gdi->palettes.back().get();
}

PaletteHandle SelectPalette(DeviceContext dc, PaletteHandle palette, int forceBackground) {
  if (!LiveDC(dc) || !LivePalette(palette)) return nullptr;
  PaletteHandle previous = dc->palette;
  dc->palette = palette;
  BackendPalette(PaletteOp::Select, palette, dc, forceBackground);
  return previous;
}

unsigned RealizePalette(DeviceContext dc) {
  if (!LiveDC(dc) || !dc->palette) return 0;
  return BackendPalette(PaletteOp::Realize, dc->palette, dc, 0);
}

int UnrealizeObject(PaletteHandle palette) {
  if (!LivePalette(palette)) return 0;
  BackendPalette(PaletteOp::Unrealize, palette, nullptr, 0);
  return 1;
}
