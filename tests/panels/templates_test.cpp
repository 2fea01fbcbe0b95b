// The three panels as the platform builds them from their templates: what
// a user sees of each, captions, close boxes, and the legend's room.
#include <string>
#include <vector>

#include "panels/dialog_templates.h"
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

bool IsRestartButton(int id) {
  for (int k = 0; k < boundaryButtonCount; ++k)
    if (boundaryButtons[k].id == id) return true;
  return false;
}

TEST_F(Templates, TheMainPanelShowsOnlyItsRestartButtonsHintIconAndCredit) {
  WindowHandle window = OpenMainWindow();
  WindowHandle panel = CreateDialogParam(ProgramInstance(), "ColorScrDlg", window, PanelProc, 0);
  ASSERT_NE(panel, nullptr);
  std::vector<Shown> expected = {
      {-1, "STATIC", "touch and move the image by the mouse"},
      {-1, "STATIC", "#32512"},
      {-1, "STATIC", "soft by Dravelin"},
  };
  for (int k = 0; k < boundaryButtonCount; ++k) {
    WindowHandle button = GetDlgItem(panel, boundaryButtons[k].id);
    ASSERT_NE(button, nullptr) << "restart button " << boundaryButtons[k].id;
    expected.push_back({boundaryButtons[k].id, "BUTTON", headless::Describe(button).text});
  }
  expected.push_back({-1, "BUTTON", "boundary temp"});
  ExpectShown(panel, expected);

  // Every other control with an id is hidden, and can be reached only by a
  // command message from elsewhere.
  int hidden = 0;
  for (WindowHandle control : headless::Controls(panel)) {
    const int id = headless::Describe(control).id;
    if (id == -1 || IsRestartButton(id)) continue;
    SCOPED_TRACE(id);
    ++hidden;
    EXPECT_FALSE(headless::Click(control));
  }
  EXPECT_EQ(hidden, 12);
  EXPECT_EQ(headless::Describe(GetDlgItem(panel, 1031)).text, "camara -  -");

  PlatformWindow info = headless::Describe(panel);
  EXPECT_EQ(info.text, "temperature color scales ");
  EXPECT_EQ(info.style & WS_SYSMENU, 0u) << "no close box";
}

TEST_F(Templates, EachRestartButtonIsLabelledByItsLevelOnTheLegendInsideTheGroupRightOfTheLegend) {
  WindowHandle window = OpenMainWindow();
  WindowHandle panel = CreateDialogParam(ProgramInstance(), "ColorScrDlg", window, PanelProc, 0);
  PlatformWindow info = headless::Describe(panel);
  EXPECT_GE(info.width, 5 + 95);
  EXPECT_GE(info.height, 200);
  PlatformWindow group{};
  for (WindowHandle control : headless::Controls(panel))
    if (headless::Describe(control).text == "boundary temp") group = headless::Describe(control);
  ASSERT_GT(group.width, 0);
  for (int k = 0; k < boundaryButtonCount; ++k) {
    ASSERT_NE(GetDlgItem(panel, boundaryButtons[k].id), nullptr);
    const PlatformWindow button = headless::Describe(GetDlgItem(panel, boundaryButtons[k].id));
    SCOPED_TRACE(button.text);
    EXPECT_GE(button.x, 5 + 95);
    EXPECT_GE(button.x, group.x);
    EXPECT_GE(button.y, group.y);
    EXPECT_LE(button.x + button.width, group.x + group.width);
    EXPECT_LE(button.y + button.height, group.y + group.height);
    // The legend reads 0 at temperature 1.0 and 1 at 4.0.
    EXPECT_NEAR(std::stod(button.text), (boundaryButtons[k].temperature - 1.0) / 3.0, 0.05);
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
