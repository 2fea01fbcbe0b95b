// Modeless dialogs from the program's templates: dialog units to pixels, the
// controls' records, WM_INITDIALOG and its focus, EndDialog, and the state of
// scroll bars. Relies on backend.h; the backend gives the base units of a font.
#include "platform/core/core.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long product = (long long)a * b;
  long long divisor = c < 0 ? -(long long)c : c;
  long long quotient = ((product < 0 ? -product : product) + divisor / 2) / divisor;
  return (int)((product < 0) != (c < 0) ? -quotient : quotient);
}

DialogBaseUnits BaseUnitsFromMetrics(int widthOfLetters, int characterHeight) {
  return DialogBaseUnits{(widthOfLetters / 26 + 1) / 2, characterHeight};
}

int DialogXToPixels(int x, const DialogBaseUnits& units) { return MulDiv(x, units.x, 4); }
int DialogYToPixels(int y, const DialogBaseUnits& units) { return MulDiv(y, units.y, 8); }

bool Clickable(const PlatformWindow* control) {
  if (!Live(control) || control->kind != WindowKind::Control || control->className != "BUTTON") return false;
  unsigned kind = control->style & 0xFu;
  if (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON) return false;
  return (control->style & WS_VISIBLE) && Live(control->parent) && (control->parent->style & WS_VISIBLE);
}

const DialogTemplate* FindTemplate(const char* name) {
  const ResourceTable& resources = Resources();
  for (int i = 0; name && i < resources.dialogCount; ++i)
    if (resources.dialogs[i].name && std::strcmp(resources.dialogs[i].name, name) == 0) return &resources.dialogs[i];
  return nullptr;
}

namespace {

// "#32512", the text of an SS_ICON static, names its icon.
int IconNumber(const std::string& text) { return text.size() > 1 && text[0] == '#' ? std::atoi(text.c_str() + 1) : 0; }

void AddControl(PlatformWindow* dialog, const DialogItem& item, const DialogBaseUnits& units) {
  PlatformWindow* control = NewWindow(WindowKind::Control);
  control->id = item.id;
  control->className = item.className ? item.className : "";   // in capitals, as the templates write them
  control->text = item.text ? item.text : "";
  control->style = item.style;
  control->parent = dialog;
  control->x = DialogXToPixels(item.x, units);
  control->y = DialogYToPixels(item.y, units);
  control->width = std::max(1, DialogXToPixels(item.width, units));
  control->height = std::max(1, DialogYToPixels(item.height, units));
  // An icon static takes its icon's size, and its border and edge around it.
  if (control->className == "STATIC" && (item.style & 0x1Fu) == SS_ICON &&
      (control->icon = IconOf(IconNumber(control->text)))) {
    int edges = ((item.style & WS_BORDER) ? 2 : 0) + ((item.style & SS_SUNKEN) ? 2 : 0);
    control->width = control->icon->width + edges;
    control->height = control->icon->height + edges;
  }
  dialog->controls.push_back(control);
}

}  // namespace

// The template's size is the client area's; its position counts from the
// owner's client area, or from the screen's corner without an owner.
WindowHandle CreateDialogParam(InstanceHandle, const char* templateName, WindowHandle owner, DialogProc proc,
                               intptr_t param) {
  const DialogTemplate* t = FindTemplate(templateName);
  if (!t || (owner && !Live(owner))) return nullptr;
  while (owner && owner->kind == WindowKind::Control) owner = owner->parent;
  DialogBaseUnits units = BackendBaseUnits(*t);
  int originX = 0, originY = 0;
  if (owner) BackendClientOrigin(owner, &originX, &originY);

  PlatformWindow* dialog = NewWindow(WindowKind::Dialog);
  dialog->dialogProc = proc;
  dialog->className = "#32770";   // the dialog class
  dialog->templateName = t->name;
  dialog->text = t->caption ? t->caption : "";
  dialog->style = t->style & ~WS_VISIBLE;
  dialog->owner = owner;
  dialog->icon = ProgramIcon();
  dialog->x = originX + DialogXToPixels(t->x, units);
  dialog->y = originY + DialogYToPixels(t->y, units);
  dialog->width = std::max(1, DialogXToPixels(t->width, units));
  dialog->height = std::max(1, DialogYToPixels(t->height, units));
  for (int i = 0; t->items && i < t->itemCount; ++i) AddControl(dialog, t->items[i], units);
  BackendCreated(dialog);

  // WM_INITDIALOG offers the first shown tab stop the focus; a procedure
  // that answers nonzero has it given to that control.
  PlatformWindow* first = GetNextDlgTabItem(dialog, nullptr, 0);
  if (SendTo(dialog, WM_INITDIALOG, (uintptr_t)first, param) != 0 && Live(dialog) && Live(first)) SetFocus(first);
  if (!Live(dialog)) return nullptr;   // ended during its initialisation
  if (t->style & WS_VISIBLE) ShowWindow(dialog, SW_SHOWNORMAL);
  return dialog;
}

int EndDialog(WindowHandle dialog, intptr_t) {
  if (!Live(dialog) || dialog->kind != WindowKind::Dialog) return 0;
  Destroy(dialog);
  return 1;
}

WindowHandle GetDlgItem(WindowHandle dialog, int id) {
  if (!Live(dialog)) return nullptr;
  for (PlatformWindow* control : dialog->controls)
    if (control->alive && control->id == id) return control;
  return nullptr;
}

namespace {
bool IsScrollBar(const PlatformWindow* window, int bar) {
  return Live(window) && window->kind == WindowKind::Control && window->className == "SCROLLBAR" && bar == SB_CTL;
}
}  // namespace

// As on Windows: an inverted range becomes 0..0, one wider than the largest
// int is refused, and the thumb stays inside the range.
int SetScrollRange(WindowHandle window, int bar, int minimum, int maximum, int redraw) {
  if (!IsScrollBar(window, bar)) return 0;
  if (minimum > maximum) minimum = maximum = 0;
  if ((long long)maximum - minimum > 0x7FFFFFFF) return 0;
  window->scrollMin = minimum;
  window->scrollMax = maximum;
  window->scrollPos = std::max(minimum, std::min(maximum, window->scrollPos));
  if (redraw) BackendRedraw(window);
  return 1;
}

int SetScrollPos(WindowHandle window, int bar, int position, int redraw) {
  if (!IsScrollBar(window, bar)) return 0;
  int previous = window->scrollPos;
  window->scrollPos = std::max(window->scrollMin, std::min(window->scrollMax, position));
  if (redraw) BackendRedraw(window);
  return previous;
}
