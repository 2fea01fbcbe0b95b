// The contract suite on the web backend: the page's clock, waits that give
// the browser its turn (counted as the backend counts its own, so that a
// blocking wait shows as no processor time), a message box's OK clicked
// once the box is up, and keys as the browser's events on the focused element.
#include <emscripten.h>

#include "platform/web/web.h"
#include "tests/contract/backend_probe.h"

namespace {

EM_JS(void, ClickOkOfBox, (const char* caption), {
  var wanted = UTF8ToString(caption);
  var look = setInterval(function () {
    var box = document.querySelector('dialog.heat-box[open]');
    if (!box || box.querySelector('header').textContent != wanted) return;
    clearInterval(look);
    box.querySelector('button').click();
  }, 100);
});

// A key as the browser hands one to the page: an event on the element
// that has the page's focus (key, code, and Shift as held).
EM_JS(void, PressKeyInPage, (const char* key, const char* code, int down, int shift), {
  var target = document.activeElement || document.body;
  target.dispatchEvent(new KeyboardEvent(down ? 'keydown' : 'keyup', {
    key: UTF8ToString(key), code: UTF8ToString(code), shiftKey: !!shift, bubbles: true, cancelable: true}));
});

}  // namespace

namespace probe {

const bool kCreateSizeIsOuter = false;
const bool kRealClock = true;

uint64_t NowMs() { return BackendNow(); }

// The time the program ran rather than waited for the browser.
double ProcessorSeconds() { return (emscripten_get_now() - MillisecondsWaited()) / 1000.0; }

void Pass(unsigned milliseconds) {
  const uint64_t end = BackendNow() + milliseconds;
  for (uint64_t now = BackendNow(); now < end; now = BackendNow()) BackendWait((int64_t)(end - now));
}

void AnswerNextMessageBox(const char* caption) { ClickOkOfBox(caption); }

// The keys the suite presses, as the browser names them; the page's focus
// is the core's first, as the browser's turn would make it.
void Key(WindowHandle, unsigned virtualKey, bool down) {
  struct Named {
    unsigned virtualKey;
    const char *key, *code;
  };
  static const Named named[] = {{VK_TAB, "Tab", "Tab"},         {VK_RETURN, "Enter", "Enter"},
                                {VK_SHIFT, "Shift", "ShiftLeft"}, {VK_ESCAPE, "Escape", "Escape"},
                                {VK_SPACE, " ", "Space"},        {VK_ADD, "+", "NumpadAdd"}};
  static bool shift = false;
  for (const Named& n : named) {
    if (n.virtualKey != virtualKey) continue;
    if (virtualKey == VK_SHIFT) shift = down;
    SyncFocus();
    PressKeyInPage(n.key, n.code, down, shift);
    return;
  }
}

}  // namespace probe
