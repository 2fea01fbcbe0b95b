// The contract suite on the web backend: the page's clock, waits that give
// the browser its turn (counted as the backend counts its own, so that a
// blocking wait shows as no processor time), and a message box's OK clicked
// once the box is up.
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

}  // namespace probe
