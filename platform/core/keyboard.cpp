// The keyboard: the focus, the user's keys queued and fetched (the key
// state and the character TranslateMessage posts), the dialog manager's keys
// (Tab, Enter, Escape, WM_NEXTDLGCTL) and a push button's Space. Relies on
// backend.h; the backend draws the focus and a button held down.
#include "platform/core/core.h"

namespace {

struct Keyboard {
  PlatformWindow* focus = nullptr;
  bool down[256] = {};          // as the user's keys went: a key down again is a repeat
  bool fetchedDown[256] = {};   // as the keys fetched so far say: Shift for Shift+Tab
  Message lastKeyDown{};        // the latest WM_KEYDOWN fetched, and what it types
  unsigned lastCharacter = 0;
};
Keyboard* keyboard = new Keyboard;

bool IsPushButton(const PlatformWindow* window) {
  if (!Live(window) || window->kind != WindowKind::Control || window->className != "BUTTON") return false;
  unsigned kind = window->style & 0xFu;
  return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON;
}

bool InDialog(const PlatformWindow* window, const PlatformWindow* dialog) {
  return window == dialog || (Live(window) && window->parent == dialog);
}

// A button the focus leaves is let go of without a click.
void MoveFocus(PlatformWindow* to) {
  PlatformWindow* from = keyboard->focus;
  if (from == to) return;
  keyboard->focus = to;
  if (Live(from) && from->kind == WindowKind::Control) {
    from->pushed = false;
    BackendRedraw(from);
  }
  if (to && to->kind == WindowKind::Control) BackendRedraw(to);
}

void Command(PlatformWindow* dialog, unsigned id, unsigned notification, PlatformWindow* control) {
  SendTo(dialog, WM_COMMAND, MakeWParam(id, notification), (intptr_t)control);
}

// The keys a dialog's keyboard interface takes; any other is dispatched.
bool DialogKey(PlatformWindow* dialog, unsigned key) {
  PlatformWindow* focus = keyboard->focus;
  switch (key) {
    case VK_TAB:
      SendTo(dialog, WM_NEXTDLGCTL, keyboard->fetchedDown[VK_SHIFT] ? 1 : 0, 0);
      return true;
    case VK_ESCAPE:
      Command(dialog, (unsigned)IDCANCEL, 0, GetDlgItem(dialog, IDCANCEL));
      return true;
    case VK_RETURN:
      if (IsPushButton(focus) && focus->parent == dialog) Command(dialog, (unsigned)focus->id, BN_CLICKED, focus);
      else Command(dialog, (unsigned)IDOK, 0, GetDlgItem(dialog, IDOK));
      return true;
    default:
      return false;
  }
}

}  // namespace

void Fetched(const Message& message, bool input, unsigned character) {
  if (!input) return;
  if (message.message == WM_KEYDOWN || message.message == WM_KEYUP) {
    keyboard->fetchedDown[message.wParam & 0xFF] = message.message == WM_KEYDOWN;
    if (message.message == WM_KEYDOWN) {
      keyboard->lastKeyDown = message;
      keyboard->lastCharacter = character;
    }
  } else if ((message.message == WM_LBUTTONDOWN || message.message == WM_RBUTTONDOWN) && Live(message.window)) {
    MoveFocus(message.window);
  }
}

void DefaultDialogMessage(PlatformWindow* dialog, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (message != WM_NEXTDLGCTL) return;
  PlatformWindow* to = lParam ? reinterpret_cast<PlatformWindow*>(wParam)
                              : GetNextDlgTabItem(dialog, keyboard->focus, wParam != 0);
  if (Live(to) && to != dialog && InDialog(to, dialog)) MoveFocus(to);
}

// A push button presses itself on Space: held down with the key, clicked
// when the key comes up.
intptr_t ControlMessage(PlatformWindow* control, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (IsPushButton(control) && wParam == VK_SPACE) {
    if (message == WM_KEYDOWN) {
      if (!control->pushed) {
        control->pushed = true;
        BackendRedraw(control);
      }
      return 0;
    }
    if (message == WM_KEYUP && control->pushed) {
      control->pushed = false;
      BackendRedraw(control);
      Command(control->parent, (unsigned)control->id, BN_CLICKED, control);
      return 0;
    }
  }
  return DefWindowProc(control, message, wParam, lParam);
}

// As Windows activates a window it shows: a dialog's focus goes to its first
// tab stop unless WM_INITDIALOG put it on one of its controls already.
void FocusShown(PlatformWindow* window) {
  if (window->kind == WindowKind::Control || (keyboard->focus && keyboard->focus->parent == window)) return;
  PlatformWindow* first = window->kind == WindowKind::Dialog ? GetNextDlgTabItem(window, nullptr, 0) : nullptr;
  MoveFocus(first ? first : window);
}

void ForgetFocusOf(PlatformWindow* window) {
  PlatformWindow* focus = keyboard->focus;
  if (focus != window && !(focus && focus->parent == window)) return;
  PlatformWindow* owner = window->owner;
  MoveFocus(Live(owner) && !owner->destroying ? owner : nullptr);
}

void ResetKeyboard() {
  delete keyboard;
  keyboard = new Keyboard;
}

// ---- backend.h ----------------------------------------------------------------
// lParam as Windows builds it: a repeat count of 1 and, in the high word,
// whether the key was down before and whether it is going up.
void QueueKey(unsigned virtualKey, bool down, unsigned character) {
  unsigned key = virtualKey & 0xFF;
  bool wasDown = keyboard->down[key];
  keyboard->down[key] = down;
  unsigned flags = down ? (wasDown ? KF_REPEAT : 0u) : (KF_REPEAT | KF_UP);
  intptr_t lParam = (intptr_t)(((uint32_t)flags << 16) | 1u);
  QueueKeyInput(down ? WM_KEYDOWN : WM_KEYUP, key, lParam, down ? character : 0);
}

// ---- platform.h -------------------------------------------------------------------------
WindowHandle SetFocus(WindowHandle window) {
  PlatformWindow* previous = keyboard->focus;
  if (window && (!Live(window) || window->destroying)) return nullptr;
  MoveFocus(window);
  return previous;
}

WindowHandle GetFocus() { return keyboard->focus; }

// The character of the key down fetched last, once, ahead of the user's
// further input.
int TranslateMessage(const Message* message) {
  if (!message || (message->message != WM_KEYDOWN && message->message != WM_KEYUP)) return 0;
  const Message& last = keyboard->lastKeyDown;
  if (message->message == WM_KEYDOWN && keyboard->lastCharacter && message->window == last.window &&
      message->wParam == last.wParam && message->lParam == last.lParam && Live(message->window)) {
    PostBeforeInput(message->window, WM_CHAR, keyboard->lastCharacter, message->lParam);
    keyboard->lastCharacter = 0;
  }
  return 1;
}

int IsDialogMessage(WindowHandle dialog, Message* message) {
  if (!message || !Live(dialog) || dialog->kind != WindowKind::Dialog || !InDialog(message->window, dialog))
    return 0;
  if (message->message == WM_KEYDOWN && DialogKey(dialog, (unsigned)message->wParam)) return 1;
  TranslateMessage(message);
  DispatchMessage(message);
  return 1;
}

// In template order from the control (from the start, or for previous from
// the end, when it is not one of the dialog's), round to itself.
WindowHandle GetNextDlgTabItem(WindowHandle dialog, WindowHandle control, int previous) {
  if (!Live(dialog) || dialog->kind != WindowKind::Dialog) return nullptr;
  if (control == dialog) control = nullptr;
  if (!control && previous) return nullptr;
  const std::vector<PlatformWindow*>& controls = dialog->controls;
  const long n = (long)controls.size();
  long start = previous ? n : -1;
  for (long i = 0; i < n; ++i)
    if (controls[(size_t)i] == control) start = i;
  for (long step = 1; step <= n; ++step) {
    long i = ((previous ? start - step : start + step) % n + n) % n;
    const PlatformWindow* candidate = controls[(size_t)i];
    if (candidate->alive && (candidate->style & WS_TABSTOP) && (candidate->style & WS_VISIBLE))
      return controls[(size_t)i];
  }
  return control && InDialog(control, dialog) ? control : nullptr;
}
