// Dialogs on Win32: a modeless dialog built in memory from the template table
// the program hands over (the same table the other backends read) and given
// to CreateDialogIndirectParamA; its controls, scroll bars, the dialog
// manager's keys and message boxes.
// Relies on win32.h.
#include <cstring>
#include <vector>

#include "platform/win32/win32.h"

namespace {

// ---- the in-memory template: DLGTEMPLATE, then one DLGITEMTEMPLATE a control
// Words in order; the dialog and each control start on a 4-byte boundary.
struct TemplateWriter {
  std::vector<WORD> words;
  void Word(unsigned value) { words.push_back((WORD)value); }
  void Long(unsigned value) { Word(value & 0xFFFF); Word(value >> 16); }
  void AlignToLong() { if (words.size() % 2 != 0) Word(0); }
  void Rectangle(int x, int y, int width, int height) {   // dialog units
    for (int value : {x, y, width, height}) Word((unsigned)value);
  }
  // A string as UTF-16 with its terminating zero, converted as the A functions do.
  void Text(const char* text) {
    const int length = text == nullptr ? 0 : (int)std::strlen(text);
    if (length > 0) {
      const int units = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
      std::vector<WCHAR> wide((size_t)units);
      MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), units);
      for (WCHAR c : wide) Word(c);
    }
    Word(0);
  }
};

// The predefined classes the panels use by their ordinals, as a compiled
// resource script has them; any other by name.
void WriteClass(TemplateWriter& out, const char* className) {
  static const struct { const char* name; unsigned ordinal; } known[] = {
      {"BUTTON", 0x0080}, {"STATIC", 0x0082}, {"SCROLLBAR", 0x0084}};
  for (const auto& k : known)
    if (lstrcmpiA(className, k.name) == 0) {
      out.Word(0xFFFF);
      out.Word(k.ordinal);
      return;
    }
  out.Text(className);
}

// "#32512", the icon of an SS_ICON static, becomes the resource ordinal, as a
// compiled resource script has it; any other text is the caption.
void WriteItemText(TemplateWriter& out, const char* text) {
  if (text != nullptr && text[0] == '#' && text[1] != '\0') {
    unsigned number = 0;
    const char* c = text + 1;
    while (*c >= '0' && *c <= '9' && number <= 0xFFFF) number = number * 10 + (unsigned)(*c++ - '0');
    if (*c == '\0' && number <= 0xFFFF) {
      out.Word(0xFFFF);
      out.Word(number);
      return;
    }
  }
  out.Text(text);
}

std::vector<WORD> BuildTemplate(const DialogTemplate& dialog) {
  TemplateWriter out;
  out.Long(dialog.style);
  out.Long(0);   // extended style
  out.Word((unsigned)dialog.itemCount);
  out.Rectangle(dialog.x, dialog.y, dialog.width, dialog.height);
  out.Word(0);   // no menu
  out.Word(0);   // the dialog class
  out.Text(dialog.caption);
  if (dialog.style & DS_SETFONT) {
    out.Word((unsigned)dialog.fontPoints);
    out.Text(dialog.fontFace);
  }
  for (int i = 0; i < dialog.itemCount; ++i) {
    const DialogItem& item = dialog.items[i];
    out.AlignToLong();
    out.Long(item.style);
    out.Long(0);   // extended style
    out.Rectangle(item.x, item.y, item.width, item.height);
    out.Word((unsigned)item.id & 0xFFFF);
    WriteClass(out, item.className);
    WriteItemText(out, item.text);
    out.Word(0);   // no creation data
  }
  return out.words;
}

ResourceTable resources = {};

const DialogTemplate* FindTemplate(const char* name) {
  for (int i = 0; name != nullptr && i < resources.dialogCount; ++i)
    if (std::strcmp(resources.dialogs[i].name, name) == 0) return &resources.dialogs[i];
  return nullptr;
}

// ---- the program's dialog procedure ------------------------------------------
// Windows calls DialogProcedure; the program's procedure is kept in the
// dialog's DWLP_USER slot from the first message on (WM_SETFONT comes before
// WM_INITDIALOG). The one being created waits in pendingProc until then.
DialogProc pendingProc = nullptr;

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogProc proc = reinterpret_cast<DialogProc>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (proc == nullptr && pendingProc != nullptr) {
    proc = pendingProc;
    pendingProc = nullptr;
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(proc));
  }
  if (proc == nullptr) return FALSE;
  return proc(Handle(dialog), message, wParam, lParam);
}

}  // namespace

// Bitmaps and icons are the executable's own resources (panels/heatball.rc):
// only the templates are kept.
void SetProgramResources(const ResourceTable* table) { resources = table != nullptr ? *table : ResourceTable{}; }

WindowHandle CreateDialogParam(InstanceHandle instance, const char* templateName, WindowHandle owner,
                               DialogProc proc, intptr_t param) {
  const DialogTemplate* dialog = FindTemplate(templateName);
  if (dialog == nullptr || proc == nullptr) return nullptr;
  const std::vector<WORD> words = BuildTemplate(*dialog);
  pendingProc = proc;
  const HWND created = CreateDialogIndirectParamA(ProgramModule(instance),
                                                  reinterpret_cast<LPCDLGTEMPLATEA>(words.data()),
                                                  Hwnd(owner), DialogProcedure, param);
  pendingProc = nullptr;
  return Handle(created);
}

// EndDialog alone only hides a modeless dialog; the platform's EndDialog
// also destroys it, so that a panel closed and opened again leaves nothing behind.
int EndDialog(WindowHandle dialog, intptr_t result) {
  if (!::EndDialog(Hwnd(dialog), result)) return 0;
  return DestroyWindow(Hwnd(dialog));
}

WindowHandle GetDlgItem(WindowHandle dialog, int id) { return Handle(::GetDlgItem(Hwnd(dialog), id)); }

// The dialog manager's; it may translate and dispatch the message itself.
int IsDialogMessage(WindowHandle dialog, Message* message) {
  if (message == nullptr) return 0;
  MSG native = NativeMessage(*message);
  return IsDialogMessageA(Hwnd(dialog), &native);
}

WindowHandle GetNextDlgTabItem(WindowHandle dialog, WindowHandle control, int previous) {
  return Handle(::GetNextDlgTabItem(Hwnd(dialog), Hwnd(control), previous));
}

int SetScrollRange(WindowHandle window, int bar, int minimum, int maximum, int redraw) {
  return ::SetScrollRange(Hwnd(window), bar, minimum, maximum, redraw);
}

int SetScrollPos(WindowHandle window, int bar, int position, int redraw) {
  return ::SetScrollPos(Hwnd(window), bar, position, redraw);
}

int MessageBox(WindowHandle owner, const char* text, const char* caption, unsigned style) {
  return MessageBoxA(Hwnd(owner), text, caption, style);
}
