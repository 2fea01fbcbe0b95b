// Dialogs on FLTK: the fonts standing in for the templates' Windows faces
// and the base units they give, a dialog's window with a widget for each
// control, and the message box. Relies on fltk_controls.h, FLTK 1.3 (Xft
// fonts) and Xlib.
#include "platform/fltk_controls.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

// Windows typefaces and what stands in for them here: Liberation Sans has
// Arial's metrics; nothing installed is as heavy as Arial Black, and DejaVu
// Sans Bold, broad and heavy, comes closest.
int FontForFace(const char* fontFace) {
  static std::map<std::string, int> slots;
  std::string face = fontFace ? fontFace : "";
  auto found = slots.find(face);
  if (found != slots.end()) return found->second;
  std::string name;
  if (face == "Arial Black") name = "BDejaVu Sans";
  else if (face == "Arial" || face == "MS Sans Serif" || face == "MS Shell Dlg" || face.empty())
    name = " Liberation Sans";
  else name = " " + face;   // fontconfig finds the face itself or its nearest
  int slot = FL_FREE_FONT + (int)slots.size();
  // FLTK keeps the name pointer: it lives as long as the program.
  Fl::set_font((Fl_Font)slot, strdup(name.c_str()));
  slots[face] = slot;
  return slot;
}

DialogBaseUnits BaseUnitsOfFont(const char* fontFace, int points, int* pixelSize) {
  int size = MulDiv(points, 96, 72);   // the character height at 96 dpi
  if (pixelSize) *pixelSize = size;
  fl_font((Fl_Font)FontForFace(fontFace), size);
  double width = fl_width("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return BaseUnitsFromMetrics((int)(width + 0.5), fl_height());
}

namespace {

// A template's font: its own with DS_SETFONT, the dialog manager's otherwise.
const char* FaceOf(const DialogTemplate& dialog) {
  return (dialog.style & DS_SETFONT) && dialog.fontFace ? dialog.fontFace : "MS Shell Dlg";
}
int PointsOf(const DialogTemplate& dialog) {
  return (dialog.style & DS_SETFONT) && dialog.fontPoints > 0 ? dialog.fontPoints : 8;
}

}  // namespace

DialogBaseUnits BackendBaseUnits(const DialogTemplate& dialog) { return BaseUnitsOfFont(FaceOf(dialog), PointsOf(dialog)); }

// A place that would take any of the dialog off the work area moves in; the
// frame is guessed from the owner's until the dialog has its own. Group boxes
// lie under the other controls: drawn first, never hit.
void MakeDialogWindow(PlatformWindow* dialog) {
  const DialogTemplate* t = FindTemplate(dialog->templateName.c_str());
  int size = 0;
  BaseUnitsOfFont(FaceOf(*t), PointsOf(*t), &size);
  Fl_Font font = (Fl_Font)FontForFace(FaceOf(*t));
  FrameExtents frame = dialog->owner ? FrameOf(dialog->owner) : FrameExtents{0, 0, 0, 0};
  KeepOnWorkArea(&dialog->x, &dialog->y, dialog->width + frame.left + frame.right,
                 dialog->height + frame.top + frame.bottom);
  Fl_Window* flWindow = dialog->native->flWindow;
  flWindow->position(dialog->x, dialog->y);
  for (PlatformWindow* control : dialog->controls) {
    control->native = new NativeWindow;
    Fl_Widget* widget = MakeControlWidget(control, font, size);
    control->native->widget = widget;
    if ((control->style & 0xFu) == BS_GROUPBOX && control->className == "BUTTON") flWindow->insert(*widget, 0);
    else flWindow->add(widget);
    if (!(control->style & WS_VISIBLE)) widget->hide();   // exists, never shown
  }
  flWindow->end();
}

// ---- message box ----------------------------------------------------------------
namespace {

class BoxIcon : public Fl_Widget {
 public:
  BoxIcon(int x, int y, bool stop) : Fl_Widget(x, y, 32, 32), stop_(stop) {}
  void draw() override {
    fl_color(stop_ ? fl_rgb_color(220, 0, 0) : fl_rgb_color(0, 0, 200));
    fl_pie(x(), y(), 32, 32, 0, 360);
    fl_color(FL_WHITE);
    if (stop_) {
      fl_line_style(FL_SOLID, 4);
      fl_line(x() + 10, y() + 10, x() + 22, y() + 22);
      fl_line(x() + 22, y() + 10, x() + 10, y() + 22);
      fl_line_style(0);
    } else {
      fl_rectf(x() + 14, y() + 13, 4, 12);
      fl_rectf(x() + 14, y() + 6, 4, 4);
    }
  }

 private:
  bool stop_;
};

class BoxText : public Fl_Widget {
 public:
  BoxText(int x, int y, int w, int h, const std::string& text, Fl_Font font, int size)
      : Fl_Widget(x, y, w, h), text_(text), font_(font), size_(size) {}
  void draw() override {
    DrawPlainText(text_, x(), y(), w(), h(), FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE, font_, size_,
                  FL_BLACK);
  }

 private:
  std::string text_;
  Fl_Font font_;
  int size_;
};

}  // namespace

int MessageBox(WindowHandle owner, const char* text, const char* caption, unsigned style) {
  std::string message = text ? text : "";
  std::string title = caption ? caption : "Error";
  std::string note = TakeFailureNote();
  if (!PlatformDisplay()) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
    return IDOK;
  }
  // An error box also says on standard error, in one line, what went wrong
  // and why, for whoever started the program from a terminal or a launcher.
  if ((style & 0xF0u) == MB_ICONHAND) {
    std::string line = message;
    while (!line.empty() && (line.back() == '\n' || line.back() == ' ')) line.pop_back();
    if (!note.empty()) line += ": " + note;
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, line.c_str());
  }
  Fl_Font font = (Fl_Font)FontForFace("Arial");
  const int size = 13, pad = 12, buttonW = 75, buttonH = 23;
  fl_font(font, size);
  int textW = 0, textH = 0;
  fl_measure(message.c_str(), textW, textH, 0);
  textH = std::max(textH, fl_height());
  unsigned iconKind = style & 0xF0u;
  int iconW = iconKind ? 32 + pad : 0;
  int w = std::max(pad * 2 + iconW + textW, buttonW + 2 * pad);
  w = std::max(w, (int)fl_width(title.c_str()) + 80);
  int bodyH = std::max(textH, iconKind ? 32 : 0);
  int h = pad + bodyH + pad + buttonH + pad;

  int sx, sy, sw, sh;
  Fl::screen_xywh(sx, sy, sw, sh, 0);
  int x = sx + (sw - w) / 2, y = sy + (sh - h) / 2;
  if (Live(owner) && XWindowOf(owner)) {
    int ox, oy;
    ClientOrigin(owner, &ox, &oy);
    x = ox + (owner->width - w) / 2;
    y = oy + (owner->height - h) / 2;
  }

  Fl_Group::current(nullptr);
  Fl_Window* box = new Fl_Window(x, y, w, h);
  box->copy_label(title.c_str());
  box->color(kFace);
  if (iconKind) new BoxIcon(pad, pad, iconKind == MB_ICONHAND);
  new BoxText(pad + iconW, pad + (bodyH - textH) / 2, textW + 1, textH, message, font, size);
  Fl_Button* ok = new Fl_Button((w - buttonW) / 2, h - pad - buttonH, buttonW, buttonH, "OK");
  ok->labelfont(font);
  ok->labelsize(size);
  ok->shortcut(FL_Enter);
  ok->callback([](Fl_Widget* button, void*) { button->window()->hide(); });
  box->end();
  box->set_modal();
  ShowBoxAt(box, x, y);
  while (box->shown()) Fl::wait();
  delete box;
  return IDOK;
}
