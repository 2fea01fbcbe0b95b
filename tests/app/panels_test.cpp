// The three control panels driven through their messages on the headless
// platform: restarts, hidden commands, the options switches, the colour
// sliders, the legend and what the templates show.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/app/program_fixture.h"

namespace {

class Panels : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    main = OpenMainWindow();
    panel = OpenMainPanel(main);
    ASSERT_NE(panel, nullptr);
  }
  WindowHandle main = nullptr;
  WindowHandle panel = nullptr;
};

TEST_F(Panels, EachBoundaryButtonRestartsTheRunAtItsTemperature) {
  const struct { int id; double temperature; } cases[] = {{1008, 2.3}, {1009, 3.3}, {1019, 4.0}};
  for (const auto& c : cases) {
    for (int i = 0; i < 45; ++i) headless::Send(main, WM_TIMER, 1, 0);
    ASSERT_EQ(elapsedSeconds, 2);
    redrawHook = nullptr;
    ASSERT_TRUE(headless::Click(headless::FindControl(panel, c.id)));
    EXPECT_EQ(boundaryTemp, c.temperature);
    EXPECT_EQ(tickCount, 0);
    EXPECT_EQ(elapsedSeconds, 2) << "the counter changes only at the next tick";
    for (int i = 0; i < 11; ++i) EXPECT_EQ(tempGrid[10][i], 1.0) << "the grid is back at its start";
    EXPECT_EQ(tempGrid[11][5], c.temperature);
    EXPECT_EQ(redrawHook, IdleRedraw);
    headless::Send(main, WM_TIMER, 1, 0);
    EXPECT_EQ(elapsedSeconds, 0);
  }
}

TEST_F(Panels, PressingTheSameButtonTwiceRestartsTwice) {
  Command(panel, 1009);
  for (int i = 0; i < 30; ++i) headless::Send(main, WM_TIMER, 1, 0);
  Command(panel, 1009);
  EXPECT_EQ(tempGrid[10][0], 1.0);
  EXPECT_EQ(tickCount, 0);
  EXPECT_EQ(boundaryTemp, 3.3);
}

TEST_F(Panels, OnlyTheButtonsHintIconAndCreditAreShown) {
  std::set<std::string> shown, hidden;
  for (WindowHandle control : headless::Controls(panel)) {
    headless::WindowInfo info = headless::Describe(control);
    ((info.style & WS_VISIBLE) ? shown : hidden).insert(info.text);
  }
  EXPECT_EQ(shown, (std::set<std::string>{"0.4", "0.75", "1.0", "boundary temp",
                                          "touch and move the image by the mouse",
                                          "soft by Dravelin", "#32512"}));
  EXPECT_EQ(hidden.size(), 13u);
  EXPECT_TRUE(hidden.count("camara -  -"));
  EXPECT_TRUE(hidden.count("color scales "));
  EXPECT_EQ(headless::Describe(panel).text, "temperature color scales ");
  EXPECT_FALSE(headless::Click(headless::FindControl(panel, 1032))) << "a hidden button cannot be clicked";
}

TEST_F(Panels, HiddenColourScaleCommandsStillChooseTheScale) {
  const struct { int id, scale; } cases[] = {{1033, 1}, {1021, 2}, {1022, 0}};
  for (const auto& c : cases) {
    redrawHook = nullptr;
    EXPECT_EQ(Command(panel, c.id), 0);
    EXPECT_EQ(colorScale, c.scale);
    EXPECT_EQ(redrawHook, IdleRedraw);
  }
}

TEST_F(Panels, CameraButtonsMoveTheEyeAndRestoreTheOrientation) {
  Command(panel, 1030);
  EXPECT_EQ(cameraDistance, 5.0f + 0.4f);
  EXPECT_EQ(restoreRotation, 1);
  GLfloat modelview[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  EXPECT_FLOAT_EQ(modelview[14], -(5.0f + 0.4f) - 0.7f);
  Command(panel, 1031);
  Command(panel, 1031);
  EXPECT_FLOAT_EQ(cameraDistance, 4.6f);
  EXPECT_EQ(restoreRotation, 1) << "toggled three times";
}

TEST_F(Panels, ShapeAndUnknownCommandsChangeNothing) {
  for (int id : {1020, 1034, 1035, 1036, 1037}) {
    redrawHook = nullptr;
    Command(panel, id);
    EXPECT_EQ(redrawHook, IdleRedraw) << id;
  }
  redrawHook = nullptr;
  Command(panel, 4242);
  EXPECT_EQ(redrawHook, nullptr);
  EXPECT_EQ(boundaryTemp, 2.3);
  EXPECT_EQ(colorScale, 0);
  EXPECT_EQ(cameraDistance, 5.0f);
}

TEST_F(Panels, OptionsPanelOpensOnceAtMostAndAgainAfterClosing) {
  Command(panel, 1032);
  WindowHandle first = optionsPanel;
  ASSERT_NE(first, nullptr);
  Command(panel, 1032);
  EXPECT_EQ(optionsPanel, first) << "a second command opens no second panel";
  EXPECT_EQ(headless::Describe(first).text, "OPCIONES ");
  headless::Click(headless::FindControl(first, 1));
  EXPECT_EQ(optionsPanel, nullptr);
  EXPECT_FALSE(headless::IsAlive(first));

  Command(panel, 1032);
  WindowHandle second = optionsPanel;
  ASSERT_NE(second, nullptr);
  headless::Send(second, WM_CLOSE, 0, 0);
  EXPECT_EQ(optionsPanel, nullptr);
  EXPECT_FALSE(headless::IsAlive(second));
}

TEST_F(Panels, OptionsSwitchFogAndLightsBackAndForth) {
  Command(panel, 1032);
  WindowHandle options = optionsPanel;
  headless::Click(headless::FindControl(options, 1006));
  EXPECT_EQ(fogOn, 1);
  headless::Click(headless::FindControl(options, 1006));
  EXPECT_EQ(fogOn, 0);
  headless::Click(headless::FindControl(options, 1018));
  EXPECT_EQ(lightingOn, 0);
  redrawHook = nullptr;
  headless::Click(headless::FindControl(options, 1046));
  EXPECT_EQ(redrawHook, IdleRedraw) << "transparency only redraws";
  EXPECT_EQ(lightingOn, 0);
  EXPECT_EQ(fogOn, 0);
  headless::Click(headless::FindControl(options, 1));
  Command(panel, 1032);
  EXPECT_EQ(lightingOn, 0) << "the switches survive closing the panel";
}

intptr_t Scroll(WindowHandle dialog, int id, unsigned request, int position) {
  return headless::Send(dialog, WM_VSCROLL, MakeWParam(request, (unsigned)position),
                        (intptr_t)headless::FindControl(dialog, id));
}

TEST_F(Panels, ColourSlidersStartAtTheMiddle) {
  Command(panel, 1038);
  ASSERT_NE(formColorsPanel, nullptr);
  EXPECT_EQ(headless::Describe(formColorsPanel).text, "FORM'S COLORS");
  for (int id = 1039; id <= 1045; ++id) {
    headless::WindowInfo bar = headless::Describe(headless::FindControl(formColorsPanel, id));
    EXPECT_EQ(bar.scrollMin, 0);
    EXPECT_EQ(bar.scrollMax, 255);
    EXPECT_EQ(bar.scrollPos, 128);
  }
  EXPECT_EQ(frontDiffuse[0], 0.5f);
}

TEST_F(Panels, DraggingAThumbSetsItsColour) {
  Command(panel, 1038);
  WindowHandle colors = formColorsPanel;
  const struct { int id; unsigned request; int position; float* value; float expected; } cases[] = {
      {1039, SB_THUMBTRACK, 0, &frontDiffuse[0], 0.0f},
      {1039, SB_THUMBPOSITION, 255, &frontDiffuse[0], 0.99609375f},
      {1041, SB_THUMBTRACK, 64, &frontDiffuse[2], 0.25f},
      {1043, SB_THUMBTRACK, 192, &backDiffuse[1], 0.75f},
      {1045, SB_THUMBTRACK, 1, &materialAlpha, 0.00390625f},
  };
  for (const auto& c : cases) {
    redrawHook = nullptr;
    EXPECT_EQ(Scroll(colors, c.id, c.request, c.position), 1);
    EXPECT_EQ(*c.value, c.expected) << c.id;
    EXPECT_EQ(headless::Describe(headless::FindControl(colors, c.id)).scrollPos, c.position);
    EXPECT_EQ(redrawHook, IdleRedraw);
  }
  EXPECT_EQ(backDiffuse[0], 0.5f) << "untouched bars keep their colour";
}

TEST_F(Panels, ArrowsAndTroughMoveNoThumb) {
  Command(panel, 1038);
  WindowHandle colors = formColorsPanel;
  for (unsigned request : {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_TOP, SB_BOTTOM, SB_ENDSCROLL}) {
    EXPECT_EQ(Scroll(colors, 1040, request, 7), 0);
    EXPECT_EQ(frontDiffuse[1], 0.5f);
    EXPECT_EQ(headless::Describe(headless::FindControl(colors, 1040)).scrollPos, 128);
  }
}

TEST_F(Panels, ScrollFromAnUnknownControlIsIgnored) {
  Command(panel, 1038);
  WindowHandle colors = formColorsPanel;
  // The OK button (id 1) and a foreign control have no place among the seven bars.
  EXPECT_EQ(Scroll(colors, 1, SB_THUMBTRACK, 10), 0);
  EXPECT_EQ(headless::Send(colors, WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 10),
                           (intptr_t)headless::FindControl(panel, 1008)), 0);
  for (int p : sliderPos) EXPECT_EQ(p, 128);
}

TEST_F(Panels, ReopenedColoursPanelShowsMiddleThumbsButKeepsTheColours) {
  Command(panel, 1038);
  Scroll(formColorsPanel, 1042, SB_THUMBTRACK, 0);
  headless::Click(headless::FindControl(formColorsPanel, 1));
  EXPECT_EQ(formColorsPanel, nullptr);
  Command(panel, 1038);
  ASSERT_NE(formColorsPanel, nullptr);
  EXPECT_EQ(headless::Describe(headless::FindControl(formColorsPanel, 1042)).scrollPos, 128);
  EXPECT_EQ(backDiffuse[0], 0.0f);
  Scroll(formColorsPanel, 1039, SB_THUMBTRACK, 255);
  EXPECT_EQ(backDiffuse[0], 0.0f) << "recomputed from the stored positions, not the thumbs";
  headless::Send(formColorsPanel, WM_CLOSE, 0, 0);
  EXPECT_EQ(formColorsPanel, nullptr);
}

TEST_F(Panels, LegendIsPaintedOneToOneBesideTheButtons) {
  ASSERT_NE(scaleBitmap, nullptr);
  EXPECT_EQ(scaleBitmapWidth, 95);
  EXPECT_EQ(scaleBitmapHeight, 200);
  EXPECT_TRUE(headless::MessageBoxes().empty());
  const size_t before = headless::StretchBltCalls().size();
  headless::Send(panel, WM_PAINT, 0, 0);
  ASSERT_EQ(headless::StretchBltCalls().size(), before + 1);
  const headless::StretchBltCall& call = headless::StretchBltCalls().back();
  EXPECT_EQ(call.destinationWindow, panel);
  EXPECT_EQ(call.x, 5);
  EXPECT_EQ(call.y, 0);
  EXPECT_EQ(call.width, 95);
  EXPECT_EQ(call.height, 200);
  EXPECT_EQ(call.sourceBitmap, scaleBitmap);
  EXPECT_EQ(call.sourceWidth, 95);
  EXPECT_EQ(call.sourceHeight, 200);
  EXPECT_EQ(call.rasterOperation, (unsigned)SRCCOPY);
}

TEST(PanelsWithoutLegend, MissingBitmapIsReportedOnceAndThePanelWorksOn) {
  ResetProgramState();
  headless::SetBitmapMissing(104, true);
  WindowHandle main = OpenMainWindow();
  WindowHandle panel = OpenMainPanel(main);
  ASSERT_NE(panel, nullptr);
  ASSERT_EQ(headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(headless::MessageBoxes()[0].text, "  no cargo ima  ");
  EXPECT_EQ(headless::MessageBoxes()[0].caption, " aviso");
  EXPECT_EQ(headless::MessageBoxes()[0].style, (unsigned)MB_OK);
  EXPECT_EQ(headless::MessageBoxes()[0].owner, nullptr);
  headless::Send(panel, WM_PAINT, 0, 0);
  headless::Send(panel, WM_SIZE, 0, MakeLParam(200, 200));
  headless::Send(panel, WM_PAINT, 0, 0);
  EXPECT_TRUE(headless::StretchBltCalls().empty());
  EXPECT_EQ(headless::MessageBoxes().size(), 1u);
  headless::Click(headless::FindControl(panel, 1019));
  EXPECT_EQ(boundaryTemp, 4.0);
}

}  // namespace
