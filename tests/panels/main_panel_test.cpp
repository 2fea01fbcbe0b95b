// The main control panel: restarts from the three buttons, the hidden
// commands, the legend and its missing-bitmap notice, over the headless platform.
#include <GL/gl.h>

#include <vector>

#include "panels/panels.h"
#include "panels/resource_ids.h"
#include "render/camera.h"
#include "render/frame.h"
#include "render/redraw.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "sim/temp_color.h"
#include "tests/support/program_state.h"

namespace {

class MainPanel : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Open();
  }
  void Open() {
    window = OpenMainWindow();
    panel = OpenMainPanel(window);
    ASSERT_NE(panel, nullptr);
  }
  intptr_t Command(unsigned id, unsigned notification = BN_CLICKED) {
    return SendTo(panel, WM_COMMAND, MakeWParam(id, notification), (intptr_t)GetDlgItem(panel, (int)id));
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) SendTo(window, WM_TIMER, 1, 0);
  }
  WindowHandle window = nullptr;
  WindowHandle panel = nullptr;
};

TEST_F(MainPanel, EachBoundaryButtonRestartsTheRunAtItsTemperature) {
  struct Case {
    int id;
    double boundary;
  };
  const Case cases[] = {{IDC_BOUNDARY_2_3, 2.3}, {IDC_BOUNDARY_3_3, 3.3}, {IDC_BOUNDARY_4_0, 4.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    ResetProgramState();
    Open();
    Ticks(45);   // 2 seconds and some heat in the grid
    ASSERT_EQ(elapsedSeconds, 2);
    redrawHook = nullptr;

    ASSERT_TRUE(headless::Click(GetDlgItem(panel, c.id)));

    EXPECT_EQ(boundaryTemp, c.boundary);
    EXPECT_EQ(tickCount, 0);
    EXPECT_EQ(elapsedSeconds, 2) << "the counter changes only at the next tick";
    for (int i = 0; i <= 10; ++i)
      for (int j = 0; j < 12; ++j) ASSERT_EQ(tempGrid[i][j], 1.0) << i << "," << j;
    for (int j = 0; j < 12; ++j) EXPECT_EQ(tempGrid[11][j], c.boundary);
    EXPECT_TRUE(RedrawRequested());

    Ticks(1);
    EXPECT_EQ(tickCount, 1);
    EXPECT_EQ(elapsedSeconds, 0);
  }
}

TEST_F(MainPanel, PressingTheSameButtonTwiceRestartsTwice) {
  Command(IDC_BOUNDARY_3_3);
  Ticks(30);
  double afterFirstRun = tempGrid[10][4];
  Command(IDC_BOUNDARY_3_3);
  EXPECT_EQ(tempGrid[10][4], 1.0);
  EXPECT_EQ(tickCount, 0);
  Ticks(30);
  EXPECT_EQ(tempGrid[10][4], afterFirstRun) << "the second run repeats the first";
  EXPECT_EQ(boundaryTemp, 3.3);
}

TEST_F(MainPanel, HiddenColourScaleButtonsCannotBeClickedButTheirCommandsWork) {
  struct Case {
    int id;
    int scale;
  };
  const Case cases[] = {{IDC_SCALE_NO_YELLOWS, 1}, {IDC_SCALE_EQUILIBRIUM, 2}, {IDC_SCALE_NO_GREENS, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    redrawHook = nullptr;
    int before = colorScale;
    EXPECT_FALSE(headless::Click(GetDlgItem(panel, c.id))) << "hidden";
    EXPECT_EQ(colorScale, before);
    EXPECT_EQ(Command(c.id), 0);
    EXPECT_EQ(colorScale, c.scale);
    EXPECT_TRUE(RedrawRequested());
  }
}

TEST_F(MainPanel, CameraCommandsMoveTheEyeAndToggleTheRestore) {
  float view[16];
  EXPECT_EQ(Command(IDC_CAMERA_FARTHER), 0);
  EXPECT_EQ(cameraDistance, 5.0f + 0.4f);
  CurrentModelview(view);
  EXPECT_FLOAT_EQ(view[14], -(5.0f + 0.4f) - 0.7f) << "the view transform follows at once";
  EXPECT_EQ(restoreRotation, 1);
  EXPECT_TRUE(RedrawRequested());

  redrawHook = nullptr;
  Command(IDC_CAMERA_NEARER);
  Command(IDC_CAMERA_NEARER);
  EXPECT_EQ(cameraDistance, 5.0f + 0.4f - 0.4f - 0.4f);
  CurrentModelview(view);
  EXPECT_FLOAT_EQ(view[14], -4.6f - 0.7f);
  EXPECT_EQ(restoreRotation, 1) << "toggled twice more";
  EXPECT_TRUE(RedrawRequested());
}

TEST_F(MainPanel, OtherPanelsOpenOnceAtMostAndAgainAfterClosing) {
  struct Case {
    int command;
    const char* templateName;
    WindowHandle* handle;
    bool byCloseBox;
  };
  const Case cases[] = {
      {IDC_OPEN_OPTIONS, IDD_OPTIONS_PANEL, &optionsPanel, false},
      {IDC_OPEN_OPTIONS, IDD_OPTIONS_PANEL, &optionsPanel, true},
      {IDC_OPEN_FORM_COLORS, IDD_FORM_COLORS_PANEL, &formColorsPanel, false},
      {IDC_OPEN_FORM_COLORS, IDD_FORM_COLORS_PANEL, &formColorsPanel, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.templateName << (c.byCloseBox ? " closed by its close box" : " by OK"));
    ResetProgramState();
    Open();
    EXPECT_EQ(Command(c.command), 0);
    WindowHandle first = *c.handle;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(headless::FindDialog(c.templateName), first);
    EXPECT_EQ(headless::Describe(first).owner, nullptr) << "free-standing";
    EXPECT_EQ(headless::Describe(first).style & WS_VISIBLE, (unsigned)WS_VISIBLE);

    Command(c.command);
    EXPECT_EQ(*c.handle, first);
    EXPECT_EQ(headless::FindDialog(c.templateName), first) << "no second one";

    if (c.byCloseBox) SendTo(first, WM_CLOSE, 0, 0);
    else ASSERT_TRUE(headless::Click(GetDlgItem(first, 1)));
    EXPECT_EQ(*c.handle, nullptr);
    EXPECT_FALSE(Live(first));

    Command(c.command);
    ASSERT_NE(*c.handle, nullptr);
    EXPECT_NE(*c.handle, first);
    EXPECT_TRUE(Live(*c.handle));
  }
}

TEST_F(MainPanel, ShapeButtonsOnlyAskForAFrameAndUnknownIdsDoNothing) {
  struct Case {
    unsigned id;
    bool redraw;
  };
  const Case cases[] = {{IDC_SHAPE_PLANE, true}, {IDC_SHAPE_CONE, true},       {IDC_SHAPE_POLYHEDRON, true},
                        {IDC_SHAPE_PARABOLOID, true}, {IDC_SHAPE_HYPERBOLOID, true},
                        {0, false}, {1, false}, {2, false}, {1007, false}, {1023, false}, {1039, false}, {0xFFFF, false}};
  Ticks(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    redrawHook = nullptr;
    EXPECT_EQ(Command(c.id), 0);
    EXPECT_EQ(RedrawRequested(), c.redraw);
    EXPECT_EQ(boundaryTemp, 2.3);
    EXPECT_EQ(tickCount, 3);
    EXPECT_EQ(colorScale, 0);
    EXPECT_EQ(cameraDistance, 5.0f);
    EXPECT_EQ(restoreRotation, 0);
    EXPECT_EQ(optionsPanel, nullptr);
    EXPECT_EQ(formColorsPanel, nullptr);
  }
}

TEST_F(MainPanel, TheNotificationCodeIsNotLookedAt) {
  Command(IDC_BOUNDARY_4_0, 5);
  EXPECT_EQ(boundaryTemp, 4.0);
}

TEST_F(MainPanel, PaintingCopiesTheWholeLegendToItsPlace) {
  ASSERT_NE(scaleBitmap, nullptr);
  EXPECT_EQ(scaleBitmapWidth, 95);
  EXPECT_EQ(scaleBitmapHeight, 200);
  EXPECT_TRUE(headless::MessageBoxes().empty());

  SendTo(panel, WM_PAINT, 0, 0);

  ASSERT_EQ(headless::StretchBltCalls().size(), 1u);
  const headless::StretchBltCall& copy = headless::StretchBltCalls()[0];
  EXPECT_EQ(copy.destinationWindow, panel);
  EXPECT_EQ(copy.x, 5);
  EXPECT_EQ(copy.y, 0);
  EXPECT_EQ(copy.width, 95);
  EXPECT_EQ(copy.height, 200);
  EXPECT_EQ(copy.sourceBitmap, scaleBitmap);
  EXPECT_EQ(copy.sourceX, 0);
  EXPECT_EQ(copy.sourceY, 0);
  EXPECT_EQ(copy.sourceWidth, 95);
  EXPECT_EQ(copy.sourceHeight, 200);
  EXPECT_EQ(copy.rasterOperation, (unsigned)SRCCOPY);
  EXPECT_EQ(WindowFromDC(copy.source), nullptr) << "from a memory device context";
  EXPECT_EQ(DeleteDC(copy.source), 0) << "which the panel has deleted already";
  EXPECT_EQ(headless::Describe(panel).paintCount, 1);
}

TEST_F(MainPanel, ResizingInvalidatesSoTheLegendIsPaintedAgain) {
  Message message{};
  while (PeekMessage(&message, panel, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
    GetMessage(&message, panel, WM_PAINT, WM_PAINT);
    DispatchMessage(&message);
  }
  size_t copies = headless::StretchBltCalls().size();
  ASSERT_FALSE(headless::Describe(panel).needsPaint);

  Resized(panel, 250, 240);

  EXPECT_TRUE(headless::Describe(panel).needsPaint);
  ASSERT_EQ(PeekMessage(&message, panel, 0, 0, PM_NOREMOVE), 1);
  EXPECT_EQ(message.message, (unsigned)WM_PAINT);
  GetMessage(&message, panel, 0, 0);
  DispatchMessage(&message);
  EXPECT_EQ(headless::StretchBltCalls().size(), copies + 1);
}

TEST_F(MainPanel, WithoutTheBitmapTheNoticeComesOnceAndThePanelWorksOn) {
  ResetProgramState();
  HandResourcesWithoutLegend();
  Open();

  EXPECT_EQ(scaleBitmap, nullptr);
  ASSERT_EQ(headless::MessageBoxes().size(), 1u);
  const headless::MessageBoxCall& notice = headless::MessageBoxes()[0];
  EXPECT_EQ(notice.owner, nullptr);
  EXPECT_EQ(notice.text, "  no cargo ima  ");
  EXPECT_EQ(notice.caption, " aviso");
  EXPECT_EQ(notice.style, (unsigned)MB_OK);

  SendTo(panel, WM_PAINT, 0, 0);
  Resized(panel, 250, 240);
  SendTo(panel, WM_PAINT, 0, 0);
  EXPECT_TRUE(headless::StretchBltCalls().empty()) << "painting skips the legend";
  EXPECT_EQ(headless::Describe(panel).paintCount, 2);
  EXPECT_EQ(headless::MessageBoxes().size(), 1u) << "the notice comes once";

  ASSERT_TRUE(headless::Click(GetDlgItem(panel, IDC_BOUNDARY_3_3)));
  EXPECT_EQ(boundaryTemp, 3.3);
}

TEST_F(MainPanel, EveryMessageGetsZero) {
  const unsigned messages[] = {WM_INITDIALOG, WM_SIZE, WM_PAINT, WM_COMMAND, WM_CLOSE, WM_TIMER, WM_VSCROLL};
  ResetProgramState();
  HandResourcesWithoutLegend();
  Open();
  for (unsigned m : messages) {
    SCOPED_TRACE(m);
    EXPECT_EQ(PanelProc(panel, m, 0, 0), 0);
  }
  EXPECT_TRUE(Live(panel)) << "WM_CLOSE does not close the main panel";
}

}  // namespace
