// Modeless dialogs built from the program's templates, dialog units, the
// scroll bar calls and the message box. Relies on FLTK 1.3 (Xft fonts) and resources.h.
#include "platform/fltk_controls.h"
#include "platform/resources.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <map>
#include <string>

int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;   // as Windows' MulDiv
  long long product = (long long)a * b;
  long long half = (c > 0 ? c : -c) / 2;
  bool negative = (product < 0) != (c < 0);
  long long magnitude = (product < 0 ? -product : product) + half;
  long long quotient = magnitude / (c < 0 ? -c : c);
  return (int)(negative ? -quotient : quotient);
}

DialogBaseUnits BaseUnitsFromMetrics(int widthOfLetters, int characterHeight, int pixelSize) {
  return DialogBaseUnits{(widthOfLetters / 26 + 1) / 2, characterHeight, pixelSize};
}

int DialogXToPixels(int x, const DialogBaseUnits& units) { return MulDivRound(x, units.x, 4); }
int DialogYToPixels(int y, const DialogBaseUnits& units) { return MulDivRound(y, units.y, 8); }

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
  char* kept = strdup(name.c_str());
  Fl::set_font((Fl_Font)slot, kept);
  slots[face] = slot;
  return slot;
}

DialogBaseUnits BaseUnitsOfFont(const char* fontFace, int points) {
  int pixelSize = MulDivRound(points, 96, 72);   // the character height at 96 dpi
  fl_font((Fl_Font)FontForFace(fontFace), pixelSize);
  double width = fl_width("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return BaseUnitsFromMetrics((int)(width + 0.5), fl_height(), pixelSize);
}

namespace {

const DialogTemplate* FindTemplate(const char* name) {
  if (!name) return nullptr;
  for (int i = 0; i < programResources.dialogCount; ++i)
    if (programResources.dialogs[i].name && std::strcmp(programResources.dialogs[i].name, name) == 0)
      return &programResources.dialogs[i];
  return nullptr;
}

int IconNumber(const char* text) {
  if (!text || text[0] != '#') return 0;
  return std::atoi(text + 1);
}

PlatformWindow* CreateControl(PlatformWindow* dialog, const DialogItem& item, const DialogBaseUnits& units,
                              Fl_Font font) {
  PlatformWindow* control = new PlatformWindow;
  control->kind = WindowKind::Control;
  control->id = item.id;
  control->style = item.style;
  control->parent = dialog;
  control->className = item.className ? item.className : "";
  control->caption = item.text ? item.text : "";
  RegisterWindow(control);
  dialog->controls.push_back(control);

  int x = DialogXToPixels(item.x, units), y = DialogYToPixels(item.y, units);
  int w = std::max(1, DialogXToPixels(item.width, units));
  int h = std::max(1, DialogYToPixels(item.height, units));
  int size = units.pixelSize;
  Fl_Widget* widget = nullptr;
  const std::string& cls = control->className;
  if (strcasecmp(cls.c_str(), "BUTTON") == 0) {
    unsigned kind = item.style & 0xFu;
    if (kind == BS_GROUPBOX) {
      control->control = ControlKind::GroupBox;
      widget = new GroupBox(control, x, y, w, h, font, size);
    } else {
      control->control = ControlKind::PushButton;
      widget = new PushButton(control, x, y, w, h, kind == BS_DEFPUSHBUTTON, font, size);
    }
  } else if (strcasecmp(cls.c_str(), "SCROLLBAR") == 0) {
    control->control = ControlKind::ScrollBar;
    widget = new ScrollBar(control, x, y, w, h);
  } else {
    // STATIC, and any other class as an inert static
    if (strcasecmp(cls.c_str(), "STATIC") == 0 && (item.style & 0x1Fu) == SS_ICON) {
      control->control = ControlKind::Icon;
      control->icon = IconForId(IconNumber(item.text));
      // An icon static takes the icon's size, plus its border and edge.
      if (control->icon) {
        int edges = ((item.style & WS_BORDER) ? 2 : 0) + ((item.style & SS_SUNKEN) ? 2 : 0);
        w = control->icon->width + edges;
        h = control->icon->height + edges;
      }
      control->caption.clear();
    } else {
      control->control = ControlKind::Text;
    }
    widget = new StaticControl(control, x, y, w, h, font, size);
  }
  control->widget = widget;
  if (!(item.style & WS_VISIBLE)) widget->hide();   // exists, never shown
  return control;
}

}  // namespace

WindowHandle CreateDialogParam(InstanceHandle, const char* templateName, WindowHandle owner, DialogProc proc,
                               intptr_t param) {
  const DialogTemplate* t = FindTemplate(templateName);
  if (!t || !PlatformDisplay()) return nullptr;
  if (owner && !IsLiveWindow(owner)) return nullptr;
  while (owner && owner->kind == WindowKind::Control) owner = owner->parent;

  const char* face = (t->style & DS_SETFONT) && t->fontFace ? t->fontFace : "MS Shell Dlg";
  int points = (t->style & DS_SETFONT) && t->fontPoints > 0 ? t->fontPoints : 8;
  DialogBaseUnits units = BaseUnitsOfFont(face, points);
  Fl_Font font = (Fl_Font)FontForFace(face);

  // The template's size is the client area's; its position, that of the
  // outer frame, counts from the owner's client area (once the window
  // manager has put the owner where it stays), or from the screen without an
  // owner. A place that would take any of the dialog off the work area moves
  // in; the frame is guessed from the owner's until the dialog has its own.
  int originX = 0, originY = 0;
  FrameExtents frame{0, 0, 0, 0};
  if (owner) {
    if (owner->flWindow && owner->flWindow->shown()) WaitUntilPlaced(owner);
    ClientOrigin(owner, &originX, &originY);
    frame = FrameOf(owner);
  }
  int x = originX + DialogXToPixels(t->x, units), y = originY + DialogYToPixels(t->y, units);
  int w = std::max(1, DialogXToPixels(t->width, units)), h = std::max(1, DialogYToPixels(t->height, units));
  KeepOnWorkArea(&x, &y, w + frame.left + frame.right, h + frame.top + frame.bottom);

  PlatformWindow* dialog = new PlatformWindow;
  dialog->kind = WindowKind::Dialog;
  dialog->dialogProc = proc;
  dialog->style = t->style;
  dialog->caption = t->caption ? t->caption : "";
  dialog->owner = owner;
  dialog->placeX = x;
  dialog->placeY = y;
  RegisterWindow(dialog);

  Fl_Group::current(nullptr);
  DialogWindow* flWindow = new DialogWindow(dialog, x, y, w, h);
  flWindow->copy_label(dialog->caption.c_str());
  flWindow->callback(CloseRequested, dialog);
  if (PlatformIcon* icon = IconForId(32512)) {
    if (icon->image) flWindow->icon(icon->image.get());
  }
  dialog->flWindow = flWindow;

  // Group boxes lie under the other controls: drawn first, never hit.
  for (int i = 0; i < t->itemCount; ++i) {
    PlatformWindow* control = CreateControl(dialog, t->items[i], units, font);
    if (control->control == ControlKind::GroupBox) flWindow->insert(*control->widget, 0);
    else flWindow->add(control->widget);
  }
  flWindow->end();

  WindowHandle focus = nullptr;
  for (PlatformWindow* control : dialog->controls)
    if ((control->style & WS_TABSTOP) && (control->style & WS_VISIBLE)) {
      focus = control;
      break;
    }
  SendToWindow(dialog, WM_INITDIALOG, (uintptr_t)focus, param);
  if (!IsLiveWindow(dialog)) return nullptr;   // ended during its initialisation
  if (t->style & WS_VISIBLE) ShowWindow(dialog, SW_SHOWNORMAL);
  return dialog;
}

void DestroyControls(PlatformWindow* dialog) {
  for (PlatformWindow* control : dialog->controls) {
    if (!IsLiveWindow(control)) continue;
    control->widget = nullptr;   // the widgets go with the FLTK window
    ForgetWindow(control);
  }
  dialog->controls.clear();
}

int EndDialog(WindowHandle dialog, intptr_t) {
  if (!IsLiveWindow(dialog) || dialog->kind != WindowKind::Dialog) return 0;
  DestroyPlatformWindow(dialog);
  return 1;
}

WindowHandle GetDlgItem(WindowHandle dialog, int id) {
  if (!IsLiveWindow(dialog)) return nullptr;
  for (PlatformWindow* control : dialog->controls)
    if (IsLiveWindow(control) && control->id == id) return control;
  return nullptr;
}

int SetScrollRange(WindowHandle window, int bar, int minimum, int maximum, int redraw) {
  if (!IsLiveWindow(window) || window->control != ControlKind::ScrollBar || bar != SB_CTL) return 0;
  if (minimum > maximum) std::swap(minimum, maximum);
  window->scrollMin = minimum;
  window->scrollMax = maximum;
  window->scrollPos = std::max(minimum, std::min(maximum, window->scrollPos));
  if (redraw && window->widget) window->widget->redraw();
  return 1;
}

int SetScrollPos(WindowHandle window, int bar, int position, int redraw) {
  if (!IsLiveWindow(window) || window->control != ControlKind::ScrollBar || bar != SB_CTL) return 0;
  int previous = window->scrollPos;
  window->scrollPos = std::max(window->scrollMin, std::min(window->scrollMax, position));
  if (redraw && window->widget) window->widget->redraw();
  return previous;
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
  if (IsLiveWindow(owner) && owner->flWindow && owner->flWindow->shown()) {
    int ox, oy;
    ClientOrigin(owner, &ox, &oy);
    x = ox + (owner->flWindow->w() - w) / 2;
    y = oy + (owner->flWindow->h() - h) / 2;
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
