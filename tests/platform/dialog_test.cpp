// Dialogs on the FLTK backend: the fonts' base units, templates on the
// screen, the controls drawn, their notifications, the scroll bar's requests,
// painting through the queue with BeginPaint and StretchBlt. Templates to
// pixels, the controls' state and the message box's answer are every
// backend's, tested in tests/contract.
#include "tests/platform/support.h"
#include "platform/x11/controls.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>
#include <X11/keysym.h>

namespace {

WindowHandle bar = nullptr;
bool paintLegend = false;

intptr_t TestDialogProc(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t lParam) {
  Hear(dialog, message, wParam, lParam);
  switch (message) {
    case WM_INITDIALOG:
      bar = GetDlgItem(dialog, 1039);
      SetScrollRange(bar, SB_CTL, 0, 255, 0);
      SetScrollPos(bar, SB_CTL, 128, 0);
      return 0;
    case WM_PAINT: {
      PaintStruct paint;
      DeviceContext dc = BeginPaint(dialog, &paint);
      if (paintLegend) {
        // the 4 x 2 bitmap doubled into (5, 0) .. (12, 3)
        BitmapHandle bitmap = LoadBitmap(ProgramInstance(), 104);
        DeviceContext memory = CreateCompatibleDC(dc);
        SelectObject(memory, bitmap);
        StretchBlt(dc, 5, 0, 8, 4, memory, 0, 0, 4, 2, SRCCOPY);
        DeleteDC(memory);
      }
      EndPaint(dialog, &paint);
      return 0;
    }
  }
  return 0;
}

class DialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { OpenDisplayForTests(); }
  void SetUp() override {
    heard.clear();
    paintLegend = false;
  }
  void TearDown() override {
    Button(1, false);
    if (Live(panel)) EndDialog(panel, 0);
    Drain();
  }
  void OpenPanel() {
    panel = CreateDialogParam(ProgramInstance(), "Panel", nullptr, TestDialogProc, 42);
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(WaitViewable(panel));
    Drain();
  }
  // A control's rectangle on the screen.
  void ScreenRect(WindowHandle control, int* x, int* y, int* w, int* h) {
    int ox, oy;
    ClientOrigin(panel, &ox, &oy);
    *x = ox + control->native->widget->x();
    *y = oy + control->native->widget->y();
    *w = control->native->widget->w();
    *h = control->native->widget->h();
  }
  const Heard* NextScroll(size_t from) {
    if (!PumpUntil([&] {
          for (size_t i = from; i < heard.size(); ++i)
            if (heard[i].message == WM_VSCROLL) return true;
          return false;
        }, 5.0))
      return nullptr;
    for (size_t i = from; i < heard.size(); ++i)
      if (heard[i].message == WM_VSCROLL) return &heard[i];
    return nullptr;
  }
  std::vector<Heard> Scrolls() {
    std::vector<Heard> out;
    for (const Heard& s : heard)
      if (s.message == WM_VSCROLL) out.push_back(s);
    return out;
  }
  WindowHandle panel = nullptr;
};

TEST_F(DialogTest, ArialAtTenPointsMeasuresLikeWindowsArial) {
  OpenDisplayForTests();
  int arialSize = 0, blackSize = 0;
  DialogBaseUnits arial = BaseUnitsOfFont("Arial", 10, &arialSize);
  EXPECT_EQ(arialSize, 13);
  // Arial's 52 letters at 13 pixels are 394 pixels wide: (394 / 26 + 1) / 2 = 8.
  // Liberation Sans has Arial's widths; ascent 12 and descent 3 make 15.
  EXPECT_EQ(arial.x, 8);
  EXPECT_EQ(arial.y, 15);
  DialogBaseUnits black = BaseUnitsOfFont("Arial Black", 9, &blackSize);
  EXPECT_EQ(blackSize, 12);
  EXPECT_GT(black.x * 1.0 / blackSize, arial.x * 1.0 / arialSize) << "the stand-in is broader";
}

// What a desktop at 150 or 200 % puts in the display's resources, and what
// a mistyped value becomes.
TEST(DisplayDpiTest, XftDpiIsReadFromTheResourcesAndHeldToWhatAScreenNeeds) {
  EXPECT_EQ(DpiOfResources(nullptr), 96);
  EXPECT_EQ(DpiOfResources(""), 96);
  EXPECT_EQ(DpiOfResources("Xft.antialias: 1\nXcursor.size: 48\n"), 96);
  EXPECT_EQ(DpiOfResources("Xft.antialias: 1\nXft.dpi: 192\nXft.hinting: 1\n"), 192);
  EXPECT_EQ(DpiOfResources("Xft.dpi:\t144\n"), 144);
  EXPECT_EQ(DpiOfResources("Xft.dpi: 120.5  "), 121) << "rounded";
  EXPECT_EQ(DpiOfResources("Xft.dpi: 96000"), 480);
  EXPECT_EQ(DpiOfResources("Xft.dpi: 10"), 48);
  for (const char* unset : {"Xft.dpi: lots", "Xft.dpi: 192px", "Xft.dpi: -192", "Xft.dpi: 0", "Xft.dpi: nan",
                            "Xft.dpi: inf", "Xft.dpi:"})
    EXPECT_EQ(DpiOfResources(unset), 96) << unset;
}

TEST_F(DialogTest, HiddenControlsExistButAreNeverShownAndTheIconTakesItsSize) {
  OpenPanel();
  WindowHandle hidden = GetDlgItem(panel, 1022);
  ASSERT_NE(hidden, nullptr);
  EXPECT_FALSE(hidden->native->widget->visible());
  EXPECT_TRUE(GetDlgItem(panel, 1008)->native->widget->visible());
  EXPECT_EQ(GetDlgItem(nullptr, 1008), nullptr);
  WindowHandle icon = nullptr;
  for (WindowHandle c : panel->controls)
    if (c->icon != nullptr) icon = c;
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->native->widget->w(), 32 + 4) << "the icon's size plus border and sunken edge";
  EXPECT_EQ(icon->native->widget->h(), 32 + 4);
  // transparent left half shows the face, the right half the icon's red
  EXPECT_EQ(PixelAt(panel, icon->native->widget->x() + 2 + 4, icon->native->widget->y() + 2 + 10), 0xC0C0C0ul);
  EXPECT_EQ(PixelAt(panel, icon->native->widget->x() + 2 + 24, icon->native->widget->y() + 2 + 10), 0xFF0000ul);
}

TEST_F(DialogTest, APressedButtonPostsItsCommand) {
  OpenPanel();
  WindowHandle button = GetDlgItem(panel, 1008);
  int x, y, w, h;
  ScreenRect(button, &x, &y, &w, &h);
  MovePointer(x + w / 2, y + h / 2);
  Button(1, true);
  Button(1, false);
  ASSERT_TRUE(PumpUntil([&] { return CountHeard(WM_COMMAND, panel) == 1; }));
  const Heard* command = LastHeard(WM_COMMAND, panel);
  EXPECT_EQ(LoWord(command->wParam), 1008u);
  EXPECT_EQ(HiWord(command->wParam), (unsigned)BN_CLICKED);
  EXPECT_EQ((WindowHandle)command->lParam, button);
  EXPECT_EQ(GetFocus(), button) << "the press gave it the focus";
  // Enter and Tab are the dialog manager's (IsDialogMessage), which this
  // pump leaves out; Space is the focused button's own.
  for (unsigned long key : {XK_Return, XK_Tab}) {
    Key(key, true);
    Key(key, false);
  }
  PumpFor(0.3);
  EXPECT_EQ(CountHeard(WM_COMMAND, panel), 1);
  EXPECT_EQ(GetFocus(), button);
  Key(XK_space, true);
  Key(XK_space, false);
  EXPECT_TRUE(PumpUntil([&] { return CountHeard(WM_COMMAND, panel) == 2; }));
}

TEST_F(DialogTest, ScrollBarArrowsAndTroughRequestWithoutMovingTheThumb) {
  OpenPanel();
  ASSERT_EQ(bar, GetDlgItem(panel, 1039));
  int x, y, w, h;
  ScreenRect(bar, &x, &y, &w, &h);
  ScrollBar* widget = static_cast<ScrollBar*>(bar->native->widget);
  int arrow = widget->ArrowSize();
  struct Case { int atY; unsigned request; } cases[] = {
      {arrow / 2, SB_LINEUP},
      {h - arrow / 2 - 1, SB_LINEDOWN},
      {widget->ThumbTopFor(128) - 2, SB_PAGEUP},
      {widget->ThumbTopFor(128) + widget->ThumbSize() + 2, SB_PAGEDOWN},
  };
  for (const Case& c : cases) {
    heard.clear();
    MovePointer(x + w / 2, y + c.atY);
    Button(1, true);
    const Heard* first = NextScroll(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LoWord(first->wParam), c.request);
    EXPECT_EQ((WindowHandle)first->lParam, bar);
    PumpFor(0.3);   // held
    Button(1, false);
    ASSERT_TRUE(PumpUntil([&] {
      std::vector<Heard> s = Scrolls();
      return !s.empty() && LoWord(s.back().wParam) == SB_ENDSCROLL;
    }));
    EXPECT_EQ(Scrolls().size(), 2u) << "one request a press, held or not, then the end";
  }
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 128, 1), 128) << "only SetScrollPos moves the thumb";
}

TEST_F(DialogTest, DraggingTheThumbTracksAndEndsWithItsPosition) {
  OpenPanel();
  int x, y, w, h;
  ScreenRect(bar, &x, &y, &w, &h);
  ScrollBar* widget = static_cast<ScrollBar*>(bar->native->widget);
  int grab = widget->ThumbTopFor(128) + widget->ThumbSize() / 2;
  struct Case { int toY; int expected; } cases[] = {{-60, 0}, {h + 60, 255}};
  for (const Case& c : cases) {
    heard.clear();
    MovePointer(x + w / 2, y + grab);
    Button(1, true);
    PumpFor(0.05);
    MovePointer(x + w / 2, y + grab + (c.toY < grab ? -8 : 8));
    PumpFor(0.05);
    MovePointer(x + w / 2, y + c.toY);
    ASSERT_TRUE(PumpUntil([&] {
      std::vector<Heard> s = Scrolls();
      return !s.empty() && LoWord(s.back().wParam) == SB_THUMBTRACK && (int)HiWord(s.back().wParam) == c.expected;
    }));
    Button(1, false);
    ASSERT_TRUE(PumpUntil([&] {
      std::vector<Heard> s = Scrolls();
      return !s.empty() && LoWord(s.back().wParam) == SB_ENDSCROLL;
    }));
    std::vector<Heard> s = Scrolls();
    ASSERT_GE(s.size(), 3u);
    EXPECT_EQ(LoWord(s[s.size() - 2].wParam), SB_THUMBPOSITION);
    EXPECT_EQ((int)HiWord(s[s.size() - 2].wParam), c.expected);
    int tracks = 0;
    for (const Heard& m : s) tracks += LoWord(m.wParam) == SB_THUMBTRACK;
    EXPECT_GE(tracks, 2) << "tracking reports the thumb while it moves";
    EXPECT_EQ(SetScrollPos(bar, SB_CTL, 128, 0), 128);
  }
}

// The face and the controls are FLTK's; the procedure paints over the face
// when the queue hands it WM_PAINT, after each expose of the face.
TEST_F(DialogTest, PaintingThroughTheQueueDrawsTheBitmapOverTheFace) {
  paintLegend = true;
  OpenPanel();
  struct Case { int x, y; unsigned long rgb; } cases[] = {
      {5, 0, 0xFF0000}, {6, 1, 0xFF0000}, {7, 0, 0x00FF00}, {9, 1, 0x0000FF}, {11, 0, 0xFFFFFF},
      {5, 2, 0x000000}, {7, 3, 0x808080}, {9, 2, 0xFFFF00}, {12, 3, 0x00FFFF}, {4, 0, 0xC0C0C0}, {13, 0, 0xC0C0C0},
  };
  for (const Case& c : cases) EXPECT_EQ(PixelAt(panel, c.x, c.y), c.rgb) << c.x << ", " << c.y;
  // Uncovering the dialog paints it again.
  int before = CountHeard(WM_PAINT, panel);
  XClearArea(PlatformDisplay(), XWindowOf(panel), 0, 0, 0, 0, True);
  ASSERT_TRUE(PumpUntil([&] { return CountHeard(WM_PAINT, panel) > before; }));
  EXPECT_EQ(PixelAt(panel, 9, 1), 0x0000FFul);

  // A control drawn again (pressed and let go) leaves the painting alone.
  int paints = CountHeard(WM_PAINT, panel);
  int x, y, w, h;
  ScreenRect(GetDlgItem(panel, 1008), &x, &y, &w, &h);
  MovePointer(x + w / 2, y + h / 2);
  Button(1, true);
  Button(1, false);
  ASSERT_TRUE(PumpUntil([&] { return CountHeard(WM_COMMAND, panel) == 1; }));
  Drain();
  EXPECT_EQ(PixelAt(panel, 9, 1), 0x0000FFul);
  EXPECT_EQ(CountHeard(WM_PAINT, panel), paints) << "a button's own redraw asks the dialog for no paint";
}

}  // namespace
