// Dialogs as the page's HTML: the template's font as the page draws it and
// the base units it gives, a dialog's frame and caption around its client
// area, each control an element (push buttons real <button>s, a group box a
// <fieldset>, texts, the icon and the face that StretchBlt paints on
// canvases, scroll bars range inputs), and the message box, a modal
// <dialog>. Relies on web.h, page.js and page.html's styles.
#include "platform/web/web.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// ---- the page's side ------------------------------------------------------------------
// Width of the 52 letters and the height of a font of size pixels, in CSS
// pixels (where the browser does not say a font's height, a usual one).
EM_JS(void, MeasureFont, (const char* font, int size, double* width, double* height), {
  var context = document.createElement('canvas').getContext('2d');
  context.font = UTF8ToString(font);
  var letters = context.measureText('ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz');
  var tall = letters.fontBoundingBoxAscent !== undefined
                 ? letters.fontBoundingBoxAscent + letters.fontBoundingBoxDescent : size * 1.15;
  HEAPF64[width >> 3] = letters.width;
  HEAPF64[height >> 3] = tall;
});

EM_JS(void, AddDialog, (PlatformWindow* dialog, const char* caption, int closeBox, const char* font, int width,
                        int height), {
  var section = document.createElement('section');
  section.className = 'heat-dialog';
  section.setAttribute('role', 'dialog');
  var header = document.createElement('header');
  var title = document.createElement('span');
  title.textContent = UTF8ToString(caption);
  title.id = 'heat-caption-' + dialog;
  section.setAttribute('aria-labelledby', title.id);
  header.appendChild(title);
  if (closeBox) {
    var close = document.createElement('button');
    close.type = 'button';
    close.className = 'heat-close';
    close.setAttribute('aria-label', 'Close');
    close.textContent = '\u00d7';
    close.addEventListener('click', function () {
      if (HeatPage.ended) return;
      _heat_Close(dialog);
      HeatPage.wakeUp();
    });
    header.appendChild(close);
  }
  var client = document.createElement('div');
  client.className = 'heat-client';
  client.style.width = width + 'px';
  client.style.height = height + 'px';
  client.style.font = UTF8ToString(font);
  // The face the dialog's procedure paints on (StretchBlt), under the controls.
  var face = document.createElement('canvas');
  face.className = 'heat-face';
  face.setAttribute('aria-hidden', 'true');
  face.width = Math.round(width * devicePixelRatio);
  face.height = Math.round(height * devicePixelRatio);
  face.style.width = width + 'px';
  face.style.height = height + 'px';
  client.appendChild(face);
  section.append(header, client);
  HeatPage.add(dialog, section);
});

// The frame around the client area: left, top, right, bottom.
EM_JS(void, FrameOf, (PlatformWindow* dialog, int* frame), {
  var section = HeatPage.element(dialog), client = section.querySelector('.heat-client');
  var left = section.clientLeft + client.offsetLeft, top = section.clientTop + client.offsetTop;
  HEAP32[frame >> 2] = left;
  HEAP32[(frame >> 2) + 1] = top;
  HEAP32[(frame >> 2) + 2] = section.offsetWidth - left - client.offsetWidth;
  HEAP32[(frame >> 2) + 3] = section.offsetHeight - top - client.offsetHeight;
});

EM_JS(void, PlaceDialog, (PlatformWindow* dialog, int x, int y), {
  var section = HeatPage.element(dialog), client = section.querySelector('.heat-client');
  section.style.left = (x - section.clientLeft - client.offsetLeft) + 'px';
  section.style.top = (y - section.clientTop - client.offsetTop) + 'px';
});

// kind: button, default, group, text, icon or scrollbar.
EM_JS(void, AddControl, (PlatformWindow* dialog, PlatformWindow* control, const char* kind, const char* text,
                         int x, int y, int width, int height, int sunken), {
  var type = UTF8ToString(kind), label = UTF8ToString(text), element;
  if (type == 'button' || type == 'default') {
    element = document.createElement('button');
    element.type = 'button';
    element.textContent = label;
    if (type == 'default') element.classList.add('heat-default');
    element.addEventListener('click', function () {
      if (HeatPage.ended) return;
      _heat_Click(control);
      HeatPage.wakeUp();
    });
  } else if (type == 'group') {
    element = document.createElement('fieldset');
    var legend = document.createElement('legend');
    legend.textContent = label;
    if (label) element.appendChild(legend);
  } else if (type == 'icon') {
    element = document.createElement('canvas');
    element.setAttribute('aria-hidden', 'true');
  } else if (type == 'scrollbar') {
    element = document.createElement('input');
    element.type = 'range';
    element.addEventListener('input', function () {
      if (!HeatPage.ended) { _heat_Scroll(control, 5, +element.value); HeatPage.wakeUp(); }   // SB_THUMBTRACK
    });
    element.addEventListener('change', function () {
      if (!HeatPage.ended) { _heat_Scroll(control, 4, +element.value); HeatPage.wakeUp(); }   // SB_THUMBPOSITION
    });
  } else {
    element = document.createElement('div');
    element.textContent = label;
  }
  element.classList.add('heat-' + (type == 'default' ? 'button' : type));
  if (sunken) element.classList.add('heat-sunken');
  element.style.left = x + 'px';
  element.style.top = y + 'px';
  element.style.width = width + 'px';
  element.style.height = height + 'px';
  element.hidden = true;
  HeatPage.windows[control] = element;
  // A group box lies under the other controls, right above the face.
  var client = HeatPage.element(dialog).querySelector('.heat-client');
  if (type == 'group') client.insertBefore(element, client.querySelector('.heat-face').nextSibling);
  else client.appendChild(element);
});

EM_JS(void, ShowControl, (PlatformWindow* control, int shown, int pushed, int minimum, int maximum, int position), {
  var element = HeatPage.element(control);
  if (!element) return;
  element.hidden = !shown;
  element.classList.toggle('heat-pushed', !!pushed);
  if (element.type == 'range') {
    element.min = minimum;
    element.max = maximum;
    element.value = position;
  }
});

// An image of 4 bytes a pixel (R, G, B, A), top row first, as a canvas.
EM_JS(void, DrawIconPixels, (PlatformWindow* control, const unsigned char* rgba, int width, int height), {
  var canvas = HeatPage.element(control);
  canvas.width = width;
  canvas.height = height;
  var pixels = new ImageData(new Uint8ClampedArray(HEAPU8.subarray(rgba, rgba + width * height * 4)), width, height);
  canvas.getContext('2d').putImageData(pixels, 0, 0);
});

// Nearest-pixel, onto the dialog's face at its place in CSS pixels.
EM_JS(void, DrawOnFace, (PlatformWindow* dialog, const unsigned char* rgba, int bitmapWidth, int bitmapHeight,
                         int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                         int x, int y, int width, int height), {
  var face = HeatPage.element(dialog).querySelector('.heat-face');
  var source = document.createElement('canvas');
  source.width = bitmapWidth;
  source.height = bitmapHeight;
  var bytes = new Uint8ClampedArray(HEAPU8.subarray(rgba, rgba + bitmapWidth * bitmapHeight * 4));
  source.getContext('2d').putImageData(new ImageData(bytes, bitmapWidth, bitmapHeight), 0, 0);
  var context = face.getContext('2d');
  var ratio = face.width / parseFloat(face.style.width);
  context.setTransform(ratio, 0, 0, ratio, 0, 0);
  context.imageSmoothingEnabled = false;
  context.drawImage(source, sourceX, sourceY, sourceWidth, sourceHeight, x, y, width, height);
});

EM_ASYNC_JS(void, ShowMessageBox, (const char* text, const char* caption, int stop), {
  await HeatPage.messageBox(UTF8ToString(text), UTF8ToString(caption), stop);
});

EM_JS(void, ShowDialogElement, (PlatformWindow* dialog), { HeatPage.element(dialog).style.visibility = 'visible'; });

// Pixels between a main window and a dialog put below it.
const int belowGap = 8;

// ---- fonts -------------------------------------------------------------------------------
// A size in points in pixels, at 96 pixels an inch, as Windows lays out a dialog.
int PixelsOfPoints(int points) { return MulDiv(points, 96, 72); }

// The CSS font standing in for a template's Windows face at its size:
// Arial's metrics come with Liberation Sans and Arimo; nothing common is as
// heavy as Arial Black, and DejaVu Sans Bold, broad and heavy, comes closest.
std::string FontOf(const char* face, int points) {
  const std::string size = std::to_string(PixelsOfPoints(points)) + "px ";
  if (face && std::strcmp(face, "Arial Black") == 0) return "900 " + size + "\"Arial Black\", \"DejaVu Sans\", sans-serif";
  return size + "Arial, \"Liberation Sans\", Arimo, Helvetica, sans-serif";
}

const char* KindOf(const PlatformWindow* control) {
  const unsigned style = control->style;
  if (control->className == "BUTTON") {
    if ((style & 0xFu) == BS_GROUPBOX) return "group";
    return (style & 0xFu) == BS_DEFPUSHBUTTON ? "default" : "button";
  }
  if (control->className == "SCROLLBAR") return "scrollbar";
  if (control->className == "STATIC" && (style & 0x1Fu) == SS_ICON) return "icon";
  return "text";
}

// A place that would take any of the dialog, frame included, off the
// viewport moves in, as far as it fits (from the top left first). Moved in,
// a dialog that would then cover its owner's client area (on a narrow,
// upright screen) goes below it instead, where there is room.
void KeepOnViewport(PlatformWindow* dialog) {
  int frame[4];
  FrameOf(dialog, frame);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const int outerWidth = dialog->width + frame[0] + frame[2], outerHeight = dialog->height + frame[1] + frame[3];
  auto keepIn = [&](int* x, int* y) {
    *x = std::max(frame[0], std::min(*x, width - outerWidth + frame[0]));
    *y = std::max(frame[1], std::min(*y, height - outerHeight + frame[1]));
  };
  int x = dialog->x, y = dialog->y;
  keepIn(&x, &y);
  const PlatformWindow* owner = dialog->owner;
  if (Live(owner) && owner->kind == WindowKind::Main && (x != dialog->x || y != dialog->y)) {
    const bool covers = x - frame[0] < owner->x + owner->width && x + dialog->width + frame[2] > owner->x &&
                        y - frame[1] < owner->y + owner->height && y + dialog->height + frame[3] > owner->y;
    const int below = owner->y + owner->height + belowGap + frame[1];
    if (covers && below + dialog->height + frame[3] <= height) {
      x = owner->x;
      y = below;
      keepIn(&x, &y);
    }
  }
  dialog->x = x;
  dialog->y = y;
}

}  // namespace

// ---- from page.js --------------------------------------------------------------------------
extern "C" EMSCRIPTEN_KEEPALIVE void heat_Click(PlatformWindow* control) {
  if (Clickable(control))
    Post(control->parent, WM_COMMAND, MakeWParam((unsigned)control->id, BN_CLICKED), (intptr_t)control);
}

// The thumb is where the user put it until the dialog's procedure sets it.
extern "C" EMSCRIPTEN_KEEPALIVE void heat_Scroll(PlatformWindow* control, unsigned request, int position) {
  if (!Live(control) || control->kind != WindowKind::Control || control->className != "SCROLLBAR") return;
  Post(control->parent, WM_VSCROLL, MakeWParam(request, (unsigned)position), (intptr_t)control);
}

// The close box: only a window that has one.
extern "C" EMSCRIPTEN_KEEPALIVE void heat_Close(PlatformWindow* window) {
  if (Live(window) && !window->destroying && (window->style & WS_SYSMENU)) Post(window, WM_CLOSE, 0, 0);
}

// ---- dialogs ----------------------------------------------------------------------------------
// Every template of the program names its font (DS_SETFONT).
DialogBaseUnits BackendBaseUnits(const DialogTemplate& dialog) {
  double width = 0, height = 0;
  MeasureFont(FontOf(dialog.fontFace, dialog.fontPoints).c_str(), PixelsOfPoints(dialog.fontPoints), &width, &height);
  return BaseUnitsFromMetrics((int)(width + 0.5), (int)(height + 0.5));
}

void MakeDialog(PlatformWindow* dialog) {
  const DialogTemplate* t = FindTemplate(dialog->templateName.c_str());
  AddDialog(dialog, dialog->text.c_str(), (dialog->style & WS_SYSMENU) != 0,
            FontOf(t ? t->fontFace : nullptr, t ? t->fontPoints : 8).c_str(), dialog->width, dialog->height);
  KeepOnViewport(dialog);
  PlaceDialog(dialog, dialog->x, dialog->y);
  for (PlatformWindow* control : dialog->controls) {
    const bool sunken = (control->style & SS_SUNKEN) && control->className == "STATIC";
    AddControl(dialog, control, KindOf(control), control->text.c_str(), control->x, control->y, control->width,
               control->height, sunken);
    if (control->icon) DrawIconPixels(control, control->icon->rgba.data(), control->icon->width, control->icon->height);
    UpdateControl(control);
  }
}

void ShowDialog(PlatformWindow* dialog) {
  KeepOnViewport(dialog);
  PlaceDialog(dialog, dialog->x, dialog->y);
  ShowDialogElement(dialog);
}

void UpdateControl(PlatformWindow* control) {
  ShowControl(control, Live(control) && (control->style & WS_VISIBLE), control->pushed, control->scrollMin,
              control->scrollMax, control->scrollPos);
}

// Nearest-pixel scaling of the source rectangle into the destination one, as
// StretchBlt's default mode, onto a dialog's face. A source rectangle that
// does not lie inside the bitmap is not drawn (the program copies the whole
// legend).
void BackendStretchBlt(PlatformDC* destination, int x, int y, int width, int height, PlatformDC* source,
                       int sourceX, int sourceY, int sourceWidth, int sourceHeight, unsigned rasterOperation) {
  const PlatformBitmap* bitmap = source->bitmap;
  PlatformWindow* window = destination->window;
  if (rasterOperation != SRCCOPY || source->kind != DCKind::Memory || !bitmap || !Live(window) ||
      window->kind != WindowKind::Dialog)
    return;
  if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0 || sourceX < 0 || sourceY < 0 ||
      (long long)sourceX + sourceWidth > bitmap->width || (long long)sourceY + sourceHeight > bitmap->height)
    return;
  DrawOnFace(window, bitmap->rgba.data(), bitmap->width, bitmap->height, sourceX, sourceY, sourceWidth, sourceHeight,
             x, y, width, height);
}

// The page is true colour: a palette is made, and changes nothing.
unsigned BackendPalette(PaletteOp op, PlatformPalette*, PlatformDC*, int) { return op == PaletteOp::Create ? 1 : 0; }

// ---- the message box ------------------------------------------------------------------------
// An error box also says in the console, in one line, what went wrong and why.
int MessageBox(WindowHandle, const char* text, const char* caption, unsigned style) {
  std::string message = text ? text : "";
  const bool stop = (style & 0xF0u) == MB_ICONHAND;   // any other icon is left out
  const std::string note = stop ? TakeFailureNote() : std::string();
  if (stop) {
    std::string line = message;
    while (!line.empty() && (line.back() == '\n' || line.back() == ' ')) line.pop_back();
    std::fprintf(stderr, "%s%s%s\n", line.c_str(), note.empty() ? "" : ": ", note.c_str());
  }
  if (!note.empty()) message += (message.empty() || message.back() == '\n' ? "\n" : "\n\n") + note;
  ShowMessageBox(message.c_str(), caption ? caption : "Error", stop);
  return IDOK;
}
