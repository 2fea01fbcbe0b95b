// Writes, as JSON, the program's facts that the tests outside C++ need: the
// counter's glyphs and place, the camera that projects it, and the main
// panel: its caption, place and size, and its restart buttons. Takes each
// from the program itself (the glyph table, the frame's and the camera's
// constants, the eye as SetViewTransform places it, the panel's table and
// template); the build runs it, and
// tests/support/facts.py reads what it wrote.
// usage: program_facts FILE
#include <cstdio>
#include <string>

#include "panels/dialog_templates.h"
#include "panels/resource_ids.h"
#include "render/camera.h"
#include "render/drawers.h"
#include "render/frame.h"
#include "shared/shell_state.h"
#include "tests/support/gl_recorder.h"

namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string Quoted(const char* text) {
  std::string quoted = "\"";
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == '"' || *c == '\\') quoted += '\\';
    quoted += *c;
  }
  return quoted + "\"";
}

std::string Glyphs() {
  std::string glyphs;
  for (int digit = 0; digit < 10; ++digit) {
    glyphs += digit == 0 ? "[" : ",\n      [";
    for (int k = 0; k < glyphPointCount[digit]; ++k)
      glyphs += (k == 0 ? "[" : ", [") + Number(glyphPoints[digit][k][0]) + ", " +
                Number(glyphPoints[digit][k][1]) + "]";
    glyphs += "]";
  }
  return glyphs;
}

// The eye's distance from the plane of the counter at the start.
double EyeDistance() {
  ResetGlState();
  windowWidth = windowHeight = 1;
  SetViewTransform();
  return -GlModelview()[14];
}

const DialogTemplate* MainPanel() {
  for (const DialogTemplate& dialog : dialogTemplates)
    if (std::string(dialog.name) == IDD_MAIN_PANEL) return &dialog;
  return nullptr;
}

const DialogItem* MainPanelItem(int id) {
  const DialogTemplate* dialog = MainPanel();
  for (int k = 0; dialog != nullptr && k < dialog->itemCount; ++k)
    if (dialog->items[k].id == id) return &dialog->items[k];
  return nullptr;
}

// Its caption, and its place and size in dialog units.
std::string MainPanelFacts() {
  const DialogTemplate* dialog = MainPanel();
  return "{\"caption\": " + Quoted(dialog->caption) + ", \"x\": " + Number(dialog->x) + ", \"y\": " +
         Number(dialog->y) + ", \"width\": " + Number(dialog->width) + ", \"height\": " + Number(dialog->height) + "}";
}

std::string BoundaryButtons() {
  std::string buttons;
  for (int k = 0; k < boundaryButtonCount; ++k) {
    const DialogItem* item = MainPanelItem(boundaryButtons[k].id);
    if (item == nullptr) return "";
    buttons += std::string(k == 0 ? "" : ",\n    ") + "{\"id\": " + Number(item->id) +
               ", \"label\": " + Quoted(item->text) +
               ", \"temperature\": " + Number(boundaryButtons[k].temperature) + ", \"x\": " + Number(item->x) +
               ", \"y\": " + Number(item->y) + ", \"width\": " + Number(item->width) +
               ", \"height\": " + Number(item->height) + "}";
  }
  return buttons;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  const std::string buttons = BoundaryButtons();
  if (buttons.empty()) {
    std::fprintf(stderr, "%s: a restart button is missing from the main panel's template\n", argv[0]);
    return 1;
  }
  const std::string json = "{\n  \"counter\": {\"left\": " + Number(counterLeft) +
                           ", \"baseline\": " + Number(counterBaseline) + ", \"unit\": " + Number(counterUnit) +
                           ", \"cell_width\": " + Number(digitCellWidth) +
                           ",\n    \"glyphs\": [" + Glyphs() + "]},\n" +
                           "  \"camera\": {\"near\": " + Number(nearPlane) + ", \"half_height\": " +
                           Number(nearHalfHeight) + ", \"eye_distance\": " + Number(EyeDistance()) + "},\n" +
                           "  \"main_panel\": " + MainPanelFacts() + ",\n" +
                           "  \"boundary_buttons\": [\n    " + buttons + "]\n}\n";
  std::FILE* file = std::fopen(argv[1], "w");
  if (file == nullptr || std::fputs(json.c_str(), file) < 0 || std::fclose(file) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
