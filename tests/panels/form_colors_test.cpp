// The form colours panel: seven bars that set the diffuse colours and the
// alpha, moved only by their thumbs; what survives closing and reopening.
#include <vector>

#include "panels/panels.h"
#include "panels/resource_ids.h"
#include "render/lighting.h"
#include "render/redraw.h"
#include "tests/support/program_state.h"

namespace {

class FormColors : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    window = OpenMainWindow(32);
    main = OpenMainPanel(window);
    Reopen();
  }
  void Reopen() {
    SendTo(main, WM_COMMAND, MakeWParam(IDC_OPEN_FORM_COLORS, BN_CLICKED), 0);
    ASSERT_NE(formColorsPanel, nullptr);
  }
  WindowHandle Bar(int id) { return GetDlgItem(formColorsPanel, id); }
  intptr_t Drag(int id, unsigned request, int position) {
    return SendTo(formColorsPanel, WM_VSCROLL, MakeWParam(request, (unsigned)position),
                          (intptr_t)Bar(id));
  }
  // The seven values in bar order: front red, green, blue, back red, green, blue, alpha.
  std::vector<float> Colours() {
    return {frontDiffuse[0], frontDiffuse[1], frontDiffuse[2], backDiffuse[0],
            backDiffuse[1],  backDiffuse[2],  materialAlpha};
  }
  WindowHandle window = nullptr, main = nullptr;
};

TEST_F(FormColors, AtStartEveryBarShows128AndEveryColourIsAHalf) {
  for (int id = IDC_FRONT_RED; id <= IDC_ALPHA; ++id) {
    SCOPED_TRACE(id);
    PlatformWindow bar = headless::Describe(Bar(id));
    EXPECT_EQ(bar.scrollMin, 0);
    EXPECT_EQ(bar.scrollMax, 255);
    EXPECT_EQ(bar.scrollPos, 128);
  }
  EXPECT_EQ(Colours(), std::vector<float>(7, 0.5f));
}

TEST_F(FormColors, EachBarSetsItsOwnColourFromTheThumb) {
  struct Case {
    unsigned request;
    int position;
    float value;
  };
  const Case cases[] = {{SB_THUMBTRACK, 0, 0.0f}, {SB_THUMBPOSITION, 128, 0.5f}, {SB_THUMBTRACK, 255, 0.99609375f},
                        {SB_THUMBPOSITION, 64, 0.25f}};
  for (int k = 0; k < 7; ++k) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "bar " << IDC_FRONT_RED + k << " at " << c.position);
      ResetProgramState();
      SetUp();
      redrawHook = nullptr;
      EXPECT_EQ(Drag(IDC_FRONT_RED + k, c.request, c.position), 1);
      std::vector<float> expected(7, 0.5f);
      expected[k] = c.value;
      EXPECT_EQ(Colours(), expected);
      EXPECT_EQ(sliderPos[k], c.position);
      EXPECT_EQ(headless::Describe(Bar(IDC_FRONT_RED + k)).scrollPos, c.position);
      EXPECT_TRUE(RedrawRequested());
    }
  }
}

TEST_F(FormColors, ArrowsTroughAndEndOfScrollChangeNothing) {
  const unsigned requests[] = {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_TOP, SB_BOTTOM, SB_ENDSCROLL};
  for (unsigned request : requests) {
    SCOPED_TRACE(request);
    redrawHook = nullptr;
    EXPECT_EQ(Drag(IDC_FRONT_RED, request, 10), 0);
    EXPECT_EQ(Colours(), std::vector<float>(7, 0.5f));
    EXPECT_EQ(sliderPos[0], 128);
    EXPECT_EQ(headless::Describe(Bar(IDC_FRONT_RED)).scrollPos, 128);
    EXPECT_FALSE(RedrawRequested());
  }
}

TEST_F(FormColors, AfterReopeningTheThumbsShow128WhileTheColoursKeepTheirValues) {
  Drag(IDC_FRONT_BLUE, SB_THUMBPOSITION, 10);   // front blue
  Drag(IDC_ALPHA, SB_THUMBTRACK, 200);     // alpha
  ASSERT_TRUE(headless::Click(Bar(1)));
  EXPECT_EQ(formColorsPanel, nullptr);
  Reopen();

  for (int id = IDC_FRONT_RED; id <= IDC_ALPHA; ++id) EXPECT_EQ(headless::Describe(Bar(id)).scrollPos, 128) << id;
  EXPECT_EQ(frontDiffuse[2], 10 * 0.00390625f);
  EXPECT_EQ(materialAlpha, 200 * 0.00390625f);
  EXPECT_EQ(sliderPos[2], 10);

  // The next move recomputes all seven from the positions held, not from the thumbs shown.
  Drag(IDC_FRONT_RED, SB_THUMBTRACK, 255);
  EXPECT_EQ(frontDiffuse[0], 0.99609375f);
  EXPECT_EQ(frontDiffuse[2], 10 * 0.00390625f);
  EXPECT_EQ(materialAlpha, 200 * 0.00390625f);
}

TEST_F(FormColors, TheCloseBoxEndsThePanelLikeOk) {
  WindowHandle panel = formColorsPanel;
  EXPECT_EQ(SendTo(panel, WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(formColorsPanel, nullptr);
  EXPECT_FALSE(Live(panel));
}

TEST_F(FormColors, AScrollMessageFromAnyOtherControlIsIgnored) {
  struct Case {
    const char* what;
    intptr_t control;
  };
  const Case cases[] = {
      {"the OK button", (intptr_t)GetDlgItem(formColorsPanel, 1)},
      {"a button of the main panel", (intptr_t)GetDlgItem(main, IDC_BOUNDARY_3_3)},
      {"no control", 0},
      {"the panel itself", (intptr_t)formColorsPanel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    redrawHook = nullptr;
    EXPECT_EQ(SendTo(formColorsPanel, WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 7), c.control), 0);
    EXPECT_EQ(Colours(), std::vector<float>(7, 0.5f));
    EXPECT_EQ(std::vector<int>(sliderPos, sliderPos + 7), std::vector<int>(7, 128));
    EXPECT_FALSE(RedrawRequested());
  }
}

TEST_F(FormColors, AThumbPositionBeyondTheRangeCountsAsTheEnd) {
  const int positions[] = {256, 300, 0xFFFF};
  for (int position : positions) {
    SCOPED_TRACE(position);
    EXPECT_EQ(Drag(IDC_BACK_RED, SB_THUMBTRACK, position), 1);
    EXPECT_EQ(sliderPos[3], 255);
    EXPECT_EQ(backDiffuse[0], 0.99609375f) << "a colour never reaches 1.0";
    EXPECT_EQ(headless::Describe(Bar(IDC_BACK_RED)).scrollPos, 255);
  }
}

}  // namespace
