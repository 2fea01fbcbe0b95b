// The options panel: fog and lights switched by each press, the transparency
// button that only asks for a frame, and what the next frame then shows.
#include <GL/gl.h>

#include <vector>

#include "panels/panels.h"
#include "panels/resource_ids.h"
#include "render/lighting.h"
#include "render/redraw.h"
#include "tests/support/program_state.h"

namespace {

class OptionsPanel : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    window = OpenMainWindow(32);
    main = OpenMainPanel(window);
    SendTo(main, WM_COMMAND, MakeWParam(IDC_OPEN_OPTIONS, BN_CLICKED), 0);
    ASSERT_NE(optionsPanel, nullptr);
  }
  bool Press(int id) { return headless::Click(GetDlgItem(optionsPanel, id)); }
  // The colour of the frame's top-left corner, which the model never covers.
  std::vector<unsigned char> CornerAfterFrame() {
    IdleRedraw();
    int width = 0, height = 0;
    std::vector<unsigned char> pixels = headless::ReadPixels(&width, &height);
    if (pixels.size() < 4) return {};
    return {pixels[0], pixels[1], pixels[2]};
  }
  WindowHandle window = nullptr, main = nullptr;
};

TEST_F(OptionsPanel, EachPressFlipsTheSwitchAndAsksForAFrame) {
  struct Case {
    int id;
    int* flag;
    int expected;
  };
  const Case cases[] = {
      {IDC_FOG, &fogOn, 1},      {IDC_FOG, &fogOn, 0},      {IDC_LIGHTS, &lightingOn, 0},
      {IDC_LIGHTS, &lightingOn, 1}, {IDC_FOG, &fogOn, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    redrawHook = nullptr;
    ASSERT_TRUE(Press(c.id));
    EXPECT_EQ(*c.flag, c.expected);
    EXPECT_TRUE(RedrawRequested());
  }
}

TEST_F(OptionsPanel, TransparencyOnlyAsksForAFrame) {
  redrawHook = nullptr;
  ASSERT_TRUE(Press(IDC_TRANSPARENCY));
  EXPECT_TRUE(RedrawRequested());
  EXPECT_EQ(fogOn, 0);
  EXPECT_EQ(lightingOn, 1);
  EXPECT_EQ(materialAlpha, 0.5f);
  EXPECT_TRUE(Live(optionsPanel));
}

TEST_F(OptionsPanel, FogShowsInTheNextFrameAndTransparencyChangesNothing) {
  std::vector<unsigned char> plain = CornerAfterFrame();
  ASSERT_EQ(plain.size(), 3u);
  EXPECT_NEAR(plain[0], 26, 1) << "the dark grey background";

  Press(IDC_TRANSPARENCY);
  EXPECT_EQ(CornerAfterFrame(), plain);

  Press(IDC_FOG);
  std::vector<unsigned char> fogged = CornerAfterFrame();
  ASSERT_EQ(fogged.size(), 3u);
  EXPECT_NEAR(fogged[0], 140, 1) << "the fogged background (0.55, 0.45, 0.2)";
  EXPECT_NEAR(fogged[1], 115, 1);
  EXPECT_NEAR(fogged[2], 51, 1);
}

TEST_F(OptionsPanel, TheSwitchesKeepTheirValuesAcrossClosingAndReopening) {
  Press(IDC_FOG);
  Press(IDC_LIGHTS);
  ASSERT_TRUE(Press(1));
  EXPECT_EQ(optionsPanel, nullptr);
  SendTo(main, WM_COMMAND, MakeWParam(IDC_OPEN_OPTIONS, BN_CLICKED), 0);
  ASSERT_NE(optionsPanel, nullptr);
  EXPECT_EQ(fogOn, 1);
  EXPECT_EQ(lightingOn, 0);
}

TEST_F(OptionsPanel, OtherCommandsAndMessagesDoNothing) {
  redrawHook = nullptr;
  const unsigned ids[] = {0, 2, 1005, 1007, 1032, 0xFFFF};
  for (unsigned id : ids) {
    SCOPED_TRACE(id);
    EXPECT_EQ(OptionsProc(optionsPanel, WM_COMMAND, MakeWParam(id, BN_CLICKED), 0), 0);
  }
  EXPECT_EQ(OptionsProc(optionsPanel, WM_PAINT, 0, 0), 0);
  EXPECT_EQ(OptionsProc(optionsPanel, WM_VSCROLL, 0, 0), 0);
  EXPECT_FALSE(RedrawRequested());
  EXPECT_EQ(fogOn, 0);
  EXPECT_EQ(lightingOn, 1);
  EXPECT_TRUE(Live(optionsPanel));
}

}  // namespace
