// The dialog controls drawn the way Windows draws them: push buttons, group
// boxes, static texts and icons, vertical scroll bars; each reads the core's
// record of its control. Relies on x11.h and FLTK 1.3.
#pragma once

#include "platform/x11/x11.h"

#include <FL/Fl_Widget.H>

#include <string>

// The dialog face of the classic Windows look.
extern const Fl_Color kFace;

// Text without FLTK's '@' symbols and '&' shortcuts: exactly the program's text.
void DrawPlainText(const std::string& text, int x, int y, int w, int h, Fl_Align align, Fl_Font font,
                   int size, Fl_Color color);

// The widget that draws a dialog control (and, for a push button, posts its
// BN_CLICKED): a scroll bar, a push button, a group box, or for any other
// class an inert static text or icon.
Fl_Widget* MakeControlWidget(PlatformWindow* control, Fl_Font font, int size);

class ScrollBar : public Fl_Widget {
 public:
  explicit ScrollBar(PlatformWindow* control);
  void draw() override;
  int handle(int event) override;

  // Geometry, in widget pixels from the top: arrow height, thumb height, thumb travel.
  int ArrowSize() const;
  int ThumbSize() const;
  int Travel() const;
  int ThumbTopFor(int position) const;     // relative to y()
  int PositionForThumbTop(int top) const;  // relative to y()

 private:
  enum Zone { NoZone, LineUp, PageUp, Thumb, PageDown, LineDown };
  Zone ZoneAt(int ey) const;
  void Request(unsigned request, int position);

  PlatformWindow* control_;
  Zone pressed_ = NoZone;
  int grabOffset_ = 0;
  int trackTop_ = 0;
  int trackPosition_ = 0;
};
