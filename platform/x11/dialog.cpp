// Dialogs on FLTK: the fonts standing in for the templates' Windows faces
// and the base units they give, a dialog's window with a widget for each
// control, and the message box. Relies on controls.h, FLTK 1.3 (Xft
// fonts) and Xlib.
#include "platform/x11/controls.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

// Windows typefaces and what stands in for them here: Liberation Sans has
// Arial's metrics (and stands in for any other face); nothing installed is as
// heavy as Arial Black, and DejaVu Sans Bold, broad and heavy, comes closest.
int FontForFace(const char* fontFace) {
  static bool named = false;
  if (!named) {
    Fl::set_font((Fl_Font)FL_FREE_FONT, " Liberation Sans");
    Fl::set_font((Fl_Font)(FL_FREE_FONT + 1), "BDejaVu Sans");
    named = true;
  }
  return fontFace && std::strcmp(fontFace, "Arial Black") == 0 ? FL_FREE_FONT + 1 : FL_FREE_FONT;
}

// The units are those of the font at 96 dpi, scaled to the display's
// resolution as a whole, so that a dialog at 192 dpi is exactly twice its
// size at 96 (a font's metrics do not grow exactly with its size); its text
// is drawn at the scaled size, not magnified.
DialogBaseUnits BaseUnitsOfFont(const char* fontFace, int points, int* pixelSize) {
  int size = MulDiv(points, 96, 72);   // the character height at 96 dpi
  if (pixelSize) *pixelSize = ScaledForDisplay(size);
  fl_font((Fl_Font)FontForFace(fontFace), size);
  double width = fl_width("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  DialogBaseUnits units = BaseUnitsFromMetrics((int)(width + 0.5), fl_height());
  return DialogBaseUnits{ScaledForDisplay(units.x), ScaledForDisplay(units.y)};
}

// Every template of the program names its font (DS_SETFONT).
DialogBaseUnits BackendBaseUnits(const DialogTemplate& dialog) {
  return BaseUnitsOfFont(dialog.fontFace, dialog.fontPoints);
}

// A place that would take any of the dialog off the work area moves in; the
// frame is guessed from the owner's until the dialog has its own. Group boxes
// lie under the other controls: drawn first, never hit.
void MakeDialogWindow(PlatformWindow* dialog) {
  const DialogTemplate* t = FindTemplate(dialog->templateName.c_str());
  int size = 0;
  BaseUnitsOfFont(t->fontFace, t->fontPoints, &size);
  Fl_Font font = (Fl_Font)FontForFace(t->fontFace);
  FrameExtents frame = dialog->owner ? FrameOf(dialog->owner) : FrameExtents{0, 0, 0, 0};
  KeepOnWorkArea(&dialog->x, &dialog->y, dialog->width + frame.left + frame.right,
                 dialog->height + frame.top + frame.bottom);
  Fl_Window* flWindow = dialog->native->flWindow;
  flWindow->position(dialog->x, dialog->y);
  for (PlatformWindow* control : dialog->controls) {
    control->native = new NativeWindow;
    if (control->icon) {   // an icon static: its icon, and so the static, scaled as the dialog is
      control->width += ScaledForDisplay(control->icon->width) - control->icon->width;
      control->height += ScaledForDisplay(control->icon->height) - control->icon->height;
    }
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

// The stop sign of an error box (MB_ICONHAND, the only icon the program asks for).
class BoxIcon : public Fl_Widget {
 public:
  BoxIcon(int x, int y, int size) : Fl_Widget(x, y, size, size) {}
  void draw() override {
    int s = w();
    fl_color(fl_rgb_color(220, 0, 0));
    fl_pie(x(), y(), s, s, 0, 360);
    fl_color(FL_WHITE);
    fl_line_style(FL_SOLID, s / 8);
    fl_line(x() + s * 10 / 32, y() + s * 10 / 32, x() + s * 22 / 32, y() + s * 22 / 32);
    fl_line(x() + s * 22 / 32, y() + s * 10 / 32, x() + s * 10 / 32, y() + s * 22 / 32);
    fl_line_style(0);
  }
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
  bool stop = (style & 0xF0u) == MB_ICONHAND;   // any other icon is left out
  // An error box also says on standard error, in one line, what went wrong
  // and why, for whoever started the program from a terminal or a launcher.
  if (stop) {
    std::string line = message;
    while (!line.empty() && (line.back() == '\n' || line.back() == ' ')) line.pop_back();
    if (!note.empty()) line += ": " + note;
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, line.c_str());
  }
  Fl_Font font = (Fl_Font)FontForFace("Arial");
  const int size = ScaledForDisplay(13), pad = ScaledForDisplay(12), icon = ScaledForDisplay(32);
  const int buttonW = ScaledForDisplay(75), buttonH = ScaledForDisplay(23);
  fl_font(font, size);
  int textW = 0, textH = 0;
  fl_measure(message.c_str(), textW, textH, 0);
  textH = std::max(textH, fl_height());
  int iconW = stop ? icon + pad : 0;
  int w = std::max(pad * 2 + iconW + textW, buttonW + 2 * pad);
  w = std::max(w, (int)fl_width(title.c_str()) + ScaledForDisplay(80));
  int bodyH = std::max(textH, stop ? icon : 0);
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
  if (stop) new BoxIcon(pad, pad, icon);
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
