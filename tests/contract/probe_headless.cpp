// The contract suite on the headless backend: the virtual clock, and message
// boxes answered at once.
#include "platform/headless/headless.h"
#include "tests/contract/backend_probe.h"

#include "platform/backend.h"

namespace probe {

const bool kCreateSizeIsOuter = false;
const bool kRealClock = false;
uint64_t NowMs() { return headless::Now(); }
double ProcessorSeconds() { return 0; }
void Pass(unsigned milliseconds) { headless::AdvanceClock(milliseconds); }
void AnswerNextMessageBox(const char*) {}

// What each key the suite presses types, as a backend tells the core.
void Key(WindowHandle, unsigned virtualKey, bool down) {
  unsigned character = 0;
  switch (virtualKey) {
    case VK_TAB: character = '\t'; break;
    case VK_RETURN: character = '\r'; break;
    case VK_ESCAPE: character = 0x1B; break;
    case VK_SPACE: character = ' '; break;
    case VK_ADD: character = '+'; break;
  }
  QueueKey(virtualKey, down, down ? character : 0);
}

}  // namespace probe
