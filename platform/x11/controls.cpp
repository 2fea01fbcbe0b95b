// The dialog controls: Windows' classic look and Win32 notifications
// (BN_CLICKED, WM_VSCROLL requests) posted to the dialog. Relies on
// controls.h and FLTK 1.3.
#include "platform/x11/controls.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/fl_draw.H>

#include <algorithm>

const Fl_Color kFace = fl_rgb_color(192, 192, 192);
const Fl_Color kHighlight = fl_rgb_color(255, 255, 255);
const Fl_Color kLight = fl_rgb_color(223, 223, 223);
const Fl_Color kShadow = fl_rgb_color(128, 128, 128);
const Fl_Color kDarkShadow = fl_rgb_color(0, 0, 0);

void DrawPlainText(const std::string& text, int x, int y, int w, int h, Fl_Align align, Fl_Font font,
                   int size, Fl_Color color) {
  fl_font(font, size);
  fl_color(color);
  fl_push_clip(x, y, w, h);
  fl_draw(text.c_str(), x, y, w, h, align, nullptr, 0);
  fl_pop_clip();
}

namespace {

// One bevel: the top and left lines in one colour, then the bottom and right ones in another.
void Bevel(int x, int y, int w, int h, Fl_Color topLeft, Fl_Color bottomRight) {
  fl_color(topLeft);
  fl_xyline(x, y, x + w - 1);
  fl_yxline(x, y, y + h - 1);
  fl_color(bottomRight);
  fl_xyline(x, y + h - 1, x + w - 1);
  fl_yxline(x + w - 1, y, y + h - 1);
}

// The raised edge of a button: white and black outside, light and grey inside.
void RaisedEdge(int x, int y, int w, int h) {
  Bevel(x, y, w, h, kHighlight, kDarkShadow);
  Bevel(x + 1, y + 1, w - 2, h - 2, kLight, kShadow);
}

void Inset(int& x, int& y, int& w, int& h) {
  x += 1;
  y += 1;
  w -= 2;
  h -= 2;
}

// The focus mark: a dotted rectangle, every other pixel black, as Windows
// draws it inside the face of the focused button.
void FocusMark(int x, int y, int w, int h) {
  if (w < 2 || h < 2) return;
  fl_color(kDarkShadow);
  for (int i = x; i < x + w; ++i) {
    if (((i + y) & 1) == 0) fl_point(i, y);
    if (((i + y + h - 1) & 1) == 0) fl_point(i, y + h - 1);
  }
  for (int j = y + 1; j < y + h - 1; ++j) {
    if (((x + j) & 1) == 0) fl_point(x, j);
    if (((x + w - 1 + j) & 1) == 0) fl_point(x + w - 1, j);
  }
}

void Triangle(int cx, int cy, int size, bool up) {
  fl_color(kDarkShadow);
  for (int row = 0; row < size; ++row) {
    int half = up ? row : size - 1 - row;
    fl_xyline(cx - half, cy - size / 2 + row, cx + half);
  }
}

// ---- push button, group box, static text and icon --------------------------------

bool IsGroupBox(const PlatformWindow* control) {
  return control->className == "BUTTON" && (control->style & 0xFu) == BS_GROUPBOX;
}

// Only a push button hears the mouse, and a press gives it the focus; a
// group box lets clicks through to what it frames.
class Control : public Fl_Button {
 public:
  Control(PlatformWindow* control, Fl_Font font, int size)
      : Fl_Button(control->x, control->y, control->width, control->height), control_(control), font_(font),
        size_(size), button_(control->className == "BUTTON" && !IsGroupBox(control)) {
    visible_focus(0);
    if (button_) callback(Clicked, control);
  }
  int handle(int event) override {
    if (!button_) return 0;
    if (event == FL_PUSH && Fl::event_button() == FL_LEFT_MOUSE && Clickable(control_)) SetFocus(control_);
    return Fl_Button::handle(event);
  }
  void draw() override {
    if (button_) DrawButton();
    else if (IsGroupBox(control_)) DrawGroupBox();
    else DrawStatic();
  }

 private:
  static void Clicked(Fl_Widget*, void* data) {
    PlatformWindow* control = static_cast<PlatformWindow*>(data);
    if (Clickable(control))
      Post(control->parent, WM_COMMAND, MakeWParam((unsigned)control->id, BN_CLICKED), (intptr_t)control);
  }
  void DrawButton();
  void DrawGroupBox();
  void DrawStatic();

  PlatformWindow* control_;
  Fl_Font font_;
  int size_;
  bool button_;
};

// Held down by the mouse or by Space, it is drawn pressed; focused, it is the
// dialog's default button (Enter presses it) and shows the focus mark.
void Control::DrawButton() {
  int X = x(), Y = y(), W = w(), H = h();
  fl_color(kFace);
  fl_rectf(X, Y, W, H);
  if (W < 2 || H < 2) return;
  bool pressed = value() || control_->pushed;
  bool focused = Live(control_) && GetFocus() == control_;
  if ((control_->style & 0xFu) == BS_DEFPUSHBUTTON || pressed || focused) {   // the black outer frame
    fl_color(kDarkShadow);
    fl_rect(X, Y, W, H);
    Inset(X, Y, W, H);
  }
  int shift = 0;
  if (pressed) {
    fl_color(kShadow);
    fl_rect(X, Y, W, H);
    shift = 1;
  } else {
    RaisedEdge(X, Y, W, H);
  }
  if (Live(control_))
    DrawPlainText(control_->text, X + 2 + shift, Y + 2 + shift, W - 4, H - 4, FL_ALIGN_CENTER, font_,
                  size_, kDarkShadow);
  if (focused) FocusMark(X + 3, Y + 3, W - 6, H - 6);
}

void Control::DrawGroupBox() {
  fl_font(font_, size_);
  int textHeight = fl_height();
  int top = y() + textHeight / 2 - 1;
  int X = x(), W = w(), bottom = y() + h();
  // the etched frame: a grey line with a white one beside it
  fl_color(kShadow);
  fl_rect(X, top, W - 1, bottom - top - 1);
  fl_color(kHighlight);
  fl_xyline(X + 1, top + 1, X + W - 3);
  fl_yxline(X + 1, top + 1, bottom - 3);
  fl_xyline(X, bottom - 1, X + W - 1);
  fl_yxline(X + W - 1, top, bottom - 1);
  if (!Live(control_) || control_->text.empty()) return;
  int textWidth = (int)(fl_width(control_->text.c_str()) + 0.5);
  int inset = ScaledForDisplay(8), margin = ScaledForDisplay(2);
  int left = X + inset;
  int room = std::max(0, std::min(textWidth + 2 * margin, W - 2 * inset));
  fl_color(kFace);
  fl_rectf(left - margin, y(), room, textHeight);
  DrawPlainText(control_->text, left, y(), room, textHeight, FL_ALIGN_LEFT | FL_ALIGN_INSIDE, font_, size_,
                kDarkShadow);
}

// Left-aligned text (the program's statics are all left-aligned) or an icon.
void Control::DrawStatic() {
  if (!Live(control_)) return;
  int X = x(), Y = y(), W = w(), H = h();
  fl_color(kFace);
  fl_rectf(X, Y, W, H);
  if (control_->style & WS_BORDER) {   // the window border, outermost
    fl_color(kDarkShadow);
    fl_rect(X, Y, W, H);
    Inset(X, Y, W, H);
  }
  if (control_->style & SS_SUNKEN) {   // the half-sunken edge inside it
    Bevel(X, Y, W, H, kShadow, kHighlight);
    Inset(X, Y, W, H);
  }
  if (W <= 0 || H <= 0) return;
  if (control_->icon) {
    fl_push_clip(X, Y, W, H);
    DrawIcon(control_->icon, X, Y);
    fl_pop_clip();
    return;
  }
  DrawPlainText(control_->text, X, Y, W, H, FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_LEFT, font_,
                size_, kDarkShadow);
}

}  // namespace

Fl_Widget* MakeControlWidget(PlatformWindow* control, Fl_Font font, int size) {
  if (control->className == "SCROLLBAR") return new ScrollBar(control);
  return new Control(control, font, size);
}

// ---- vertical scroll bar ----------------------------------------------------
// Win32 semantics: the arrows request SB_LINEUP/SB_LINEDOWN, the trough
// SB_PAGEUP/SB_PAGEDOWN (once a press: the program acts on neither, so
// nothing repeats while they are held), the thumb SB_THUMBTRACK while dragged
// and SB_THUMBPOSITION when let go; every release ends with SB_ENDSCROLL. The
// stored position moves only by SetScrollPos; only a dragged thumb is drawn
// where the mouse holds it.
ScrollBar::ScrollBar(PlatformWindow* control)
    : Fl_Widget(control->x, control->y, control->width, control->height), control_(control) {
  visible_focus(0);
}

// Arrows and thumb of Windows' 16 pixels at 96 dpi, scaled as the dialog is.
int ScrollBar::ArrowSize() const { return std::min(ScaledForDisplay(16), h() / 2); }
int ScrollBar::ThumbSize() const {
  int trough = h() - 2 * ArrowSize();
  return trough >= ScaledForDisplay(8) ? std::min(ScaledForDisplay(16), trough) : 0;
}
int ScrollBar::Travel() const { return std::max(0, h() - 2 * ArrowSize() - ThumbSize()); }

int ScrollBar::ThumbTopFor(int position) const {
  int lo = control_->scrollMin, hi = control_->scrollMax;
  if (hi <= lo) return ArrowSize();
  position = std::max(lo, std::min(hi, position));
  return ArrowSize() + MulDiv(position - lo, Travel(), hi - lo);
}

int ScrollBar::PositionForThumbTop(int top) const {
  int lo = control_->scrollMin, hi = control_->scrollMax;
  int offset = std::max(0, std::min(Travel(), top - ArrowSize()));
  if (hi <= lo || Travel() == 0) return lo;
  return lo + MulDiv(offset, hi - lo, Travel());
}

ScrollBar::Zone ScrollBar::ZoneAt(int ey) const {
  int rel = ey - y();
  if (rel < 0 || rel >= h()) return NoZone;
  if (rel < ArrowSize()) return LineUp;
  if (rel >= h() - ArrowSize()) return LineDown;
  if (!ThumbSize()) return NoZone;
  int top = ThumbTopFor(control_->scrollPos);
  if (rel < top) return PageUp;
  if (rel >= top + ThumbSize()) return PageDown;
  return Thumb;
}

void ScrollBar::Request(unsigned request, int position) {
  if (!Live(control_) || !Live(control_->parent)) return;
  Post(control_->parent, WM_VSCROLL, MakeWParam(request, (unsigned)position), (intptr_t)control_);
}

int ScrollBar::handle(int event) {
  if (!Live(control_)) return 0;
  switch (event) {
    case FL_PUSH: {
      if (Fl::event_button() != FL_LEFT_MOUSE || pressed_ != NoZone) return 1;
      pressed_ = ZoneAt(Fl::event_y());
      switch (pressed_) {
        case LineUp: Request(SB_LINEUP, 0); break;
        case LineDown: Request(SB_LINEDOWN, 0); break;
        case PageUp: Request(SB_PAGEUP, 0); break;
        case PageDown: Request(SB_PAGEDOWN, 0); break;
        case Thumb:
          trackTop_ = ThumbTopFor(control_->scrollPos);
          trackPosition_ = control_->scrollPos;
          grabOffset_ = Fl::event_y() - y() - trackTop_;
          break;
        case NoZone: break;
      }
      return 1;
    }
    case FL_DRAG:
      if (pressed_ == Thumb) {
        int top = std::max(ArrowSize(), std::min(ArrowSize() + Travel(), Fl::event_y() - y() - grabOffset_));
        if (top != trackTop_) {
          trackTop_ = top;
          redraw();
        }
        int position = PositionForThumbTop(top);
        if (position != trackPosition_) {
          trackPosition_ = position;
          Request(SB_THUMBTRACK, position);
        }
      }
      return 1;
    case FL_RELEASE:
      if (Fl::event_button() != FL_LEFT_MOUSE || pressed_ == NoZone) return 1;
      if (pressed_ == Thumb) Request(SB_THUMBPOSITION, trackPosition_);
      pressed_ = NoZone;
      Request(SB_ENDSCROLL, 0);
      redraw();
      return 1;
    case FL_ENTER:
    case FL_LEAVE:
    case FL_MOVE:
      return 1;
    default:
      return Fl_Widget::handle(event);
  }
}

void ScrollBar::draw() {
  if (!Live(control_)) return;
  int X = x(), Y = y(), W = w(), H = h();
  int arrow = ArrowSize();
  fl_color(fl_rgb_color(224, 224, 224));   // the trough
  fl_rectf(X, Y, W, H);
  for (int i = 0; i < 2; ++i) {
    bool up = i == 0;
    int top = up ? Y : Y + H - arrow;
    fl_color(kFace);
    fl_rectf(X, top, W, arrow);
    RaisedEdge(X, top, W, arrow);
    Triangle(X + W / 2, top + arrow / 2, std::max(1, std::min(W, arrow) / 4), up);
  }
  if (ThumbSize()) {
    int top = pressed_ == Thumb ? trackTop_ : ThumbTopFor(control_->scrollPos);
    fl_color(kFace);
    fl_rectf(X, Y + top, W, ThumbSize());
    RaisedEdge(X, Y + top, W, ThumbSize());
  }
}
