// The three panels as the platform builds them from their templates: what
// a user sees of each, captions, close boxes, and the legend's room.
#include <string>
#include <vector>

#include "panels/panels.h"
#include "tests/support/program_state.h"

namespace {

using Templates = ShellTest;

struct Shown {
  int id;
  std::string className, text;
};

std::vector<Shown> ShownControls(WindowHandle dialog) {
  std::vector<Shown> shown;
  for (WindowHandle control : headless::Controls(dialog)) {
    PlatformWindow info = headless::Describe(control);
    if (info.style & WS_VISIBLE) shown.push_back(Shown{info.id, info.className, info.text});
  }
  return shown;
}

void ExpectShown(WindowHandle dialog, const std::vector<Shown>& expected) {
  std::vector<Shown> shown = ShownControls(dialog);
  ASSERT_EQ(shown.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].text);
    EXPECT_EQ(shown[i].id, expected[i].id);
    EXPECT_EQ(shown[i].className, expected[i].className);
    EXPECT_EQ(shown[i].text, expected[i].text);
  }
}

TEST_F(Templates, TheMainPanelShowsOnlyTheBoundaryButtonsHintIconAndCredit) {
  WindowHandle window = OpenMainWindow();
  WindowHandle panel = CreateDialogParam(ProgramInstance(), "ColorScrDlg", window, PanelProc, 0);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(headless::Controls(panel).size(), 20u);
  ExpectShown(panel, {
                         {-1, "STATIC", "touch and move the image by the mouse"},
                         {-1, "STATIC", "#32512"},
                         {-1, "STATIC", "soft by Dravelin"},
                         {1008, "BUTTON", "0.4"},
                         {1009, "BUTTON", "0.75"},
                         {1019, "BUTTON", "1.0"},
                         {-1, "BUTTON", "boundary temp"},
                     });
  // The hidden ones can be reached only by a command message from elsewhere.
  const int hidden[] = {1020, 1021, 1022, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1038};
  for (int id : hidden) {
    SCOPED_TRACE(id);
    WindowHandle control = GetDlgItem(panel, id);
    ASSERT_NE(control, nullptr);
    EXPECT_FALSE(headless::Click(control));
  }
  EXPECT_EQ(headless::Describe(GetDlgItem(panel, 1031)).text, "camara -  -");

  PlatformWindow info = headless::Describe(panel);
  EXPECT_EQ(info.text, "temperature color scales ");
  EXPECT_EQ(info.style & WS_SYSMENU, 0u) << "no close box";
}

TEST_F(Templates, TheLegendFitsInThePanelLeftOfTheButtons) {
  WindowHandle window = OpenMainWindow();
  WindowHandle panel = CreateDialogParam(ProgramInstance(), "ColorScrDlg", window, PanelProc, 0);
  PlatformWindow info = headless::Describe(panel);
  EXPECT_GE(info.width, 5 + 95);
  EXPECT_GE(info.height, 200);
  for (int id : {1008, 1009, 1019}) {
    SCOPED_TRACE(id);
    EXPECT_GE(headless::Describe(GetDlgItem(panel, id)).x, 5 + 95);
  }
}

TEST_F(Templates, TheOptionsAndColoursPanelsShowEverythingAndHaveACloseBox) {
  struct Case {
    const char* templateName;
    DialogProc proc;
    const char* caption;
    std::vector<Shown> shown;
  };
  const Case cases[] = {
      {"ColorScrDlg1", OptionsProc, "OPCIONES ",
       {{1, "BUTTON", "OK"},
        {1006, "BUTTON", "NIEBLITA"},
        {1018, "BUTTON", "LUCES"},
        {-1, "BUTTON", ""},
        {1046, "BUTTON", "TRANSPARENCIA"}}},
      {"ColorScrDlg3", FormColorsProc, "FORM'S COLORS",
       {{1, "BUTTON", "OK"},
        {1039, "SCROLLBAR", ""},
        {1040, "SCROLLBAR", ""},
        {1041, "SCROLLBAR", ""},
        {1042, "SCROLLBAR", ""},
        {1043, "SCROLLBAR", ""},
        {1044, "SCROLLBAR", ""},
        {-1, "STATIC", "R       G      B"},
        {1045, "SCROLLBAR", ""},
        {-1, "STATIC", "transp."}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.templateName);
    WindowHandle dialog = CreateDialogParam(nullptr, c.templateName, nullptr, c.proc, 0);
    ASSERT_NE(dialog, nullptr);
    ExpectShown(dialog, c.shown);
    PlatformWindow info = headless::Describe(dialog);
    EXPECT_EQ(info.text, c.caption);
    EXPECT_EQ(info.style & WS_SYSMENU, (unsigned)WS_SYSMENU) << "a close box";
  }
}

}  // namespace
